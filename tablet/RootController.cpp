#include "tablet/RootController.h"

#include "handset/DisclaimerOverlay.h"
#include "handset/MoreContentController.h"
#include "handset/SettingsController.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/View.h"

namespace mevara {

RootController::RootController() : ViewController("RootController") {}

void RootController::bind(Bindings& b) {
    b.outlet("header", header_);
    b.outlet("left", left_);
    b.outlet("center", center_);
    b.outlet("right", right_);
    b.outlet("helpButton", helpButton_);
    b.outlet("disclaimer", disclaimer_);
    b.outlet("disclaimerBackground", disclaimerBackground_);
    b.outlet("disclaimerBox", disclaimerBox_);
    b.outlet("disclaimerLabel", disclaimerLabel_);
    b.outlet("disclaimerButton", disclaimerButton_);
    b.action("onHome", [this] { onHome(); });
    b.action("forceHome", [this] { forceHome(); });
    b.action("onSettings", [this] { onSettings(); });
    b.action("onInformation", [this] { onInformation(); });
    b.action("onHelp", [this] { onHelp(); });
    b.action("showDisclaimer", [this] { showDisclaimer(); });
    b.action("onDisclaimerButton", [this] { onDisclaimerButton(); });
}

void RootController::viewDidLoad() {
    if (center_) loadWelcome(center_);
}

void RootController::loadWelcome(const std::shared_ptr<View>& container) {
    auto wizard = std::make_shared<WelcomeController>();
    wizard->setRootController(std::static_pointer_cast<RootController>(shared_from_this()));
    // The wizard lays its first state out for the orientation it is started in.
    wizard->setRootOrientation(interfaceOrientation());
    auto wizardView = wizard->view();
    wizardView->setFrame(container->bounds());
    container->addSubview(wizardView);
    wizard_ = wizard;
    wizard_->setRootOrientation(interfaceOrientation());
}

bool RootController::shouldAutorotateToInterfaceOrientation(int orientation) {
    if (wizard_) wizard_->setRootOrientation(orientation);
    return true;
}

void RootController::willRotateToInterfaceOrientation(int orientation, double duration) {
    if (!wizard_) return;
    wizard_->willRotateToInterfaceOrientation(orientation, duration);
    wizard_->setRootOrientation(orientation);
}

void RootController::onHome() {
    if (wizard_) wizard_->goHome();
}

void RootController::forceHome() {
    onHome();
}

void RootController::onSettings() {
    auto settings = std::make_shared<SettingsController>();
    settings->setModalPresentationStyle(ModalPresentationStyle::FormSheet);
    settings->view()->setBackgroundColor(Color::white());
    presentModalViewController(settings, true);
}

void RootController::onInformation() {
    auto page = std::make_shared<MoreContentController>();
    page->setPageTitle(MoreContentController::informationTitle);
    page->setFile(MoreContentController::informationFile);
    page->setShowBackButton(false);
    page->setModalPresentationStyle(ModalPresentationStyle::FormSheet);
    page->view()->setBackgroundColor(Color::white());
    presentModalViewController(page, true);
}

void RootController::onHelp() {
    if (!wizard_) return;
    auto panel = wizard_->widget("step0_modalBg");
    if (panel && !panel->transform().isIdentity())
        wizard_->call("MenuBar_reveal");
    else
        wizard_->call("step0_onModalClose:", std::any());
}

void RootController::showDisclaimer() {
    if (disclaimer_) showDisclaimerOverlay(*view(), *disclaimer_, disclaimerBackground_.get());
}

void RootController::onDisclaimerButton() {
    acceptDisclaimerOverlay(disclaimer_.get(), disclaimerBackground_.get());
}

} // namespace mevara
