// The information bar along the bottom of the welcome and test entry steps: five buttons
// that slide a shipped page up in a panel from behind the bar. Its widgets carry the
// welcome step's prefix in every state that builds it.
#include "tablet/MenuBar.h"

#include "handset/MoreContentController.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/RunLoop.h"
#include "toolkit/WebView.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mevara {
namespace {

struct MenuButton {
    const char* name;
    const char* action;
    const char* landscapeTitle;
    const char* portraitTitle;
    const char* file;
    Rect landscape;
    Rect portrait;
};

constexpr std::array<MenuButton, 5> menuButtons{{
    {"step0_whatIsRadiationButton",
     "step0_onWhatIsRadiation",
     "What is Radiation?",
     "What is\nRadiation?",
     "WhatIsRadiationIpad.html",
     {5, 644, 239, 89},
     {14, 884, 144, 89}},
    {"step0_imagingTestsButton",
     "step0_onImagingTests",
     "Imaging Tests",
     "Imaging\nTests",
     "ImagingTestsIpad.html",
     {264, 644, 171, 89},
     {175, 884, 125, 89}},
    {"step0_alternativesButton",
     "step0_onAlternatives",
     "Alternatives",
     "Alternatives",
     "AlternativesIpad.html",
     {454, 644, 162, 89},
     {320, 884, 119, 89}},
    {"step0_questionsToAskButton",
     "step0_onQuestionsToAsk",
     "Questions To Ask",
     "Questions\nTo Ask",
     "QuestionsToAskIpad.html",
     {624, 644, 211, 89},
     {460, 884, 152, 89}},
    {"step0_referencesButton",
     "step0_onReferences",
     "References",
     "References",
     "ReferencesIpad.html",
     {856, 644, 162, 89},
     {629, 884, 119, 89}},
}};

struct Placed {
    const char* name;
    Rect landscape;
    Rect portrait;
};

constexpr std::array<Placed, 8> fixedFrames{{
    {"step0_menuBar", {0, 635, 1024, 98}, {0, 853, 768, 136}},
    {"step0_modalBg", {186, 660, 687, 623}, {41, 881, 687, 879}},
    {"step0_modalContent", {219, 691, 621, 581}, {74, 912, 621, 837}},
    {"step0_modalCloseButton", {840, 678, 13, 13}, {695, 899, 13, 13}},
    {"step0_divider1", {252, 644, 4, 89}, {163, 884, 4, 89}},
    {"step0_divider2", {442, 644, 4, 89}, {308, 884, 4, 89}},
    {"step0_divider3", {612, 644, 4, 89}, {447, 884, 4, 89}},
    {"step0_divider4", {844, 644, 4, 89}, {620, 884, 4, 89}},
}};

// Creation order, which is also the stacking order.
constexpr std::array<const char*, 13> barWidgets{"step0_modalBg",
                                                 "step0_modalContent",
                                                 "step0_modalCloseButton",
                                                 "step0_menuBar",
                                                 "step0_divider1",
                                                 "step0_divider2",
                                                 "step0_divider3",
                                                 "step0_divider4",
                                                 "step0_whatIsRadiationButton",
                                                 "step0_imagingTestsButton",
                                                 "step0_alternativesButton",
                                                 "step0_questionsToAskButton",
                                                 "step0_referencesButton"};

constexpr std::array<const char*, 13> frontOrder{"step0_modalBg",
                                                 "step0_modalContent",
                                                 "step0_modalCloseButton",
                                                 "step0_menuBar",
                                                 "step0_divider1",
                                                 "step0_divider2",
                                                 "step0_divider3",
                                                 "step0_whatIsRadiationButton",
                                                 "step0_imagingTestsButton",
                                                 "step0_alternativesButton",
                                                 "step0_questionsToAskButton",
                                                 "step0_divider4",
                                                 "step0_referencesButton"};

constexpr float panelTop = 45;
constexpr float hiddenDrop = 140;

void setBarAlpha(WelcomeController& w, float alpha) {
    for (const char* name : barWidgets)
        if (auto view = w.widget(name)) view->setAlpha(alpha);
}

void setBarTransform(WelcomeController& w, const Transform& transform) {
    for (const char* name : barWidgets)
        if (auto view = w.widget(name)) view->setTransform(transform);
}

void movePanel(WelcomeController& w, float dy) {
    for (const char* name : {"step0_modalBg", "step0_modalContent", "step0_modalCloseButton"})
        if (auto view = w.widget(name)) {
            Rect frame = view->frame();
            frame.y += dy;
            view->setFrame(frame);
        }
}

// Raises the panel until its top edge sits just below the top of the wizard.
void raisePanel(WelcomeController& w) {
    if (auto background = w.widget("step0_modalBg"))
        movePanel(w, -static_cast<float>(static_cast<int>(background->frame().y - panelTop)));
}

std::shared_ptr<Button> makeMenuButton(const MenuButton& entry) {
    auto button = std::make_shared<Button>(entry.landscape);
    button->setBackgroundColor(Color::clear());
    button->setOpaque(false);
    button->setTitle(entry.landscapeTitle);
    button->setTitleColor(Color::white());
    button->setTitleColor(Color::white(), ControlState::Highlighted);
    button->setTitleFont(Font::boldSystemFont(15));
    button->setTitleShadowColor(Color::white(0.5f));
    button->setTitleShadowOffset({0, -1});
    // The portrait titles break in two.
    button->setTitleNumberOfLines(0);
    return button;
}

void setup(WelcomeController& w, const std::any&) {
    const auto frame = [](const char* name) {
        for (const auto& placed : fixedFrames)
            if (std::string_view(placed.name) == name) return placed.landscape;
        return Rect{};
    };
    const auto add = [&](const char* name, const std::shared_ptr<View>& view) {
        view->setFrame(frame(name));
        w.addWidget(name, view);
    };
    add("step0_modalBg", makeStretchedImage("content-background.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    auto content = std::make_shared<WebView>();
    content->setBackgroundColor(Color::clear());
    content->setOpaque(false);
    content->scrollView().setBounces(false);
    add("step0_modalContent", content);
    auto close = std::make_shared<Button>();
    close->setBackgroundImage(Image::named("x.png"));
    close->setAccessibilityLabel("Close");
    w.connect(*close, "step0_onModalClose:");
    add("step0_modalCloseButton", close);
    add("step0_menuBar", makeImage("nav-bg-landscape.png"));
    for (const char* divider :
         {"step0_divider1", "step0_divider2", "step0_divider3", "step0_divider4"})
        add(divider, makeImage("navigation-divider.png"));
    for (const auto& entry : menuButtons) {
        auto button = makeMenuButton(entry);
        w.connect(*button, entry.action);
        w.addWidget(entry.name, button);
    }
}

void layOut(WelcomeController& w, bool portrait) {
    auto background = w.widget("step0_modalBg");
    if (!background) return;
    // Frames are set on an untransformed bar; a hidden bar is hidden again afterwards.
    const Transform kept = background->transform();
    if (!kept.isIdentity()) setBarTransform(w, Transform::identity());
    for (const auto& placed : fixedFrames)
        w.setFrame(placed.name, portrait ? placed.portrait : placed.landscape);
    if (auto bar = w.widget<ImageView>("step0_menuBar"))
        bar->setImage(Image::named(portrait ? "nav-bg-portrait.png" : "nav-bg-landscape.png"));
    for (const auto& entry : menuButtons)
        if (auto button = w.widget<Button>(entry.name)) {
            button->setFrame(portrait ? entry.portrait : entry.landscape);
            button->setTitle(portrait ? entry.portraitTitle : entry.landscapeTitle);
        }
    if (w.inModal()) raisePanel(w);
    if (!kept.isIdentity()) setBarTransform(w, kept);
}

void hide(WelcomeController& w, const std::any& animatedArgument) {
    auto background = w.widget("step0_modalBg");
    if (!background || !background->transform().isIdentity()) return;
    const auto* animatedFlag = std::any_cast<bool>(&animatedArgument);
    const bool animated = animatedFlag && *animatedFlag;
    auto& loop = RunLoop::main();
    if (animated) loop.beginAnimations("hide menubar");
    if (w.inModal()) {
        w.setInModal(false);
        w.call("step0_onModalClose:", std::any());
    }
    setBarTransform(w, Transform::translation(0, hiddenDrop));
    if (animated) loop.commitAnimations();
}

void reveal(WelcomeController& w, const std::any&) {
    auto& loop = RunLoop::main();
    loop.beginAnimations("hide menubar");
    setBarTransform(w, Transform::identity());
    loop.commitAnimations();
}

void bringToFront(WelcomeController& w, const std::any&) {
    for (const char* name : frontOrder)
        if (auto view = w.widget(name)) w.view()->bringSubviewToFront(view.get());
}

void release(WelcomeController& w, const std::any&) {
    for (const char* name : barWidgets)
        w.setWidget(name, nullptr);
}

void openContent(WelcomeController& w, const std::any& argument) {
    const auto* file = std::any_cast<std::string>(&argument);
    if (!file) return;
    if (w.inModal()) {
        w.call("step0_onModalClose:", *file);
        return;
    }
    if (w.picker()) w.dismissPicker();
    if (w.calendarPicker()) w.dismissCalendarPicker();
    w.setInModal(true);
    w.setAlpha({"step0_modalBg", "step0_modalContent"}, 1);
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    w.setAlpha(
        {"step0_bubble", "step0_bubbleText", "step0_pelda", "step0_wedge", "step0_startButton"}, 0);
    raisePanel(w);
    loop.commitAnimations();
    if (auto content = w.widget<WebView>("step0_modalContent"))
        loadInformationPage(*content, *file);
}

// A page already open slides down first; the new one follows once it is out of the way.
WelcomeController::Phase openPage(const char* file) {
    return [file](WelcomeController& w, const std::any&) {
        if (w.inModal()) {
            w.call("step0_onModalClose:", std::string(file));
            w.performAfterDelay("onModalContent:", 0.25, std::string(file));
        } else {
            w.call("onModalContent:", std::string(file));
        }
    };
}

// The close button sends itself; every other caller names the next page or nothing.
void onModalClose(WelcomeController& w, const std::any& sender) {
    if (std::any_cast<const Control*>(&sender))
        w.dismissModal(std::any());
    else
        w.dismissModal(sender);
}

// In the test entry steps the bar gets out of the way again once the user closes a page.
void dismissInTestStep(WelcomeController& w, const std::any& nextPage) {
    if (!nextPage.has_value()) w.call("MenuBar_hide:", true);
    auto& loop = RunLoop::main();
    loop.beginAnimations("hideModal");
    lowerInformationPanel(w);
    loop.commitAnimations();
    w.setInModal(false);
}

std::vector<std::pair<std::string, WelcomeController::Phase>> menuBarPhases() {
    std::vector<std::pair<std::string, WelcomeController::Phase>> phases{
        {"MenuBar_setup", setup},
        {"MenuBar_landscape", [](WelcomeController& w, const std::any&) { layOut(w, false); }},
        {"MenuBar_portrait", [](WelcomeController& w, const std::any&) { layOut(w, true); }},
        {"MenuBar_transitionIn", [](WelcomeController& w, const std::any&) { setBarAlpha(w, 1); }},
        {"MenuBar_transitionOut", [](WelcomeController& w, const std::any&) { setBarAlpha(w, 0); }},
        {"MenuBar_hide:", hide},
        {"MenuBar_reveal", reveal},
        {"bringMenuBarToFront", bringToFront},
        {"MenuBar_release", release},
        {"onModalContent:", openContent},
        {"step0_onModalClose:", onModalClose},
        {"step2_dismissModal:", dismissInTestStep},
        {"step3_dismissModal:", dismissInTestStep},
    };
    for (const auto& entry : menuButtons)
        phases.emplace_back(entry.action, openPage(entry.file));
    return phases;
}

const WelcomeController::StateGroup menuBar{menuBarPhases()};

} // namespace

void loadInformationPage(WebView& view, const std::string& file) {
    MoreContentController::loadShippedPage(view, file);
    view.scrollView().setBounces(false);
}

void lowerInformationPanel(WelcomeController& w) {
    if (auto background = w.widget("step0_modalBg")) movePanel(w, background->frame().height - 15);
}

} // namespace mevara
