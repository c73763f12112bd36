#include "toolkit/sdl/WindowHost.h"

#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <algorithm>
#include <cmath>
#include <optional>

namespace mevara::sdl {
namespace {

constexpr double frameInterval = 1.0 / 60;

// An SDL wait in milliseconds for a span of seconds; never negative.
int waitMilliseconds(double seconds) {
    return static_cast<int>(std::ceil(std::clamp(seconds, 0.0, 86400.0) * 1000));
}

std::optional<Key> navigationKey(SDL_Keycode sym, bool shift) {
    switch (sym) {
    case SDLK_TAB:
        return shift ? Key::BackTab : Key::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        return Key::Activate;
    case SDLK_UP:
        return Key::Up;
    case SDLK_DOWN:
        return Key::Down;
    case SDLK_LEFT:
        return Key::Left;
    case SDLK_RIGHT:
        return Key::Right;
    case SDLK_ESCAPE:
        return Key::Escape;
    default:
        return std::nullopt;
    }
}

} // namespace

WindowHost::WindowHost(Window& window, float zoom, std::string title)
    : window_(window), zoom_(zoom > 0 ? zoom : 1), title_(std::move(title)) {}

WindowHost::~WindowHost() {
    painter_.reset();
    renderer_.reset();
    if (sdlWindow_) SDL_DestroyWindow(sdlWindow_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool WindowHost::open(std::string& error) {
    if (sdlWindow_) return true;
    // Touches and the mouse each arrive once, never mirrored as the other.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    videoStarted_ = true;
    SDL_Rect usable{};
    if (fitPoints_ && SDL_GetDisplayUsableBounds(0, &usable) == 0)
        zoom_ = fittingZoom(zoom_, *fitPoints_,
                            {static_cast<float>(usable.w), static_cast<float>(usable.h)});
    const Rect frame = window_.frame();
    sdlWindow_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  static_cast<int>(std::lround(frame.width * zoom_)),
                                  static_cast<int>(std::lround(frame.height * zoom_)),
                                  SDL_WINDOW_ALLOW_HIGHDPI);
    if (!sdlWindow_) {
        error = SDL_GetError();
        return false;
    }
    // A window without its icon still works.
    if (!iconPath_.empty())
        if (SurfacePtr icon{IMG_Load(iconPath_.c_str())}) SDL_SetWindowIcon(sdlWindow_, icon.get());
    // SDL_RENDER_DRIVER, when set, picks the driver whatever the flags say.
    renderer_.reset(
        SDL_CreateRenderer(sdlWindow_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(sdlWindow_, -1, SDL_RENDERER_SOFTWARE));
    if (!renderer_) {
        error = SDL_GetError();
        return false;
    }
    const SdlFontEngine* fonts = dynamic_cast<const SdlFontEngine*>(&Application::shared().fonts());
    if (!fonts) {
        ownFonts_ = std::make_unique<SdlFontEngine>();
        fonts = ownFonts_.get();
    }
    painter_ = std::make_unique<SdlPainter>(renderer_.get(), deviceScale(), *fonts);
    shownSize_ = {frame.width, frame.height};
    return true;
}

float WindowHost::fittingZoom(float preferred, Size points, Size usable) {
    float zoom = std::max(0.5f, std::round(preferred * 2) / 2);
    while (zoom > 0.5f &&
           (points.width * zoom > usable.width || points.height * zoom > usable.height))
        zoom -= 0.5f;
    return zoom;
}

float WindowHost::deviceScale() const {
    if (!renderer_ || !sdlWindow_) return zoom_;
    int pixels = 0, height = 0, points = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &pixels, &height);
    SDL_GetWindowSize(sdlWindow_, &points, &height);
    // On HiDPI displays the drawable has more pixels than the window has units.
    return points > 0 && pixels > 0 ? zoom_ * static_cast<float>(pixels) / points : zoom_;
}

void WindowHost::requestQuit() {
    quitRequested_ = true;
    // Wakes a waiting loop; the flag does the rest.
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void WindowHost::touch(int id, TouchPhase phase, float x, float y) {
    window_.sendTouch(id, phase, {x / zoom_, y / zoom_});
}

int WindowHost::fingerId(std::int64_t finger, bool begin) {
    auto it = fingers_.find(finger);
    if (it != fingers_.end()) return it->second;
    if (!begin) return -1;
    // The mouse is touch 0; fingers take the smallest free number above it.
    int id = 1;
    while (std::any_of(fingers_.begin(), fingers_.end(),
                       [id](const auto& entry) { return entry.second == id; }))
        ++id;
    fingers_[finger] = id;
    return id;
}

void WindowHost::fitToWindowFrame() {
    const Rect frame = window_.frame();
    const Size size{frame.width, frame.height};
    if (size == shownSize_ || !sdlWindow_) return;
    shownSize_ = size;
    SDL_SetWindowSize(sdlWindow_, static_cast<int>(std::lround(size.width * zoom_)),
                      static_cast<int>(std::lround(size.height * zoom_)));
    needsDraw_ = true;
}

void WindowHost::draw(double now) {
    const float scale = deviceScale();
    if (scale != painter_->deviceScale()) painter_->setDeviceScale(scale);
    painter_->drawFrame(window_, now);
    SDL_RenderPresent(renderer_.get());
}

bool WindowHost::handle(const SDL_Event& event, const HostEvents& events) {
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        if (event.window.windowID != SDL_GetWindowID(sdlWindow_)) break;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // The application announced itself active at launch; the first focus is that.
            if (focusedOnce_ && events.becomeActive) events.becomeActive();
            focusedOnce_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focusedOnce_ = true;
            if (events.resignActive) events.resignActive();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            return false;
        default:
            needsDraw_ = true;
            break;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.which == SDL_TOUCH_MOUSEID || mouseDown_) break;
        mouseDown_ = true;
        touch(0, TouchPhase::Began, static_cast<float>(event.button.x),
              static_cast<float>(event.button.y));
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.which == SDL_TOUCH_MOUSEID || !mouseDown_) break;
        touch(0, TouchPhase::Moved, static_cast<float>(event.motion.x),
              static_cast<float>(event.motion.y));
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.which == SDL_TOUCH_MOUSEID || !mouseDown_) break;
        mouseDown_ = false;
        touch(0, TouchPhase::Ended, static_cast<float>(event.button.x),
              static_cast<float>(event.button.y));
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
        const bool down = event.type == SDL_FINGERDOWN;
        const int id = fingerId(event.tfinger.fingerId, down);
        if (id < 0) break;
        int w = 0, h = 0;
        SDL_GetWindowSize(sdlWindow_, &w, &h);
        const TouchPhase phase = down                             ? TouchPhase::Began
                                 : event.type == SDL_FINGERMOTION ? TouchPhase::Moved
                                                                  : TouchPhase::Ended;
        if (phase == TouchPhase::Ended) fingers_.erase(event.tfinger.fingerId);
        touch(id, phase, event.tfinger.x * static_cast<float>(w),
              event.tfinger.y * static_cast<float>(h));
        break;
    }
    case SDL_KEYDOWN: {
        const SDL_Keysym& k = event.key.keysym;
        // Ctrl+Q ends the program as closing the window does, saving on the way out.
        if (k.sym == SDLK_q && (k.mod & KMOD_CTRL)) return false;
        if (events.key && events.key(k.sym, (k.mod & KMOD_CTRL) != 0)) break;
        if (auto key = navigationKey(k.sym, (k.mod & KMOD_SHIFT) != 0); key && events.navigate) {
            events.navigate(*key);
            needsDraw_ = true;
        }
        break;
    }
    default:
        break;
    }
    return true;
}

int WindowHost::run(const HostEvents& events) {
    if (!painter_) return 1;
    auto finish = [&] {
        quitRequested_ = false;
        if (events.terminate) events.terminate();
        return 0;
    };
    std::uint64_t drawnChanges = 0;
    bool drawnOnce = false, wasAnimating = false;
    double nextFrame = 0;
    for (;;) {
        // The loop may be replaced between runs, so it is looked up each time round. Its
        // turn ends with the window's layout, as in a script.
        RunLoop::main().runDueCalls();
        if (quitRequested_) return finish();
        fitToWindowFrame();
        const double now = RunLoop::main().now();
        const bool animating = RunLoop::main().isAnimating() || window_.isAnimatingBelow(now);
        const std::uint64_t changes = RunLoop::main().changes();
        // One more frame after an animation ends shows its final state.
        if (!drawnOnce || needsDraw_ || changes != drawnChanges || animating || wasAnimating) {
            nextFrame = now + frameInterval;
            draw(now);
            drawnChanges = changes;
            drawnOnce = true;
            needsDraw_ = false;
        }
        wasAnimating = animating;

        const double after = RunLoop::main().now();
        int timeout = animating ? waitMilliseconds(nextFrame - after) : -1;
        if (const double due = RunLoop::main().nextDueTime(); due >= 0) {
            const int untilDue = waitMilliseconds(due - after);
            timeout = timeout < 0 ? untilDue : std::min(timeout, untilDue);
        }
        SDL_Event event;
        const bool got =
            timeout < 0 ? SDL_WaitEvent(&event) == 1 : SDL_WaitEventTimeout(&event, timeout) == 1;
        if (!got) continue;
        if (!handle(event, events)) return finish();
        while (SDL_PollEvent(&event))
            if (!handle(event, events)) return finish();
        if (quitRequested_) return finish();
    }
}

} // namespace mevara::sdl
