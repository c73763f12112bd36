#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/SettingsController.h"
#include "toolkit/ImageView.h"

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

TEST_F(HandsetHelp, SettingsAndPickersHaveNoHelp) {
    tapHeader("settingsButton");
    advance(1.0);
    auto settings = current<SettingsController>();
    ASSERT_TRUE(settings);
    tapMenu(Menu::Help);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), settings);
    EXPECT_EQ(list()->helpView()->alpha(), 0);

    auto form = openFromMenu<AboutMeController>(Menu::AboutMe);
    ASSERT_TRUE(form);
    auto picker = openWith<Picker>("chooseGenderRow");
    ASSERT_TRUE(picker);
    tapMenu(Menu::Help);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), picker);
    EXPECT_EQ(form->helpView()->alpha(), 0);
}

} // namespace
} // namespace mevara
