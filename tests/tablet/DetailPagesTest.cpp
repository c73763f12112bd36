#include "TabletFixture.h"

#include <string>
#include <vector>

namespace mevara {
namespace {

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
