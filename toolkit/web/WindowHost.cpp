#include "toolkit/web/WindowHost.h"

#include "toolkit/RunLoop.h"

#include <cmath>
#include <emscripten.h>

namespace mevara::web {
namespace {

// clang-format off
EM_JS(double, mevara_screen_layout, (double width, double height), {
    return mevaraScreen.layout(width, height);
});
EM_JS(void, mevara_screen_listen, (WindowHost* host), {
    mevaraScreen.listen(host);
});
EM_JS(void, mevara_screen_schedule, (WindowHost* host, int frame, double delay), {
    mevaraScreen.schedule(host, frame, delay);
});
EM_JS(void, mevara_screen_decode_ahead, (int sharp), {
    mevaraScreen.decodeAhead(sharp != 0);
});
EM_JS(int, mevara_screen_landscape, (), {
    return mevaraScreen.viewportIsLandscape() ? 1 : 0;
});
EM_JS(void, mevara_screen_frame_time, (double milliseconds), {
    const stats = mevaraScreen.stats;
    if (!stats.firstFrame) stats.firstFrame = performance.now();
    const times = stats.frameTimes;
    times.push(milliseconds);
    if (times.length > 2000) times.splice(0, 1000);
});
// clang-format on

// Marks the host busy: what it runs asks for no separate turn.
class InTurn {
public:
    explicit InTurn(bool& flag) : flag_(flag) { flag_ = true; }
    ~InTurn() { flag_ = false; }
    InTurn(const InTurn&) = delete;
    InTurn& operator=(const InTurn&) = delete;

private:
    bool& flag_;
};

} // namespace

WindowHost::WindowHost(Window& window, const CanvasFontEngine& fonts)
    : window_(window), painter_(1, fonts), mirror_(window) {}

void WindowHost::start(HostEvents events) {
    events_ = std::move(events);
    RunLoop::main().setWakeUp([this] { wake(); });
    fit();
    mevara_screen_listen(this);
    schedule();
}

void WindowHost::fit() {
    const Rect frame = window_.frame();
    const Size size{frame.width, frame.height};
    painter_.setDeviceScale(static_cast<float>(mevara_screen_layout(size.width, size.height)));
    shownSize_ = size;
    needsDraw_ = true;
}

void WindowHost::draw() {
    const double start = emscripten_get_now();
    painter_.drawFrame(window_, RunLoop::main().now());
    mevara_screen_frame_time(emscripten_get_now() - start);
    if (!decodingAhead_) {
        decodingAhead_ = true;
        mevara_screen_decode_ahead(painter_.deviceScale() > 1 ? 1 : 0);
    }
}

void WindowHost::wake() {
    if (inTurn_ || wakeAsked_) return;
    wakeAsked_ = true;
    mevara_screen_schedule(this, 1, 0);
}

void WindowHost::turn(bool atFrame) {
    RunLoop& loop = RunLoop::main();
    const InTurn busy(inTurn_);
    wakeAsked_ = false;
    loop.runDueCalls();
    const Rect frame = window_.frame();
    if (Size{frame.width, frame.height} != shownSize_) fit();
    const double now = loop.now();
    const bool animating = loop.isAnimating() || window_.isAnimatingBelow(now);
    if (atFrame && (needsDraw_ || loop.changes() != drawnChanges_ || animating || wasAnimating_)) {
        draw();
        drawnChanges_ = loop.changes();
        needsDraw_ = false;
        // One more frame after an animation ends shows its final state.
        wasAnimating_ = animating;
        // A screen reader follows the screen once it stands still.
        if (!animating) mirror_.update();
    }
    finishTurn();
}

void WindowHost::finishTurn() {
    // A frame that only moves what moves changes nothing; anything else marks a change.
    const std::uint64_t changes = RunLoop::main().changes();
    if (events_.turnEnded && changes != changesSeenAtTurnEnd_) events_.turnEnded();
    changesSeenAtTurnEnd_ = changes;
    schedule();
}

void WindowHost::schedule() {
    RunLoop& loop = RunLoop::main();
    const double now = loop.now();
    const bool animating = loop.isAnimating() || window_.isAnimatingBelow(now);
    const bool frame = needsDraw_ || loop.changes() != drawnChanges_ || animating || wasAnimating_;
    const double due = loop.nextDueTime();
    const double delay = due < 0 ? -1 : std::ceil(std::max(0.0, due - now) * 1000);
    mevara_screen_schedule(this, frame ? 1 : 0, delay);
}

void WindowHost::touch(int phase, float x, float y) {
    static constexpr TouchPhase phases[] = {TouchPhase::Began, TouchPhase::Moved, TouchPhase::Ended,
                                            TouchPhase::Cancelled};
    if (phase < 0 || phase > 3) return;
    const InTurn busy(inTurn_);
    window_.sendTouch(0, phases[phase], {x, y});
    RunLoop::main().endTurn();
    finishTurn();
}

void WindowHost::viewportChanged() {
    const InTurn busy(inTurn_);
    if (events_.viewportChanged) events_.viewportChanged(mevara_screen_landscape() != 0);
    fit();
    finishTurn();
}

void WindowHost::lifecycle(bool active) {
    if (active == active_) return;
    active_ = active;
    const InTurn busy(inTurn_);
    if (active && events_.becomeActive) events_.becomeActive();
    if (!active && events_.resignActive) events_.resignActive();
    needsDraw_ = true;
    finishTurn();
}

bool WindowHost::key(int key) {
    const InTurn busy(inTurn_);
    const bool used = events_.key && events_.key(key);
    if (used) RunLoop::main().endTurn();
    finishTurn();
    return used;
}

void WindowHost::activate(int id) {
    const InTurn busy(inTurn_);
    mirror_.activate(id);
    RunLoop::main().endTurn();
    finishTurn();
}

void WindowHost::redraw() {
    needsDraw_ = true;
    schedule();
}

} // namespace mevara::web

// The page's way in (toolkit/web/screen.js).
extern "C" {

EMSCRIPTEN_KEEPALIVE void mevara_host_turn(mevara::web::WindowHost* host, int atFrame) {
    host->turn(atFrame != 0);
}
EMSCRIPTEN_KEEPALIVE void mevara_host_touch(mevara::web::WindowHost* host, int phase, double x,
                                            double y) {
    host->touch(phase, static_cast<float>(x), static_cast<float>(y));
}
EMSCRIPTEN_KEEPALIVE void mevara_host_resize(mevara::web::WindowHost* host) {
    host->viewportChanged();
}
EMSCRIPTEN_KEEPALIVE void mevara_host_lifecycle(mevara::web::WindowHost* host, int active) {
    host->lifecycle(active != 0);
}
EMSCRIPTEN_KEEPALIVE int mevara_host_key(mevara::web::WindowHost* host, int key) {
    return host->key(key) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void mevara_host_activate(mevara::web::WindowHost* host, int id) {
    host->activate(id);
}
EMSCRIPTEN_KEEPALIVE void mevara_host_redraw(mevara::web::WindowHost* host) {
    host->redraw();
}
}
