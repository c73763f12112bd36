#include "TabletFixture.h"
#include "app/ViewDump.h"
#include "handset/MoreContentController.h"
#include "handset/SettingsController.h"
#include "toolkit/WebView.h"

#include <algorithm>

namespace mevara {
namespace {

using TabletWizard = testsupport::TabletTest;

TEST_F(TabletWizard, AboutMeSaveAsksForBothThenMovesOnByTheTestsRecorded) {
    start();
    wizard().directMove("step1");
    // A gender alone is not enough.
    pick("step1_genderButton", "Female");
    tapWidget("step1_saveButton");
    ASSERT_TRUE(alert());
    alert()->dismissWithClickedButtonIndex(0, false);
    EXPECT_TRUE(UserData::instance().gender().empty());

    pick("step1_ageButton", "40 - 49");
    tapWidget("step1_saveButton");
    EXPECT_EQ(state(), "step2");
    EXPECT_EQ(UserData::instance().gender(), "Female");
    // Stored on disk at once.
    UserData::resetInstance();
    EXPECT_EQ(UserData::instance().age(), "40 - 49");

    addTest("Skull", 1, 0.1f);
    wizard().directMove("step1");
    tapWidget("step1_saveButton");
    EXPECT_EQ(state(), "step3");
}

TEST_F(TabletWizard, ARowOpensItsListBesideItAndASecondTapPutsTheStoredValueBack) {
    setProfile("Male", "30 - 39");
    start();
    wizard().directMove("step1");
    auto picker = openList("step1_ageButton");
    EXPECT_EQ(picker->title(), "Age");
    EXPECT_EQ(picker->checkedValue(), "30 - 39");
    const Rect row = widget("step1_ageButton")->frame();
    EXPECT_EQ(picker->view()->frame().x, row.x + row.width + 18);
    EXPECT_EQ(picker->view()->frame().y, row.y - 10);
    EXPECT_FLOAT_EQ(widget("step1_helpBalloon")->alpha(), 0);

    picker->tableViewDidSelectRowAtIndexPath(*picker->table(), {0, 6});
    EXPECT_EQ(text("step1_age"), "70+");
    EXPECT_FALSE(wizard().picker());

    // Open, then the gender row again: it only closes, putting the stored value back.
    pick("step1_genderButton", "Female");
    openList("step1_genderButton");
    tapWidget("step1_genderButton");
    EXPECT_FALSE(wizard().picker());
    EXPECT_EQ(text("step1_gender"), "Male");
    EXPECT_EQ(text("step1_age"), "70+");
    EXPECT_FLOAT_EQ(widget("step1_helpBalloon")->alpha(), 0);

    // A tap outside the list closes it as well.
    openList("step1_genderButton");
    window->tap({900, 700});
    EXPECT_FALSE(wizard().picker());
}

TEST_F(TabletWizard, EveryMoveOfTheStateTable) {
    setProfile("Male", "30 - 39");
    start();
    const auto move = [&](const std::string& control, const std::string& to) {
        tapWidget(control);
        EXPECT_EQ(state(), to) << control;
        advance(0.3);
    };
    wizard().directMove("step2");
    move("step2_editAboutMe", "step1");
    wizard().directMove("step3");
    move("step3_editAboutMe", "step1");
    // The tablet session script takes the results' buttons, the columns' feet excepted.
    wizard().directMove("step4");
    move("step4_averageBaseButton", "more_avg_exposure");
    move("more_avg_exposure_backButton", "step4");
    move("step4_editTestsButton", "step3");

    // The third column's foot opens the page of the comparison chosen.
    for (const auto& [comparison, page] : std::vector<std::pair<std::string, std::string>>{
             {"Chernobyl Exposure\n\n", "more_chernobyl"},
             {"40 Cross Country Flights\n\n", "more_flights"},
             {"Annual Natural Exposure\n\n", "more_natural_exposure"},
             {"Nuclear Stress Test\n\n", "more_nuclear_stress_test"},
             {"Something else", "step4"}}) {
        wizard().setSelectedComparison(comparison);
        wizard().directMove("step4");
        move("step4_compareBaseButton", page);
    }

    // A phase the state lacks is skipped; the state stays.
    EXPECT_FALSE(wizard().call("step4_dismissModal:"));
    wizard().dismissModal({});
    wizard().validate();
    EXPECT_EQ(state(), "step4");

    root->onHome();
    EXPECT_EQ(state(), "step0");
    EXPECT_FALSE(wizard().widget("step4_editTestsButton"));
}

TEST_F(TabletWizard, RevisitsReplaceTheirWidgetsRatherThanPileThemUp) {
    setProfile("Male", "30 - 39");
    addTest("Skull", 1, 0.1f);
    start();
    wizard().directMove("step3");
    wizard().directMove("step4");
    const auto settled = wizard().view()->subviews().size();
    for (int i = 0; i < 5; ++i) {
        wizard().directMove("step3");
        wizard().directMove("step4");
        advance(1.5);
    }
    EXPECT_EQ(wizard().view()->subviews().size(), settled);
}

// The notice's title, text and button stay inside its box, in the middle of the screen,
// whichever way the tablet is held when it shows and after it turns.
TEST_F(TabletWizard, TheDisclaimerKeepsItsContentInItsBoxEitherWayUp) {
    start(1);
    root->showDisclaimer();
    const auto inWindow = [&](const std::string& name) {
        auto view = anywhere(name);
        if (!view) return Rect{};
        const Point at = view->convertPointToView({0, 0}, nullptr);
        return Rect{at.x, at.y, view->frame().width, view->frame().height};
    };
    const auto check = [&](const char* held) {
        const Rect screen = window->bounds();
        const Rect box = inWindow("disclaimerBox");
        EXPECT_NEAR(box.x + box.width / 2, screen.width / 2, 1) << held;
        EXPECT_NEAR(box.y + box.height / 2, screen.height / 2, 1) << held;
        for (const char* part : {"disclaimerTitle", "disclaimerLabel", "disclaimerButton"}) {
            const Rect r = inWindow(part);
            EXPECT_TRUE(r.x >= box.x && r.y >= box.y && r.maxX() <= box.maxX() &&
                        r.maxY() <= box.maxY())
                << held << ": " << part << " " << stringFromRect(r);
        }
    };
    check("upright");
    rotate(3);
    check("turned sideways");
    rotate(1);
    check("turned upright again");
}

// Turned, each step shows just what a start held that way shows, which the tablet scripts
// pin for either way; "page" is the welcome step turned while one of its pages rises.
TEST_F(TabletWizard, TurnedEachStepShowsWhatAStartHeldThatWayShows) {
    const auto seen = [&](int held, const std::string& state, int turnedTo) {
        TearDown();
        SetUp();
        setProfile("Male", "30 - 39");
        addTest("Skull", 1, 0.1f);
        start(held);
        if (state == "page")
            tapWidget("step0_alternativesButton");
        else if (state != "step0")
            wizard().directMove(state);
        if (turnedTo) rotate(turnedTo);
        advance(3);
        return dumpViewTree(*window, RunLoop::main().now());
    };
    for (const std::string state :
         {"step0", "page", "step1", "step2", "step3", "step4", "more_my_exposure",
          "more_avg_exposure", "more_cancer_risk", "more_flights", "more_chernobyl"}) {
        for (const auto& [held, turned] : {std::pair{1, 3}, {3, 1}, {3, 4}}) {
            SCOPED_TRACE(state + " turned from " + std::to_string(held) + " to " +
                         std::to_string(turned));
            EXPECT_EQ(seen(held, state, turned), seen(turned, state, 0));
        }
    }
}

// The important information and the settings show as sheets over the wizard, opened from
// the header and closed by their own buttons.
class TabletSheets : public testsupport::TabletTest {
protected:
    template <class T> std::shared_ptr<T> open(const std::string& control) {
        tapView(anywhere(control));
        advance(0.5);
        auto sheet = std::dynamic_pointer_cast<T>(root->modalViewController());
        EXPECT_TRUE(sheet) << control;
        return sheet;
    }
    static std::string backgroundOf(ViewController& sheet) {
        auto background = std::dynamic_pointer_cast<ImageView>(sheet.view()->subviews().front());
        EXPECT_EQ(background->frame(), sheet.view()->bounds());
        return background->image()->name();
    }
};

TEST_F(TabletSheets, PagesAndSettingsAreClosedByTheirButtons) {
    start(OrientationLandscapeLeft);
    auto page = open<MoreContentController>("informationButton");
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->backButton()->isHidden());
    EXPECT_FALSE(page->okButton()->isHidden());
    // Inset 20 from the layout's place, then grown with the sheet; OK sits 20 below.
    const Rect web = page->webView()->frame();
    EXPECT_EQ(web, (Rect{34, 70, 472, 454}));
    EXPECT_EQ(page->okButton()->frame().y - web.maxY(), 20);
    EXPECT_EQ(backgroundOf(*page), "form-bg.png");
    EXPECT_TRUE(page->shouldAutorotateToInterfaceOrientation(OrientationLandscapeRight));
    tapView(page->okButton());
    EXPECT_FALSE(root->modalViewController());
    advance(0.5);

    auto settings = open<SettingsController>("settingsButton");
    ASSERT_TRUE(settings);
    EXPECT_FALSE(settings->save()->isHidden());
    EXPECT_EQ(backgroundOf(*settings), "form-bg.png");
    tapView(settings->save());
    EXPECT_FALSE(root->modalViewController());
}

} // namespace
} // namespace mevara
