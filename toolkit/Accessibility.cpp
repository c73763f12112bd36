#include "toolkit/Accessibility.h"

#include "toolkit/Control.h"
#include "toolkit/TableView.h"
#include "toolkit/View.h"
#include "toolkit/VisibleViews.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <utility>

namespace mevara {

namespace {

// A control stays reachable inside an element that reads for its surroundings (the delete
// button of a table row).
bool standsAlone(const View& view) {
    return dynamic_cast<const Control*>(&view) && view.isAccessibilityElement();
}

// Whether a screen reader can reach `view` while `modal` (when there is one) holds it.
bool reachable(const View& view, const std::shared_ptr<View>& modal) {
    return !modal || &view == modal.get() || view.isDescendantOf(modal.get());
}

} // namespace

std::shared_ptr<View> accessibleElementFor(const std::shared_ptr<View>& view) {
    if (standsAlone(*view)) return view;
    std::shared_ptr<View> found;
    for (View* v = view.get(); v; v = v->superview())
        if (v->isAccessibilityElement()) found = v->shared_from_this();
    return found;
}

std::shared_ptr<View> frontModalView(const Window& window) {
    std::shared_ptr<View> modal;
    forEachVisibleView(window, std::nullopt, [&modal](const VisibleView& seen) {
        if (seen.view->accessibilityViewIsModal()) modal = seen.view;
    });
    return modal;
}

std::vector<AccessibleElement> accessibleElements(const Window& window) {
    std::vector<AccessibleElement> elements;
    const auto modal = frontModalView(window);
    forEachVisibleView(window, std::nullopt, [&](const VisibleView& seen) {
        const View& view = *seen.view;
        if (!view.isAccessibilityElement() || !reachable(view, modal)) return;
        // An element speaks for everything inside it but controls.
        if (!standsAlone(view))
            for (const View* up = view.superview(); up; up = up->superview())
                if (up->isAccessibilityElement()) return;
        elements.push_back({seen.view, seen.onScreen, view.accessibilityLabel(),
                            view.accessibilityValue(), view.accessibilityHint(),
                            view.accessibilityTraits()});
    });
    return elements;
}

std::vector<std::shared_ptr<View>> unnamedTappableViews(const Window& window) {
    std::vector<std::shared_ptr<View>> unnamed;
    const auto modal = frontModalView(window);
    forEachVisibleView(window, std::nullopt, [&](const VisibleView& seen) {
        const View& view = *seen.view;
        const bool tappable =
            dynamic_cast<const Control*>(&view) || dynamic_cast<const TableViewCell*>(&view);
        if (!tappable || !view.acceptsTouches() || !reachable(view, modal)) return;
        const auto element = accessibleElementFor(seen.view);
        if (!element || element->accessibilityLabel().empty()) unnamed.push_back(seen.view);
    });
    return unnamed;
}

std::string traitWords(unsigned traits) {
    static const std::pair<unsigned, const char*> words[] = {
        {TraitButton, "button"},         {TraitHeader, "header"},
        {TraitStaticText, "text"},       {TraitImage, "image"},
        {TraitSelected, "selected"},     {TraitNotEnabled, "not-enabled"},
        {TraitAdjustable, "adjustable"},
    };
    std::string out;
    for (const auto& [trait, word] : words) {
        if (!(traits & trait)) continue;
        if (!out.empty()) out += ' ';
        out += word;
    }
    return out;
}

} // namespace mevara
