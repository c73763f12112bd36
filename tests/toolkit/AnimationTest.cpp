#include "support/ToolkitFixture.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/View.h"
#include "toolkit/ViewController.h"

#include <vector>

namespace mevara {
namespace {

using testsupport::ToolkitTest;
using AnimationTest = ToolkitTest;

// Frames and alphas mid-slide show in the screens' tests and the scripts' dumps.
TEST_F(AnimationTest, ATransformMovesWithEaseInOut) {
    auto view = std::make_shared<View>(Rect{0, 0, 100, 50});
    auto& loop = RunLoop::main();
    const double start = now();
    loop.beginAnimations("slide");
    loop.setAnimationDuration(0.5);
    view->setTransform(Transform::translation(-320, 0));
    loop.commitAnimations();
    EXPECT_GT(view->presentationTransform(start + 0.05).tx, -20) << "eases in";
    EXPECT_NEAR(view->presentationTransform(start + 0.25).tx, -160, 0.01);
    EXPECT_TRUE(view->isAnimating(start + 0.4));
    EXPECT_EQ(view->presentationTransform(start + 0.6).tx, -320);
}

TEST_F(AnimationTest, DefaultsDelayAndChangesOutsideABlock) {
    auto view = std::make_shared<View>(Rect{0, 0, 10, 10});
    auto& loop = RunLoop::main();
    const double start = now();
    loop.beginAnimations();
    loop.setAnimationDelay(1.0);
    view->setAlpha(0);
    view->setHidden(true);
    loop.commitAnimations();
    EXPECT_TRUE(view->isHidden()) << "hidden never animates";
    EXPECT_EQ(view->presentationAlpha(start + 0.9), 1) << "waits for its delay";
    EXPECT_NEAR(view->presentationAlpha(start + 1.1), 0.5, 0.01) << "then 0.2 s by default";
    EXPECT_EQ(view->presentationAlpha(start + 1.25), 0);

    view->setAlpha(0.3f);
    EXPECT_EQ(view->presentationAlpha(start + 1.05), 0.3f)
        << "outside a block a change is immediate";
}

TEST_F(AnimationTest, AnAnimationStartsFromWhatIsOnScreen) {
    auto view = std::make_shared<View>(Rect{0, 0, 10, 10});
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(1.0);
    view->setFrame({100, 0, 10, 10});
    loop.commitAnimations();
    loop.advance(0.5);
    loop.beginAnimations();
    loop.setAnimationDuration(1.0);
    view->setFrame({0, 0, 10, 10});
    loop.commitAnimations();
    EXPECT_NEAR(view->presentationFrame(now()).x, 50, 0.01) << "no jump back to the old target";
}

TEST_F(AnimationTest, ScaleThenTranslateShrinksToAPointAwayFromTheCentre) {
    const Transform collapsed = Transform::scale(0.01f, 0.01f).translated(20000, 40000);
    const Point moved = collapsed.apply({0, 0});
    EXPECT_NEAR(moved.x, 200, 0.01);
    EXPECT_NEAR(moved.y, 400, 0.01);

    auto bubble = std::make_shared<View>(Rect{10, 10, 100, 100});
    window->addSubview(bubble);
    bubble->setTransform(collapsed);
    // The centre (60, 60) is drawn at (260, 460); a point there maps back to the centre.
    const Point inside = bubble->convertPointFromView({260, 460}, nullptr);
    EXPECT_NEAR(inside.x, 50, 0.5);
    EXPECT_NEAR(inside.y, 50, 0.5);
}

TEST(RectText, ParsesThePlatformForm) {
    EXPECT_EQ(rectFromString("{{10, 20.5}, {300, -4}}"), (Rect{10, 20.5f, 300, -4}));
    EXPECT_EQ(rectFromString("{{1,2},{3,4}}"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(rectFromString("garbage"), (Rect{}));
    EXPECT_EQ(rectFromString(stringFromRect({1.5f, 2, 3, 4})), (Rect{1.5f, 2, 3, 4}));
}

TEST_F(AnimationTest, DelayedCallsRunInTimeOrderEachAtItsTimeAndKeepTheirTarget) {
    auto& loop = RunLoop::main();
    std::vector<std::pair<int, double>> ran;
    const double start = now();
    auto target = std::make_shared<int>(7);
    std::weak_ptr<int> watch = target;
    loop.performAfterDelay(
        0.5, [&] { ran.emplace_back(2, now() - start); }, target);
    loop.performAfterDelay(0.2, [&] {
        ran.emplace_back(1, now() - start);
        // Scheduled from inside a call, due before the end of the advance.
        loop.performAfterDelay(0.1, [&] { ran.emplace_back(3, now() - start); });
    });
    loop.performAfterDelay(0.5, [&] { ran.emplace_back(4, now() - start); });
    target.reset();
    EXPECT_FALSE(watch.expired()) << "the call holds its target";

    loop.advance(0.25);
    ASSERT_EQ(ran.size(), 1u);
    loop.advance(1.0);
    ASSERT_EQ(ran.size(), 4u);
    EXPECT_EQ(ran[0].first, 1);
    EXPECT_NEAR(ran[0].second, 0.2, 1e-9);
    EXPECT_EQ(ran[1].first, 3);
    EXPECT_NEAR(ran[1].second, 0.3, 1e-9);
    EXPECT_EQ(ran[2].first, 2) << "equal times keep their order";
    EXPECT_EQ(ran[3].first, 4);
    EXPECT_TRUE(watch.expired());
}

struct Stepper : ViewController {
    explicit Stepper(std::shared_ptr<int> steps) : ViewController(std::string()), steps(steps) {}
    std::shared_ptr<int> steps;
    void bind(Bindings& names) override {
        names.action("step", [this] { ++*steps; });
    }
};

TEST_F(AnimationTest, NamedDelayedPerformKeepsTheControllerAlive) {
    auto steps = std::make_shared<int>(0);
    auto controller = std::make_shared<Stepper>(steps);
    std::weak_ptr<Stepper> watch = controller;
    controller->performAfterDelay("step", 0.5);
    controller->performAfterDelay("noSuchAction", 0.5);
    controller.reset();
    ASSERT_FALSE(watch.expired());
    RunLoop::main().advance(0.4);
    EXPECT_EQ(*steps, 0);
    RunLoop::main().advance(0.1);
    EXPECT_EQ(*steps, 1);
    EXPECT_TRUE(watch.expired());
}

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
