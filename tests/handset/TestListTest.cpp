#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/TestFormController.h"

namespace mevara {
namespace {

class HandsetTestList : public testsupport::HandsetTest {
protected:
    std::shared_ptr<TableViewCell> row(int index) {
        return list()->table()->cellForRowAtIndexPath({0, index});
    }
};

TEST_F(HandsetTestList, ALargeDoseShowsWhole) {
    addTest("Whole Body", 99, 2247.3f); // 99 of the catalogue's largest dose
    start();
    auto value = find<Label>("value", row(1));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text(), "2,247.30");
    const TextLayout drawn = value->layout();
    ASSERT_EQ(drawn.lines.size(), 1u);
    EXPECT_EQ(drawn.lines[0].text, "2,247.30"); // not cut short
}

TEST_F(HandsetTestList, WithTestsNothingBlinksAndDeleteAllAsksFirst) {
    addTest("Head", 1, 2);
    addTest("Abdomen", 3, 8.5f);
    start();
    // A returning user's "Add Test" stays still in the phone scripts' dumps.
    EXPECT_FALSE(list()->addTestRowLabel());

    tapRow(list()->table(), 3);
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Mevara");
    EXPECT_EQ(alert()->message(), "Are you sure you want to delete all tests?");
    EXPECT_EQ(alert()->buttonTitles(), (std::vector<std::string>{"Yes", "No"}));
    pressAlertButton(1);
    EXPECT_TRUE(window->alerts().empty());
    EXPECT_EQ(UserData::instance().tests().size(), 2u);
    EXPECT_FALSE(list()->table()->indexPathForSelectedRow());
    EXPECT_FALSE(row(3)->isSelected());

    tapRow(list()->table(), 3);
    pressAlertButton(0);
    EXPECT_TRUE(UserData::instance().tests().empty());
    EXPECT_EQ(list()->table()->numberOfRows(), 2);
    EXPECT_EQ(list()->totalExposure()->text(), "0");
}

TEST_F(HandsetTestList, TheAddRowAsksForTheProfileWhileTheAgeIsMissing) {
    UserData::instance().setGender("Female");
    start();
    tapRow(list()->table(), 0);
    advance(1.0);
    auto form = current<AboutMeController>();
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isInitialSetup());
    // Not reached from the menu: nothing is highlighted, and the menu's About Me does nothing.
    EXPECT_TRUE(highlighted().empty());
    tapMenu(testsupport::Menu::AboutMe);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), form);
    EXPECT_TRUE(highlighted().empty());
}

TEST_F(HandsetTestList, RowsOpenTheFormForANewOrTheTappedTest) {
    UserData::instance().setAge("40 - 49");
    addTest("Head", 1, 2);
    addTest("Abdomen", 3, 8.5f);
    addTest("Knee", 1, 0.1f);
    start();
    tapRow(list()->table(), 0);
    EXPECT_FALSE(list()->table()->indexPathForSelectedRow());
    advance(1.0);
    auto form = current<TestFormController>();
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->editingTest());

    for (int k : {1, 3, 2}) {
        root->forceHome();
        tapRow(list()->table(), k);
        advance(1.0);
        form = current<TestFormController>();
        ASSERT_TRUE(form) << k;
        EXPECT_EQ(form->editingTest(),
                  UserData::instance().tests()[static_cast<std::size_t>(k - 1)])
            << k;
    }
}

// The start row's blinking shows in the phone scripts' dumps.
TEST_F(HandsetTestList, ATapOnTheWelcomeLeavesItShowing) {
    start();
    auto home = list();
    tapView(home->bubble());
    EXPECT_TRUE(home->inInitialHelp());
    EXPECT_EQ(home->helpView()->alpha(), 1);
    EXPECT_TRUE(home->addTestRowLabel());
}

} // namespace
} // namespace mevara
