#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/CalendarPickerController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/TestFormController.h"

#include <functional>

namespace mevara {
namespace {

using testsupport::Menu;

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

class HandsetHelp : public testsupport::HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        // With a test recorded the list opens without its welcome.
        addTest("Chest (Two Views)", 1, 0.1f);
        start();
    }
};

TEST_F(HandsetHelp, HelpTogglesTheListsBubbleAndOnlyATapInsideClosesIt) {
    auto home = list();
    // The avatar follows the gender stored at that moment.
    for (auto [gender, picture] : {std::pair{"Female", "woman1.png"}, {"Male", "man1.png"}}) {
        UserData::instance().setGender(gender);
        tapMenu(Menu::Help);
        EXPECT_EQ(home->helpView()->alpha(), 1);
        EXPECT_TRUE(home->moreButton()->isHidden());
        ASSERT_TRUE(home->helpAvatar()->image()) << gender;
        EXPECT_EQ(home->helpAvatar()->image()->name(), picture) << gender;
        tapMenu(Menu::Help);
        EXPECT_EQ(home->helpView()->alpha(), 0);
    }
    // The view settles a second after the bubble closes.
    advance(0.75);
    EXPECT_EQ(home->helpView()->frame(), (Rect{0, 0, 320, 397}));
    advance(0.25);
    EXPECT_EQ(home->helpView()->frame(), (Rect{0, 48, 320, 348}));
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});

    tapMenu(Menu::Help);
    const Rect bubble = home->bubble()->frame();
    // Right of the bubble, still over the help view.
    tapAt(*home->helpView(), {bubble.maxX() + 30, bubble.y + 10});
    EXPECT_EQ(home->helpView()->alpha(), 1);
    tapView(home->bubble());
    EXPECT_EQ(home->helpView()->alpha(), 0);
}

TEST_F(HandsetHelp, TheUnitBubbleAloneOffersMore) {
    auto home = list();
    auto cell = home->table()->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(cell);
    // Help closes the unit's bubble, then opens its own without the More button.
    tapView(find("msvHelpButton", cell));
    tapMenu(Menu::Help);
    EXPECT_EQ(home->helpView()->alpha(), 0);
    tapMenu(Menu::Help);
    EXPECT_EQ(home->helpView()->alpha(), 1);
    EXPECT_TRUE(home->moreButton()->isHidden());

    tapMenu(Menu::Help);
    tapView(find("msvHelpButton", cell));
    tapView(home->moreButton());
    auto page = current<MoreContentController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->pageTitle(), "What are Millisieverts?");
    EXPECT_EQ(page->file(), "WhatareMillisieverts.html");
    // Its Back leads on to the More menu rather than home.
    tapOnScreen("backButton");
    advance(1.0);
    EXPECT_TRUE(current<MoreMenuController>());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], root->currentViewController()->view());
}

// Help toggles each screen's own bubble; settings, lists and the calendar have none, and
// Help leaves them and the screen under them alone.
TEST_F(HandsetHelp, EachScreenTogglesItsOwnBubbleOrHasNone) {
    setProfile("Female", "30 - 39");
    const auto form = [&] {
        tapRow(list()->table(), 0);
        advance(1.0);
        return current<HelpHandler>();
    };
    struct Case {
        const char* words; // how the bubble starts, or null: no help
        // Opens the screen and gives the one under it.
        std::function<std::shared_ptr<HelpHandler>()> open;
    };
    for (const Case& c : std::vector<Case>{
             {"This Mevara is used to", form},
             {MoreMenuController::helpMessage,
              [&] { return openFromMenu<HelpHandler>(Menu::More) ? list() : nullptr; }},
             {nullptr,
              [&] {
                  tapHeader("settingsButton");
                  advance(1.0);
                  return list();
              }},
             {nullptr,
              [&] {
                  auto below = openFromMenu<HelpHandler>(Menu::AboutMe);
                  openWith<Picker>("chooseGenderRow");
                  return below;
              }},
             {nullptr,
              [&] {
                  auto below = form();
                  openWith<CalendarPickerController>("chooseDateRow");
                  return below;
              }},
         }) {
        SCOPED_TRACE(c.words ? c.words : "none");
        auto below = c.open();
        ASSERT_TRUE(below);
        auto shown = root->currentViewController();
        auto help = std::dynamic_pointer_cast<HelpHandler>(shown);
        tapMenu(Menu::Help);
        advance(1.0);
        EXPECT_EQ(root->currentViewController(), shown);
        if (c.words) {
            ASSERT_TRUE(help && help->isHelpShowing());
            EXPECT_EQ(help->bubbleText()->text().rfind(c.words, 0), 0u);
            tapMenu(Menu::Help);
            advance(1.5);
            EXPECT_FALSE(help->isHelpShowing());
        } else {
            EXPECT_FALSE(help && help->isHelpShowing());
            EXPECT_EQ(below->helpView()->alpha(), 0);
        }
        root->forceHome();
        advance(1.0);
    }
}

} // namespace
} // namespace mevara
