// The welcome step: the doctor greets the user in a balloon, the green button starts the
// wizard (or leads back to the user's tests), and the information bar sits below.
#include "model/UserData.h"
#include "tablet/MenuBar.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/WebView.h"

#include <array>
#include <string>

namespace mevara {
namespace {

const char* const welcomeText =
    "Hi! Welcome to the Mevara \u2012 a useful tool in estimating radiation dose for medical "
    "imaging and comparing your exposure to natural radiation sources.  \n   \nWith the "
    "Mevara, you can estimate  radiation exposure from past or future imaging tests and share "
    "this information with your physician as you discuss your medical testing options. ";
const char* const welcomeBackText =
    "Welcome back to the Mevara  \u2013 a useful tool in estimating radiation dose for medical "
    "imaging and comparing your exposure to natural radiation sources.\n\nWith the Mevara, you "
    "can estimate  radiation exposure from past or future imaging tests and share this "
    "information with your physician as you discuss your medical testing options. ";

struct Placed {
    const char* name;
    Rect landscape;
    Rect portrait;
};

// The avatar reaches past the right edge in both orientations.
constexpr std::array<Placed, 5> frames{{
    {"step0_bubble", {237, 66, 470, 370}, {100, 85, 395, 445}},
    {"step0_pelda", {612, 104, 433, 629}, {400, 238, 433, 629}},
    {"step0_wedge", {700, 267, 25, 33}, {488, 397, 25, 33}},
    {"step0_bubbleText", {280, 91, 384, 236}, {155, 117, 293, 309}},
    {"step0_startButton", {344, 341, 257, 54}, {169, 441, 257, 54}},
}};

void setup(WelcomeController& w, const std::any&) {
    // Home comes back here from any state: nothing of the last one stays.
    w.view()->removeAllSubviews();
    w.addWidget("step0_bubble", makeStretchedImage("balloon-blue.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    w.addWidget("step0_pelda", makeImage("doctor-default.png"));
    w.addWidget("step0_wedge", makeImage("balloon-blue-point-right.png"));

    const auto& data = UserData::instance();
    const bool returning = !data.tests().empty() || !data.gender().empty();
    auto text = makeTabletLabel(returning ? welcomeBackText : welcomeText, "Helvetica-Bold", 18,
                                Color::white());
    text->setAdjustsFontSizeToFitWidth(true);
    text->setMinimumFontSize(10);
    text->setNumberOfLines(0);
    text->setLineBreakMode(LineBreakMode::TailTruncation);
    text->setShadowColor(Color::white(0.333f));
    text->setShadowOffset({0, -1});
    text->setTextAlignment(TextAlignment::Left);
    w.addWidget("step0_bubbleText", text);

    auto start = makeTabletButton(returning ? "Return to My Tests" : "Let's Get Started",
                                  "button-green.png", 18, 12, 22);
    w.connect(*start, "step0_onStartButton");
    w.addWidget("step0_startButton", start);

    w.call("MenuBar_setup");
    for (const char* name : {"step0_whatIsRadiationButton", "step0_imagingTestsButton",
                             "step0_alternativesButton", "step0_questionsToAskButton"})
        if (auto button = w.widget<Button>(name))
            button->setBackgroundImage(Image::named("button-screen.png"),
                                       ControlState::Highlighted);
}

void layOut(WelcomeController& w, bool portrait) {
    for (const auto& placed : frames)
        w.setFrame(placed.name, portrait ? placed.portrait : placed.landscape);
    w.call(portrait ? "MenuBar_portrait" : "MenuBar_landscape");
}

void fade(WelcomeController& w, float alpha) {
    w.setAlpha(
        {"step0_bubble", "step0_pelda", "step0_wedge", "step0_bubbleText", "step0_startButton"},
        alpha);
    w.call(alpha > 0 ? "MenuBar_transitionIn" : "MenuBar_transitionOut");
}

void populate(WelcomeController& w, const std::any&) {
    // The first page is there already when the user opens it.
    if (auto content = w.widget<WebView>("step0_modalContent"))
        loadInformationPage(*content, "WhatIsRadiationIpad.html");
    w.setInModal(false);
}

void release(WelcomeController& w, const std::any&) {
    w.releaseWidgets(
        {"step0_bubble", "step0_pelda", "step0_wedge", "step0_bubbleText", "step0_startButton"});
    w.call("MenuBar_release");
}

void onStartButton(WelcomeController& w, const std::any&) {
    const auto& data = UserData::instance();
    std::string next = "step1";
    if (!data.gender().empty() && !data.age().empty())
        next = data.tests().empty() ? "step2" : "step3";
    w.welcomeMove(next, false);
}

// Whatever comes next, the greeting comes back as the panel drops.
void dismissModal(WelcomeController& w, const std::any&) {
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    w.setAlpha(
        {"step0_bubble", "step0_bubbleText", "step0_pelda", "step0_wedge", "step0_startButton"}, 1);
    lowerInformationPanel(w);
    loop.commitAnimations();
    w.setInModal(false);
}

const WelcomeController::StateGroup welcomeStep{{
    {"step0_setup", setup},
    {"step0_landscape", [](WelcomeController& w, const std::any&) { layOut(w, false); }},
    {"step0_portrait", [](WelcomeController& w, const std::any&) { layOut(w, true); }},
    {"step0_transitionIn", [](WelcomeController& w, const std::any&) { fade(w, 1); }},
    {"step0_transitionOut", [](WelcomeController& w, const std::any&) { fade(w, 0); }},
    {"step0_populate", populate},
    {"step0_release", release},
    {"step0_onStartButton", onStartButton},
    {"step0_dismissModal:", dismissModal},
}};

} // namespace
} // namespace mevara
