#pragma once

#include "toolkit/Key.h"

#include <memory>

namespace mevara {

class View;
class Window;

// Keyboard operation of a window, the same on the desktop, in the browser and in scripts:
// Tab and Shift+Tab move a visible focus ring through what a person could activate, in
// reading order; Enter or Space activates it as a tap in its middle; the arrows move to the
// nearest such element that way (down a list, across a calendar); Escape presses the alert's
// cancel button or the screen's Back button.
class KeyboardControl {
public:
    explicit KeyboardControl(Window& window);
    ~KeyboardControl();
    KeyboardControl(const KeyboardControl&) = delete;
    KeyboardControl& operator=(const KeyboardControl&) = delete;

    // True when the key did something.
    bool handle(Key key);
    // What has the focus, if it is still on screen.
    std::shared_ptr<View> focused() const;

private:
    bool move(Key key);
    void showRing();

    Window& window_;
    std::weak_ptr<View> focused_;
    std::shared_ptr<View> ring_;
};

} // namespace mevara
