#include "TabletFixture.h"
#include "model/TestData.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "support/CalendarGrid.h"
#include "tablet/IpadCalendarPicker.h"

#include <algorithm>

namespace mevara {
namespace {

class TestEntry : public testsupport::TabletTest {
protected:
    void SetUp() override {
        TabletTest::SetUp();
        LocaleFormat::setLocale("en_US");
        LocaleFormat::setTimeZone("America/New_York");
    }

    void startIn(const std::string& state, int orientation = 3) {
        setProfile("Female", "40 - 49");
        start(orientation);
        wizard().directMove(state);
        advance(0.5);
    }
    std::string title(const std::string& name) { return widget<Button>(name)->currentTitle(); }
    float alphaOf(const std::string& name) { return widget(name)->alpha(); }
    static Point originOf(const std::shared_ptr<View>& view) {
        return {view->frame().x, view->frame().y};
    }
    // Taps OK on the alert that must be showing; its title and message.
    std::string acknowledge() {
        auto shown = alert();
        if (!shown) return "(no alert)";
        const std::string said = shown->title() + ": " + shown->message();
        shown->dismissWithClickedButtonIndex(0, false);
        return said;
    }
    // What the user data file holds now.
    static std::vector<std::shared_ptr<mevara::Test>> storedTests() {
        UserData::resetInstance();
        return UserData::instance().tests();
    }
    std::shared_ptr<View> inRow(int row, const std::string& name) {
        auto cell = widget<TableView>("step3_testListTable")->cellForRowAtIndexPath({0, row});
        for (const auto& sub : cell->subviews())
            if (sub->name() == name) return sub;
        return nullptr;
    }
    void tapRow(int row) {
        auto table = widget<TableView>("step3_testListTable");
        tapAt(*table, {120, table->rectForRowAtIndexPath({0, row}).y + 27});
    }
};

TEST_F(TestEntry, TheFirstTestIsCheckedInFormOrderThenStoredSavedAndListed) {
    startIn("step2");
    for (const auto& [missing, row, choice] :
         {std::tuple{"a test type.", "step2_testTypeButton", "X-Ray"},
          {"a body part.", "step2_bodyPartButton", "Skull"},
          {"the number of tests performed.", "step2_numberOfTestsButton", "3"}}) {
        tapWidget("step2_addTestsButton");
        EXPECT_EQ(acknowledge(), std::string("Mevara: Please select ") + missing +
                                     "  All fields marked with an asterisk are required.");
        EXPECT_TRUE(UserData::instance().tests().empty());
        pick(row, choice);
    }
    tapWidget("step2_addTestsButton");
    // The list and its total: the tablet session script's dump of the tests step.
    EXPECT_EQ(state(), "step3");
    const auto stored = storedTests();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->location(), "Skull");
    EXPECT_EQ(stored[0]->numberOfTests(), 3);
}

TEST_F(TestEntry, ARowEditsItsVeryTestInPlaceAndDeletingKeepsTheTotalRight) {
    addTest("Skull", 1, 0.1f);
    addTest("Chest (Two Views)", 2, 0.2f, LocalCalendar::dateFrom(2026, 3, 15));
    addTest("Lumbar Spine", 1, 1.5f);
    startIn("step3");
    EXPECT_EQ(text("step3_totalValue"), "1.80");
    auto edited = UserData::instance().tests()[1];

    tapRow(1);
    EXPECT_EQ(text("step3_bodyPart"), "Chest (Two Views)");
    EXPECT_EQ(text("step3_date"), "Mar 15, 2026");
    EXPECT_EQ(title("step3_addTestsButton"), "Save Test");
    pick("step3_numberOfTestsButton", "4");
    tapWidget("step3_addTestsButton");
    EXPECT_EQ(edited->numberOfTests(), 4);
    EXPECT_EQ(text("step3_totalValue"), "2.00");
    auto stored = storedTests();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1]->numberOfTests(), 4);
    EXPECT_EQ(stored[1]->date(), LocalCalendar::dateFrom(2026, 3, 15));

    // Deleting while a row is being edited leaves the form adding again.
    tapRow(0);
    EXPECT_EQ(title("step3_addTestsButton"), "Save Test");
    tapView(inRow(2, "deleteButton"));
    EXPECT_EQ(title("step3_addTestsButton"), "Add Test");
    EXPECT_EQ(text("step3_totalValue"), "0.50");
    EXPECT_EQ(storedTests().size(), 2u);
}

TEST_F(TestEntry, PopoversOpenBesideTheirRowsAndAnyFormTapFirstOnlyClosesThem) {
    startIn("step2");
    root->onHelp();
    auto list = openList("step2_testTypeButton");
    const Rect typeRow = widget("step2_testTypeButton")->frame();
    EXPECT_EQ(originOf(list->view()), (Point{typeRow.maxX() + 18, typeRow.y - 10}));
    // With no body part chosen, every test type is offered.
    EXPECT_EQ(list->choices(), TestData::testNamesForLocation(std::string()));
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(alphaOf("step2_helpBalloon"), 0);

    tapWidget("step2_addTestsButton");
    EXPECT_FALSE(wizard().picker());
    EXPECT_FALSE(alert());

    // The counts open one row higher: beside the body part row.
    list = openList("step2_numberOfTestsButton");
    EXPECT_EQ(list->choices().size(), 99u);
    EXPECT_EQ(list->view()->frame().y, widget("step2_bodyPartButton")->frame().y - 10);
    tapWidget("step2_testTypeButton");

    tapWidget("step2_dateButton");
    auto calendar = wizard().calendarPicker();
    ASSERT_TRUE(calendar);
    const Rect dateRow = widget("step2_dateButton")->frame();
    EXPECT_EQ(originOf(calendar->view()), (Point{dateRow.maxX() + 18, dateRow.y - 10}));
    tapWidget("step2_numberOfTestsButton");
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_FALSE(wizard().picker());
    EXPECT_FLOAT_EQ(alphaOf("step2_helpText"), 0);
}

// A popover belongs to the test that was in the form when it opened: a row tapped or
// deleted meanwhile closes it without its value landing in the form, so the next tap on
// the form acts at once.
struct ListUse {
    const char* what;
    int inForm; // the row being edited when the popover opens, or -1
    const char* popoverRow;
    int tapped; // the row tapped then, or -1: the first row is deleted
    const char* bodyPart;
    const char* date;
};

void PrintTo(const ListUse& use, std::ostream* out) {
    *out << use.what;
}

class PopoverThenList : public TestEntry, public ::testing::WithParamInterface<ListUse> {};

TEST_P(PopoverThenList, ClosesThePopoverWithoutFillingTheForm) {
    const ListUse& use = GetParam();
    const Date ides = LocalCalendar::dateFrom(2026, 3, 15);
    addTest("Skull", 1, 0.1f);
    addTest("Chest (Two Views)", 2, 0.2f, ides);
    startIn("step3");
    if (use.inForm >= 0) tapRow(use.inForm);
    tapWidget(use.popoverRow);
    ASSERT_TRUE(wizard().picker() || wizard().calendarPicker());
    const auto popover =
        wizard().picker() ? wizard().picker()->view() : wizard().calendarPicker()->view();

    if (use.tapped >= 0)
        tapRow(use.tapped);
    else
        tapView(inRow(0, "deleteButton"));
    EXPECT_FALSE(wizard().picker());
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_FLOAT_EQ(popover->alpha(), 0);
    EXPECT_EQ(text("step3_bodyPart"), use.bodyPart);
    EXPECT_EQ(text("step3_date"), use.date);

    // Saves the row's test as it was, or, with the form emptied, asks for a test type.
    tapWidget("step3_addTestsButton");
    EXPECT_EQ(title("step3_addTestsButton"), "Add Test");
    EXPECT_EQ(alert() != nullptr, use.tapped < 0);
    const auto stored = storedTests();
    ASSERT_EQ(stored.size(), use.tapped < 0 ? 1u : 2u);
    EXPECT_EQ(stored.back()->location(), "Chest (Two Views)");
    EXPECT_EQ(stored.back()->date(), ides);
    EXPECT_FLOAT_EQ(stored.back()->milliseverts(), 0.2f);
}

INSTANTIATE_TEST_SUITE_P(Uses, PopoverThenList,
                         ::testing::Values(ListUse{"list", 0, "step3_bodyPartButton", 1,
                                                   "Chest (Two Views)", "Mar 15, 2026"},
                                           ListUse{"emptyCalendar", -1, "step3_dateButton", 1,
                                                   "Chest (Two Views)", "Mar 15, 2026"},
                                           ListUse{"calendarThenDelete", 1, "step3_dateButton", -1,
                                                   "", ""}),
                         [](const auto& info) { return std::string(info.param.what); });

// However the form is left, its popovers go with it, the calendar's month list too, and
// are forgotten: back on a form, the first tap acts and the old date stays away.
class LeavingTheForm : public TestEntry, public ::testing::WithParamInterface<const char*> {};

TEST_P(LeavingTheForm, ForgetsItsPopoversWithoutAWord) {
    startIn("step2");
    tapWidget("step2_dateButton");
    auto calendar = wizard().calendarPicker();
    ASSERT_TRUE(calendar);
    tapView(testsupport::dayCell(calendar->calendarCells(), "12"));
    ASSERT_NE(text("step2_date"), "");
    tapWidget("step2_dateButton");
    calendar = wizard().calendarPicker();
    ASSERT_TRUE(calendar);
    tapView(calendar->monthButton());
    auto list = calendar->picker();
    ASSERT_TRUE(list);

    const std::string how = GetParam();
    if (how == "edit") {
        tapWidget("step2_editAboutMe");
    } else if (how == "home") {
        tapView(anywhere("homeButton"));
    } else {
        // Resigning with saving off: the data goes, then the wizard goes home.
        UserData::instance().wipe();
        root->forceHome();
        setProfile("Female", "40 - 49");
    }
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_FALSE(calendar->picker());
    EXPECT_FLOAT_EQ(calendar->view()->alpha(), 0);
    EXPECT_FLOAT_EQ(list->view()->alpha(), 0);

    advance(0.5);
    tapWidget(state() == "step1" ? "step1_saveButton" : "step0_startButton");
    ASSERT_EQ(state(), "step2");
    tapWidget("step2_testTypeButton");
    EXPECT_TRUE(wizard().picker());
    EXPECT_EQ(text("step2_date"), "");
    EXPECT_FALSE(wizard().test()->date());
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTheForm, ::testing::Values("edit", "home", "savingOff"));

TEST_F(TestEntry, CompareClosesAnOpenPopoverOrTheMsvBalloonFirst) {
    addTest("Skull", 1, 0.1f);
    startIn("step3");
    openList("step3_bodyPartButton");
    tapWidget("step3_compareButton");
    EXPECT_EQ(state(), "step3");
    EXPECT_FALSE(wizard().picker());

    // The dose in a row explains the unit; a tap elsewhere closes the explanation.
    tapView(inRow(0, "msvHelpButton"));
    EXPECT_FLOAT_EQ(alphaOf("step3_msvHelpText"), 1);
    EXPECT_FLOAT_EQ(alphaOf("step3_helpBalloon"), 0);
    window->tap({800, 650});
    EXPECT_FLOAT_EQ(alphaOf("step3_msvHelpText"), 0);

    tapWidget("step3_msvHelpButton");
    EXPECT_FLOAT_EQ(alphaOf("step3_msvWedge"), 1);
    tapWidget("step3_compareButton");
    EXPECT_EQ(state(), "step4");
    EXPECT_FLOAT_EQ(alphaOf("step3_msvHelpText"), 0);
    EXPECT_FLOAT_EQ(root->helpButton()->alpha(), 0);
}

TEST_F(TestEntry, ClearAllDataAsksFirstThenStartsOverWithNothingStored) {
    addTest("Skull", 1, 0.1f);
    UserData::instance().save();
    startIn("step3");
    tapWidget("step3_resetButton");
    ASSERT_TRUE(alert());
    alert()->dismissWithClickedButtonIndex(1, false);
    EXPECT_EQ(state(), "step3");
    EXPECT_EQ(storedTests().size(), 1u);

    tapWidget("step3_resetButton");
    ASSERT_TRUE(alert());
    alert()->dismissWithClickedButtonIndex(0, false);
    EXPECT_EQ(state(), "step1");
    EXPECT_TRUE(storedTests().empty());
    EXPECT_TRUE(UserData::instance().gender().empty());
}

// The first test moves on while the first-test step's bar shows a page: that bar goes
// with its step, and the tests step's own bar waits hidden.
TEST_F(TestEntry, EachStepShowsItsOwnBarOnlyWhenAskedFor) {
    startIn("step2");
    auto firstBar = widget("step0_menuBar");
    EXPECT_EQ(firstBar->transform(), Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(root->helpButton()->alpha(), 1);
    root->onHelp();
    tapWidget("step0_alternativesButton");
    EXPECT_TRUE(wizard().inModal());

    wizard().test()->setTestName("X-Ray");
    wizard().test()->setLocation("Skull");
    wizard().test()->setNumberOfTests(1);
    wizard().call("step2_onAddTest");
    ASSERT_EQ(state(), "step3");
    EXPECT_FALSE(wizard().inModal());
    EXPECT_FLOAT_EQ(firstBar->alpha(), 0);
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(widget("step0_menuBar")->alpha(), 1);
}

// How it lays out turned: TabletWizard.TurnedEachStepShowsWhatAStartHeldThatWayShows.
TEST_F(TestEntry, TheTestsStepTurnsWithTheBarOnTop) {
    addTest("Skull", 1, 0.1f);
    startIn("step3", 1);
    rotate(3);
    const auto& views = wizard().view()->subviews();
    const auto at = [&](const std::string& name) {
        return std::find(views.begin(), views.end(), widget(name)) - views.begin();
    };
    EXPECT_LT(at("step3_avatar"), at("step3_msvHelpText"));
    EXPECT_LT(at("step3_msvHelpText"), at("step0_modalBg"));
    EXPECT_EQ(views.back(), widget("step0_referencesButton"));
}

} // namespace
} // namespace mevara
