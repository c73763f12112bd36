#include "toolkit/sdl/WindowHost.h"

#include "SdlFixture.h"
#include "toolkit/Window.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

namespace mevara::sdl::test {
namespace {

class TouchRecorder : public View {
public:
    using View::View;
    std::vector<Touch> seen;
    void touchesBegan(const TouchSet& t) override { seen.push_back(*t.front()); }
    void touchesMoved(const TouchSet& t) override { seen.push_back(*t.front()); }
    void touchesEnded(const TouchSet& t) override { seen.push_back(*t.front()); }
};

// SDL's headless video driver, the real clock, and events queued before the loop runs.
class Host : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        RunLoop::reset();
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        window_ = std::make_shared<Window>(Rect{0, 0, 320, 480});
        recorder_ = std::make_shared<TouchRecorder>(Rect{0, 0, 320, 480});
        window_->addSubview(recorder_);
    }
    // An event of `type` addressed to the host's window, filled in by `fill`.
    template <class Fill> void push(Uint32 type, Fill fill) {
        SDL_Event e{};
        e.type = type;
        e.window.windowID = SDL_GetWindowID(host_->sdlWindow());
        fill(e);
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void push(Uint32 type) {
        push(type, [](SDL_Event&) {});
    }
    void open(float zoom) {
        host_ = std::make_unique<WindowHost>(*window_, zoom, "test");
        std::string error;
        ASSERT_TRUE(host_->open(error)) << error;
    }

    std::shared_ptr<Window> window_;
    std::shared_ptr<TouchRecorder> recorder_;
    std::unique_ptr<WindowHost> host_;
};

TEST_F(Host, MouseAndFingersArriveAsTouchesInPoints) {
    open(2);
    int w = 0, h = 0;
    SDL_GetWindowSize(host_->sdlWindow(), &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 960);
    auto mouse = [&](Uint32 type, int x, int y) {
        push(type, [&](SDL_Event& e) {
            if (type == SDL_MOUSEMOTION)
                e.motion.x = x, e.motion.y = y;
            else
                e.button.x = x, e.button.y = y, e.button.button = SDL_BUTTON_LEFT;
        });
    };
    auto finger = [&](Uint32 type, SDL_FingerID id, float x, float y) {
        push(type,
             [&](SDL_Event& e) { e.tfinger.fingerId = id, e.tfinger.x = x, e.tfinger.y = y; });
    };
    mouse(SDL_MOUSEMOTION, 10, 10); // no button held: no touch
    mouse(SDL_MOUSEBUTTONDOWN, 100, 200);
    mouse(SDL_MOUSEMOTION, 120, 220);
    mouse(SDL_MOUSEBUTTONUP, 140, 240);
    finger(SDL_FINGERDOWN, 7, 0.5f, 0.25f);
    finger(SDL_FINGERDOWN, 9, 0.25f, 0.5f);
    finger(SDL_FINGERUP, 7, 0.5f, 0.25f);
    finger(SDL_FINGERUP, 9, 0.25f, 0.5f);
    push(SDL_QUIT);
    int terminated = 0;
    HostEvents events;
    events.terminate = [&] { ++terminated; };
    EXPECT_EQ(host_->run(events), 0);
    EXPECT_EQ(terminated, 1);

    struct Want {
        int id;
        TouchPhase phase;
        Point at;
    };
    const std::vector<Want> want = {
        {0, TouchPhase::Began, {50, 100}}, {0, TouchPhase::Moved, {60, 110}},
        {0, TouchPhase::Ended, {70, 120}}, {1, TouchPhase::Began, {160, 120}},
        {2, TouchPhase::Began, {80, 240}}, {1, TouchPhase::Ended, {160, 120}},
        {2, TouchPhase::Ended, {80, 240}}};
    ASSERT_EQ(recorder_->seen.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(recorder_->seen[i].id, want[i].id) << i;
        EXPECT_EQ(recorder_->seen[i].phase, want[i].phase) << i;
        EXPECT_EQ(recorder_->seen[i].windowLocation, want[i].at) << i;
    }
}

TEST_F(Host, FocusAfterLaunchAndKeysReachTheApplication) {
    open(1);
    // The first focus is the launch the application announced itself.
    for (Uint8 what :
         {SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_GAINED})
        push(SDL_WINDOWEVENT, [&](SDL_Event& e) { e.window.event = what; });
    push(SDL_KEYDOWN, [](SDL_Event& e) { e.key.keysym.sym = SDLK_ESCAPE; });
    // Ctrl+Q ends the run as closing the window does; the key is not passed on.
    push(SDL_KEYDOWN, [](SDL_Event& e) {
        e.key.keysym.sym = SDLK_q;
        e.key.keysym.mod = KMOD_LCTRL;
    });

    int resigned = 0, became = 0, terminated = 0;
    std::vector<int> keys;
    const HostEvents events{[&] { ++resigned; }, [&] { ++became; }, [&] { ++terminated; },
                            [&](int code, bool) {
                                keys.push_back(code);
                                return true;
                            }};
    EXPECT_EQ(host_->run(events), 0);
    EXPECT_EQ(resigned, 1);
    EXPECT_EQ(became, 1);
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(keys, std::vector<int>{SDLK_ESCAPE});
}

TEST(HostZoom, TakesTheLargestHalfStepThatFitsTheScreen) {
    struct Case {
        float preferred;
        Size points, usable;
        float zoom;
    };
    for (const Case& c :
         {Case{2, {320, 480}, {1920, 1050}, 2}, // a phone on a large screen
          Case{2, {320, 480}, {1366, 740}, 1.5f}, Case{2, {320, 480}, {800, 450}, 0.5f},
          Case{1, {1024, 1024}, {1366, 740}, 0.5f}, Case{1, {1024, 1024}, {2560, 1400}, 1},
          Case{2, {320, 480}, {100, 100}, 0.5f}}) // never smaller than half
        EXPECT_EQ(WindowHost::fittingZoom(c.preferred, c.points, c.usable), c.zoom)
            << c.usable.width << "x" << c.usable.height;
}

TEST_F(Host, IdleLoopSleepsUntilDelayedCallsAndFollowsRotation) {
    open(2);
    int w = 0, h = 0;
    const auto wallStart = std::chrono::steady_clock::now();
    RunLoop::main().performAfterDelay(0.1, [&] { window_->setFrame({0, 0, 480, 320}); });
    RunLoop::main().performAfterDelay(0.5, [&] {
        SDL_GetWindowSize(host_->sdlWindow(), &w, &h);
        host_->requestQuit();
    });
    // Should the loop never wake for the delayed calls, this ends it.
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 300 && !finished; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!finished) host_->requestQuit();
    });
    const std::clock_t cpuStart = std::clock();
    host_->run({});
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
    finished = true;
    watchdog.join();

    EXPECT_GE(wall.count(), 0.5);
    EXPECT_LT(wall.count(), 2.5);
    EXPECT_LT(cpu, 0.2) << "the loop spun while idle";
    EXPECT_EQ(w, 960);
    EXPECT_EQ(h, 640);
}

} // namespace
} // namespace mevara::sdl::test
