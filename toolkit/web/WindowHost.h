#pragma once

#include "toolkit/Window.h"
#include "toolkit/web/AccessibilityMirror.h"
#include "toolkit/web/CanvasFontEngine.h"
#include "toolkit/web/CanvasPainter.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace mevara::web {

// What the page tells the application; any may be empty.
struct HostEvents {
    std::function<void()> resignActive, becomeActive;
    // The viewport's shape changed (a device turned, a window resized).
    std::function<void(bool landscape)> viewportChanged;
    // True when the key was used: a toolkit Key by its number.
    std::function<bool(int key)> key;
    // After every turn of the loop in which something changed, input included.
    std::function<void()> turnEnded;
};

// Shows a toolkit Window on the page's canvas, fitted to the viewport with its aspect
// kept. Pointer and touch events become one finger's touches. The loop takes a turn at an
// animation frame only while something moves or changed, else at a timer for the next
// delayed call, else not at all.
class WindowHost {
public:
    WindowHost(Window& window, const CanvasFontEngine& fonts);
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // Starts listening to the page and asks for the first frame.
    void start(HostEvents events);

    // Called from the page (toolkit/web/screen.js).
    void turn(bool atFrame);
    void touch(int phase, float x, float y);
    void viewportChanged();
    void lifecycle(bool active);
    bool key(int key);
    void redraw();
    // A screen reader activated the mirror's element `id`.
    void activate(int id);

private:
    void fit();
    void draw();
    void schedule();
    // Ends a turn: what comes after it, then the next one asked for.
    void finishTurn();
    // Something changed outside a turn (a page's link, a fetch's answer): a turn soon.
    void wake();

    Window& window_;
    CanvasPainter painter_;
    AccessibilityMirror mirror_;
    HostEvents events_;
    Size shownSize_;
    bool active_ = true;
    bool needsDraw_ = true;
    bool wasAnimating_ = false;
    bool inTurn_ = false, wakeAsked_ = false;
    bool decodingAhead_ = false;
    std::uint64_t drawnChanges_ = 0;
    std::uint64_t changesSeenAtTurnEnd_ = 0;
};

} // namespace mevara::web
