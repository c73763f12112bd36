#include "HandsetFixture.h"
#include "handset/ExposureComparisonController.h"
#include "handset/MoreContentController.h"

namespace mevara {
namespace {

using testsupport::Menu;

class HandsetComparison : public testsupport::HandsetTest {
protected:
    // Reaches the chart as a person does: the Compare button, then the slide, until the
    // bars have settled.
    std::shared_ptr<ExposureComparisonController> open() {
        start();
        tapMenu(Menu::Compare);
        advance(2.0);
        auto screen = current<ExposureComparisonController>();
        EXPECT_TRUE(screen);
        return screen;
    }
    // The names of the icons that carry the selection picture.
    static std::vector<std::string> selectedIcons(const ExposureComparisonController& screen) {
        std::vector<std::string> on;
        for (const auto& button : {screen.airplaneButton(), screen.earthButton(),
                                   screen.nuclearButton(), screen.chernobylButton()}) {
            auto picture = button->backgroundImageForState(ControlState::Normal);
            if (!picture) continue;
            EXPECT_EQ(picture->name(), "selected-icon.png");
            on.push_back(button->name());
        }
        return on;
    }
    static std::vector<std::string> tickTexts(const ExposureComparisonController& screen) {
        std::vector<std::string> texts;
        for (int i = 1; i <= 6; ++i)
            texts.push_back(screen.tick(i)->text());
        return texts;
    }
    static bool showsCancerRisk(const ExposureComparisonController& screen) {
        EXPECT_EQ(screen.cancerRiskContainer()->alpha() + screen.comparisonContainer()->alpha(), 1);
        return screen.cancerRiskContainer()->alpha() == 1;
    }
    // The bubble's text, and More when it is offered, sit inside the bubble shown.
    void expectBubble(const ExposureComparisonController& screen, bool more) {
        EXPECT_EQ(screen.helpView()->alpha(), 1);
        EXPECT_EQ(screen.helpView()->frame(), (Rect{0, 0, 320, 397}));
        const Rect frame = screen.bubble()->frame();
        EXPECT_EQ(screen.moreButton()->isHidden(), !more);
        EXPECT_EQ(screen.bubbleText()->frame(),
                  (Rect{25, more ? 12.0f : 25.0f, frame.width - 75, frame.height - 49}));
        if (more) {
            EXPECT_EQ(screen.moreButton()->frame().y, frame.height - 44);
        }
    }
};

TEST_F(HandsetComparison, OpensOnTheCancerRiskPanelScaledToTheData) {
    auto screen = open();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(showsCancerRisk(*screen));
    EXPECT_TRUE(selectedIcons(*screen).empty());
    // Nothing recorded: the axis shrinks from its first 50 to 10 and every bar is empty.
    EXPECT_EQ(screen->scale(), 10);
    EXPECT_EQ(tickTexts(*screen), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    for (const auto& [bar, shadow] :
         {std::pair{screen->myMedicalExposureBar(), screen->myMedicalExposureShadow()},
          {screen->averageMedicalExposureBar(), screen->averageMedicalExposureShadow()},
          {screen->comparisonExposureBar(), screen->comparisonExposureShadow()}}) {
        const Rect b = bar->frame();
        EXPECT_EQ(b.width, 0) << bar->name();
        EXPECT_EQ(shadow->frame(), (Rect{b.x, b.y, 10, b.height})) << bar->name();
    }
    EXPECT_EQ(screen->myMedicalExposureLabel()->text(), "0.00");
    EXPECT_EQ(screen->averageMedicalExposureLabel()->text(), "0");
    EXPECT_EQ(screen->comparisonExposureLabel()->text(), "");
}

TEST_F(HandsetComparison, ATotalBeyondEveryScaleKeepsTheFirstOne) {
    addTest("Chest (Two Views)", 1, 600000);
    auto screen = open();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->scale(), 50);
    EXPECT_EQ(tickTexts(*screen), (std::vector<std::string>{"0", "10", "20", "30", "40", "50"}));
}

// The bars' lengths and texts at one scale the first-comparison script pins.
TEST_F(HandsetComparison, FlightsSetTheTotalBesideTheAverageAndTheSecondTapPutsThemAway) {
    addTest("Chest (Two Views)", 1, 12.5f);
    UserData::instance().setAge("30 - 39");
    auto screen = open();
    ASSERT_TRUE(screen);
    tapOnScreen("airplaneButton");
    EXPECT_EQ(selectedIcons(*screen), std::vector<std::string>{"airplaneButton"});
    EXPECT_FALSE(showsCancerRisk(*screen));
    // The average, 17.25, decides.
    EXPECT_EQ(screen->scale(), 20);
    EXPECT_EQ(tickTexts(*screen), (std::vector<std::string>{"0", "4", "8", "12", "16", "20"}));
    EXPECT_EQ(screen->comparisonExposureLabel()->text(), "1");

    tapOnScreen("airplaneButton");
    EXPECT_TRUE(showsCancerRisk(*screen));
    EXPECT_TRUE(selectedIcons(*screen).empty());
    EXPECT_EQ(screen->scale(), 20);
}

TEST_F(HandsetComparison, APutAwayReferenceStillWidensTheAxis) {
    auto screen = open();
    ASSERT_TRUE(screen);
    tapOnScreen("chernobylButton");
    tapOnScreen("chernobylButton");
    EXPECT_TRUE(showsCancerRisk(*screen));
    EXPECT_EQ(screen->scale(), 200);
    EXPECT_FLOAT_EQ(screen->comparisonExposureBar()->frame().width, 267);

    // Another reference takes the place of the kept one.
    tapOnScreen("chernobylButton");
    tapOnScreen("earthButton");
    EXPECT_EQ(selectedIcons(*screen), std::vector<std::string>{"earthButton"});
    EXPECT_EQ(screen->comparisonCaption()->text(), "Annual Natural Exposure");
    EXPECT_EQ(screen->comparisonExposureLabel()->text(), "3");
    EXPECT_EQ(screen->scale(), 10);
}

TEST_F(HandsetComparison, TheBarsMoveTogetherInOneSecond) {
    addTest("Chest (Two Views)", 1, 12.5f);
    auto screen = open();
    ASSERT_TRUE(screen);
    std::vector<std::shared_ptr<View>> moving{
        screen->myMedicalExposureBar(),      screen->myMedicalExposureShadow(),
        screen->averageMedicalExposureBar(), screen->averageMedicalExposureShadow(),
        screen->comparisonExposureBar(),     screen->comparisonExposureShadow()};
    std::vector<Rect> before;
    for (const auto& view : moving)
        before.push_back(view->frame());
    const double t = RunLoop::main().now();
    // 20 to 200: every bar changes.
    tapOnScreen("chernobylButton");
    for (std::size_t i = 0; i < moving.size(); ++i) {
        const auto& view = *moving[i];
        EXPECT_EQ(view.presentationFrame(t), before[i]) << view.name();
        EXPECT_TRUE(view.isAnimating(t + 0.99)) << view.name();
        EXPECT_FALSE(view.isAnimating(t + 1.0)) << view.name();
        EXPECT_EQ(view.presentationFrame(t + 1.0), view.frame()) << view.name();
    }
    const auto& mine = *screen->myMedicalExposureBar();
    EXPECT_LT(mine.presentationFrame(t + 0.5).width, before[0].width);
    EXPECT_GT(mine.presentationFrame(t + 0.5).width, mine.frame().width);
    // The panels swap faster, in the toolkit's default time.
    EXPECT_EQ(screen->comparisonContainer()->presentationAlpha(t + 0.2), 1);
    EXPECT_EQ(screen->cancerRiskContainer()->presentationAlpha(t + 0.2), 0);
}

// Help and each information control show their own bubble; all but Help's offer a page.
TEST_F(HandsetComparison, HelpAndEachInformationControlShowTheirBubble) {
    auto screen = open();
    ASSERT_TRUE(screen);
    struct Case {
        const char* control; // null: the menu's Help
        const char* icon;    // tapped first, or null
        const char* words;
        const char* file; // of the page offered, or null: no More button
    };
    for (const Case& c : {
             Case{nullptr, nullptr, "Tests with radiation\n(CT, PET", nullptr},
             Case{"cancerRiskInfoButton", nullptr, "1 in 1000 chance", "MoreCancerRisk.html"},
             Case{"averageInfoButton", nullptr, "average of 0.5 mSv", "MoreAverage.html"},
             Case{"referenceInfoButton", "airplaneButton", "1,000 miles", "MoreAirTravel.html"},
             Case{"referenceInfoButton", "earthButton", "yearly to 3", "MoreNaturalExposure.html"},
             Case{"referenceInfoButton", "nuclearButton", "at 15.6 mSv", "MoreNuclearStress.html"},
             Case{"referenceInfoButton", "chernobylButton", "at 200 mSv. ", "MoreChernobyl.html"},
         }) {
        SCOPED_TRACE(c.icon ? c.icon : c.control ? c.control : "Help");
        if (c.icon) tapOnScreen(c.icon);
        if (c.control)
            tapOnScreen(c.control);
        else
            tapMenu(Menu::Help);
        expectBubble(*screen, c.file != nullptr);
        EXPECT_NE(screen->bubbleText()->text().find(c.words), std::string::npos);
        if (c.file) {
            EXPECT_EQ(screen->moreFile(), c.file);
        }
        // Help again closes whichever bubble shows.
        tapMenu(Menu::Help);
        EXPECT_EQ(screen->helpView()->alpha(), 0);
        advance(1.0);
        EXPECT_EQ(screen->helpView()->frame(), (Rect{0, 0, 320, 397}));
    }

    // More opens the page with the slide, taking the bubble along.
    tapOnScreen("referenceInfoButton");
    tapView(screen->moreButton());
    EXPECT_EQ(screen->helpView()->alpha(), 0);
    advance(1.0);
    auto page = current<MoreContentController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->pageTitle(), "More About Chernobyl");
    EXPECT_EQ(page->file(), "MoreChernobyl.html");
}

} // namespace
} // namespace mevara
