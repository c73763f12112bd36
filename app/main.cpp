#include "app/DesktopKeys.h"
#include "app/HeadlessRunner.h"
#include "app/KeyboardControl.h"
#include "app/Options.h"
#include "app/ScreenTargets.h"
#include "app/Startup.h"
#include "model/UserData.h"
#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/LocaleFormat.h"
#include "report/DoseReport.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"
#include "toolkit/sdl/WindowHost.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

using namespace mevara;

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

int runHeadless(MevaraAppDelegate& delegate, const Options& options) {
    Lifecycle lifecycle{
        [&] {
            delegate.applicationWillResignActive();
            delegate.applicationDidEnterBackground();
        },
        [&] {
            delegate.applicationWillEnterForeground();
            delegate.applicationDidBecomeActive();
        },
        [&] { delegate.applicationWillTerminate(); },
    };
    HeadlessRunner runner(*delegate.window, lifecycle, std::cout, std::cerr,
                          options.outputDirectory);
    const int status = runner.runFile(*options.script);
    if (!runner.terminated()) delegate.applicationWillTerminate();
    return status;
}

int runOnDesktop(MevaraAppDelegate& delegate, const Options& options) {
    Window& window = *delegate.window;
    sdl::WindowHost host(window, options.effectiveZoom(), "Mevara");
    if (!options.zoom) {
        // A tablet turns, so its window must fit either way up.
        const Rect frame = window.frame();
        const float side = std::max(frame.width, frame.height);
        host.shrinkToFit(Application::shared().isTablet() ? Size{side, side}
                                                          : Size{frame.width, frame.height});
    }
    host.setIcon((Directories::current().resources / "images" / "app-icon.png").string());
    std::string error;
    if (!host.open(error)) {
        std::cerr << "mevara: cannot open a window: " << error
                  << "\nWithout a display, run a script: mevara --headless --script FILE\n";
        delegate.applicationWillTerminate();
        return 1;
    }
    sdl::HostEvents events;
    events.resignActive = [&] {
        delegate.applicationWillResignActive();
        delegate.applicationDidEnterBackground();
    };
    events.becomeActive = [&] {
        delegate.applicationWillEnterForeground();
        delegate.applicationDidBecomeActive();
    };
    events.terminate = [&] { delegate.applicationWillTerminate(); };
    events.key = [&](int keycode, bool control) {
        if (control && keycode == reportKey) {
            saveRecordToDocuments(Clock::now());
            return true;
        }
        if (control) return false;
        // SDL's key codes for letters are their lower-case characters.
        if (keycode != rotateKey || !Application::shared().isTablet()) return false;
        const bool portrait = isPortrait(Application::shared().orientation());
        return window.rotate(portrait ? OrientationLandscapeLeft : OrientationPortrait);
    };
    KeyboardControl keyboard(window);
    events.navigate = [&keyboard](Key key) { return keyboard.handle(key); };
    return host.run(events);
}

int writeReport(const std::filesystem::path& path) {
    Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    const auto error = DoseReport::write(UserData::instance(), path, Clock::now());
    UserData::resetInstance();
    Application::reset();
    if (error) {
        std::cerr << "mevara: " << *error << '\n';
        return 1;
    }
    std::cout << "mevara: wrote " << path.string() << '\n';
    return 0;
}

int run(const Options& options) {
    // Headless runs measure text exactly as the pictures they save draw it.
    Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    AppSettings settings;
    settings.catalogueUrl = options.catalogueUrl;
    settings.gallery = options.gallery;
    auto delegate =
        launchApplication(options.device, options.effectiveOrientation(), std::move(settings));
    const int status =
        options.headless ? runHeadless(*delegate, options) : runOnDesktop(*delegate, options);
    // Refreshes are cancelled and joined, and the screens freed, before the fonts close.
    delegate.reset();
    RunLoop::reset();
    Application::reset();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseOptions(arguments, environmentVariable);
    if (!parsed.options) {
        std::cerr << "mevara: " << parsed.error << "\nTry 'mevara --help'.\n";
        return 2;
    }
    const Options& options = *parsed.options;
    if (options.help) {
        std::cout << usageText();
        return 0;
    }
    if (options.version) {
        std::cout << "mevara " << MEVARA_VERSION << "\n";
        return 0;
    }
    if (options.headless) RunLoop::main().useManualClock();
    if (options.dataDirectory) {
        Directories directories = Directories::defaults();
        directories.documents = *options.dataDirectory / "Documents";
        directories.caches = *options.dataDirectory / "Caches";
        Directories::configure(directories);
    }
    if (auto warning = LocaleFormat::useLocale(options.locale))
        std::cerr << "mevara: " << *warning << '\n';
    if (options.timeZone) LocaleFormat::setTimeZone(options.timeZone);
    if (options.report) return writeReport(*options.report);
    return run(options);
}
