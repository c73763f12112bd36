#include "HandsetFixture.h"
#include "app/ScreenTargets.h"
#include "handset/AboutMeController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/SettingsController.h"
#include "platform/Directories.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "toolkit/Switch.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebView.h"

#include <functional>

namespace mevara {
namespace {

using testsupport::Menu;

class HandsetNavigation : public testsupport::StartedHandsetTest {
protected:
    // Opens an area from the menu and lets its slide finish.
    void openArea(Menu which) {
        tapMenu(which);
        advance(1.0);
    }
    void expectListShown(const std::shared_ptr<TestListController>& shownList) {
        ASSERT_TRUE(shownList);
        EXPECT_EQ(root->currentViewController(), shownList);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0], shownList->view());
        EXPECT_TRUE(root->left()->subviews().empty());
        EXPECT_TRUE(root->right()->subviews().empty());
    }
};

TEST_F(HandsetNavigation, MenuAreasOpenAfterTheFooterMovesAwayFromHome) {
    struct Area {
        Menu button;
        std::string className;
    };
    // Home on the list only brings its highlight back.
    root->highlightMenuButton(Menu::Compare);
    tapMenu(Menu::Home);
    EXPECT_TRUE(root->left()->subviews().empty());
    // Each round ends back home, where the next begins.
    for (const Area& area :
         {Area{Menu::AboutMe, "AboutMeController"}, Area{Menu::More, "MoreMenuController"},
          Area{Menu::Compare, "ExposureComparisonController"}}) {
        SCOPED_TRACE(area.className);
        EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
        auto home = list();
        EXPECT_EQ(root->currentViewController(), home);

        tapMenu(area.button);
        EXPECT_EQ(highlighted(), std::vector<Menu>{area.button});
        EXPECT_EQ(home->footer()->transform(), Transform::translation(0, 84));
        EXPECT_EQ(home->table()->frame().height, 349);
        advance(0.45);
        EXPECT_EQ(root->currentViewController(), home);
        advance(0.1);
        ASSERT_TRUE(root->currentViewController());
        EXPECT_EQ(root->currentViewController()->className(), area.className);
        advance(0.5);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0], root->currentViewController()->view());
        EXPECT_EQ(highlighted(), std::vector<Menu>{area.button});

        // Home slides the list back and brings its footer back half a second later.
        tapMenu(Menu::Home);
        EXPECT_EQ(root->currentViewController(), home);
        advance(0.5);
        EXPECT_TRUE(home->footer()->transform().isIdentity());
        EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
        expectListShown(home);
    }
}

// Information and settings highlight nothing.
TEST_F(HandsetNavigation, AwayFromHomeAreasSwitchAtOnceAndOpenOnce) {
    openArea(Menu::AboutMe);
    struct Step {
        std::shared_ptr<View> button;
        std::string className;
        std::vector<Menu> highlight;
    };
    auto header = [&](const char* name) { return find(name, root->headerBar()); };
    for (const Step& step :
         {Step{root->menuButton(Menu::Compare), "ExposureComparisonController", {Menu::Compare}},
          Step{root->menuButton(Menu::More), "MoreMenuController", {Menu::More}},
          Step{header("settingsButton"), "SettingsController", {}},
          Step{header("informationButton"), "MoreContentController", {}},
          Step{root->menuButton(Menu::AboutMe), "AboutMeController", {Menu::AboutMe}}}) {
        SCOPED_TRACE(step.className);
        tapView(step.button);
        ASSERT_TRUE(root->currentViewController());
        EXPECT_EQ(root->currentViewController()->className(), step.className);
        EXPECT_EQ(highlighted(), step.highlight);
        advance(0.5);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0], root->currentViewController()->view());
        EXPECT_EQ(highlighted(), step.highlight);
        // Tapped again, it stays as it is.
        auto there = root->currentViewController();
        tapView(step.button);
        advance(1.0);
        EXPECT_EQ(root->currentViewController(), there);
        EXPECT_EQ(highlighted(), step.highlight);
    }
}

TEST_F(HandsetNavigation, ForceHomeLoadsAFreshListFromEveryArea) {
    for (Menu area : {Menu::AboutMe, Menu::More, Menu::Compare}) {
        auto before = list();
        openArea(area);
        root->forceHome();
        EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
        EXPECT_NE(list(), before);
        expectListShown(list());
    }
}

// A step deferred by an earlier tap never runs after Home or a rebuilt home screen, so
// the screen shown and the highlight agree; the last of two crossfades keeps its picture.
TEST_F(HandsetNavigation, StaleDeferredStepsNeverOverrideTheLatestNavigation) {
    struct Race {
        const char* name;
        std::function<void()> tap, then; // no `then`: leaving with saving off
        bool endsHome;
    };
    setProfile("Male", "19 - 29");
    addTest("Head", 1, 2);
    list()->reload();
    const std::vector<Race> races{
        {"row tap, then leaving", [&] { tapRow(list()->table(), 1); }, nullptr, true},
        {"menu tap, then leaving", [&] { tapMenu(Menu::More); }, nullptr, true},
        {"compare, then leaving",
         [&] {
             tapAt(*list()->footer(), {130, 42});
         },
         nullptr, true},
        {"Home, then About Me",
         [&] {
             openArea(Menu::More);
             tapMenu(Menu::Home);
         },
         [&] { tapMenu(Menu::AboutMe); }, false},
        {"Home, then the home screen rebuilt",
         [&] {
             openArea(Menu::AboutMe);
             tapMenu(Menu::Home);
         },
         [&] { root->forceHome(); }, true},
    };
    for (const Race& race : races) {
        SCOPED_TRACE(race.name);
        UserData::instance().setSaveData(race.then != nullptr);
        race.tap();
        advance(0.2);
        if (race.then) {
            race.then();
        } else {
            resign();
            advance(0.1);
            activate();
        }
        advance(1.5);
        if (race.endsHome) {
            ASSERT_TRUE(current<TestListController>());
            expectListShown(list());
            EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});
        } else {
            ASSERT_TRUE(current<AboutMeController>());
            ASSERT_EQ(shown().size(), 1u);
            EXPECT_EQ(shown()[0], root->currentViewController()->view());
            EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::AboutMe});
        }
        openArea(Menu::Home);
    }

    root->crossfadeBackground(Image::named("form-bg.png"));
    advance(0.2);
    root->crossfadeBackground(Image::named("home-bg.png"));
    advance(1.0);
    ASSERT_TRUE(root->backgroundView()->image());
    EXPECT_EQ(root->backgroundView()->image()->name(), "home-bg.png");
    EXPECT_EQ(root->backgroundView()->alpha(), 1);
}

TEST_F(HandsetNavigation, OnlyPortraitIsAllowed) {
    for (int orientation : {2, 3, 4})
        EXPECT_FALSE(window->rotate(orientation)) << orientation;
    EXPECT_TRUE(window->rotate(1));
}

TEST_F(HandsetNavigation, TheDisclaimerCoversEverythingUntilAcknowledged) {
    root->showDisclaimer();
    EXPECT_FLOAT_EQ(root->disclaimerBackground()->alpha(), 0.75f);
    EXPECT_FLOAT_EQ(root->disclaimer()->alpha(), 1);
    EXPECT_EQ(root->view()->subviews().back(), root->disclaimer());

    tapMenu(Menu::Compare);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), list());
    EXPECT_EQ(highlighted(), std::vector<Menu>{Menu::Home});

    root->hideDisclaimer();
    EXPECT_EQ(root->disclaimerBackground()->alpha(), 0);
    EXPECT_EQ(root->disclaimer()->alpha(), 0);
}

namespace fs = std::filesystem;

// A shipped page as the screens load it.
std::string shipped(const std::string& file) {
    return TextFile::readUtf8(MoreContentController::pagesDirectory() / file).value_or("");
}

// The "save" flag in the user's data file.
std::optional<bool> savedFlag() {
    auto saved = PropertyList::readDictionary(UserData::userDataPath());
    return saved ? booleanValue(*saved, "save") : std::nullopt;
}

class HandsetInformation : public testsupport::StartedHandsetTest {
protected:
    std::shared_ptr<MoreContentController> openPage(const std::string& file) {
        auto page = std::make_shared<MoreContentController>();
        page->setPageTitle("Page");
        page->setFile(file);
        root->openScreen(page);
        advance(1.0);
        return page;
    }
};

TEST(InformationPages, BaseAddressDoublesSlashesAndEscapesSpaces) {
    const fs::path folder = "/tmp/my pages/html";
    const std::string base = MoreContentController::baseAddressForDirectory(folder);
    EXPECT_EQ(base, "file:///tmp//my%20pages//html//");
    // The web view still finds the page's neighbours from it.
    const WebTarget css = resolveWebReference("pages.css", base);
    EXPECT_EQ(css.kind, WebTarget::Kind::Local);
    EXPECT_EQ(css.path, folder / "pages.css");
}

TEST_F(HandsetInformation, MenuRowsOpenTheirPagesWithABackButton) {
    struct Row {
        const char* action;
        const char* title;
        const char* file;
    };
    for (const Row& row :
         {Row{"whatIsRadiation", "What is Radiation?", "WhatIsRadiation.html"},
          Row{"imagingTests", "Imaging Tests", "ImagingTests.html"},
          Row{"alternatives", "Alternatives", "Alternatives.html"},
          Row{"questionsToAsk", "Questions to Ask", "QuestionsToAsk.html"},
          Row{"whatAreMilliseverts", "What are Millisieverts?", "WhatareMillisieverts.html"},
          Row{"references", "References", "References.html"}}) {
        SCOPED_TRACE(row.action);
        auto menu = current<MoreMenuController>();
        if (!menu) menu = openFromMenu<MoreMenuController>(Menu::More);
        ASSERT_TRUE(menu);
        tapOnScreen(std::string(row.action) + "Row");
        advance(1.0);
        auto page = current<MoreContentController>();
        ASSERT_TRUE(page);
        EXPECT_EQ(page->file(), row.file);
        EXPECT_EQ(page->titleLabel()->text(), row.title);
        EXPECT_FALSE(page->backButton()->isHidden());
        EXPECT_TRUE(page->okButton()->isHidden());
        EXPECT_EQ(page->webView()->html(), shipped(row.file));
        EXPECT_EQ(shown().size(), 1u);

        // Back is always a fresh menu; on the desktop Escape presses it (every other row).
        if (std::string_view(row.action).size() % 2)
            ASSERT_TRUE(pressBackButton(*window));
        else
            tapOnScreen("backButton");
        advance(1.0);
        auto again = current<MoreMenuController>();
        ASSERT_TRUE(again);
        EXPECT_NE(again, menu);
    }
    EXPECT_TRUE(window->alerts().empty());

    // The menu's own back goes home and rebuilds the list.
    tapOnScreen("backButton");
    EXPECT_EQ(root->currentViewController(), list());
    advance(1.0);
    EXPECT_TRUE(list()->footer()->transform().isIdentity());
}

TEST_F(HandsetInformation, ImportantInformationHasNoBackUntilAskedFor) {
    tapHeader("informationButton");
    advance(1.0);
    auto info = current<MoreContentController>();
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->backButton()->isHidden());
    EXPECT_EQ(info->titleLabel()->frame().x, 64);
    EXPECT_EQ(info->titleLabel()->text(), "Important Information");
    EXPECT_EQ(info->webView()->html(), shipped("Information.html"));
    // Changing the flag on a shown page moves the title along.
    info->setShowBackButton(true);
    EXPECT_FALSE(info->backButton()->isHidden());
    EXPECT_EQ(info->titleLabel()->frame().x, 78);
}

TEST_F(HandsetInformation, AMissingPageStaysEmptyAndQuiet) {
    auto page = openPage("NoSuchPage.html");
    ASSERT_EQ(root->currentViewController(), page);
    EXPECT_EQ(page->webView()->html(), "");
    EXPECT_EQ(page->webView()->visibleText(), "");
    EXPECT_TRUE(window->alerts().empty());
}

TEST_F(HandsetInformation, APageThatNeedsTheNetworkSaysNotConnected) {
    // Resources in a folder with a space, the shipped ones linked in beside the test page.
    const fs::path shipped = Directories::current().resources;
    const fs::path resources = dir.path() / "my resources";
    dir.write(resources / "html" / "Offline.html",
              "<h2>Offline</h2><p><img src=\"http://example.com/x.png\"></p>");
    for (const char* part : {"layouts", "images", "web"})
        fs::create_directory_symlink(shipped / part, resources / part);
    Directories::configure({dir.documents(), dir.caches(), resources});

    auto page = openPage("Offline.html");
    EXPECT_EQ(page->webView()->baseURL(),
              MoreContentController::baseAddressForDirectory(resources / "html"));
    EXPECT_NE(page->webView()->visibleText().find("Offline"), std::string::npos);
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Not Connected");
    pressAlertButton(0);
    EXPECT_EQ(root->currentViewController(), page);
}

TEST_F(HandsetInformation, SwitchingSavingOffWritesAtOnceAndOnWaitsForTheNextSave) {
    auto& data = UserData::instance();
    data.setGender("Male");
    data.save();
    tapHeader("settingsButton");
    advance(1.0);
    auto settings = current<SettingsController>();
    ASSERT_TRUE(settings);
    tapView(settings->saveData());
    EXPECT_FALSE(data.saveData());
    EXPECT_EQ(savedFlag(), false);
    auto saved = PropertyList::readDictionary(UserData::userDataPath());
    ASSERT_TRUE(saved);
    EXPECT_EQ(stringValue(*saved, "gender"), nullptr);
    EXPECT_EQ(data.gender(), "Male") << "memory keeps it until the app resigns";

    tapView(settings->saveData());
    EXPECT_TRUE(data.saveData());
    EXPECT_EQ(savedFlag(), false);
    data.save();
    EXPECT_EQ(savedFlag(), true);
}

} // namespace
} // namespace mevara
