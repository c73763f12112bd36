// The welcome step and its information bar, driven through the real tablet root.
#include "TabletFixture.h"
#include "app/ViewDump.h"
#include "toolkit/WebView.h"

#include <set>
#include <string>
#include <vector>

namespace mevara {
namespace {

using testsupport::TabletTest;

class WelcomeStepTest : public TabletTest {
protected:
    // The greeting's widgets, or the information bar's: every other widget of the step.
    std::vector<std::shared_ptr<View>> part(bool greeting) const {
        static const std::set<std::string> greetingNames{
            "step0_bubble", "step0_pelda", "step0_wedge", "step0_bubbleText", "step0_startButton"};
        std::vector<std::shared_ptr<View>> views;
        for (const auto& view : wizard().view()->subviews())
            if (view->name().starts_with("step0_") &&
                greetingNames.contains(view->name()) == greeting)
                views.push_back(view);
        EXPECT_EQ(views.size(), greeting ? 5u : 13u);
        return views;
    }
    void expectGreetingAlpha(float alpha) const {
        for (const auto& view : part(true))
            EXPECT_EQ(view->alpha(), alpha) << view->name();
    }
    void expectBarTransform(const Transform& transform) const {
        for (const auto& view : part(false))
            EXPECT_EQ(view->transform(), transform) << view->name();
    }
    float top(const char* name) const { return widget(name)->frame().y; }
    std::string startTitle() const {
        return widget<Button>("step0_startButton")
            ->titleForState(ControlState::Normal)
            .value_or("");
    }
    std::string page() const { return widget<WebView>("step0_modalContent")->html(); }
};

// A half-stated profile: its greeting, and the about-me step next. An empty one, a whole one
// and one with tests are the tablet scripts' starts.
TEST_F(WelcomeStepTest, AHalfStatedProfileGreetsByWhatIsStoredAndAsksForTheRest) {
    for (const auto& [gender, age, tests, returning] :
         {std::tuple{"", "30 - 39", 0, false}, {"Female", "", 0, true}, {"", "30 - 39", 2, true}}) {
        SCOPED_TRACE(std::string(gender) + "|" + age + "|" + std::to_string(tests));
        TearDown();
        SetUp();
        setProfile(gender, age);
        for (int i = 0; i < tests; ++i)
            addTest("Chest", 1, 0.1f);
        start();
        EXPECT_EQ(startTitle(), returning ? "Return to My Tests" : "Let's Get Started");
        tapWidget("step0_startButton");
        EXPECT_EQ(state(), "step1");
        // Left by its own fade-out: the greeting and the bar stay, transparent.
        expectGreetingAlpha(0);
        EXPECT_EQ(widget("step0_menuBar")->alpha(), 0);
    }
}

TEST_F(WelcomeStepTest, HomeRebuildsTheWelcomeStepFromAnEmptyView) {
    setProfile("Female", "19 - 29");
    start();
    advance(3);
    const std::string fresh = dumpViewTree(*window, RunLoop::main().now());
    const auto widgets = wizard().view()->subviews().size();
    tapWidget("step0_startButton");
    ASSERT_EQ(state(), "step2");
    root->onHome();
    advance(3);
    EXPECT_EQ(dumpViewTree(*window, RunLoop::main().now()), fresh);
    EXPECT_EQ(wizard().view()->subviews().size(), widgets);
    EXPECT_FALSE(wizard().widget("step2_aboutMe"));
}

// Turning the step, a page open or not: TabletWizard.TurnedEachStepShowsWhatAStartHeldThatWayShows.
TEST_F(WelcomeStepTest, PagesOpenSwitchAndCloseOverTheGreeting) {
    start();
    // Only the page buttons light up under a finger.
    for (const char* name : {"step0_whatIsRadiationButton", "step0_imagingTestsButton",
                             "step0_alternativesButton", "step0_questionsToAskButton"})
        EXPECT_EQ(widget<Button>(name)->backgroundImageForState(ControlState::Highlighted)->name(),
                  "button-screen.png");
    EXPECT_FALSE(widget<Button>("step0_referencesButton")
                     ->backgroundImageForState(ControlState::Highlighted));
    tapWidget("step0_whatIsRadiationButton");
    EXPECT_TRUE(wizard().inModal());
    expectGreetingAlpha(0);
    auto content = widget<WebView>("step0_modalContent");
    EXPECT_FALSE(content->scrollView().bounces());
    EXPECT_FALSE(content->isOpaque());

    // Another page: the open one drops first, the new one rises a quarter second later.
    advance(0.5);
    tapWidget("step0_imagingTestsButton");
    EXPECT_FALSE(wizard().inModal());
    advance(0.2);
    EXPECT_FALSE(wizard().inModal());
    advance(0.1);
    EXPECT_TRUE(wizard().inModal());
    EXPECT_EQ(top("step0_modalBg"), 45);
    EXPECT_NE(page().find("<h1>Imaging Tests"), std::string::npos);

    tapWidget("step0_modalCloseButton");
    EXPECT_FALSE(wizard().inModal());
    expectGreetingAlpha(1);
    EXPECT_EQ(top("step0_modalBg"), 45 + 623 - 15);

    // The help control closes a page here and never hides the bar.
    tapWidget("step0_referencesButton");
    root->onHelp();
    EXPECT_FALSE(wizard().inModal());
    expectGreetingAlpha(1);
    root->onHelp();
    expectBarTransform(Transform::identity());
}

TEST_F(WelcomeStepTest, HiddenBarStaysHiddenAcrossRotationUntilHelpRevealsIt) {
    start();
    tapWidget("step0_questionsToAskButton");
    wizard().call("MenuBar_hide:", true);
    EXPECT_EQ(RunLoop::main().lastAnimationName(), "hide menubar");
    EXPECT_FALSE(wizard().inModal());
    expectBarTransform(Transform::translation(0, 140));
    rotate(1);
    expectBarTransform(Transform::translation(0, 140));
    root->onHelp();
    expectBarTransform(Transform::identity());
}

// The test entry steps hide the bar again when the user closes a page, not when another
// page takes its place.
TEST_F(WelcomeStepTest, TestStepsHideTheBarOnlyWhenThePageIsClosed) {
    setProfile("Male", "40 - 49");
    start();
    tapWidget("step0_startButton");
    ASSERT_EQ(state(), "step2");
    auto& w = wizard();
    root->onHelp();
    expectBarTransform(Transform::identity());
    w.call("step0_onImagingTests");
    w.call("step0_onReferences");
    expectBarTransform(Transform::identity());
    advance(0.25);
    EXPECT_TRUE(w.inModal());
    EXPECT_NE(page().find("<h1>References"), std::string::npos);

    const Control* closeButton = widget<Button>("step0_modalCloseButton").get();
    w.call("step0_onModalClose:", std::any(closeButton));
    EXPECT_FALSE(w.inModal());
    expectBarTransform(Transform::translation(0, 140));
    EXPECT_GT(top("step0_modalBg"), 733);

    root->onHelp();
    expectBarTransform(Transform::identity());
    w.setCurrentState("step3");
    w.call("onModalContent:", std::string("AlternativesIpad.html"));
    EXPECT_EQ(top("step0_modalBg"), 45);
    root->onHelp();
    EXPECT_FALSE(w.inModal());
    expectBarTransform(Transform::translation(0, 140));
}

} // namespace
} // namespace mevara
