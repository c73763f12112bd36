#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/TestFormController.h"

namespace mevara {
namespace {

// Noon, well clear of a day boundary in the test zone.
const Date march15 =
    std::chrono::sys_days{std::chrono::year{2026} / 3 / 15} + std::chrono::hours{12};

class HandsetTestList : public testsupport::HandsetTest {
protected:
    std::shared_ptr<TableViewCell> row(int index) {
        return list()->table()->cellForRowAtIndexPath({0, index});
    }
};

TEST_F(HandsetTestList, TheDoseShowsWholeAndSitsLowerOnlyWhenTheDetailLineIsShort) {
    addTest("Chest (Two Views)", 1, 0.1f);
    addTest("Chest (Two Views)", 2, 12.5f, march15);
    addTest("Whole Body", 99, 2247.3f); // 99 of the catalogue's largest dose
    start();
    struct Expected {
        int row;
        std::string detail, value;
        bool middle;
    };
    for (const Expected& e :
         {Expected{1, "Chest (Two Views), 1 test", "0.10", true},
          Expected{2, "Chest (Two Views), 2 tests on Mar 15, 2026", "12.50", false},
          Expected{3, "Whole Body, 99 tests", "2,247.30", true}}) {
        SCOPED_TRACE(e.detail);
        auto cell = row(e.row);
        ASSERT_TRUE(cell);
        auto detail = find<Label>("detail", cell);
        auto value = find<Label>("value", cell);
        auto unit = labelReading(cell, "mSv");
        ASSERT_TRUE(detail && value && unit);
        EXPECT_EQ(detail->text(), e.detail);
        EXPECT_EQ(15 + detail->sizeOfText(detail->text(), {9999, 9999}).width <= 185, e.middle);
        EXPECT_EQ(value->text(), e.value);
        const TextLayout drawn = value->layout();
        ASSERT_EQ(drawn.lines.size(), 1u);
        EXPECT_EQ(drawn.lines[0].text, e.value); // not cut short
        EXPECT_EQ(value->frame().y, e.middle ? 16 : 5);
        EXPECT_EQ(unit->frame().y, e.middle ? 21 : 10);
    }
}

TEST_F(HandsetTestList, WithTestsNothingBlinksAndDeleteAllAsksFirst) {
    addTest("Head", 1, 2);
    addTest("Abdomen", 3, 8.5f);
    start();
    EXPECT_EQ(list()->totalExposure()->text(), "10.50");
    EXPECT_FALSE(list()->inInitialHelp());
    EXPECT_EQ(list()->helpView()->alpha(), 0);
    EXPECT_FALSE(list()->addTestRowLabel());
    auto add = labelReading(row(0), "Add Test");
    ASSERT_TRUE(add);
    for (int i = 0; i < 4; ++i) {
        advance(0.25);
        EXPECT_EQ(add->alpha(), 1);
    }

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

TEST_F(HandsetTestList, ATapLeavesTheWelcomeAndTheStartRowBlinks) {
    start();
    auto home = list();
    tapView(home->bubble());
    EXPECT_TRUE(home->inInitialHelp());
    EXPECT_EQ(home->helpView()->alpha(), 1);

    auto label = home->addTestRowLabel();
    ASSERT_TRUE(label);
    EXPECT_EQ(label->alpha(), 1);
    for (float expected : {0.3f, 1.0f, 0.3f, 1.0f}) {
        advance(0.25);
        EXPECT_NE(label->alpha(), expected);
        advance(0.25);
        EXPECT_FLOAT_EQ(label->alpha(), expected);
    }
}

} // namespace
} // namespace mevara
