#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/CalendarPickerController.h"
#include "handset/TestFormController.h"
#include "model/TestData.h"
#include "support/CalendarGrid.h"

namespace mevara {
namespace {

using testsupport::Menu;

const Date march15 =
    std::chrono::sys_days{std::chrono::year{2026} / 3 / 15} + std::chrono::hours{12};

class HandsetTestForm : public testsupport::HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        UserData::instance().setGender("Female");
        UserData::instance().setAge("30 - 39");
    }
    // Opens the form from the list's first row (add) or a test's row (edit).
    std::shared_ptr<TestFormController> openForm(int row = 0) {
        list()->table()->reloadData();
        tapRow(list()->table(), row);
        advance(1.0);
        auto form = current<TestFormController>();
        EXPECT_TRUE(form);
        return form;
    }
    std::shared_ptr<CalendarPickerController> openCalendar() {
        return openWith<CalendarPickerController>("chooseDateRow");
    }
    std::string alertMessage() const { return alert() ? alert()->message() : std::string(); }
    static std::vector<std::shared_ptr<mevara::Test>>& tests() {
        return UserData::instance().tests();
    }
};

TEST_F(HandsetTestForm, SavingAsksForTheMissingFieldsInOrderAndAddsTheTest) {
    start();
    auto form = openForm();
    // Each missing field is asked for in the form's order, and nothing is added meanwhile.
    for (const auto& [missing, row, choice] :
         {std::tuple{"a test type.", "chooseTestRow", "X-Ray"},
          {"a body part.", "chooseBodyPartRow", "Chest (Two Views)"},
          {"the number of tests performed.", "chooseNumberOfTestsRow", "3"}}) {
        tapOnScreen("saveButton");
        EXPECT_EQ(alertMessage(), std::string("Please select ") + missing +
                                      "  All fields marked with an asterisk are required.");
        pressAlertButton(0);
        EXPECT_TRUE(tests().empty());
        EXPECT_EQ(current<TestFormController>(), form);
        pick(row, choice);
    }
    // What the saved test looks like at home, dose and total, the phone scripts pin.
    tapView(form->saveButton());
    EXPECT_EQ(tests().size(), 1u);
}

TEST_F(HandsetTestForm, EachListNarrowsTheOtherThroughTheCatalogue) {
    start();
    openForm();
    auto types = openWith<Picker>("chooseTestRow");
    EXPECT_EQ(types->choices(), TestData::testNamesForLocation(std::string()));
    tapOnScreen("backButton");
    advance(1.0);

    pick("chooseBodyPartRow", "Breast");
    types = openWith<Picker>("chooseTestRow");
    EXPECT_EQ(types->choices(), (std::vector<std::string>{"MRI", "Ultrasound"}));
    tapRow(types->table(), 0);
    advance(1.0);

    auto parts = openWith<Picker>("chooseBodyPartRow");
    EXPECT_EQ(parts->choices(), TestData::bodyPartsForTest("MRI"));
    EXPECT_EQ(parts->checkedValue(), "Breast");
}

TEST_F(HandsetTestForm, EditingChangesTheRecordInPlaceOnlyOnSave) {
    addTest("Chest (Two Views)", 1, 0.1f, march15);
    addTest("Skull", 1, 0.1f);
    auto first = tests()[0];
    start();

    auto form = openForm(1);
    EXPECT_EQ(form->editingTest(), first);
    EXPECT_NE(form->test(), first);
    EXPECT_FALSE(form->deleteButton()->isHidden());
    EXPECT_EQ(form->testDateLabel()->text(), "Mar 15, 2026");
    pick("chooseNumberOfTestsRow", "4");
    auto calendar = openCalendar();
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "March");
    tapView(testsupport::dayCell(calendar->calendarCells(), "20"));
    advance(1.0);
    EXPECT_EQ(form->testDateLabel()->text(), "Mar 20, 2026");
    tapOnScreen("backButton");
    advance(1.0);
    EXPECT_EQ(first->numberOfTests(), 1);
    EXPECT_EQ(first->date(), march15);

    form = openForm(1);
    pick("chooseNumberOfTestsRow", "4");
    tapView(openCalendar()->clearButton());
    advance(1.0);
    EXPECT_EQ(form->testDateLabel()->text(), "");
    tapOnScreen("saveButton");
    advance(1.0);
    ASSERT_EQ(tests().size(), 2u);
    EXPECT_EQ(tests()[0], first);
    EXPECT_EQ(first->numberOfTests(), 4);
    EXPECT_FLOAT_EQ(first->milliseverts(), 0.4f);
    EXPECT_FALSE(first->date());
    EXPECT_EQ(list()->totalExposure()->text(), "0.50");
}

TEST_F(HandsetTestForm, DeleteRemovesOnlyTheEditedObject) {
    addTest("Skull", 1, 0.1f);
    addTest("Skull", 1, 0.1f);
    addTest("Skull", 1, 0.1f);
    const auto kept = tests();
    start();
    auto form = openForm(2);
    tapView(form->deleteButton());
    advance(1.0);
    ASSERT_EQ(tests().size(), 2u);
    EXPECT_EQ(tests()[0], kept[0]);
    EXPECT_EQ(tests()[1], kept[2]);
    EXPECT_EQ(list()->table()->numberOfRows(), 4);
}

using HandsetAboutMe = testsupport::StartedHandsetTest;

TEST_F(HandsetAboutMe, SaveAsksForWhatIsMissingThenGoesHome) {
    auto home = list();
    auto form = openFromMenu<AboutMeController>(Menu::AboutMe);
    ASSERT_TRUE(form);
    for (const char* message : {"Please select your gender.", "Please select your age range."}) {
        tapOnScreen("saveButton");
        ASSERT_TRUE(alert()) << message;
        EXPECT_EQ(alert()->message(), message);
        pressAlertButton(0);
        EXPECT_EQ(root->currentViewController(), form);
        EXPECT_EQ(UserData::instance().gender() + UserData::instance().age(), "");
        // The second round has a gender chosen.
        pick("chooseGenderRow", "Female");
    }
    pick("chooseAgeRow", "30 - 39");
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::AboutMe});
    tapOnScreen("saveButton");
    EXPECT_TRUE(window->alerts().empty());
    EXPECT_EQ(root->currentViewController(), home);
    EXPECT_EQ(UserData::instance().gender() + "|" + UserData::instance().age(), "Female|30 - 39");
    advance(0.5);
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], home->view());
}

TEST_F(HandsetAboutMe, ThePickerChecksTheStoredValueAndBackRestoresIt) {
    auto form = openFromMenu<AboutMeController>(Menu::AboutMe);
    ASSERT_TRUE(form);
    auto picker = openWith<Picker>("chooseGenderRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->label()->text(), "Your Gender");
    EXPECT_TRUE(checkedRows(*picker).empty());
    // Two choices: the box shrinks to fit them.
    const Rect box = picker->tableBackground()->frame();
    EXPECT_EQ(box.height, 96);
    EXPECT_EQ(picker->table()->frame().height, 87);
    EXPECT_EQ(picker->table()->frame().y, box.y + 4);
    tapRow(picker->table(), 1);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), form);
    EXPECT_EQ(form->gender()->text(), "Female");
    EXPECT_EQ(UserData::instance().gender(), "");

    UserData::instance().setGender("Male");
    picker = openWith<Picker>("chooseGenderRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(checkedRows(*picker), std::vector<std::string>{"Male"});
    tapOnScreen("backButton");
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), form);
    EXPECT_EQ(form->gender()->text(), "Male");

    // Seven choices keep the layout's box.
    picker = openWith<Picker>("chooseAgeRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->table()->numberOfRows(), 7);
    EXPECT_EQ(picker->tableBackground()->frame(), (Rect{20, 50, 280, 338}));
    EXPECT_EQ(picker->table()->frame(), (Rect{20, 54, 280, 330}));
}

} // namespace
} // namespace mevara
