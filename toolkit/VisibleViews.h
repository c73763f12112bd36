#pragma once

#include "platform/Geometry.h"

#include <functional>
#include <memory>
#include <optional>

namespace mevara {

class View;
class Window;

// One view a person could see, as the walk below meets it.
struct VisibleView {
    const std::shared_ptr<View>& view;
    // 1 for the window's own subviews.
    int depth = 1;
    // The frame in the superview as drawn (or as set, when walking the settled state).
    Rect frame;
    // The part of the view left on screen, in window points, after the window's edges and
    // any clipping ancestor.
    Rect onScreen;
    // Alpha multiplied down from the window.
    float alpha = 1;
};

// Walks the window's descendants that a person could see, in drawing order (back to
// front): not hidden, compounded alpha above 0.01, on screen. What lies below an unseen
// view is skipped. `time` none walks the values as set (what touches go by) rather than
// what is drawn at that moment.
void forEachVisibleView(const Window& window, std::optional<double> time,
                        const std::function<void(const VisibleView&)>& visit);

} // namespace mevara
