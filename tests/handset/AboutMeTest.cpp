#include "HandsetFixture.h"
#include "handset/AboutMeController.h"

namespace mevara {
namespace {

using testsupport::Menu;

class HandsetAboutMe : public testsupport::HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        start();
    }
};

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
