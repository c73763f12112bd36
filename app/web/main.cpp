// The program in a browser: the page's canvas is the device's screen.
#include "app/KeyboardControl.h"
#include "app/Startup.h"
#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/LocaleFormat.h"
#include "platform/web/JsText.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"
#include "toolkit/web/WindowHost.h"

#include <emscripten.h>
#include <emscripten/console.h>

namespace {

using namespace mevara;

// clang-format off
EM_JS(char*, mevara_page_setting, (int what, const char* name), {
    const s = what == 0 ? mevaraScreen.setting(UTF8ToString(name)) : mevaraScreen.meta(UTF8ToString(name));
    return mevaraTextOut(s);
});
EM_JS(double, mevara_page_viewport_width, (), {
    return mevaraScreen.viewportWidth();
});
EM_JS(int, mevara_page_landscape, (), {
    return mevaraScreen.viewportIsLandscape() ? 1 : 0;
});
// clang-format on

// A query parameter of the page's address (?device=tablet&locale=de_DE).
std::string pageSetting(const char* name) {
    return web::takeJsText(mevara_page_setting(0, name));
}

// A phone is narrower than this many CSS pixels whichever way up it is held.
constexpr double smallestTabletSide = 600;

DeviceIdiom chosenDevice() {
    const std::string asked = pageSetting("device");
    if (asked == "phone") return DeviceIdiom::Phone;
    if (asked == "tablet") return DeviceIdiom::Tablet;
    return mevara_page_viewport_width() >= smallestTabletSide ? DeviceIdiom::Tablet
                                                              : DeviceIdiom::Phone;
}

int orientationFor(bool landscape) {
    return landscape ? OrientationLandscapeLeft : OrientationPortrait;
}

// Everything the page keeps running after main returns.
struct Program {
    std::unique_ptr<MevaraAppDelegate> delegate;
    std::unique_ptr<web::WindowHost> host;
    std::unique_ptr<KeyboardControl> keyboard;
};

} // namespace

int main() {
    // The page mounted /mevara from IndexedDB and loaded the resources before this.
    Directories::configure({"/mevara/Documents", "/mevara/Caches", "/resources"});
    const std::string locale = pageSetting("locale");
    if (auto warning = LocaleFormat::useLocale(locale.empty() ? std::nullopt
                                                              : std::optional<std::string>(locale)))
        emscripten_console_warn(("mevara: " + *warning).c_str());

    auto fonts = std::make_shared<web::CanvasFontEngine>();
    Application::shared().setFontEngine(fonts);
    const DeviceIdiom device = chosenDevice();
    const bool tablet = device == DeviceIdiom::Tablet;
    AppSettings settings;
    settings.catalogueUrl = web::takeJsText(mevara_page_setting(1, "mevara-catalogue"));

    static Program program;
    program.delegate = launchApplication(
        device, tablet ? orientationFor(mevara_page_landscape() != 0) : OrientationPortrait,
        std::move(settings));
    MevaraAppDelegate& delegate = *program.delegate;
    Window& window = *delegate.window;
    program.host = std::make_unique<web::WindowHost>(window, *fonts);

    web::HostEvents events;
    events.resignActive = [&delegate] {
        delegate.applicationWillResignActive();
        delegate.applicationDidEnterBackground();
    };
    events.becomeActive = [&delegate] {
        delegate.applicationWillEnterForeground();
        delegate.applicationDidBecomeActive();
    };
    // Tab, Enter, Space, the arrows and Escape, as on the desktop.
    program.keyboard = std::make_unique<KeyboardControl>(window);
    events.key = [keyboard = program.keyboard.get()](int key) {
        return key >= 0 && key <= static_cast<int>(Key::Escape) &&
               keyboard->handle(static_cast<Key>(key));
    };
    // A tab may close without a word: what the person entered is kept as they go.
    events.turnEnded = [] { UserData::instance().saveIfChanged(); };
    // A tablet turns with the viewport; a phone's screen stays upright.
    events.viewportChanged = [&window, tablet](bool landscape) {
        if (!tablet || isPortrait(Application::shared().orientation()) == !landscape) return;
        window.rotate(orientationFor(landscape));
    };
    program.host->start(std::move(events));
    // The page goes on; the program lives in `program` and answers the page's events.
    return 0;
}
