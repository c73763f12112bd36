// The important information and the settings show as sheets over the wizard, opened from
// the header and closed by their own buttons.
#include "TabletFixture.h"
#include "handset/MoreContentController.h"
#include "handset/SettingsController.h"
#include "toolkit/WebView.h"

namespace mevara {
namespace {

class TabletSheets : public testsupport::TabletTest {
protected:
    template <class T> std::shared_ptr<T> open(const std::string& control) {
        tapView(anywhere(control));
        advance(0.5);
        auto sheet = std::dynamic_pointer_cast<T>(root->modalViewController());
        EXPECT_TRUE(sheet) << control;
        return sheet;
    }
    static std::string backgroundOf(ViewController& sheet) {
        auto background = std::dynamic_pointer_cast<ImageView>(sheet.view()->subviews().front());
        EXPECT_EQ(background->frame(), sheet.view()->bounds());
        return background->image()->name();
    }
};

TEST_F(TabletSheets, PagesAndSettingsAreClosedByTheirButtons) {
    start(OrientationLandscapeLeft);
    auto page = open<MoreContentController>("informationButton");
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->backButton()->isHidden());
    EXPECT_FALSE(page->okButton()->isHidden());
    // Inset 20 from the layout's place, then grown with the sheet; OK sits 20 below.
    const Rect web = page->webView()->frame();
    EXPECT_EQ(web, (Rect{34, 70, 472, 454}));
    EXPECT_EQ(page->okButton()->frame().y - web.maxY(), 20);
    EXPECT_EQ(backgroundOf(*page), "form-bg.png");
    EXPECT_TRUE(page->shouldAutorotateToInterfaceOrientation(OrientationLandscapeRight));
    tapView(page->okButton());
    EXPECT_FALSE(root->modalViewController());
    advance(0.5);

    auto settings = open<SettingsController>("settingsButton");
    ASSERT_TRUE(settings);
    EXPECT_FALSE(settings->save()->isHidden());
    EXPECT_EQ(backgroundOf(*settings), "form-bg.png");
    tapView(settings->save());
    EXPECT_FALSE(root->modalViewController());
}

} // namespace
} // namespace mevara
