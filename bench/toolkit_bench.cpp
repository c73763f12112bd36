// Costs a person feels on the desktop: drawing a full tablet screen of widgets, the phone's
// home list with many tests, the tablet's results, the time from start to the first
// picture, and a label holding a very long test name.
#include "app/Startup.h"
#include "bench/Scratch.h"
#include "handset/MevaraViewController.h"
#include "handset/TestListController.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "tablet/RootController.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TextLayout.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"
#include "toolkit/sdl/Snapshot.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace mevara;

// The application's singletons go before the scratch folders they point into.
struct Scratch : bench::Scratch {
    ~Scratch() {
        UserData::resetInstance();
        RunLoop::reset();
        Application::reset();
    }
};

void freshApplication() {
    UserData::resetInstance();
    RunLoop::reset();
    Application::reset();
    RunLoop::main().useManualClock();
    Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
}

// The program started as `main` starts it, with this week's notice already accepted.
std::unique_ptr<MevaraAppDelegate> launch(DeviceIdiom idiom, int orientation,
                                          bool gallery = false) {
    TextFile::writeAtomically(UserData::disclaimerPath(), "2147483647");
    AppSettings settings;
    settings.gallery = gallery;
    auto delegate = launchApplication(idiom, orientation, std::move(settings));
    RunLoop::main().advance(0);
    return delegate;
}

// One frame of the gallery on a landscape tablet, software-rendered into a memory surface.
void BM_drawGallery(benchmark::State& state) {
    Scratch scratch;
    freshApplication();
    auto delegate = launch(DeviceIdiom::Tablet, OrientationLandscapeLeft, true);
    auto& window = delegate->window;
    sdl::OffscreenRenderer offscreen(1024, 768, 1);
    if (!offscreen.isValid()) {
        state.SkipWithError("no software renderer");
        return;
    }
    double time = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(offscreen.render(*window, time));
        time += 1.0 / 60;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_drawGallery)->Unit(benchmark::kMillisecond);

// A phone whose store holds `count` tests, showing its home list with the help bubble.
std::unique_ptr<MevaraAppDelegate> phoneHome(int count) {
    freshApplication();
    auto& data = UserData::instance();
    for (int i = 0; i < count; ++i)
        data.tests().push_back(Test::testWithLocation(
            i % 2 ? "Chest (Two Views)" : "Abdomen and Pelvis", i % 2 ? "X-Ray" : "CT", 1 + i % 3,
            i % 2 ? 0.1f : 10.0f, Date{std::chrono::seconds(1'700'000'000 + i * 86'400)}));
    auto delegate = launch(DeviceIdiom::Phone, OrientationPortrait);
    MevaraViewController::root()->onHelp();
    RunLoop::main().advance(1);
    return delegate;
}

// Building the phone's home list for a store of 1,000 tests: every row is made and measured.
void BM_reloadHandsetHome(benchmark::State& state) {
    Scratch scratch;
    auto delegate = phoneHome(1000);
    auto root = MevaraViewController::root();
    for (auto _ : state) {
        root->testListController()->reload();
        delegate->window->layoutIfNeeded();
    }
}
BENCHMARK(BM_reloadHandsetHome)->Unit(benchmark::kMillisecond);

// One frame of that home list at the phone's two pixels a point.
void BM_drawHandsetHome(benchmark::State& state) {
    Scratch scratch;
    auto delegate = phoneHome(1000);
    auto& window = delegate->window;
    sdl::OffscreenRenderer offscreen(640, 960, 2);
    if (!offscreen.isValid()) {
        state.SkipWithError("no software renderer");
        return;
    }
    double time = RunLoop::main().now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(offscreen.render(*window, time));
        time += 1.0 / 60;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_drawHandsetHome)->Unit(benchmark::kMillisecond);

WelcomeController& wizardOf(MevaraAppDelegate& delegate) {
    return *std::dynamic_pointer_cast<RootController>(delegate.viewController)
                ->currentViewController();
}

// A landscape tablet on the results step with the Chernobyl workers, its store holding
// `count` tests: one frame at one pixel a point, and rebuilding the step as a visit does.
std::unique_ptr<MevaraAppDelegate> tabletResults(int count) {
    freshApplication();
    auto& data = UserData::instance();
    data.setGender("Male");
    data.setAge("40 - 49");
    for (int i = 0; i < count; ++i)
        data.tests().push_back(Test::testWithLocation("Abdomen and Pelvis", "CT", 1, 7.7f, {}));
    data.calculateTotal();
    auto delegate = launch(DeviceIdiom::Tablet, OrientationLandscapeLeft);
    auto& wizard = wizardOf(*delegate);
    wizard.setSelectedComparison("Chernobyl Exposure\n\n");
    wizard.directMove("step4");
    RunLoop::main().advance(1.5);
    return delegate;
}

void BM_drawTabletResults(benchmark::State& state) {
    Scratch scratch;
    auto delegate = tabletResults(1000);
    auto& window = delegate->window;
    sdl::OffscreenRenderer offscreen(1024, 768, 1);
    if (!offscreen.isValid()) {
        state.SkipWithError("no software renderer");
        return;
    }
    double time = RunLoop::main().now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(offscreen.render(*window, time));
        time += 1.0 / 60;
    }
}
BENCHMARK(BM_drawTabletResults)->Unit(benchmark::kMillisecond);

void BM_visitTabletResults(benchmark::State& state) {
    Scratch scratch;
    auto delegate = tabletResults(1000);
    auto& wizard = wizardOf(*delegate);
    for (auto _ : state) {
        wizard.directMove("step3");
        wizard.directMove("step4");
        RunLoop::main().advance(1.5);
    }
}
BENCHMARK(BM_visitTabletResults)->Unit(benchmark::kMillisecond);

// From a new application, font engine and window through launch and activation to the first
// frame drawn, as the program starts headless.
void BM_startupToFirstFrame(benchmark::State& state) {
    Scratch scratch;
    for (auto _ : state) {
        freshApplication();
        auto delegate =
            launchApplication(DeviceIdiom::Tablet, OrientationLandscapeLeft, AppSettings{});
        sdl::OffscreenRenderer offscreen(1024, 768, 1);
        benchmark::DoNotOptimize(offscreen.render(*delegate->window, RunLoop::main().now()));
        state.PauseTiming();
        delegate.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_startupToFirstFrame)->Unit(benchmark::kMillisecond);

// A test name of `length` characters, as a user file or any catalogue server may send.
std::string nameOfLength(std::size_t length, std::string_view words) {
    std::string name;
    while (name.size() < length)
        name += words;
    name.resize(length);
    return name;
}

// The name label of a phone's test row.
std::shared_ptr<Label> rowName(std::size_t length) {
    auto label = std::make_shared<Label>(Rect{15, 10, 156, 22});
    label->setFont(Font::named(Font::bold, 17));
    label->setText(nameOfLength(length, "Abdomen and Pelvis CT with contrast "));
    return label;
}

// Laying out the label afresh: range(0) characters, cut at the tail.
void BM_layoutName(benchmark::State& state) {
    Scratch scratch;
    freshApplication();
    auto label = rowName(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        label->setLineBreakMode(LineBreakMode::TailTruncation); // forgets the layout
        benchmark::DoNotOptimize(label->layout().lines.data());
    }
}
BENCHMARK(BM_layoutName)->Arg(20)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Drawing the laid-out label as a phone draws a row, at two pixels a point.
void BM_drawName(benchmark::State& state) {
    Scratch scratch;
    freshApplication();
    auto row = std::make_shared<View>(Rect{0, 0, 320, 54});
    row->setBackgroundColor(Color::white());
    row->addSubview(rowName(static_cast<std::size_t>(state.range(0))));
    sdl::OffscreenRenderer offscreen(640, 108, 2);
    if (!offscreen.isValid()) {
        state.SkipWithError("no software renderer");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(offscreen.render(*row, 0));
}
BENCHMARK(BM_drawName)->Arg(20)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Measuring a name of range(0) characters without a space, wrapped to a tablet form's width.
void BM_wrapWord(benchmark::State& state) {
    Scratch scratch;
    freshApplication();
    const auto& fonts = Application::shared().fonts();
    const std::string word = nameOfLength(static_cast<std::size_t>(state.range(0)), "Röntgen");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            sizeWithFont(fonts, word, Font::systemFont(17), {297, 9999}, LineBreakMode::WordWrap));
}
BENCHMARK(BM_wrapWord)->Arg(20)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
