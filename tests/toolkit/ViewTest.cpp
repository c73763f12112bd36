#include "support/ToolkitFixture.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/Switch.h"
#include "toolkit/TableView.h"
#include "toolkit/TextLayout.h"
#include "toolkit/ViewController.h"

namespace mevara {
namespace {

using ViewTest = testsupport::ToolkitTest;

// Every character 10 points wide, lines 20 high: layouts that can be checked by eye.
struct TenPoints : FontEngine {
    float width(const Font&, std::string_view text) const override {
        float width = 0;
        for (unsigned char ch : text)
            if ((ch & 0xC0) != 0x80) width += 10;
        return width;
    }
    float lineHeight(const Font&) const override { return 20; }
    float ascent(const Font&) const override { return 15; }
};

std::vector<std::string> lines(const TextLayout& layout) {
    std::vector<std::string> result;
    for (const auto& line : layout.lines)
        result.push_back(line.text);
    return result;
}

TEST(TextLayoutTest, WrapsWithinTheHeightAndMeasures) {
    const TenPoints engine;
    const Font font = Font::defaultFont();
    auto cut = TextLayout::make(engine, "one two three four five", font, {100, 40},
                                LineBreakMode::WordWrap, 0);
    EXPECT_EQ(cut.lines.size(), 2u) << "no more lines than the height holds";
    EXPECT_LE(cut.lines[1].width, 100);

    EXPECT_EQ(sizeWithFont(engine, "0.02", font, {9999, 9999}, LineBreakMode::WordWrap),
              (Size{40, 20}));
    auto breaks = TextLayout::make(engine, "a\nb", font, {100, 100}, LineBreakMode::WordWrap, 0);
    EXPECT_EQ(lines(breaks), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ViewTest, ShrinkToFitStopsAtTheMinimumThenTruncates) {
    Application::shared().setFontEngine(std::make_shared<TenPoints>());
    auto label = std::make_shared<Label>(Rect{0, 0, 100, 20});
    label->setText("0123456789ABCDEF");
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(12);
    // The engine ignores sizes, so the font shrinks all the way and the text still truncates.
    auto layout = label->layout();
    EXPECT_EQ(layout.font.pointSize, 12);
    EXPECT_EQ(layout.lines.at(0).width, 100);
}

TEST_F(ViewTest, AViewCannotHoldItsOwnAncestor) {
    auto parent = std::make_shared<View>(), child = std::make_shared<View>();
    parent->addSubview(child);
    child->addSubview(parent);
    EXPECT_EQ(parent->superview(), nullptr);
    EXPECT_TRUE(child->subviews().empty());
}

struct Turning : ViewController {
    Turning() : ViewController(std::string()) {}
    bool mayTurn = false;
    std::vector<int> told;
    bool shouldAutorotateToInterfaceOrientation(int) override { return mayTurn; }
    void willRotateToInterfaceOrientation(int orientation, double) override {
        told.push_back(orientation);
    }
};

// A landscape tablet window holding a Turning root.
std::shared_ptr<Turning> tabletRoot(Window& window) {
    Application::shared().setIdiom(DeviceIdiom::Tablet);
    Application::shared().setOrientation(OrientationLandscapeLeft);
    window.setFrame({0, 0, 1024, 768});
    auto root = std::make_shared<Turning>();
    window.setRootViewController(root);
    return root;
}

// Asking first: HandsetNavigation.OnlyPortraitIsAllowed.
TEST_F(ViewTest, RotationResizesTheRootsView) {
    auto root = tabletRoot(*window);
    root->mayTurn = true;
    EXPECT_TRUE(window->rotate(OrientationPortrait));
    EXPECT_EQ(root->told, std::vector<int>{OrientationPortrait});
    EXPECT_EQ(root->view()->frame(), (Rect{0, 0, 768, 1024}));
}

TEST_F(ViewTest, AFormSheetSlidesInCentredAndAwayAgain) {
    auto root = tabletRoot(*window);
    auto sheet = std::make_shared<Turning>();
    sheet->setModalPresentationStyle(ModalPresentationStyle::FormSheet);
    root->presentModalViewController(sheet, true);
    EXPECT_EQ(root->modalViewController(), sheet);
    auto container = sheet->view()->superview();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->frame(), (Rect{242, 74, 540, 620}));
    EXPECT_GT(container->presentationFrame(now()).y, 700) << "starts below the screen";
    sheet->dismissModalViewControllerAnimated(true);
    EXPECT_EQ(root->modalViewController(), nullptr);
    EXPECT_NE(sheet->view()->window(), nullptr) << "still sliding away";
    RunLoop::main().advance(0.5);
    EXPECT_EQ(sheet->view()->window(), nullptr);
}

std::shared_ptr<Button> counting(Rect frame, int& taps) {
    auto button = std::make_shared<Button>(frame);
    button->addTarget(ControlEvent::TouchUpInside, [&taps](Control&) { ++taps; });
    return button;
}

TEST_F(ViewTest, TouchUpInsideOnlyWhenTheTouchEndsInside) {
    int taps = 0;
    auto button = counting({10, 10, 100, 40}, taps);
    window->addSubview(button);
    window->sendTouch(1, TouchPhase::Began, {50, 30});
    EXPECT_TRUE(button->isHighlighted());
    window->sendTouch(1, TouchPhase::Moved, {200, 30});
    EXPECT_FALSE(button->isHighlighted()) << "dragged off";
    window->sendTouch(1, TouchPhase::Ended, {200, 30});
    EXPECT_EQ(taps, 0);
    window->sendTouch(1, TouchPhase::Began, {50, 30});
    window->sendTouch(1, TouchPhase::Moved, {200, 30});
    window->sendTouch(1, TouchPhase::Ended, {60, 20});
    EXPECT_EQ(taps, 1) << "dragged back in";
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(ViewTest, HitTestingSkipsWhatAPersonCannotTouch) {
    int below = 0, above = 0;
    window->addSubview(counting({0, 0, 320, 100}, below));
    auto top = counting({0, 0, 320, 100}, above);
    window->addSubview(top);

    // A clear view lets taps through in every screen's tests.
    top->setHidden(true);
    tap(10, 10);
    top->setHidden(false);
    top->setEnabled(false);
    tap(10, 10);
    EXPECT_EQ(below, 2);
    EXPECT_EQ(above, 0);
    top->setEnabled(true);
    tap(10, 10);
    EXPECT_EQ(above, 1);

    // A child outside its parent's bounds cannot be touched there.
    auto box = std::make_shared<View>(Rect{0, 200, 50, 50});
    int outside = 0;
    box->addSubview(counting({60, 0, 50, 50}, outside));
    window->addSubview(box);
    tap(80, 220);
    EXPECT_EQ(outside, 0);
}

TEST_F(ViewTest, SwitchReportsOnlyWhenAPersonFlipsIt) {
    auto toggle = std::make_shared<Switch>(Rect{10, 10, 0, 0});
    int changes = 0;
    toggle->addTarget(ControlEvent::ValueChanged, [&](Control&) { ++changes; });
    window->addSubview(toggle);
    toggle->setOn(true);
    EXPECT_EQ(changes, 0);
    tap(20, 20);
    EXPECT_FALSE(toggle->isOn());
    EXPECT_EQ(changes, 1);
}

struct Rows : TableViewDataSource, TableViewDelegate {
    int count = 20;
    int asked = 0;
    std::vector<int> tapped;
    int tableViewNumberOfRowsInSection(TableView&, int) override { return count; }
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView&,
                                                                  IndexPath path) override {
        ++asked;
        auto cell = std::make_shared<TableViewCell>(Rect{0, 0, 280, 44});
        auto label = std::make_shared<Label>(Rect{17, 13, 229, 21});
        label->setText("Row " + std::to_string(path.row));
        cell->addSubview(label);
        return cell;
    }
    void tableViewDidSelectRowAtIndexPath(TableView&, IndexPath path) override {
        tapped.push_back(path.row);
    }
};

class TableTest : public testsupport::ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        rows = std::make_shared<Rows>();
        table = std::make_shared<TableView>(Rect{20, 100, 280, 220});
        table->setDataSource(rows);
        table->setDelegate(rows);
        window->addSubview(table);
        table->reloadData();
    }
    // A finger moved from one window point to another over `seconds`, then lifted.
    void drag(Point from, Point to, double seconds) {
        window->sendTouch(1, TouchPhase::Began, from);
        for (int i = 1; i <= 10; ++i) {
            RunLoop::main().advance(seconds / 10);
            const float k = static_cast<float>(i) / 10;
            window->sendTouch(1, TouchPhase::Moved,
                              {from.x + (to.x - from.x) * k, from.y + (to.y - from.y) * k});
        }
        window->sendTouch(1, TouchPhase::Ended, to);
    }
    std::shared_ptr<Rows> rows;
    std::shared_ptr<TableView> table;
};

TEST_F(TableTest, ATapSelectsAndReportsTheRowUnderTheFinger) {
    tap(100, 100 + 44 * 2 + 10);
    EXPECT_EQ(rows->tapped, std::vector<int>{2});
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 2}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isSelected());
    table->deselectRowAtIndexPath({0, 2}, true);
    EXPECT_FALSE(table->indexPathForSelectedRow());

    const int before = rows->asked;
    rows->count = 3;
    table->reloadData();
    EXPECT_EQ(rows->asked - before, 3) << "a fresh cell for every row";
    EXPECT_EQ(table->contentSize().height, 3 * 44);
}

TEST_F(TableTest, ADragScrollsInsteadOfTapping) {
    drag({100, 300}, {100, 150}, 0.5);
    EXPECT_TRUE(rows->tapped.empty());
    EXPECT_NEAR(table->contentOffset().y, 150, 1);
    tap(100, 110);
    EXPECT_TRUE(rows->tapped.empty()) << "a touch that stops the moving list is not a tap";
    RunLoop::main().advance(3);
    // Once scrolled, a tap reports the row under the finger, not the row at that height.
    const float offset = table->contentOffset().y;
    tap(100, 110);
    ASSERT_EQ(rows->tapped.size(), 1u);
    EXPECT_EQ(rows->tapped[0], static_cast<int>((offset + 10) / 44));
}

TEST_F(TableTest, AFlickKeepsGoingSlowsDownAndStaysInside) {
    drag({100, 300}, {100, 200}, 0.05);
    const float released = table->contentOffset().y;
    RunLoop::main().advance(0.2);
    EXPECT_GT(table->contentOffset().y, released + 20) << "keeps moving";
    RunLoop::main().advance(5);
    EXPECT_FALSE(table->isDecelerating());
    EXPECT_GE(table->contentOffset().y, 0);
    EXPECT_LE(table->contentOffset().y, table->maximumOffset().y);
}

TEST_F(TableTest, BounceStretchesPastTheEdgeAndSpringsBack) {
    drag({100, 120}, {100, 300}, 1.0);
    window->sendTouch(2, TouchPhase::Began, {100, 120});
    window->sendTouch(2, TouchPhase::Moved, {100, 300});
    EXPECT_LT(table->contentOffset().y, 0) << "stretches while held";
    window->sendTouch(2, TouchPhase::Ended, {100, 300});
    RunLoop::main().advance(1);
    EXPECT_EQ(table->contentOffset().y, 0);

    table->setBounces(false);
    window->sendTouch(3, TouchPhase::Began, {100, 120});
    window->sendTouch(3, TouchPhase::Moved, {100, 300});
    EXPECT_EQ(table->contentOffset().y, 0) << "no stretch without bounce";
    window->sendTouch(3, TouchPhase::Ended, {100, 300});
}

TEST_F(TableTest, ScrollingARowToTheMiddleStaysWithinTheContent) {
    table->scrollToRowAtIndexPath({0, 19}, TableViewScrollPosition::Middle, false);
    EXPECT_EQ(table->contentOffset().y, 20 * 44 - 220);
    table->scrollToRowAtIndexPath({0, 1}, TableViewScrollPosition::Middle, false);
    EXPECT_EQ(table->contentOffset().y, 0);
    table->scrollToRowAtIndexPath({0, 5}, TableViewScrollPosition::Middle, true);
    RunLoop::main().advance(1);
    EXPECT_EQ(table->contentOffset().y, 5 * 44 + 22 - 110);
}

TEST_F(TableTest, ANewTableLoadsItsRowsOnFirstUseAndKeepsLabelColours) {
    auto fresh = std::make_shared<TableView>(Rect{0, 0, 280, 200});
    fresh->setDataSource(rows);
    window->addSubview(fresh);
    // Scrolling to a row before anything was shown loads the rows first.
    fresh->scrollToRowAtIndexPath({0, 10}, TableViewScrollPosition::Middle, false);
    EXPECT_EQ(fresh->numberOfRows(), 20);
    EXPECT_GT(fresh->contentOffset().y, 0);

    auto shown = std::make_shared<TableView>(Rect{0, 0, 280, 200});
    shown->setDataSource(rows);
    window->addSubview(shown);
    EXPECT_EQ(shown->loadedRowCount(), 0);
    window->layoutIfNeeded();
    EXPECT_EQ(shown->loadedRowCount(), 20);

    auto label =
        std::dynamic_pointer_cast<Label>(shown->cellForRowAtIndexPath({0, 1})->subviews().back());
    label->setTextColor(Color::blue());
    shown->selectRowAtIndexPath({0, 1}, false);
    EXPECT_TRUE(label->isHighlighted());
    EXPECT_FALSE(label->highlightedTextColor()) << "no highlighted colour: it keeps its own";
}

} // namespace
} // namespace mevara
