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
    std::shared_ptr<Form> form;
};

// Frames, texts and picture names show in every screen's dump; fonts and caps do not.
TEST_F(LayoutTest, BuildsWidgetsBindsOutletsAndWiresActions) {
    auto view = LayoutLoader::fromText(*form, R"({"subviews": [
        {"class": "ImageView", "outlet": "box", "image": {"name": "form-box", "caps": [16, 16]}},
        {"class": "Label", "outlet": "title", "font": ["Helvetica-Bold", 20]},
        {"class": "Button", "outlet": "saveButton", "frame": "{{100, 200}, {120, 40}}",
         "action": "onSave"}]})");
    ASSERT_TRUE(form->title && form->saveButton && form->box);
    EXPECT_EQ(form->title->font(), (Font{"Helvetica-Bold", 20}));
    EXPECT_EQ(form->box->image()->leftCapWidth(), 16);
    EXPECT_EQ(form->box->image()->topCapHeight(), 16);
    window->addSubview(view);
    tap(150, 220);
    EXPECT_EQ(form->saved, 1);
}

TEST_F(LayoutTest, NamesThatDoNotResolveAreErrorsThatNameThem) {
    const std::pair<const char*, const char*> mistakes[] = {
        {R"({"subviews": [{"class": "Label", "outlet": "titel"}]})", "titel"},
        {R"({"subviews": [{"class": "Button", "action": "onSav"}]})", "onSav"},
        {R"({"subviews": [{"class": "Label", "txet": "x"}]})", "txet"},
        {R"({"subviews": [{"class": "Label", "outlet": "saveButton"}]})", ""}, // wrong kind
        {R"({"subviews": [{"class": "Slider"}]})", ""},
        {R"({"subviews": [{"class": "Label", "font": "Helvetica"}]})", ""},
        {R"({"subviews": [{"class": "Label", "font": ["Arial", 12]}]})", ""},
        {"{not json", ""},
    };
    for (const auto& [json, name] : mistakes) {
        SCOPED_TRACE(json);
        const std::string message = error(json);
        EXPECT_NE(message, "");
        EXPECT_NE(message.find(name), std::string::npos) << message;
    }
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
}

} // namespace
} // namespace mevara
