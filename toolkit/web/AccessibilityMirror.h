#pragma once

#include <memory>
#include <string>
#include <vector>

namespace mevara {
class View;
class Window;
} // namespace mevara

namespace mevara::web {

// What a screen reader finds on the window, kept as elements of the page over the canvas
// (toolkit/web/screen.js): roles, names, states and places, so that the screen readers
// built into phones and tablets move through the screen and activate what they find.
// Only what changed since the last update reaches the page.
class AccessibilityMirror {
public:
    explicit AccessibilityMirror(Window& window) : window_(window) {}

    void update();
    // The page activated element `id`: a tap in its middle, as a double tap does.
    void activate(int id);

private:
    Window& window_;
    std::string shown_;
    std::vector<std::weak_ptr<View>> views_;
};

} // namespace mevara::web
