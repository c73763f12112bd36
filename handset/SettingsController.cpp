#include "handset/SettingsController.h"

#include "handset/MevaraViewController.h"
#include "handset/StandInScreen.h"

namespace mevara {

SettingsController::SettingsController() : ViewController("") {}

void SettingsController::bind(Bindings& b) {
    b.action("showHelp", [this] { showHelp(); });
    b.action("hideHelp", [this] { hideHelp(); });
    b.action("onBackButton", [this] { onBackButton(); });
}

void SettingsController::loadView() {
    std::weak_ptr<ViewController> weak = weak_from_this();
    setView(makeStandInView("Settings", [weak] {
        if (auto self = weak.lock()) self->perform("onBackButton");
    }));
}

void SettingsController::onBackButton() {
    if (auto root = MevaraViewController::root()) root->returnToTestList(true);
}

} // namespace mevara
