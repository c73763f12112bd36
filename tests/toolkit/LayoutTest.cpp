#include "support/TempDirectory.h"
#include "support/ToolkitFixture.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/ViewController.h"

namespace mevara {
namespace {

struct Form : ViewController {
    Form() : ViewController(std::string()) {}
    std::shared_ptr<Label> title;
    std::shared_ptr<Button> saveButton;
    std::shared_ptr<ImageView> box;
    int saved = 0;
    void bind(Bindings& names) override {
        names.outlet("title", title);
        names.outlet("saveButton", saveButton);
        names.outlet("box", box);
        names.action("onSave", [this] { ++saved; });
    }
};

class LayoutTest : public testsupport::ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = std::make_shared<Form>();
    }
    std::string error(const std::string& json) {
        try {
            LayoutLoader::fromText(*form, json);
        } catch (const LayoutError& e) {
            return e.what();
        }
        return {};
    }
    testsupport::TempDirectory files;
    std::shared_ptr<Form> form;
};

TEST_F(LayoutTest, BuildsWidgetsBindsOutletsAndWiresActions) {
    auto view = LayoutLoader::fromText(*form, R"({
        "backgroundColor": "white",
        "subviews": [
            {"class": "ImageView", "outlet": "box", "frame": "{{10, 50}, {300, 100}}",
             "image": {"name": "form-box", "caps": [16, 16]}},
            {"class": "Label", "outlet": "title", "frame": [10, 10, 300, 30], "text": "About Me",
             "font": ["Helvetica-Bold", 20], "textColor": [0.5, 0.5, 0.5], "alignment": "center"},
            {"class": "Button", "outlet": "saveButton", "frame": "{{100, 200}, {120, 40}}",
             "title": "Save", "action": "onSave",
             "backgroundImage": {"name": "button-blue", "caps": [12, 12]},
             "highlighted": {"titleColor": "gray"}}
        ]})");
    EXPECT_EQ(view->frame(), (Rect{0, 0, 320, 480})) << "a root without a frame fills the screen";
    ASSERT_TRUE(form->title && form->saveButton && form->box);
    EXPECT_EQ(form->title->text(), "About Me");
    EXPECT_EQ(form->title->font().name, "Helvetica-Bold");
    EXPECT_EQ(form->box->image()->name(), "form-box.png");
    EXPECT_EQ(form->box->image()->leftCapWidth(), 16);
    EXPECT_EQ(form->saveButton->name(), "saveButton");

    window->addSubview(view);
    tap(150, 220);
    EXPECT_EQ(form->saved, 1);
}

TEST_F(LayoutTest, NamesThatDoNotResolveAreErrors) {
    EXPECT_NE(error(R"({"subviews": [{"class": "Label", "outlet": "titel"}]})").find("titel"),
              std::string::npos);
    EXPECT_NE(error(R"({"subviews": [{"class": "Button", "action": "onSav"}]})").find("onSav"),
              std::string::npos);
    EXPECT_NE(error(R"({"subviews": [{"class": "Label", "outlet": "saveButton"}]})"), "")
        << "an outlet of the wrong kind";
    EXPECT_NE(error(R"({"subviews": [{"class": "Label", "txet": "x"}]})").find("txet"),
              std::string::npos);
    EXPECT_NE(error(R"({"subviews": [{"class": "Slider"}]})"), "");
    EXPECT_NE(error(R"({"subviews": [{"class": "Label", "font": "Helvetica"}]})"), "");
    EXPECT_NE(error("{not json"), "");
}

TEST_F(LayoutTest, AMissingPictureLeavesItsViewEmptyAndIsReported) {
    LayoutReport report;
    LayoutLoader::fromText(*form, R"({"subviews": [
        {"class": "ImageView", "outlet": "box", "image": "no-such-picture"},
        {"class": "Label", "outlet": "title", "text": "still here"}]})",
                           &report);
    EXPECT_EQ(report.missingPictures, std::vector<std::string>{"no-such-picture"});
    ASSERT_TRUE(form->box && form->title);
    EXPECT_FALSE(form->box->image());
    EXPECT_EQ(form->title->text(), "still here");
}

TEST_F(LayoutTest, AnUnknownFontNameYieldsNoFontAndALabelKeepsItsOwn) {
    EXPECT_FALSE(Font::named("Helvetica Bold", 14).has_value());
    EXPECT_TRUE(Font::named("Helvetica-Oblique", 14).has_value());
    Label label;
    label.setFont(Font::named("Helvetica-Bold", 20));
    label.setFont(Font::named("Helvetica Bold", 14));
    EXPECT_EQ(label.font(), (Font{"Helvetica-Bold", 20}));
    EXPECT_NE(error(R"({"subviews": [{"class": "Label", "font": ["Arial", 12]}]})"), "")
        << "a layout naming a font that does not exist is a mistake";
}

} // namespace
} // namespace mevara
