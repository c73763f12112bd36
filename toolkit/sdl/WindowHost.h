#pragma once

#include "toolkit/Key.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"
#include "toolkit/sdl/SdlPainter.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace mevara::sdl {

// What the desktop tells the application; any may be empty.
struct HostEvents {
    std::function<void()> resignActive, becomeActive, terminate;
    // True when the key was used. `control`: Ctrl was held.
    std::function<bool(int sdlKeycode, bool control)> key;
    // Tab, Enter, Space, the arrows and Escape, when `key` did not use them.
    std::function<bool(Key key)> navigate;
};

// A desktop window showing a toolkit Window at `zoom` window pixels per point. Mouse and
// fingers become touches; the loop sleeps until input, a delayed call or an animation
// frame is due. Draws with the application's SdlFontEngine when one is installed (it must
// then stay installed while the host lives), else with its own.
class WindowHost {
public:
    WindowHost(Window& window, float zoom, std::string title);
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // Before open: pick the largest zoom in halves, up to the one given, at which a
    // window of `points` fits the display's usable area.
    void shrinkToFit(Size points) { fitPoints_ = points; }
    static float fittingZoom(float preferred, Size points, Size usable);
    // Before open: the window's icon, a PNG.
    void setIcon(std::string pngPath) { iconPath_ = std::move(pngPath); }

    bool open(std::string& error);
    // Runs until the window closes or a quit is requested; terminate is sent first.
    int run(const HostEvents& events);
    // Safe from any thread: ends run() the way closing the window does.
    void requestQuit();

    // Device pixels per point in use: the zoom times the display's pixel ratio.
    float deviceScale() const;
    SDL_Window* sdlWindow() const { return sdlWindow_; }

private:
    bool handle(const SDL_Event& event, const HostEvents& events);
    void touch(int id, TouchPhase phase, float x, float y);
    int fingerId(std::int64_t finger, bool begin);
    void fitToWindowFrame();
    void draw(double now);

    Window& window_;
    float zoom_;
    std::string title_;
    std::optional<Size> fitPoints_;
    std::string iconPath_;
    bool videoStarted_ = false;
    SDL_Window* sdlWindow_ = nullptr;
    RendererPtr renderer_;
    std::unique_ptr<SdlFontEngine> ownFonts_;
    std::unique_ptr<SdlPainter> painter_;
    Size shownSize_;
    bool mouseDown_ = false;
    bool focusedOnce_ = false;
    bool needsDraw_ = true;
    std::map<std::int64_t, int> fingers_;
    std::atomic<bool> quitRequested_{false};
};

} // namespace mevara::sdl
