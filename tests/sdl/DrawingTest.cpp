#include "SdlFixture.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/Painter.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlPainter.h"
#include "toolkit/sdl/Snapshot.h"
#include "toolkit/sdl/WindowHost.h"

#include <SDL2/SDL_image.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <ctime>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace mevara::sdl::test {
namespace {

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1; // right and bottom exclusive
    int width() const { return right - left; }
};

::testing::AssertionResult inkIs(const Ink& ink, SDL_Rect want, int slack = 0) {
    if (std::abs(ink.left - want.x) <= slack && std::abs(ink.top - want.y) <= slack &&
        std::abs(ink.right - want.x - want.w) <= slack &&
        std::abs(ink.bottom - want.y - want.h) <= slack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "ink " << ink.left << "," << ink.top << " to " << ink.right << "," << ink.bottom;
}

// The box around every pixel darker than `limit`.
Ink inkIn(SDL_Surface* s, int limit = 160) {
    Ink ink;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Rgba p = pixel(s, x, y);
            if (std::min({p.r, p.g, p.b}) >= limit) continue;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x + 1);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
}

SurfacePtr loadPicture(const std::filesystem::path& path) {
    SurfacePtr loaded{IMG_Load(path.c_str())};
    if (!loaded) return nullptr;
    return SurfacePtr{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0)};
}

// A picture's pixel as it shows over white.
Rgba onWhite(SDL_Surface* picture, int x, int y) {
    const Rgba p = pixel(picture, x, y);
    auto mix = [&](int c) { return (c * p.a + 255 * (255 - p.a) + 127) / 255; };
    return {mix(p.r), mix(p.g), mix(p.b), 255};
}

// Every pixel of the picture's four fixed corners (left x top, ...) must land unscaled at
// the matching corner of the destination.
void expectFixedCorners(SDL_Surface* drawn, SDL_Surface* picture, SDL_Rect dest, int left,
                        int right, int top, int bottom) {
    int failures = 0;
    for (int py = 0; py < picture->h; ++py) {
        for (int px = 0; px < picture->w; ++px) {
            const bool l = px < left, r = px >= picture->w - right;
            const bool t = py < top, b = py >= picture->h - bottom;
            if (!(l || r) || !(t || b)) continue;
            const int x = l ? dest.x + px : dest.x + dest.w - (picture->w - px);
            const int y = t ? dest.y + py : dest.y + dest.h - (picture->h - py);
            if (!pixelIs(drawn, x, y, onWhite(picture, px, py), 3) && ++failures <= 5)
                ADD_FAILURE() << pixelIs(drawn, x, y, onWhite(picture, px, py), 3).message()
                              << " (picture " << px << ", " << py << ")";
        }
    }
    EXPECT_EQ(failures, 0);
}

using TextDrawing = SdlTest;

TEST_F(TextDrawing, InkAgreesWithMeasuredWidthAlignmentAndBaseline) {
    struct Case {
        Font font;
        std::string text;
    };
    // No descenders, so the ink ends on the baseline.
    const Case cases[] = {{Font::systemFont(17), "Radiation dose 1.5 mSv"},
                          {Font::boldSystemFont(22), "Effective DOSE 40"}};
    for (const Case& c : cases) {
        const float measured = fonts_->width(c.font, c.text);
        ASSERT_GT(measured, 100);
        for (auto alignment : {TextAlignment::Left, TextAlignment::Center, TextAlignment::Right}) {
            SCOPED_TRACE(c.text + " alignment " + std::to_string(static_cast<int>(alignment)));
            auto root = whiteScreen(340, 60);
            auto label = std::make_shared<Label>(Rect{20, 10, 300, 40});
            label->setFont(c.font);
            label->setText(c.text);
            label->setTextAlignment(alignment);
            root->addSubview(label);
            float left = 20;
            if (alignment == TextAlignment::Center) left += std::round((300 - measured) / 2);
            if (alignment == TextAlignment::Right) left += 300 - measured;
            const float top = 10 + std::round((40 - label->layout().size.height) / 2);
            const float baseline = top + fonts_->ascent(c.font);

            auto one = renderSurface(*root, 0);
            const Ink ink = inkIn(one.get());
            EXPECT_NEAR(ink.width(), measured, 2);
            EXPECT_NEAR(ink.left, left, 2);
            EXPECT_NEAR(ink.bottom, baseline, 1);

            // Drawn from a face twice the size, the text still sits where the points say.
            auto two = renderSurface(*root, 0, 2);
            const Ink sharp = inkIn(two.get());
            EXPECT_NEAR(sharp.width(), 2 * measured, 5);
            EXPECT_NEAR(sharp.left, 2 * left, 3);
            EXPECT_NEAR(sharp.bottom, 2 * baseline, 2);
        }
    }
}

TEST_F(TextDrawing, FacesDifferAndMissingFontsFallBackToEstimates) {
    const Font regular = Font::systemFont(17), bold = Font::boldSystemFont(17);
    EXPECT_GT(fonts_->width(bold, "Dose"), fonts_->width(regular, "Dose"));

    SdlFontEngine missing(temp_.path() / "no-fonts");
    const EstimatingFontEngine estimate;
    EXPECT_FALSE(missing.hasFonts());
    EXPECT_EQ(missing.width(regular, "Dose"), estimate.width(regular, "Dose"));
    EXPECT_EQ(missing.lineHeight(bold), estimate.lineHeight(bold));
    EXPECT_EQ(missing.ascent(bold), estimate.ascent(bold));
    // Drawing with it shows nothing rather than failing.
    SurfacePtr surface{SDL_CreateRGBSurfaceWithFormat(0, 50, 30, 32, SDL_PIXELFORMAT_ARGB8888)};
    RendererPtr renderer{SDL_CreateSoftwareRenderer(surface.get())};
    SdlPainter painter(renderer.get(), 1, missing);
    painter.drawText("Dose", regular, Color::white(), {0, 0});
    SDL_RenderFlush(renderer.get());
    EXPECT_EQ(pixel(surface.get(), 10, 10).a, 0);
}

using PictureDrawing = SdlTest;

TEST_F(PictureDrawing, CapsKeepCornersAndStretchOneColumnAndRow) {
    auto root = whiteScreen(240, 140);
    auto view = std::make_shared<ImageView>(Image::named("button-blue")->stretchableImage(12, 12));
    view->setFrame({10, 10, 200, 100});
    root->addSubview(view);
    auto surface = renderSurface(*root, 0);
    auto picture = loadPicture(images_ / "button-blue.png");
    ASSERT_EQ(picture->w, 30);
    expectFixedCorners(surface.get(), picture.get(), {10, 10, 200, 100}, 12, 17, 12, 17);
    // Column 12 and row 12 fill everything between the fixed parts.
    for (int x = 22; x < 193; x += 7) {
        EXPECT_TRUE(pixelIs(surface.get(), x, 12, onWhite(picture.get(), 12, 2)));
        EXPECT_TRUE(pixelIs(surface.get(), x, 60, onWhite(picture.get(), 12, 12)));
    }

    // Smaller than its fixed parts, the picture shrinks them in proportion: 12 : 17 of 20.
    const SliceAxis shrunk = sliceAxis(30, 12, 1, 1, 10, 20, 1);
    EXPECT_EQ(shrunk.dst[1], 18);
    EXPECT_EQ(shrunk.dst[2], 18);
    EXPECT_EQ(shrunk.dst[3], 30);
}

TEST_F(PictureDrawing, SharpPictureSlicesInItsOwnPixels) {
    auto root = whiteScreen(240, 140);
    auto view = std::make_shared<ImageView>(Image::named("form-box")->stretchableImage(16, 16));
    view->setFrame({10, 10, 200, 100});
    root->addSubview(view);
    auto surface = renderSurface(*root, 0, 2);
    auto picture = loadPicture(images_ / "form-box@2x.png");
    ASSERT_EQ(picture->w, 80);
    // At 2x the caps are 32 pixels and the stretching column two.
    expectFixedCorners(surface.get(), picture.get(), {20, 20, 400, 200}, 32, 46, 32, 46);
}

TEST_F(PictureDrawing, ContentStretchKeepsEverythingOutsideTheStretch) {
    auto root = whiteScreen(320, 280);
    auto view = std::make_shared<ImageView>(Image::named("bubble2"));
    view->setContentStretch({0.5f, 0.4f, 0.1f, 0.4f});
    view->setFrame({10, 10, 300, 260});
    root->addSubview(view);
    auto surface = renderSurface(*root, 0);
    auto picture = loadPicture(images_ / "bubble2.png");
    ASSERT_EQ(picture->w, 180);
    // 180 x 160: 90 columns and 64 rows lead, 72 columns and 32 rows trail.
    expectFixedCorners(surface.get(), picture.get(), {10, 10, 300, 260}, 90, 72, 64, 32);

    // The whole picture scaled ((0, 0, 1, 1)) fills its frame edge to edge.
    view->setContentStretch({0, 0, 1, 1});
    view->setFrame({10, 10, 90, 80});
    auto scaled = renderSurface(*root, 0);
    EXPECT_TRUE(inkIs(inkIn(scaled.get(), 250), {10, 10, 90, 80}, 1));
}

TEST_F(PictureDrawing, TwiceTheScalePicksTheSharpPictureAndDoublesTheSnapshot) {
    // A pair whose halves differ in colour shows which one was drawn.
    auto solid = [&](const char* file, int size, Uint8 r, Uint8 g) {
        SurfacePtr s{SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888)};
        SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, r, g, 0, 255));
        ASSERT_EQ(IMG_SavePNG(s.get(), (images_ / file).c_str()), 0);
    };
    solid("probe.png", 10, 255, 0);
    solid("probe@2x.png", 20, 0, 255);
    auto root = whiteScreen(40, 30);
    auto view = std::make_shared<ImageView>(Image::named("probe"));
    view->setFrame({5, 5, 10, 10});
    root->addSubview(view);

    auto one = renderSurface(*root, 0);
    EXPECT_EQ(one->w, 40);
    EXPECT_TRUE(pixelIs(one.get(), 10, 10, {255, 0, 0, 255}));

    const auto shot = temp_.path() / "shots" / "deep" / "probe@2x.png";
    ASSERT_TRUE(writeSnapshot(*root, shot.string(), 0, 2));
    auto two = loadPicture(shot);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->w, 80);
    EXPECT_EQ(two->h, 60);
    EXPECT_TRUE(pixelIs(two.get(), 10, 10, {0, 255, 0, 255}));
    EXPECT_TRUE(inkIs(inkIn(two.get(), 250), {10, 10, 20, 20}));
}

// A view that fills its bounds as a rounded rectangle.
class Pill : public View {
public:
    using View::View;

protected:
    void draw(Painter& painter, const Rect& bounds, double) const override {
        painter.fillRoundedRect(bounds, 10, Color::black());
    }
};

using TreeDrawing = SdlTest;

// A new subview of `parent`, filled with `fill` when one is given.
std::shared_ptr<View> add(View& parent, Rect frame, std::optional<Color> fill = {}) {
    auto view = std::make_shared<View>(frame);
    if (fill) view->setBackgroundColor(*fill);
    parent.addSubview(view);
    return view;
}

TEST_F(TreeDrawing, AlphaCompoundsWhileHiddenAndClippedAwayDrawNothing) {
    auto root = whiteScreen(200, 100);
    auto parent = add(*root, {10, 10, 40, 40});
    parent->setAlpha(0.5f);
    add(*parent, {0, 0, 40, 40}, Color::black())->setAlpha(0.5f);
    add(*root, {60, 10, 30, 30}, Color::black())->setHidden(true);
    // Nested clips intersect: only 120...140 x 10...30 is left to draw in.
    auto clipper = add(*root, {100, 10, 40, 40});
    clipper->setClipsToBounds(true);
    auto inner = add(*clipper, {20, -10, 60, 30});
    inner->setClipsToBounds(true);
    add(*inner, {-50, -50, 200, 200}, Color::black());

    auto surface = renderSurface(*root, 0);
    // A quarter of black over white.
    EXPECT_TRUE(pixelIs(surface.get(), 30, 30, {191, 191, 191, 255}, 3));
    EXPECT_TRUE(pixelIs(surface.get(), 75, 25, white, 0));
    EXPECT_TRUE(inkIs(inkIn(surface.get(), 60), {120, 10, 20, 20}));
}

TEST_F(TreeDrawing, TransformedViewAndItsSubviewsScaleAboutTheCentre) {
    auto root = whiteScreen(200, 100);
    auto view = add(*root, {100, 20, 40, 40}, Color::gray());
    view->setTransform(Transform::scale(0.5f, 0.5f));
    add(*view, {20, 20, 20, 20}, Color::black());

    auto surface = renderSurface(*root, 0);
    EXPECT_TRUE(inkIs(inkIn(surface.get(), 250), {110, 30, 20, 20}));
    EXPECT_TRUE(inkIs(inkIn(surface.get(), 60), {120, 40, 10, 10}));
}

TEST_F(TreeDrawing, MidAnimationDrawsPresentationValues) {
    auto root = whiteScreen(200, 40);
    auto view = add(*root, {0, 10, 20, 20}, Color::black());
    auto& loop = RunLoop::main();
    const double start = loop.now();
    loop.beginAnimations("slide");
    loop.setAnimationDuration(1);
    view->setFrame({100, 10, 20, 20});
    view->setAlpha(0.5f);
    loop.commitAnimations();

    // Halfway the ease is at half: x 50, alpha 0.75.
    auto half = renderSurface(*root, start + 0.5);
    EXPECT_TRUE(inkIs(inkIn(half.get(), 250), {50, 10, 20, 20}));
    EXPECT_TRUE(pixelIs(half.get(), 60, 20, {64, 64, 64, 255}, 3));
    auto done = renderSurface(*root, start + 1);
    EXPECT_TRUE(inkIs(inkIn(done.get(), 250), {100, 10, 20, 20}));
    EXPECT_TRUE(pixelIs(done.get(), 110, 20, {128, 128, 128, 255}, 3));
}

TEST_F(TreeDrawing, RoundedRectangleCoversItsArea) {
    auto root = whiteScreen(80, 60);
    auto pill = std::make_shared<Pill>(Rect{10, 10, 60, 40});
    root->addSubview(pill);
    for (float scale : {1.0f, 2.0f}) {
        auto surface = renderSurface(*root, 0, scale);
        double covered = 0;
        for (int y = 0; y < surface->h; ++y)
            for (int x = 0; x < surface->w; ++x)
                covered += (255 - pixel(surface.get(), x, y).r) / 255.0;
        const double r = 10 * scale;
        EXPECT_NEAR(covered, 60 * 40 * scale * scale - (4 - M_PI) * r * r, 3 * scale);
        const int s = static_cast<int>(scale);
        EXPECT_TRUE(pixelIs(surface.get(), 10 * s, 10 * s, white, 0));
        EXPECT_TRUE(pixelIs(surface.get(), 10 * s, 30 * s, black, 0));
        EXPECT_TRUE(pixelIs(surface.get(), 14 * s, 14 * s, black, 0));
    }
}

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
    push(SDL_KEYDOWN, [](SDL_Event& e) {
        e.key.keysym.sym = SDLK_TAB;
        e.key.keysym.mod = KMOD_LSHIFT;
    });
    // Ctrl+Q ends the run as closing the window does; the key is not passed on.
    push(SDL_KEYDOWN, [](SDL_Event& e) {
        e.key.keysym.sym = SDLK_q;
        e.key.keysym.mod = KMOD_LCTRL;
    });

    int resigned = 0, became = 0, terminated = 0;
    std::vector<int> keys;
    std::vector<Key> navigated;
    // What the application does not take goes on as a navigation key.
    const HostEvents events{[&] { ++resigned; }, [&] { ++became; }, [&] { ++terminated; },
                            [&](int code, bool) {
                                keys.push_back(code);
                                return false;
                            },
                            [&](Key key) {
                                navigated.push_back(key);
                                return true;
                            }};
    EXPECT_EQ(host_->run(events), 0);
    EXPECT_EQ(resigned, 1);
    EXPECT_EQ(became, 1);
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(keys, (std::vector<int>{SDLK_ESCAPE, SDLK_TAB}));
    EXPECT_EQ(navigated, (std::vector<Key>{Key::Escape, Key::BackTab}));
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
