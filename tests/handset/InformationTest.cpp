#include "HandsetFixture.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/SettingsController.h"
#include "platform/Directories.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "toolkit/Switch.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebView.h"

namespace mevara {
namespace {

namespace fs = std::filesystem;
using testsupport::Menu;

// A shipped page as the screens load it.
std::string shipped(const std::string& file) {
    return TextFile::readUtf8(MoreContentController::pagesDirectory() / file).value_or("");
}

// The "save" flag in the user's data file.
std::optional<bool> savedFlag() {
    auto saved = PropertyList::readDictionary(UserData::userDataPath());
    return saved ? booleanValue(*saved, "save") : std::nullopt;
}

class HandsetInformation : public testsupport::HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        start();
    }
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

        // Back is always a fresh menu.
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
