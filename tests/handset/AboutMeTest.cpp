#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/Picker.h"
#include "handset/TestFormController.h"
#include "toolkit/ImageView.h"

namespace mevara {
namespace {

using testsupport::Menu;

class HandsetAboutMe : public testsupport::HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        start();
    }
    std::shared_ptr<AboutMeController> openFromMenu() {
        tapMenu(Menu::AboutMe);
        advance(1.0);
        auto form = current<AboutMeController>();
        EXPECT_TRUE(form);
        return form;
    }
    std::shared_ptr<Picker> openPicker(const std::string& row) { return openWith<Picker>(row); }
    // Picks `choice` and waits for the form to slide back.
    void pick(const std::string& row, int choice) {
        auto picker = openPicker(row);
        if (!picker) return;
        tapRow(picker->table(), choice);
        advance(1.0);
    }
    // The rows of the shown picker that carry the check mark.
    std::vector<std::string> checkedRows(const std::shared_ptr<Picker>& picker) {
        std::vector<std::string> checked;
        for (int i = 0; i < picker->table()->numberOfRows(); ++i) {
            auto cell = picker->table()->cellForRowAtIndexPath({0, i});
            auto choice = std::dynamic_pointer_cast<Label>(findIn(cell, "choice"));
            if (!findIn(cell, "checkmark")) continue;
            EXPECT_EQ(choice->textColor(), Color::blue());
            checked.push_back(choice->text());
        }
        return checked;
    }
};

TEST_F(HandsetAboutMe, SaveAsksForWhatIsMissingThenGoesHome) {
    auto home = list();
    auto form = openFromMenu();
    ASSERT_TRUE(form);
    for (const char* message : {"Please select your gender.", "Please select your age range."}) {
        tapOnScreen("saveButton");
        ASSERT_TRUE(alert()) << message;
        EXPECT_EQ(alert()->title(), "Mevara");
        EXPECT_EQ(alert()->message(), message);
        EXPECT_EQ(alert()->buttonTitles(), std::vector<std::string>{"OK"});
        pressAlertButton(0);
        EXPECT_EQ(root->currentViewController(), form);
        EXPECT_EQ(UserData::instance().gender(), "");
        EXPECT_EQ(UserData::instance().age(), "");
        // The second round has a gender chosen.
        pick("chooseGenderRow", 1);
    }
    pick("chooseAgeRow", 2);
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::AboutMe});
    tapOnScreen("saveButton");
    EXPECT_TRUE(window->alerts().empty());
    EXPECT_EQ(root->currentViewController(), home);
    EXPECT_EQ(UserData::instance().gender(), "Female");
    EXPECT_EQ(UserData::instance().age(), "30 - 39");
    advance(0.5);
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], home->view());
}

TEST_F(HandsetAboutMe, ThePickerChecksTheStoredValueAndBackRestoresIt) {
    auto form = openFromMenu();
    ASSERT_TRUE(form);
    auto picker = openPicker("chooseGenderRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->label()->text(), "Your Gender");
    EXPECT_TRUE(checkedRows(picker).empty());
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
    picker = openPicker("chooseGenderRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(checkedRows(picker), std::vector<std::string>{"Male"});
    tapOnScreen("backButton");
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), form);
    EXPECT_EQ(form->gender()->text(), "Male");

    // Seven choices keep the layout's box.
    picker = openPicker("chooseAgeRow");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->table()->numberOfRows(), 7);
    EXPECT_EQ(picker->tableBackground()->frame(), (Rect{20, 50, 280, 338}));
    EXPECT_EQ(picker->table()->frame(), (Rect{20, 54, 280, 330}));
}

TEST_F(HandsetAboutMe, SavingTheFirstProfileGoesOnToTheTestForm) {
    tapRow(list()->table(), 0);
    advance(1.0);
    auto form = current<AboutMeController>();
    ASSERT_TRUE(form);
    ASSERT_TRUE(form->isInitialSetup());
    pick("chooseGenderRow", 0);
    pick("chooseAgeRow", 6);
    tapOnScreen("saveButton");
    auto next = current<TestFormController>();
    ASSERT_TRUE(next);
    EXPECT_FALSE(next->editingTest());
    EXPECT_EQ(UserData::instance().age(), "70+");
}

} // namespace
} // namespace mevara
