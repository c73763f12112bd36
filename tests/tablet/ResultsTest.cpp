#include "TabletFixture.h"
#include "platform/LocaleFormat.h"
#include "toolkit/ImageView.h"

#include <array>
#include <string>
#include <vector>

namespace mevara {
namespace {

class TabletResults : public testsupport::TabletTest {
protected:
    void TearDown() override {
        LocaleFormat::setLocale(std::nullopt);
        TabletTest::TearDown();
    }
    void openResults(int orientation = 3) {
        start(orientation);
        wizard().directMove("step4");
        advance(1.1);
    }
    std::string text(const std::string& name) { return widget<Label>(name)->text(); }
    std::vector<std::string> ticks() {
        std::vector<std::string> texts;
        for (int i = 0; i < 6; ++i)
            texts.push_back(text("step4_tick" + std::to_string(i) + "Value"));
        return texts;
    }
    float height(const std::string& name) { return widget(name)->frame().height; }
    bool hidden(const std::string& name) { return widget(name)->isHidden(); }
    std::string background(const std::string& button) {
        auto image = widget<Button>(button)->backgroundImageForState(ControlState::Normal);
        return image ? image->name() : "";
    }
};

TEST_F(TabletResults, NoTestsAndNoAgeShowTwoStubsOnATenPointAxisBesideTheGradient) {
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
    EXPECT_EQ(text("step4_compareExposureBaseLabel"), "Cancer Risk\n\n\n");
    EXPECT_TRUE(hidden("step4_compareExposureBar"));
    EXPECT_TRUE(hidden("step4_compareExposureValueContainer"));
    EXPECT_FALSE(hidden("step4_cancerRiskGradient"));
    EXPECT_FALSE(hidden("step4_cancerRiskGradientLabel"));
    EXPECT_EQ(background("step4_cancerRiskButton"), "selected-icon-ipad.png");
}

TEST_F(TabletResults, AReferenceWidensTheAxisAndCancerRiskSwapsItsBarForTheGradient) {
    setProfile("Female", "30 - 39");
    UserData::instance().setTotal(12.5f);
    openResults();
    EXPECT_FLOAT_EQ(wizard().scale(), 20);
    EXPECT_EQ(text("step4_averageExposureLabel"), "17.25");

    tapWidget("step4_chernobylButton");
    EXPECT_FLOAT_EQ(wizard().scale(), 200);
    EXPECT_EQ(ticks(), (std::vector<std::string>{"0", "40", "80", "120", "160", "200"}));
    // The bar reaches the top tick, 18 points past it.
    EXPECT_FLOAT_EQ(height("step4_compareExposureBar"), 518);
    EXPECT_FLOAT_EQ(height("step4_myExposureBar"), 12.5f * 2.5f + 18);
    EXPECT_EQ(text("step4_compareExposureLabel"), "200");
    EXPECT_EQ(text("step4_compareExposureBaseLabel"), "Chernobyl Exposure\n\n");
    EXPECT_EQ(wizard().selectedComparison(), "Chernobyl Exposure\n\n");
    EXPECT_FALSE(hidden("step4_compareExposureBar"));
    EXPECT_TRUE(hidden("step4_cancerRiskGradient"));
    EXPECT_EQ(background("step4_chernobylButton"), "selected-icon-ipad.png");
    EXPECT_EQ(background("step4_cancerRiskButton"), "unselected-icon-ipad.png");

    // The bars grow over a second from where they stood.
    auto bar = widget("step4_compareExposureBar");
    const double now = RunLoop::main().now();
    EXPECT_LT(bar->presentationFrame(now + 0.5).height, 518);
    EXPECT_FLOAT_EQ(bar->presentationFrame(now + 1.01).height, 518);

    tapWidget("step4_nuclearStressTestButton");
    EXPECT_FLOAT_EQ(wizard().scale(), 20);
    EXPECT_EQ(text("step4_compareExposureLabel"), "15.6");
    EXPECT_FLOAT_EQ(height("step4_compareExposureBar"), 15.6f * 25 + 18);

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

TEST_F(TabletResults, TheMaleDoctorStandsTwentyPointsLeftHoweverOftenTheStepIsFilled) {
    setProfile("Male", "40 - 49");
    openResults();
    auto doctor = [this] { return widget<ImageView>("step4_doctor"); };
    EXPECT_EQ(doctor()->image()->name(), "doctor-male.png");
    EXPECT_EQ(doctor()->frame(), (Rect{-74, 157, 424, 634}));
    for (int orientation : {1, 4, 2, 1})
        rotate(orientation);
    wizard().populate();
    wizard().populate();
    EXPECT_EQ(doctor()->frame(), (Rect{-74, 655, 424, 632}));
    // Portrait lays the floor under the doctor, landscape takes it away.
    EXPECT_FLOAT_EQ(widget("step4_bottomBackground")->alpha(), 1);
    rotate(3);
    EXPECT_EQ(doctor()->frame(), (Rect{-74, 157, 424, 634}));
    EXPECT_FLOAT_EQ(widget("step4_bottomBackground")->alpha(), 0);
}

TEST_F(TabletResults, TheChosenComparisonSurvivesADetailPageAndTheTestList) {
    addTest("Skull", 1, 0.1f);
    setProfile("Female", "19 - 29");
    openResults(1);
    tapWidget("step4_annualNaturalExposureButton");
    tapWidget("step4_myBaseButton");
    EXPECT_EQ(state(), "more_my_exposure");
    tapWidget("more_my_exposure_backButton");
    EXPECT_EQ(state(), "step4");
    EXPECT_EQ(text("step4_compareExposureBaseLabel"), "Annual Natural Exposure\n\n");
    EXPECT_EQ(text("step4_compareExposureLabel"), "3");
    EXPECT_EQ(background("step4_annualNaturalExposureButton"), "selected-icon-ipad.png");
    EXPECT_EQ(background("step4_cancerRiskButton"), "unselected-icon-ipad.png");
    // The bars rest on the portrait chart's floor.
    EXPECT_FLOAT_EQ(widget("step4_compareExposureBar")->frame().maxY(), 603);

    tapWidget("step4_editTestsButton");
    EXPECT_EQ(state(), "step3");
    wizard().directMove("step4");
    EXPECT_EQ(text("step4_compareExposureLabel"), "3");
    // Each visit builds the step afresh and drops what the last one left.
    std::size_t doctors = 0;
    for (const auto& view : wizard().view()->subviews())
        doctors += view->name() == "step4_doctor";
    EXPECT_EQ(doctors, 1u);
}

TEST_F(TabletResults, TheThirdColumnOpensThePageOfItsComparison) {
    openResults();
    const std::array<std::pair<const char*, const char*>, 5> routes{{
        {"step4_crossCountryFlightsButton", "more_flights"},
        {"step4_annualNaturalExposureButton", "more_natural_exposure"},
        {"step4_nuclearStressTestButton", "more_nuclear_stress_test"},
        {"step4_chernobylButton", "more_chernobyl"},
        {"step4_cancerRiskButton", "more_cancer_risk"},
    }};
    for (const auto& [choice, page] : routes) {
        tapWidget(choice);
        tapWidget("step4_compareBaseButton");
        EXPECT_EQ(state(), page);
        advance(0.3);
        tapWidget(std::string(page) + "_backButton");
        ASSERT_EQ(state(), "step4");
        advance(0.3);
    }
}

} // namespace
} // namespace mevara
