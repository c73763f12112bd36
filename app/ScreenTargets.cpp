#include "app/ScreenTargets.h"

#include "app/ViewDump.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"

#include <algorithm>

namespace mevara {
namespace {

// The rectangle `r` of `view`'s bounds as it lies in window points.
Rect inWindow(const View& view, const Rect& r) {
    const Point corners[4] = {view.convertPointToView({r.x, r.y}, nullptr),
                              view.convertPointToView({r.maxX(), r.y}, nullptr),
                              view.convertPointToView({r.x, r.maxY()}, nullptr),
                              view.convertPointToView({r.maxX(), r.maxY()}, nullptr)};
    float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& p : corners) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect intersection(const Rect& r, const Rect& s) {
    const float x0 = std::max(r.x, s.x), y0 = std::max(r.y, s.y);
    const float x1 = std::min(r.maxX(), s.maxX()), y1 = std::min(r.maxY(), s.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

bool isEmpty(const Rect& r) {
    return r.width <= 0 || r.height <= 0;
}

} // namespace

Point middle(const Rect& r) {
    return {r.x + r.width / 2, r.y + r.height / 2};
}

std::shared_ptr<View> frontMostView(const Window& window,
                                    const std::function<bool(const View&)>& test, Rect* onScreen) {
    std::shared_ptr<View> found;
    forEachVisibleView(window, std::nullopt, [&](const VisibleView& seen) {
        if (!test(*seen.view)) return;
        found = seen.view;
        if (onScreen) *onScreen = seen.onScreen;
    });
    return found;
}

std::shared_ptr<View> viewToTouch(const Window& window, const std::string& wanted, bool byText,
                                  Rect* onScreen) {
    if (!byText)
        return frontMostView(
            window, [&wanted](const View& view) { return view.name() == wanted; }, onScreen);
    return frontMostView(
        window,
        [&wanted](const View& view) {
            if (auto* label = dynamic_cast<const Label*>(&view)) return label->text() == wanted;
            if (auto* button = dynamic_cast<const Button*>(&view))
                return button->currentTitle() == wanted;
            return false;
        },
        onScreen);
}

Point touchPoint(const View& view, const Rect& onScreen) {
    const Point centre = view.convertPointToView(middle(view.bounds()), nullptr);
    return rectContainsPoint(onScreen, centre) ? centre : middle(onScreen);
}

Rect rowOnScreen(TableView& table, int row, const Rect& tableOnScreen) {
    // A table still moving would take the touch as a stop, not a tap.
    const Point max = table.maximumOffset();
    const Point offset = table.contentOffset();
    table.setContentOffset({std::clamp(offset.x, 0.0f, max.x), std::clamp(offset.y, 0.0f, max.y)});
    const IndexPath path{0, row};
    auto visiblePart = [&] {
        return intersection(inWindow(table, table.rectForRowAtIndexPath(path)), tableOnScreen);
    };
    Rect part = visiblePart();
    if (isEmpty(part)) {
        table.scrollToRowAtIndexPath(path, TableViewScrollPosition::None, false);
        part = visiblePart();
    }
    return isEmpty(part) ? Rect{} : part;
}

bool pressBackButton(const Window& window) {
    std::shared_ptr<Button> back;
    // The walk goes back to front, so the last one met is the one on top.
    forEachVisibleView(window, std::nullopt, [&](const VisibleView& seen) {
        auto button = std::dynamic_pointer_cast<Button>(seen.view);
        if (!button || !button->acceptsTouches()) return;
        const std::string& name = button->name();
        if (name == "backButton" || name.ends_with("_backButton")) back = button;
    });
    if (!back) return false;
    back->sendActions(ControlEvent::TouchUpInside);
    return true;
}

} // namespace mevara
