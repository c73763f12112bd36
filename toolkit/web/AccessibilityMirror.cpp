#include "toolkit/web/AccessibilityMirror.h"

#include "toolkit/Accessibility.h"
#include "toolkit/AlertView.h"
#include "toolkit/Control.h"
#include "toolkit/Window.h"

#include <cstdio>
#include <emscripten.h>

namespace mevara::web {
namespace {

// clang-format off
EM_JS(void, mevara_mirror_update, (const char* text), {
    mevaraScreen.mirror(UTF8ToString(text));
});
// clang-format on

// Tabs and line breaks separate the fields and the elements.
std::string field(std::string text) {
    for (char& ch : text)
        if (ch == '\t' || ch == '\n') ch = ' ';
    return text;
}

std::string role(const AccessibleElement& e) {
    const bool toggle =
        dynamic_cast<const Control*>(e.view.get()) && (e.value == "on" || e.value == "off");
    if (toggle) return "switch";
    if (e.traits & TraitButton) return "button";
    if (e.traits & TraitHeader) return "heading";
    if (e.traits & TraitImage) return "img";
    return "text";
}

} // namespace

void AccessibilityMirror::update() {
    const auto elements = accessibleElements(window_);
    // First line: the alert's title when one holds the reader, else nothing.
    std::string text = window_.alerts().empty() ? "" : field(window_.alerts().back()->title());
    text += '\n';
    std::vector<std::weak_ptr<View>> views;
    for (const auto& e : elements) {
        char place[96];
        std::snprintf(place, sizeof place, "\t%g\t%g\t%g\t%g", static_cast<double>(e.frame.x),
                      static_cast<double>(e.frame.y), static_cast<double>(e.frame.width),
                      static_cast<double>(e.frame.height));
        std::string flags;
        if (e.traits & TraitSelected) flags += 's';
        if (e.traits & TraitNotEnabled) flags += 'd';
        // The total is announced when it changes.
        const std::string& name = e.view->name();
        if (name == "totalExposure" || name.ends_with("totalValue")) flags += 'l';
        text += std::to_string(views.size()) + '\t' + role(e) + '\t' + field(e.label) + '\t' +
                field(e.value) + '\t' + flags + place + '\n';
        views.push_back(e.view);
    }
    views_ = std::move(views);
    if (text == shown_) return;
    shown_ = text;
    mevara_mirror_update(text.c_str());
}

void AccessibilityMirror::activate(int id) {
    if (id < 0 || id >= static_cast<int>(views_.size())) return;
    const auto view = views_[static_cast<std::size_t>(id)].lock();
    if (!view || view->window() != &window_) return;
    const Rect b = view->bounds();
    const Point middle = view->convertPointToView({b.x + b.width / 2, b.y + b.height / 2}, nullptr);
    window_.sendTouch(0, TouchPhase::Began, middle);
    window_.sendTouch(0, TouchPhase::Ended, middle);
}

} // namespace mevara::web
