#include "app/MevaraAppDelegate.h"

#include "app/GalleryController.h"
#include "handset/MevaraViewController.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "tablet/RootController.h"
#include "toolkit/ViewController.h"
#include "toolkit/Window.h"

namespace mevara {

Interface interfaceForIdiom(std::optional<DeviceIdiom> idiom) {
    return idiom && *idiom != DeviceIdiom::Phone ? Interface::Tablet : Interface::Handset;
}

MevaraAppDelegate::MevaraAppDelegate(AppSettings settings)
    : settings_(std::move(settings)), refresher_(settings_.refreshTimeout) {}

MevaraAppDelegate::~MevaraAppDelegate() {
    refresher_.cancelAll();
}

std::shared_ptr<ViewController> MevaraAppDelegate::makeRoot(Interface interface) const {
    if (settings_.makeRoot && !settings_.gallery) return settings_.makeRoot(interface);
    if (settings_.gallery) return std::make_shared<GalleryController>();
    if (interface == Interface::Tablet) return std::make_shared<RootController>();
    return std::make_shared<MevaraViewController>();
}

bool MevaraAppDelegate::applicationDidFinishLaunchingWithOptions() {
    // Before the first refresh starts (at activation), so no write of ours is running.
    UserData::removeLeftovers();
    TestData::removeLeftovers();
    viewController = makeRoot(interfaceForIdiom(Application::shared().idiom()));
    Application::shared().setRootViewController(viewController);
    if (window) {
        window->setRootViewController(viewController);
        window->makeKeyAndVisible();
    }
    return true;
}

void MevaraAppDelegate::applicationWillResignActive() {
    auto& data = UserData::instance();
    data.save();
    if (!data.saveData()) {
        data.wipe();
        if (viewController) viewController->perform("forceHome");
    }
}

void MevaraAppDelegate::applicationDidEnterBackground() {}

void MevaraAppDelegate::applicationWillEnterForeground() {}

void MevaraAppDelegate::applicationDidBecomeActive() {
    if (UserData::instance().timeForDisclaimer() && viewController)
        viewController->perform("showDisclaimer");
    refresher_.start(settings_.catalogueUrl);
}

void MevaraAppDelegate::applicationWillTerminate() {
    UserData::instance().save();
}

} // namespace mevara
