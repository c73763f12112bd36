// The welcome step and its information bar, driven through the real tablet root.
#include "TabletFixture.h"
#include "toolkit/ImageView.h"
#include "toolkit/WebView.h"

#include <array>
#include <string>

namespace mevara {
namespace {

using testsupport::TabletTest;

struct Frames {
    const char* name;
    Rect landscape;
    Rect portrait;
};

// The greeting first, then the thirteen widgets of the bar.
constexpr std::array<Frames, 18> restingFrames{{
    {"step0_bubble", {237, 66, 470, 370}, {100, 85, 395, 445}},
    {"step0_pelda", {612, 104, 433, 629}, {400, 238, 433, 629}},
    {"step0_wedge", {700, 267, 25, 33}, {488, 397, 25, 33}},
    {"step0_bubbleText", {280, 91, 384, 236}, {155, 117, 293, 309}},
    {"step0_startButton", {344, 341, 257, 54}, {169, 441, 257, 54}},
    {"step0_menuBar", {0, 635, 1024, 98}, {0, 853, 768, 136}},
    {"step0_modalBg", {186, 660, 687, 623}, {41, 881, 687, 879}},
    {"step0_modalContent", {219, 691, 621, 581}, {74, 912, 621, 837}},
    {"step0_modalCloseButton", {840, 678, 13, 13}, {695, 899, 13, 13}},
    {"step0_whatIsRadiationButton", {5, 644, 239, 89}, {14, 884, 144, 89}},
    {"step0_divider1", {252, 644, 4, 89}, {163, 884, 4, 89}},
    {"step0_imagingTestsButton", {264, 644, 171, 89}, {175, 884, 125, 89}},
    {"step0_divider2", {442, 644, 4, 89}, {308, 884, 4, 89}},
    {"step0_alternativesButton", {454, 644, 162, 89}, {320, 884, 119, 89}},
    {"step0_divider3", {612, 644, 4, 89}, {447, 884, 4, 89}},
    {"step0_questionsToAskButton", {624, 644, 211, 89}, {460, 884, 152, 89}},
    {"step0_divider4", {844, 644, 4, 89}, {620, 884, 4, 89}},
    {"step0_referencesButton", {856, 644, 162, 89}, {629, 884, 119, 89}},
}};
constexpr std::size_t greetingCount = 5;

class WelcomeStepTest : public TabletTest {
protected:
    std::string frameOf(const char* name) const { return stringFromRect(widget(name)->frame()); }
    float top(const char* name) const { return widget(name)->frame().y; }
    std::string bubbleText() const { return widget<Label>("step0_bubbleText")->text(); }
    std::string startTitle() const {
        return widget<Button>("step0_startButton")
            ->titleForState(ControlState::Normal)
            .value_or("");
    }
    std::string page() const { return widget<WebView>("step0_modalContent")->html(); }
    void expectGreetingAlpha(float alpha) const {
        for (std::size_t i = 0; i < greetingCount; ++i)
            EXPECT_EQ(widget(restingFrames[i].name)->alpha(), alpha) << restingFrames[i].name;
    }
    void expectBarTransform(const Transform& transform) const {
        for (std::size_t i = greetingCount; i < restingFrames.size(); ++i)
            EXPECT_EQ(widget(restingFrames[i].name)->transform(), transform)
                << restingFrames[i].name;
    }
    void expectFrames(bool portrait) const {
        for (const auto& f : restingFrames)
            EXPECT_EQ(frameOf(f.name), stringFromRect(portrait ? f.portrait : f.landscape))
                << f.name;
    }
};

// Start button destinations and the greeting, by what is stored.

struct Profile {
    const char* gender;
    const char* age;
    int tests;
    const char* next;
    bool returning;
};

class StartButtonTest : public WelcomeStepTest, public ::testing::WithParamInterface<Profile> {};

TEST_P(StartButtonTest, GreetsAndLeadsByWhatIsStored) {
    const Profile& p = GetParam();
    setProfile(p.gender, p.age);
    for (int i = 0; i < p.tests; ++i)
        addTest("Chest", 1, 0.1f);
    start();
    if (p.returning) {
        EXPECT_EQ(bubbleText().rfind("Welcome back to the Mevara  \u2013 a useful tool", 0), 0u);
        EXPECT_NE(bubbleText().find("sources.\n\nWith the Mevara, you can estimate  radiation"),
                  std::string::npos);
        EXPECT_EQ(startTitle(), "Return to My Tests");
    } else {
        EXPECT_EQ(bubbleText().rfind("Hi! Welcome to the Mevara \u2012 a useful tool", 0), 0u);
        EXPECT_NE(
            bubbleText().find("sources.  \n   \nWith the Mevara, you can estimate  radiation"),
            std::string::npos);
        EXPECT_EQ(startTitle(), "Let's Get Started");
    }
    EXPECT_EQ(bubbleText().back(), ' ');
    tapWidget("step0_startButton");
    EXPECT_EQ(state(), p.next);
    // Left by its own fade-out: the greeting and the bar stay, transparent.
    expectGreetingAlpha(0);
    // The test entry steps build a bar of their own, hidden below the screen.
    if (p.next == std::string("step1"))
        EXPECT_EQ(widget("step0_menuBar")->alpha(), 0);
    else
        EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
}

INSTANTIATE_TEST_SUITE_P(Profiles, StartButtonTest,
                         ::testing::Values(Profile{"", "", 0, "step1", false},
                                           Profile{"", "30 - 39", 0, "step1", false},
                                           Profile{"Female", "", 0, "step1", true},
                                           Profile{"", "30 - 39", 2, "step1", true},
                                           Profile{"Male", "70+", 0, "step2", true},
                                           Profile{"Male", "70+", 1, "step3", true}));

TEST_F(WelcomeStepTest, HomeRebuildsTheWelcomeStepFromAnEmptyView) {
    setProfile("Female", "19 - 29");
    start();
    tapWidget("step0_startButton");
    ASSERT_EQ(state(), "step2");
    ASSERT_TRUE(wizard().widget("step2_aboutMe"));
    root->onHome();
    EXPECT_EQ(state(), "step0");
    EXPECT_FALSE(wizard().widget("step2_aboutMe"));
    const auto& views = wizard().view()->subviews();
    ASSERT_EQ(views.size(), restingFrames.size());
    for (const auto& view : views) {
        EXPECT_EQ(view->name().rfind("step0_", 0), 0u) << view->name();
        EXPECT_EQ(view->alpha(), 1) << view->name();
    }
    EXPECT_NE(page().find("<h1>What is Radiation?"), std::string::npos);
}

TEST_F(WelcomeStepTest, LaysOutBothOrientationsAndKeepsAnOpenPageAtTheTop) {
    start();
    expectFrames(false);
    for (const char* name : {"step0_whatIsRadiationButton", "step0_imagingTestsButton",
                             "step0_alternativesButton", "step0_questionsToAskButton"})
        EXPECT_EQ(widget<Button>(name)->backgroundImageForState(ControlState::Highlighted)->name(),
                  "button-screen.png");
    EXPECT_FALSE(widget<Button>("step0_referencesButton")
                     ->backgroundImageForState(ControlState::Highlighted));

    rotate(1);
    expectFrames(true);
    EXPECT_EQ(widget<ImageView>("step0_menuBar")->image()->name(), "nav-bg-portrait.png");
    EXPECT_EQ(widget<Button>("step0_questionsToAskButton")->currentTitle(), "Questions\nTo Ask");

    tapWidget("step0_alternativesButton");
    rotate(4);
    EXPECT_TRUE(wizard().inModal());
    EXPECT_EQ(frameOf("step0_modalBg"), stringFromRect({186, 45, 687, 623}));
    EXPECT_EQ(frameOf("step0_modalCloseButton"), stringFromRect({840, 63, 13, 13}));
    EXPECT_EQ(widget<Button>("step0_questionsToAskButton")->currentTitle(), "Questions To Ask");
    rotate(1);
    EXPECT_EQ(frameOf("step0_modalContent"), stringFromRect({74, 76, 621, 837}));
}

TEST_F(WelcomeStepTest, PagesOpenSwitchAndCloseOverTheGreeting) {
    start();
    tapWidget("step0_whatIsRadiationButton");
    EXPECT_TRUE(wizard().inModal());
    EXPECT_EQ(frameOf("step0_modalBg"), stringFromRect({186, 45, 687, 623}));
    expectGreetingAlpha(0);
    auto content = widget<WebView>("step0_modalContent");
    EXPECT_NE(page().find("<h1>What is Radiation?"), std::string::npos);
    EXPECT_EQ(content->baseURL().rfind("file:/", 0), 0u);
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
    EXPECT_EQ(frameOf("step0_menuBar"), stringFromRect({0, 853, 768, 136}));
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
    // The step builds its own bar, hidden until the help control reveals it.
    expectBarTransform(Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(root->helpButton()->alpha(), 1);
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
