#include "app/Startup.h"

#include "toolkit/Window.h"

namespace mevara {

std::unique_ptr<MevaraAppDelegate> launchApplication(DeviceIdiom idiom, int orientation,
                                                     AppSettings settings) {
    auto& app = Application::shared();
    app.setIdiom(idiom);
    app.setOrientation(orientation);
    const Size screen = app.screenSize();
    auto delegate = std::make_unique<MevaraAppDelegate>(std::move(settings));
    delegate->window = std::make_shared<Window>(Rect{0, 0, screen.width, screen.height});
    delegate->applicationDidFinishLaunchingWithOptions();
    delegate->applicationDidBecomeActive();
    return delegate;
}

} // namespace mevara
