#include "HandsetFixture.h"
#include "handset/CalendarPickerController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"

#include <functional>

namespace mevara {
namespace {

using testsupport::Menu;

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
