#include "HandsetFixture.h"
#include "handset/AboutMeController.h"
#include "handset/MoreContentController.h"
#include "handset/Picker.h"
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

// Right after a start, before any navigation: Help reaches the home list, and no bubble
// survives a change of screen.
class HandsetHelpAtStart : public testsupport::HandsetTest {};

TEST_F(HandsetHelpAtStart, BubblesObeyHelpAndNeverSurviveAScreenChange) {
    struct Start {
        const char* name;
        bool returning;
        std::optional<Menu> away;
    };
    for (const Start& at :
         {Start{"fresh, Help", false, {}}, Start{"fresh, About Me", false, Menu::AboutMe},
          Start{"returning, mSv bubble, Compare", true, Menu::Compare},
          Start{"returning, mSv bubble, Help", true, {}}}) {
        SCOPED_TRACE(at.name);
        TearDown();
        SetUp();
        if (at.returning) {
            setProfile("Female", "30 - 39");
            addTest("Head", 1, 2);
        }
        start();
        auto home = list();
        if (at.returning) {
            // The unit button over a row's dose.
            const Rect row = home->table()->rectForRowAtIndexPath({0, 1});
            tapAt(*home->table(), {row.x + 258, row.y + 27});
        }
        ASSERT_EQ(home->helpView()->alpha(), 1);
        if (at.away) {
            tapMenu(*at.away);
            advance(1.5);
            tapMenu(Menu::Home);
            advance(1.5);
        } else {
            tapMenu(Menu::Help);
        }
        EXPECT_EQ(home->helpView()->alpha(), 0);
        EXPECT_EQ(root->currentViewController(), home);
    }
}

TEST_F(HandsetHelp, TheSecondTapHidesAndTheViewSettlesASecondLater) {
    auto home = list();
    EXPECT_EQ(home->helpView()->alpha(), 0);
    tapMenu(Menu::Help);
    EXPECT_EQ(home->helpView()->alpha(), 1);
    EXPECT_TRUE(home->moreButton()->isHidden());
    tapMenu(Menu::Help);
    EXPECT_EQ(home->helpView()->alpha(), 0);
    advance(0.75);
    EXPECT_EQ(home->helpView()->frame(), (Rect{0, 0, 320, 397}));
    advance(0.25);
    EXPECT_EQ(home->helpView()->frame(), (Rect{0, 48, 320, 348}));
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
}

TEST_F(HandsetHelp, TheAvatarFollowsTheStoredGender) {
    auto home = list();
    for (auto [gender, picture] : {std::pair{"", "man1.png"}, std::pair{"Female", "woman1.png"},
                                   std::pair{"Male", "man1.png"}}) {
        UserData::instance().setGender(gender);
        tapMenu(Menu::Help);
        ASSERT_TRUE(home->helpAvatar()->image()) << gender;
        EXPECT_EQ(home->helpAvatar()->image()->name(), picture) << gender;
        tapMenu(Menu::Help);
    }
}

TEST_F(HandsetHelp, OnlyATapInsideTheBubbleClosesIt) {
    auto home = list();
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
    tapView(find("msvHelpButton", cell));
    EXPECT_EQ(home->helpView()->alpha(), 1);
    EXPECT_FALSE(home->moreButton()->isHidden());

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

    tapMenu(Menu::AboutMe);
    advance(1.0);
    auto form = current<AboutMeController>();
    ASSERT_TRUE(form);
    tapOnScreen("chooseGenderRow");
    advance(1.0);
    auto picker = current<Picker>();
    ASSERT_TRUE(picker);
    tapMenu(Menu::Help);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), picker);
    EXPECT_EQ(form->helpView()->alpha(), 0);
}

} // namespace
} // namespace mevara
