#include "TabletFixture.h"
#include "model/TestData.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "tablet/IpadCalendarPicker.h"
#include "tablet/IpadPicker.h"
#include "toolkit/TableView.h"

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
    void TearDown() override {
        LocaleFormat::setLocale(std::nullopt);
        LocaleFormat::setTimeZone(std::nullopt);
        TabletTest::TearDown();
    }

    // Starts in `state` with a profile, as the start button leads there.
    void startIn(const std::string& state, int orientation = 3) {
        setProfile("Female", "40 - 49");
        start(orientation);
        wizard().directMove(state);
        advance(0.5);
    }
    std::shared_ptr<IpadPicker> openList(const std::string& row) {
        tapWidget(row);
        advance(0.3);
        EXPECT_TRUE(wizard().picker()) << row;
        return wizard().picker();
    }
    void pick(const std::string& row, const std::string& choice) {
        auto picker = openList(row);
        if (!picker) return;
        const auto& choices = picker->choices();
        const auto at = std::find(choices.begin(), choices.end(), choice);
        ASSERT_NE(at, choices.end()) << choice;
        const Rect r =
            picker->table()->rectForRowAtIndexPath({0, static_cast<int>(at - choices.begin())});
        picker->table()->scrollToRowAtIndexPath({0, static_cast<int>(at - choices.begin())},
                                                TableViewScrollPosition::Middle, false);
        tapAt(*picker->table(), {r.x + 40, r.y + r.height / 2});
        advance(0.3);
        EXPECT_FALSE(wizard().picker());
    }
    void fill(const std::string& step, const std::string& type, const std::string& part,
              const std::string& count) {
        pick(step + "_testTypeButton", type);
        pick(step + "_bodyPartButton", part);
        pick(step + "_numberOfTestsButton", count);
    }
    std::string text(const std::string& name) { return widget<Label>(name)->text(); }
    std::string title(const std::string& name) { return widget<Button>(name)->currentTitle(); }
    // Taps OK on the alert that must be showing and returns its message.
    std::string acknowledge() {
        auto shown = alert();
        if (!shown) return "(no alert)";
        EXPECT_EQ(shown->title(), "Mevara");
        const std::string message = shown->message();
        shown->dismissWithClickedButtonIndex(0, false);
        return message;
    }
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
    float alphaOf(const std::string& name) { return widget(name)->alpha(); }
};

TEST_F(TestEntry, TheFirstTestIsCheckedInFormOrderThenStoredSavedAndListed) {
    startIn("step2");
    EXPECT_EQ(text("step2_aboutMe"), "Female, 40 - 49");
    EXPECT_EQ(title("step2_addTestsButton"), "Add Tests");
    EXPECT_NE(text("step2_helpText").find("\u201CAdd Tests.\u201D"), std::string::npos);

    const std::string required = "  All fields marked with an asterisk are required.";
    tapWidget("step2_addTestsButton");
    EXPECT_EQ(acknowledge(), "Please select a test type." + required);
    pick("step2_testTypeButton", "X-Ray");
    tapWidget("step2_addTestsButton");
    EXPECT_EQ(acknowledge(), "Please select a body part." + required);
    pick("step2_bodyPartButton", "Skull");
    tapWidget("step2_addTestsButton");
    EXPECT_EQ(acknowledge(), "Please select the number of tests performed." + required);
    EXPECT_EQ(state(), "step2");
    EXPECT_TRUE(UserData::instance().tests().empty());

    pick("step2_numberOfTestsButton", "3");
    EXPECT_EQ(text("step2_numberOfTests"), "3");
    tapWidget("step2_addTestsButton");
    EXPECT_FALSE(alert());
    EXPECT_EQ(state(), "step3");
    advance(0.5);
    EXPECT_EQ(text("step3_totalValue"), "0.30");
    EXPECT_EQ(widget<TableView>("step3_testListTable")->numberOfRows(), 1);
    // The form is empty again, ready for the next test.
    EXPECT_EQ(text("step3_test"), "");
    EXPECT_EQ(title("step3_addTestsButton"), "Add Test");

    auto stored = storedTests();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->testName(), "X-Ray");
    EXPECT_EQ(stored[0]->location(), "Skull");
    EXPECT_EQ(stored[0]->numberOfTests(), 3);
    EXPECT_FLOAT_EQ(stored[0]->milliseverts(), 0.3f);
    EXPECT_FALSE(stored[0]->date());
}

TEST_F(TestEntry, ARowEditsItsVeryTestInPlaceAndDeletingKeepsTheTotalRight) {
    addTest("Skull", 1, 0.1f);
    addTest("Chest (Two Views)", 2, 0.2f, LocalCalendar::dateFrom(2026, 3, 15));
    addTest("Lumbar Spine", 1, 1.5f);
    startIn("step3");
    EXPECT_EQ(text("step3_totalValue"), "1.80");
    auto edited = UserData::instance().tests()[1];

    auto table = widget<TableView>("step3_testListTable");
    const Rect row = table->rectForRowAtIndexPath({0, 1});
    tapAt(*table, {row.x + 120, row.y + row.height / 2});
    EXPECT_EQ(wizard().editingTest(), edited);
    EXPECT_EQ(text("step3_bodyPart"), "Chest (Two Views)");
    EXPECT_EQ(text("step3_numberOfTests"), "2");
    EXPECT_EQ(text("step3_date"), "Mar 15, 2026");
    EXPECT_EQ(title("step3_addTestsButton"), "Save Test");

    pick("step3_numberOfTestsButton", "4");
    tapWidget("step3_addTestsButton");
    EXPECT_EQ(state(), "step3");
    EXPECT_EQ(UserData::instance().tests().size(), 3u);
    EXPECT_EQ(edited->numberOfTests(), 4);
    EXPECT_FLOAT_EQ(edited->milliseverts(), 0.4f);
    EXPECT_EQ(title("step3_addTestsButton"), "Add Test");
    EXPECT_FALSE(wizard().editingTest());
    EXPECT_EQ(text("step3_numberOfTests"), "");
    EXPECT_EQ(text("step3_totalValue"), "2.00");
    auto stored = storedTests();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1]->numberOfTests(), 4);
    EXPECT_EQ(stored[1]->date(), LocalCalendar::dateFrom(2026, 3, 15));

    // A further test is appended.
    fill("step3", "X-Ray", "Skull", "1");
    tapWidget("step3_addTestsButton");
    EXPECT_EQ(storedTests().size(), 4u);
    EXPECT_EQ(text("step3_totalValue"), "2.10");

    // Deleting while a row is being edited leaves the form adding again.
    table = widget<TableView>("step3_testListTable");
    tapAt(*table, {120, table->rectForRowAtIndexPath({0, 0}).y + 27});
    EXPECT_EQ(title("step3_addTestsButton"), "Save Test");
    tapView(inRow(2, "deleteButton"));
    EXPECT_EQ(title("step3_addTestsButton"), "Add Test");
    EXPECT_FALSE(wizard().editingTest());
    EXPECT_EQ(text("step3_totalValue"), "0.60");
    stored = storedTests();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2]->location(), "Skull");
}

TEST_F(TestEntry, PopoversOpenBesideTheirRowsAndAnyFormTapFirstOnlyClosesThem) {
    startIn("step2");
    root->onHelp();
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::identity());

    auto list = openList("step2_testTypeButton");
    const Rect typeRow = widget("step2_testTypeButton")->frame();
    EXPECT_EQ(list->view()->frame().x, typeRow.maxX() + 18);
    EXPECT_EQ(list->view()->frame().y, typeRow.y - 10);
    // With no body part chosen, every test type is offered.
    EXPECT_EQ(list->choices(), TestData::testNamesForLocation(std::string()));
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(alphaOf("step2_helpBalloon"), 0);

    // Another row, Add and the date row only close it.
    for (const char* control : {"step2_bodyPartButton", "step2_addTestsButton"}) {
        tapWidget(control);
        EXPECT_FALSE(wizard().picker()) << control;
        EXPECT_FALSE(alert()) << control;
        openList("step2_testTypeButton");
    }
    tapWidget("step2_dateButton");
    EXPECT_FALSE(wizard().picker());
    EXPECT_FALSE(wizard().calendarPicker());

    // The counts open one row higher: beside the body part row.
    list = openList("step2_numberOfTestsButton");
    EXPECT_EQ(list->choices().size(), 99u);
    EXPECT_EQ(list->choices().back(), "99");
    EXPECT_EQ(list->view()->frame().y, widget("step2_bodyPartButton")->frame().y - 10);
    tapWidget("step2_testTypeButton");

    tapWidget("step2_dateButton");
    auto calendar = wizard().calendarPicker();
    ASSERT_TRUE(calendar);
    const Rect dateRow = widget("step2_dateButton")->frame();
    EXPECT_EQ(calendar->view()->frame().x, dateRow.maxX() + 18);
    EXPECT_EQ(calendar->view()->frame().y, dateRow.y - 10);
    tapWidget("step2_numberOfTestsButton");
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_FALSE(wizard().picker());
    // The help balloon stays away for the rest of the visit.
    EXPECT_FLOAT_EQ(alphaOf("step2_helpText"), 0);
}

TEST_F(TestEntry, CompareClosesAnOpenPopoverOrTheMsvBalloonFirst) {
    addTest("Skull", 1, 0.1f);
    startIn("step3");
    EXPECT_FLOAT_EQ(alphaOf("step3_msvHelpText"), 0);
    EXPECT_FLOAT_EQ(alphaOf("step3_help2Text"), 1);

    openList("step3_bodyPartButton");
    tapWidget("step3_compareButton");
    EXPECT_EQ(state(), "step3");
    EXPECT_FALSE(wizard().picker());
    tapWidget("step3_dateButton");
    tapWidget("step3_compareButton");
    EXPECT_EQ(state(), "step3");
    EXPECT_FALSE(wizard().calendarPicker());

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
    EXPECT_EQ(alert()->title(), "Mevara");
    EXPECT_EQ(alert()->message(), "Are you sure you want to delete all data?");
    EXPECT_EQ(alert()->buttonTitles(), (std::vector<std::string>{"Yes", "No"}));
    alert()->dismissWithClickedButtonIndex(1, false);
    EXPECT_EQ(state(), "step3");
    EXPECT_EQ(storedTests().size(), 1u);

    tapWidget("step3_resetButton");
    alert()->dismissWithClickedButtonIndex(0, false);
    EXPECT_EQ(state(), "step1");
    UserData::resetInstance();
    EXPECT_TRUE(UserData::instance().tests().empty());
    EXPECT_TRUE(UserData::instance().gender().empty());
}

TEST_F(TestEntry, EditAboutMeLeavesFromEitherStepClosingAnOpenCalendar) {
    startIn("step2");
    tapWidget("step2_dateButton");
    auto calendar = wizard().calendarPicker();
    ASSERT_TRUE(calendar);
    tapWidget("step2_editAboutMe");
    EXPECT_EQ(state(), "step1");
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_FLOAT_EQ(calendar->view()->alpha(), 0);
    EXPECT_FLOAT_EQ(root->helpButton()->alpha(), 0);

    addTest("Skull", 1, 0.1f);
    wizard().directMove("step3");
    tapWidget("step3_editAboutMe");
    EXPECT_EQ(state(), "step1");
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
    EXPECT_NE(widget("step0_menuBar"), firstBar);
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
    EXPECT_FLOAT_EQ(widget("step0_menuBar")->alpha(), 1);

    // Opening a list hides a revealed bar again.
    root->onHelp();
    openList("step3_testTypeButton");
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
}

TEST_F(TestEntry, TheTestsStepLaysOutBothOrientationsWithTheBarOnTop) {
    addTest("Skull", 1, 0.1f);
    startIn("step3", 1);
    EXPECT_EQ(widget("step3_testContainer")->frame(), (Rect{5, 67, 317, 850}));
    EXPECT_EQ(widget("step3_resetButton")->frame(), (Rect{15, 925, 297, 44}));
    EXPECT_EQ(widget("step3_testListTable")->frame(), (Rect{16, 330, 295, 461}));
    EXPECT_EQ(wizard().view()->subviews().front(), widget("step3_avatar"));

    rotate(3);
    EXPECT_EQ(widget("step3_testContainer")->frame(), (Rect{5, 67, 317, 583}));
    EXPECT_EQ(widget("step3_msvHelpText")->frame(), (Rect{408, 86, 519, 442}));
    const auto& views = wizard().view()->subviews();
    const auto at = [&](const std::string& name) {
        return std::find(views.begin(), views.end(), widget(name)) - views.begin();
    };
    EXPECT_LT(at("step3_avatar"), at("step3_msvHelpText"));
    EXPECT_LT(at("step3_msvHelpText"), at("step0_modalBg"));
    EXPECT_EQ(views.back(), widget("step0_referencesButton"));
    EXPECT_EQ(widget("step0_menuBar")->transform(), Transform::translation(0, 140));
}

} // namespace
} // namespace mevara
