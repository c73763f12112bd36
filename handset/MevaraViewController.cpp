#include "handset/MevaraViewController.h"

#include "handset/AboutMeController.h"
#include "handset/DisclaimerOverlay.h"
#include "handset/ExposureComparisonController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/SettingsController.h"
#include "handset/TestListController.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"
#include "toolkit/Window.h"

namespace mevara {
namespace {

const char* const homeBackground = "home-bg.png";
const char* const formBackground = "form-bg.png";
const char* const highlightPicture = "button-footer-selected";

// The deferred second halves that open a screen: a later menu action, Home or a rebuilt
// home screen makes them stale.
const char* const rootStage2s[] = {"showAboutMeControllerStage2", "showMoreControllerStage2",
                                   "showComparisonsStage2", "onSettingsStage2",
                                   "onInformationStage2"};
const char* const listStage2s[] = {"showTestFormControllerStage2", "showAboutMeControllerStage2",
                                   "showComparisonsStage2", "showFooter"};

} // namespace

MevaraViewController::MevaraViewController() : ViewController("MevaraViewController") {}

std::shared_ptr<MevaraViewController> MevaraViewController::root() {
    return std::dynamic_pointer_cast<MevaraViewController>(
        Application::shared().rootViewController());
}

void MevaraViewController::bind(Bindings& b) {
    b.outlet("left", left_);
    b.outlet("center", center_);
    b.outlet("right", right_);
    b.outlet("headerBar", headerBar_);
    b.outlet("menuBar", menuBar_);
    b.outlet("backgroundView", backgroundView_);
    b.outlet("newBackgroundView", newBackgroundView_);
    b.outlet("homeButton", homeButton_);
    b.outlet("aboutMeButton", aboutMeButton_);
    b.outlet("helpButton", helpButton_);
    b.outlet("moreButton", moreButton_);
    b.outlet("compareButton", compareButton_);
    b.outlet("disclaimer", disclaimer_);
    b.outlet("disclaimerBackground", disclaimerBackground_);
    b.outlet("disclaimerBox", disclaimerBox_);
    b.outlet("disclaimerLabel", disclaimerLabel_);
    b.outlet("disclaimerButton", disclaimerButton_);
    b.action("onHome", [this] { onHome(); });
    b.action("onAboutMe", [this] { onAboutMe(); });
    b.action("onHelp", [this] { onHelp(); });
    b.action("onMore", [this] { onMore(); });
    b.action("onCompare", [this] { onCompare(); });
    b.action("onSettings", [this] { onSettings(); });
    b.action("onInformation", [this] { onInformation(); });
    b.action("showAboutMeControllerStage2", [this] { showAboutMeControllerStage2(); });
    b.action("showMoreControllerStage2", [this] { showMoreControllerStage2(); });
    b.action("showComparisonsStage2", [this] { showComparisonsStage2(); });
    b.action("onSettingsStage2", [this] { onSettingsStage2(); });
    b.action("onInformationStage2", [this] { onInformationStage2(); });
    b.action("finishSlideInFromRight", [this] { finishSlideInFromRight(); });
    b.action("finishSlideInFromLeft", [this] { finishSlideInFromLeft(); });
    b.action("finishCrossfade", [this] { finishCrossfade(); });
    b.action("showDisclaimer", [this] { showDisclaimer(); });
    b.action("hideDisclaimer", [this] { hideDisclaimer(); });
    b.action("onDisclaimerButton", [this] { onDisclaimerButton(); });
    b.action("forceHome", [this] { forceHome(); });
}

void MevaraViewController::viewDidLoad() {
    const float header = headerBar_ ? headerBar_->frame().height : 0;
    const float menu = menuBar_ ? menuBar_->frame().height : 0;
    const float content = screenHeight - menu - header;
    if (left_) left_->setFrame({-screenWidth, header, screenWidth, content});
    if (center_) center_->setFrame({0, header, screenWidth, content});
    if (right_) right_->setFrame({screenWidth, header, screenWidth, content});
    if (center_) loadTestListInView(center_);
    onHome();
}

bool MevaraViewController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return orientation == 1;
}

void MevaraViewController::setTestListController(std::shared_ptr<TestListController> list) {
    testListController_ = std::move(list);
}

void MevaraViewController::setCurrentViewController(std::shared_ptr<ViewController> controller) {
    current_ = std::move(controller);
}

void MevaraViewController::loadTestListInView(const std::shared_ptr<View>& container) {
    auto list = std::make_shared<TestListController>();
    testListController_ = list;
    // Loading the view registers the list with this root (see TestListController).
    auto listView = list->view();
    container->addSubview(listView);
    const Rect bounds = container->bounds();
    listView->setFrame({0, 0, bounds.width, bounds.height});
}

template <class T> bool MevaraViewController::currentIs() const {
    return std::dynamic_pointer_cast<T>(current_) != nullptr;
}

// Slides

void MevaraViewController::finishPendingSlide() {
    // A slide still under way ends now, so the next one starts from a settled screen.
    for (const char* name : {"finishSlideInFromRight", "finishSlideInFromLeft"}) {
        if (!hasPendingPerform(name)) continue;
        cancelPreviousPerformRequests(name);
        perform(name);
    }
}

void MevaraViewController::beginSlide(const std::shared_ptr<ViewController>& controller,
                                      const std::shared_ptr<View>& container) {
    finishPendingSlide();
    if (current_) current_->perform("hideHelp");
    container->addSubview(controller->view());
    current_ = controller;
    if (homeButton_) homeButton_->setBackgroundImage(nullptr);
    if (moreButton_) moreButton_->setBackgroundImage(nullptr);
}

void MevaraViewController::slideInFromRight(const std::shared_ptr<ViewController>& controller) {
    if (!controller || !right_ || !center_) return;
    beginSlide(controller, right_);
    auto& loop = RunLoop::main();
    loop.beginAnimations("slideInFromRight");
    loop.setAnimationDuration(transitionDuration);
    center_->setTransform(Transform::translation(-screenWidth, 0));
    right_->setTransform(Transform::translation(-screenWidth, 0));
    loop.commitAnimations();
    performAfterDelay("finishSlideInFromRight", transitionDuration);
}

void MevaraViewController::slideInFromLeft(const std::shared_ptr<ViewController>& controller) {
    if (!controller || !left_ || !center_) return;
    beginSlide(controller, left_);
    auto& loop = RunLoop::main();
    loop.beginAnimations("slideInFromLeft");
    loop.setAnimationDuration(transitionDuration);
    center_->setTransform(Transform::translation(screenWidth, 0));
    left_->setTransform(Transform::translation(screenWidth, 0));
    loop.commitAnimations();
    performAfterDelay("finishSlideInFromLeft", transitionDuration);
}

void MevaraViewController::finishSlideInFromRight() {
    finishSlide(right_);
}

void MevaraViewController::finishSlideInFromLeft() {
    finishSlide(left_);
}

void MevaraViewController::finishSlide(const std::shared_ptr<View>& incoming) {
    center_->removeAllSubviews();
    if (incoming->subviews().empty()) {
        // What was sliding in is gone (the home screen was rebuilt meanwhile).
        forceHome();
    } else {
        auto arrived = incoming->subviews().front();
        center_->addSubview(arrived);
    }
    incoming->removeAllSubviews();
    center_->setTransform(Transform::identity());
    incoming->setTransform(Transform::identity());
}

// Background

void MevaraViewController::crossfadeBackground(std::shared_ptr<const Image> image) {
    if (!backgroundView_ || !newBackgroundView_) return;
    // An earlier crossfade still under way ends now; its later completion would find the
    // new picture already moved and leave no background at all.
    if (hasPendingPerform("finishCrossfade")) {
        cancelPreviousPerformRequests("finishCrossfade");
        finishCrossfade();
    }
    newBackgroundView_->setImage(std::move(image));
    newBackgroundView_->setAlpha(0);
    newBackgroundView_->setFrame(backgroundView_->frame());
    auto& loop = RunLoop::main();
    loop.beginAnimations("crossfade");
    loop.setAnimationDuration(transitionDuration);
    newBackgroundView_->setAlpha(1);
    backgroundView_->setAlpha(0);
    loop.commitAnimations();
    performAfterDelay("finishCrossfade", transitionDuration);
}

void MevaraViewController::finishCrossfade() {
    backgroundView_->setImage(newBackgroundView_->image());
    newBackgroundView_->setImage(nullptr);
    backgroundView_->setAlpha(1);
    newBackgroundView_->setAlpha(0);
}

// Menu

std::shared_ptr<Button> MevaraViewController::menuButton(MenuButton button) const {
    switch (button) {
    case MenuButton::Home:
        return homeButton_;
    case MenuButton::AboutMe:
        return aboutMeButton_;
    case MenuButton::Help:
        return helpButton_;
    case MenuButton::More:
        return moreButton_;
    case MenuButton::Compare:
        return compareButton_;
    }
    return nullptr;
}

void MevaraViewController::highlightMenuButton(std::optional<MenuButton> highlighted) {
    auto picture = Image::named(highlightPicture);
    for (auto which : {MenuButton::Home, MenuButton::AboutMe, MenuButton::Help, MenuButton::More,
                       MenuButton::Compare}) {
        if (auto button = menuButton(which))
            button->setBackgroundImage(highlighted == which ? picture : nullptr);
    }
}

bool MevaraViewController::isMenuButtonHighlighted(MenuButton which) const {
    auto button = menuButton(which);
    return button && button->backgroundImageForState(ControlState::Normal) != nullptr;
}

void MevaraViewController::showHomeButtons() {
    if (homeButton_) {
        homeButton_->setImage(Image::named("icon-home.png"));
        homeButton_->setTitle("Home");
    }
    for (auto which :
         {MenuButton::AboutMe, MenuButton::Help, MenuButton::More, MenuButton::Compare})
        if (auto button = menuButton(which)) button->setHidden(false);
}

void MevaraViewController::cancelStaleSteps() {
    for (const char* name : rootStage2s)
        cancelPreviousPerformRequests(name);
    if (testListController_)
        for (const char* name : listStage2s)
            testListController_->cancelPreviousPerformRequests(name);
}

void MevaraViewController::leaveHome(const std::string& stage2) {
    cancelStaleSteps();
    auto list = testListController_;
    auto footer = list ? list->footer() : nullptr;
    if (footer && footer->transform().isIdentity()) {
        auto& loop = RunLoop::main();
        loop.beginAnimations();
        loop.setAnimationDuration(transitionDuration);
        const float height = footer->frame().height;
        footer->setTransform(Transform::translation(0, height));
        if (auto table = list->table()) {
            Rect frame = table->frame();
            frame.height += height;
            table->setFrame(frame);
        }
        loop.commitAnimations();
        performAfterDelay(stage2, transitionDuration);
    } else {
        perform(stage2);
    }
}

void MevaraViewController::openScreen(const std::shared_ptr<ViewController>& controller) {
    slideInFromRight(controller);
    crossfadeBackground(Image::named(formBackground));
}

void MevaraViewController::returnToScreen(const std::shared_ptr<ViewController>& controller) {
    slideInFromLeft(controller);
    crossfadeBackground(Image::named(formBackground));
}

void MevaraViewController::showScreen(const std::shared_ptr<ViewController>& controller,
                                      std::optional<MenuButton> highlight) {
    openScreen(controller);
    // The slide clears Home and More; the area's own highlight stands.
    highlightMenuButton(highlight);
}

void MevaraViewController::onHome() {
    cancelStaleSteps();
    if (current_ && current_ != testListController_ && testListController_) {
        slideInFromLeft(testListController_);
        crossfadeBackground(Image::named(homeBackground));
        testListController_->performAfterDelay("showFooter", transitionDuration);
    } else if (testListController_) {
        // A screen about to open from the list was called off: its footer comes back.
        auto footer = testListController_->footer();
        if (footer && !footer->transform().isIdentity()) testListController_->showFooter();
    }
    highlightMenuButton(MenuButton::Home);
    showHomeButtons();
}

void MevaraViewController::onAboutMe() {
    if (currentIs<AboutMeController>()) return;
    leaveHome("showAboutMeControllerStage2");
    highlightMenuButton(MenuButton::AboutMe);
}

void MevaraViewController::showAboutMeControllerStage2() {
    auto form = std::make_shared<AboutMeController>();
    form->setIsInitialSetup(false);
    showScreen(form, MenuButton::AboutMe);
}

void MevaraViewController::onMore() {
    if (currentIs<MoreMenuController>()) return;
    leaveHome("showMoreControllerStage2");
    highlightMenuButton(MenuButton::More);
}

void MevaraViewController::showMoreControllerStage2() {
    showScreen(std::make_shared<MoreMenuController>(), MenuButton::More);
}

void MevaraViewController::onCompare() {
    if (currentIs<ExposureComparisonController>()) return;
    leaveHome("showComparisonsStage2");
    highlightMenuButton(MenuButton::Compare);
}

void MevaraViewController::showComparisonsStage2() {
    showScreen(std::make_shared<ExposureComparisonController>(), MenuButton::Compare);
}

void MevaraViewController::onSettings() {
    if (currentIs<SettingsController>()) return;
    leaveHome("onSettingsStage2");
    highlightMenuButton(std::nullopt);
}

void MevaraViewController::onSettingsStage2() {
    showScreen(std::make_shared<SettingsController>(), std::nullopt);
}

void MevaraViewController::onInformation() {
    auto page = std::dynamic_pointer_cast<MoreContentController>(current_);
    if (page && page->pageTitle() == MoreContentController::informationTitle) return;
    leaveHome("onInformationStage2");
    highlightMenuButton(std::nullopt);
}

void MevaraViewController::onInformationStage2() {
    auto page = std::make_shared<MoreContentController>();
    page->setPageTitle(MoreContentController::informationTitle);
    page->setFile(MoreContentController::informationFile);
    page->setShowBackButton(false);
    showScreen(page, std::nullopt);
}

void MevaraViewController::onHelp() {
    if (current_) current_->perform("showHelp");
}

void MevaraViewController::forceHome() {
    // Nothing the replaced screens had scheduled may run on the new home screen.
    cancelStaleSteps();
    for (const char* name : {"finishSlideInFromRight", "finishSlideInFromLeft"})
        cancelPreviousPerformRequests(name);
    for (const auto& replaced : {std::shared_ptr<ViewController>(testListController_), current_})
        if (replaced) replaced->cancelPreviousPerformRequests();
    for (const auto& container : {center_, left_, right_}) {
        if (!container) continue;
        container->removeAllSubviews();
        container->setTransform(Transform::identity());
    }
    if (center_) loadTestListInView(center_);
    crossfadeBackground(Image::named(homeBackground));
    if (testListController_) {
        testListController_->performAfterDelay("showFooter", transitionDuration);
        testListController_->performAfterDelay("reload", transitionDuration);
    }
    highlightMenuButton(MenuButton::Home);
    showHomeButtons();
}

void MevaraViewController::returnToTestList(bool reload) {
    auto list = testListController_;
    if (!list) return;
    slideInFromLeft(list);
    crossfadeBackground(Image::named(homeBackground));
    if (reload) list->reload();
    list->performAfterDelay("showFooter", transitionDuration);
}

// Disclaimer

void MevaraViewController::showDisclaimer() {
    if (disclaimer_) showDisclaimerOverlay(*view(), *disclaimer_, disclaimerBackground_.get());
}

void MevaraViewController::onDisclaimerButton() {
    acceptDisclaimerOverlay(disclaimer_.get(), disclaimerBackground_.get());
}

void MevaraViewController::hideDisclaimer() {
    if (disclaimerBackground_) disclaimerBackground_->setAlpha(0);
    if (disclaimer_) disclaimer_->setAlpha(0);
}

} // namespace mevara
