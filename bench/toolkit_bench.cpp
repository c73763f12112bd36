// Costs a person feels on the desktop: drawing a full tablet screen of widgets, and the
// time from start to the first picture.
#include "app/GalleryController.h"
#include "app/Startup.h"
#include "bench/Scratch.h"
#include "model/UserData.h"
#include "platform/Directories.h"
#include "toolkit/RunLoop.h"
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

// One frame of the gallery on a landscape tablet, software-rendered into a memory surface.
void BM_drawGallery(benchmark::State& state) {
    Scratch scratch;
    freshApplication();
    auto& app = Application::shared();
    app.setIdiom(DeviceIdiom::Tablet);
    app.setOrientation(OrientationLandscapeLeft);
    auto window = std::make_shared<Window>(Rect{0, 0, 1024, 768});
    auto gallery = std::make_shared<GalleryController>();
    window->setRootViewController(gallery);
    window->makeKeyAndVisible();
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

} // namespace

BENCHMARK_MAIN();
