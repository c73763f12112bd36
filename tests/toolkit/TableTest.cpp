#include "support/ToolkitFixture.h"
#include "toolkit/Label.h"
#include "toolkit/TableView.h"

namespace mevara {
namespace {

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
