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

} // namespace
} // namespace mevara
