#include "TabletFixture.h"
#include "platform/LocaleFormat.h"

#include <string>
#include <vector>

namespace mevara {
namespace {

class TabletResults : public testsupport::TabletTest {
protected:
    void openResults(int orientation = 3) {
        start(orientation);
        wizard().directMove("step4");
        advance(1.1);
    }
    std::vector<std::string> ticks() {
        std::vector<std::string> texts;
        for (int i = 0; i < 6; ++i)
            texts.push_back(text("step4_tick" + std::to_string(i) + "Value"));
        return texts;
    }
    bool hidden(const std::string& name) { return widget(name)->isHidden(); }
    std::string background(const std::string& button) {
        auto image = widget<Button>(button)->backgroundImageForState(ControlState::Normal);
        return image ? image->name() : "";
    }
};

TEST_F(TabletResults, NoTestsAndNoAgeShowTwoStubsOnATenPointAxis) {
    openResults();
    EXPECT_FLOAT_EQ(wizard().scale(), 10);
    EXPECT_EQ(ticks(), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    for (const char* bar : {"step4_myExposureBar", "step4_averageExposureBar"}) {
        const Rect frame = widget(bar)->frame();
        EXPECT_FLOAT_EQ(frame.height, 18) << bar;
        EXPECT_FLOAT_EQ(frame.maxY(), 618) << bar;
    }
    EXPECT_FLOAT_EQ(widget("step4_myExposureLabel")->frame().y, 600 - 25);
    EXPECT_FLOAT_EQ(widget("step4_myExposureValueContainer")->frame().y, 600 - 29);
    EXPECT_EQ(text("step4_myExposureLabel"), "0.00");
    EXPECT_EQ(text("step4_averageExposureLabel"), "0");
}

TEST_F(TabletResults, AReferenceWidensTheAxisAndCancerRiskSwapsItsBarForTheGradient) {
    setProfile("Female", "30 - 39");
    UserData::instance().setTotal(12.5f);
    openResults();
    EXPECT_FLOAT_EQ(wizard().scale(), 20);
    EXPECT_EQ(text("step4_averageExposureLabel"), "17.25");

    tapWidget("step4_chernobylButton");
    EXPECT_FLOAT_EQ(wizard().scale(), 200);

    // The bars grow over a second from where they stood.
    auto bar = widget("step4_compareExposureBar");
    const double now = RunLoop::main().now();
    EXPECT_LT(bar->presentationFrame(now + 0.5).height, 518);
    EXPECT_FLOAT_EQ(bar->presentationFrame(now + 1.01).height, 518);

    // The bars' lengths and texts at a scale: the tablet session script's dumps.
    tapWidget("step4_nuclearStressTestButton");
    EXPECT_FLOAT_EQ(wizard().scale(), 20);

    // Cancer risk hides the third column at once and leaves the larger of the two.
    tapWidget("step4_cancerRiskButton");
    EXPECT_TRUE(hidden("step4_compareExposureBar"));
    EXPECT_TRUE(hidden("step4_compareExposureLabel"));
    EXPECT_FALSE(hidden("step4_cancerRiskGradient"));
    EXPECT_FLOAT_EQ(wizard().scale(), 20);
    tapWidget("step4_crossCountryFlightsButton");
    EXPECT_TRUE(hidden("step4_cancerRiskGradientLabel"));
    EXPECT_EQ(text("step4_compareExposureLabel"), "1");
}

TEST_F(TabletResults, LargeTotalsCarryTheLocalesGroupingSeparator) {
    UserData::instance().setTotal(1234.5f);
    LocaleFormat::setLocale("en_US");
    openResults();
    EXPECT_EQ(text("step4_myExposureLabel"), "1,234.50");
    EXPECT_FLOAT_EQ(wizard().scale(), 5000);
    LocaleFormat::setLocale("de_DE");
    rotate(1);
    EXPECT_EQ(text("step4_myExposureLabel"), "1.234,50");
}

// On the results and on the average's page alike.
TEST_F(TabletResults, TheMaleDoctorStandsTwentyPointsLeftHoweverOftenTheStepIsFilled) {
    setProfile("Male", "40 - 49");
    start();
    for (const auto& [state, upright] : {std::pair{"step4", Rect{-74, 655, 424, 632}},
                                         {"more_avg_exposure", Rect{-74, 357, 424, 634}}}) {
        SCOPED_TRACE(state);
        wizard().directMove(state);
        for (int orientation : {1, 4, 2, 1})
            rotate(orientation);
        wizard().populate();
        wizard().populate();
        EXPECT_EQ(widget(std::string(state) + "_doctor")->frame(), upright);
        rotate(3);
        EXPECT_EQ(widget(std::string(state) + "_doctor")->frame(), (Rect{-74, 157, 424, 634}));
    }
}

TEST_F(TabletResults, TheChosenComparisonSurvivesTheTestList) {
    openResults();
    tapWidget("step4_annualNaturalExposureButton");
    tapWidget("step4_editTestsButton");
    EXPECT_EQ(state(), "step3");
    wizard().directMove("step4");
    EXPECT_EQ(text("step4_compareExposureBaseLabel"), "Annual Natural Exposure\n\n");
    EXPECT_EQ(text("step4_compareExposureLabel"), "3");
    EXPECT_EQ(background("step4_annualNaturalExposureButton"), "selected-icon-ipad.png");
    EXPECT_EQ(background("step4_cancerRiskButton"), "unselected-icon-ipad.png");
}

class TabletDetailPages : public testsupport::TabletTest {
protected:
    // Opens `page` from the results step as the user does.
    void open(const std::string& page, const char* choice = nullptr) {
        if (state() != "step4") wizard().directMove("step4");
        if (choice) tapWidget(choice);
        if (page == "more_my_exposure")
            tapWidget("step4_myExposureButton");
        else if (page == "more_avg_exposure")
            tapWidget("step4_averageExposureButton");
        else
            tapWidget("step4_compareExposureButton");
        ASSERT_EQ(state(), page);
        advance(1.1);
    }
    std::vector<std::string> ticks(const std::string& page) {
        std::vector<std::string> texts;
        for (int i = 1; i < 6; ++i)
            texts.push_back(text(page + "_tick" + std::to_string(i) + "Value"));
        return texts;
    }
};

TEST_F(TabletDetailPages, ReferencePagesDrawTheirBarOnAFixedAxis) {
    // A total far beyond every reference leaves the pages' axes alone.
    UserData::instance().setTotal(900);
    start();
    struct Expected {
        const char* choice;
        const char* page;
        std::vector<std::string> ticks;
        float height;
        const char* value;
    };
    const std::vector<Expected> pages{
        {"step4_crossCountryFlightsButton", "more_flights", {"2", "4", "6", "8", "10"}, 68, "1"},
        {"step4_annualNaturalExposureButton",
         "more_natural_exposure",
         {"2", "4", "6", "8", "10"},
         168,
         "3"},
        {"step4_nuclearStressTestButton",
         "more_nuclear_stress_test",
         {"4", "8", "12", "16", "20"},
         408,
         "15.6"},
        {"step4_chernobylButton", "more_chernobyl", {"40", "80", "120", "160", "200"}, 518, "200"},
    };
    for (const auto& expected : pages) {
        const std::string p = expected.page;
        open(p, expected.choice);
        EXPECT_EQ(ticks(p), expected.ticks) << p;
        const Rect bar = widget(p + "_bar")->frame();
        EXPECT_FLOAT_EQ(bar.height, expected.height) << p;
        EXPECT_FLOAT_EQ(bar.maxY(), 618) << p;
        EXPECT_EQ(text(p + "_valueLabel"), expected.value) << p;
        tapWidget(p + "_backButton");
        EXPECT_EQ(state(), "step4");
        // The results step takes its own axis back.
        EXPECT_FLOAT_EQ(wizard().scale(), 1000) << p;
    }
}

TEST_F(TabletDetailPages, TheCancerPageKeepsItsAxisAndTurnsItsGradientWithTheScreen) {
    start();
    open("more_cancer_risk");
    EXPECT_FALSE(wizard().widget("more_cancer_risk_bar"));
    EXPECT_EQ(ticks("more_cancer_risk"), (std::vector<std::string>{"5", "10", "15", "20", "25"}));
    auto gradient = widget<ImageView>("more_cancer_risk_cancerRiskGradient");
    EXPECT_EQ(gradient->image()->name(), "cancer-risk-gradient.png");
    rotate(1);
    EXPECT_EQ(gradient->image()->name(), "cancer-risk-gradient2.png");
    EXPECT_EQ(gradient->frame(), (Rect{560, 7, 190, 878}));
    EXPECT_EQ(widget<ImageView>("more_cancer_risk_balloonWedge")->image()->name(),
              "balloon-blue-point-down.png");
    const std::string help = text("more_cancer_risk_helpText");
    EXPECT_NE(help.find("\u201CCommittee to Assess"), std::string::npos);
    EXPECT_EQ(help.find("&lquot;"), std::string::npos);
}

// Its numbers: ChartText's tests, and the tablet session script's dump of this page.
TEST_F(TabletDetailPages, TheUsersPageHelpBalloonTurnsAndANewVisitHidesIt) {
    start(1);
    open("more_my_exposure");
    auto balloon = widget("more_my_exposure_helpBubble");
    EXPECT_FLOAT_EQ(balloon->alpha(), 0);
    tapWidget("more_my_exposure_helpButton");
    EXPECT_FLOAT_EQ(balloon->alpha(), 1);
    EXPECT_FLOAT_EQ(widget("more_my_exposure_helpBubbleText")->alpha(), 1);
    tapWidget("more_my_exposure_helpButton");
    EXPECT_FLOAT_EQ(balloon->alpha(), 0);
    tapWidget("more_my_exposure_helpButton");
    tapWidget("more_my_exposure_backButton");
    open("more_my_exposure");
    EXPECT_FLOAT_EQ(widget("more_my_exposure_helpBubbleWedge")->alpha(), 0);
    EXPECT_FLOAT_EQ(widget("more_my_exposure_numberOfMonths")->alpha(), 1);
}

TEST_F(TabletDetailPages, TheAveragePageScalesToTheAge) {
    setProfile("Male", "");
    start();
    open("more_avg_exposure");
    EXPECT_EQ(text("more_avg_exposure_valueLabel"), "0");
    EXPECT_FLOAT_EQ(widget("more_avg_exposure_bar")->frame().height, 18);
    EXPECT_FLOAT_EQ(wizard().scale(), 10);
    tapWidget("more_avg_exposure_backButton");

    setProfile("Male", "70+");
    open("more_avg_exposure");
    EXPECT_EQ(text("more_avg_exposure_valueLabel"), "37.25");
    EXPECT_EQ(ticks("more_avg_exposure"), (std::vector<std::string>{"10", "20", "30", "40", "50"}));
    // Turning the screen grows the bar again from its resting frame.
    rotate(1);
    const double now = RunLoop::main().now();
    EXPECT_LT(widget("more_avg_exposure_bar")->presentationFrame(now + 0.5).height,
              37.25f * 10 + 18);
}

} // namespace
} // namespace mevara
