#include "handset/SettingsController.h"

#include "handset/MoreContentController.h"
#include "model/UserData.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Switch.h"
#include "toolkit/WebView.h"

namespace mevara {

SettingsController::SettingsController() : ViewController("SettingsController") {}

void SettingsController::bind(Bindings& b) {
    b.outlet("saveData", saveData_);
    b.outlet("tableBackground", tableBackground_);
    b.outlet("webView", webView_);
    b.outlet("save", save_);
    b.action("showHelp", [this] { showHelp(); });
    b.action("hideHelp", [this] { hideHelp(); });
    b.action("onSaveDataChanged", [this] { onSaveDataChanged(); });
    b.action("onClose", [this] { onClose(); });
}

void SettingsController::viewDidLoad() {
    if (webView_) MoreContentController::loadShippedPage(*webView_, pageFile);
    const bool tablet = Application::shared().isTablet();
    if (save_) save_->setHidden(!tablet);
    if (tablet) MoreContentController::addSheetBackground(*view());
    if (tableBackground_) {
        auto box = Image::named("form-box.png");
        tableBackground_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
    if (saveData_) saveData_->setOn(UserData::instance().saveData());
}

bool SettingsController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return Application::shared().isTablet() || orientation == OrientationPortrait;
}

void SettingsController::onSaveDataChanged() {
    if (!saveData_) return;
    auto& data = UserData::instance();
    data.setSaveData(saveData_->isOn());
    // What was kept goes from the file at once; the data in memory stays until the
    // application next resigns active.
    if (!data.saveData()) data.save();
}

void SettingsController::onClose() {
    if (!Application::shared().isTablet()) return;
    if (auto* parent = parentViewController()) parent->dismissModalViewControllerAnimated(true);
}

} // namespace mevara
