#include "app/HeadlessRunner.h"
#include "app/ViewDump.h"
#include "support/TempDirectory.h"
#include "support/ToolkitFixture.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"
#include "toolkit/ViewController.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>
#include <sstream>

namespace mevara {
namespace {

class Rows : public TableViewDataSource, public TableViewDelegate, public AlertViewDelegate {
public:
    int tableViewNumberOfRowsInSection(TableView&, int) override { return 20; }
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView&,
                                                                  IndexPath path) override {
        auto cell = std::make_shared<TableViewCell>(Rect{0, 0, 320, 44});
        auto label = std::make_shared<Label>(Rect{10, 0, 300, 43});
        label->setText("Row " + std::to_string(path.row));
        cell->addSubview(label);
        return cell;
    }
    void tableViewDidSelectRowAtIndexPath(TableView&, IndexPath path) override {
        selected.push_back(path.row);
    }
    void alertViewClickedButtonAtIndex(AlertView&, int index) override { clicked.push_back(index); }

    std::vector<int> selected, clicked;
};

// A phone screen built in code: buttons, a label lying over a button, a table.
class HeadlessTest : public testsupport::ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        controller = std::make_shared<ViewController>(std::string());
        window->setRootViewController(controller);
        save = button("saveButton", {20, 20, 120, 44}, "Save");
        button("startButton", {20, 80, 200, 44}, "");
        auto label = std::make_shared<Label>(Rect{20, 80, 200, 44});
        label->setName("startLabel");
        label->setText("Tap Here To Start");
        screen().addSubview(label);
        table = std::make_shared<TableView>(Rect{0, 200, 320, 220});
        table->setName("list");
        table->setDataSource(rows);
        table->setDelegate(rows);
        table->reloadData();
        screen().addSubview(table);
    }
    void TearDown() override {
        controller.reset();
        ToolkitTest::TearDown();
    }

    View& screen() { return *controller->view(); }
    std::shared_ptr<Button> button(const std::string& name, Rect frame, const std::string& title) {
        auto b = std::make_shared<Button>(frame);
        b->setName(name);
        b->setTitle(title);
        b->addTarget(ControlEvent::TouchUpInside, [this, name](Control&) { taps.push_back(name); });
        screen().addSubview(b);
        return b;
    }
    int run(const std::string& script) {
        out.str({});
        err.str({});
        HeadlessRunner runner(*window, lifecycle, out, err, temp.path());
        const int status = runner.runText(script, "test.script");
        terminated = runner.terminated();
        return status;
    }

    testsupport::TempDirectory temp;
    std::shared_ptr<ViewController> controller;
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    std::shared_ptr<Button> save;
    std::shared_ptr<TableView> table;
    std::vector<std::string> taps;
    Lifecycle lifecycle;
    std::ostringstream out, err;
    bool terminated = false;
};

TEST_F(HeadlessTest, TapsByNameTextAndPointReachTheActionBelowThem) {
    EXPECT_EQ(run("# comment\n\ntap saveButton\ntap \"Save\"   # trailing comment\n"
                  "tap \"Tap Here To Start\"\ntap startLabel\ntap 30 30\ntap 30 200\n"),
              0)
        << err.str();
    EXPECT_EQ(taps, (std::vector<std::string>{"saveButton", "saveButton", "startButton",
                                              "startButton", "saveButton"}));
    EXPECT_EQ(rows->selected, std::vector<int>{0});

    // What a tap sets off for right away has run before the next line.
    int soon = 0;
    save->addTarget(ControlEvent::TouchUpInside, [&soon](Control&) {
        RunLoop::main().performAfterDelay(0, [&soon] { ++soon; });
    });
    ASSERT_EQ(run("tap saveButton"), 0);
    EXPECT_EQ(soon, 1);

    // Two views by one name: the one drawn last is the one a person sees on top.
    button("newerSave", {20, 300, 120, 44}, "Save")->setName("saveButton");
    taps.clear();
    save->removeAllTargets();
    ASSERT_EQ(run("tap saveButton\ntap \"Save\"\n"), 0) << err.str();
    EXPECT_EQ(taps, (std::vector<std::string>{"newerSave", "newerSave"}));

    // Escapes in quotes.
    button("quoted", {200, 20, 100, 44}, "Say \"hi\" \\o/");
    ASSERT_EQ(run("tap \"Say \\\"hi\\\" \\\\o/\"\n"), 0) << err.str();
    EXPECT_EQ(taps.back(), "quoted");
}

TEST_F(HeadlessTest, WhatAPersonCannotSeeCannotBeTappedAndStopsTheScriptAtItsLine) {
    save->setHidden(true);
    EXPECT_EQ(run("tap startButton\ntap saveButton\ntap startButton\n"), 1);
    EXPECT_EQ(err.str(), "test.script:2: no visible view named \"saveButton\"\n");
    EXPECT_EQ(taps, std::vector<std::string>{"startButton"}) << "nothing after the error runs";
    save->setHidden(false);
    save->setAlpha(0);
    EXPECT_EQ(run("tap \"Save\""), 1);
    EXPECT_EQ(err.str(), "test.script:1: no visible label or button reading \"Save\"\n");
    save->setAlpha(1);
    save->setFrame({330, 20, 120, 44});
    EXPECT_EQ(run("tap saveButton"), 1);
    // On screen, but outside the bounds of a parent that clips it.
    save->setFrame({20, 20, 120, 44});
    auto clip = std::make_shared<View>(Rect{0, 0, 10, 10});
    clip->setClipsToBounds(true);
    clip->addSubview(save);
    screen().addSubview(clip);
    EXPECT_EQ(run("tap saveButton"), 1);
    EXPECT_EQ(taps.size(), 1u);

    const std::pair<const char*, const char*> mistakes[] = {
        {"wait 1\nfly away", "test.script:2: unknown command \"fly\"\n"},
        {"wait soon", "test.script:1: \"soon\" is not a number\n"},
        {"tap \"Save", "test.script:1: missing closing quote\n"},
        {"tap 500 20", "test.script:1: (500, 20) is off the screen\n"},
        {"\n\nrow list 20", "test.script:3: table \"list\" has 20 rows, no row 20\n"},
        {"alert 0", "test.script:1: no alert on screen\n"},
        {"today 2026-02-30", "test.script:1: \"2026-02-30\" is not a date (YYYY-MM-DD)\n"},
        {"today 2026-3-1x", "test.script:1: \"2026-3-1x\" is not a date (YYYY-MM-DD)\n"},
    };
    for (const auto& [script, message] : mistakes) {
        EXPECT_EQ(run(script), 1) << script;
        EXPECT_EQ(err.str(), message);
    }
}

TEST_F(HeadlessTest, RowsAreTappedWhereverTheTableIsScrolled) {
    ASSERT_EQ(run("row list 3\nrow list 15\n"), 0) << err.str();
    EXPECT_EQ(rows->selected, (std::vector<int>{3, 15}));
    EXPECT_FLOAT_EQ(table->contentOffset().y, 16 * 44 - 220) << "scrolled just far enough";
    ASSERT_EQ(run("row list 12\nrow list 0\n"), 0) << err.str();
    EXPECT_EQ(rows->selected, (std::vector<int>{3, 15, 12, 0}));
    EXPECT_FLOAT_EQ(table->contentOffset().y, 0);
}

TEST_F(HeadlessTest, AlertButtonsReachTheDelegateAndNothingBehindTheAlert) {
    std::make_shared<AlertView>("Delete?", "Gone for good.", rows, "Cancel",
                                std::vector<std::string>{"Delete", "Later"})
        ->show();
    EXPECT_EQ(run("alert 3"), 1);
    EXPECT_EQ(err.str(), "test.script:1: the alert \"Delete?\" has 3 buttons, no button 3\n");
    ASSERT_EQ(run("tap 30 30\nalert 2\n"), 0) << err.str();
    EXPECT_TRUE(taps.empty());
    EXPECT_EQ(rows->clicked, std::vector<int>{2});
    EXPECT_TRUE(window->alerts().empty());
}

// "today", "drag", "resign", "activate" and pictures the scripts' own runs show.
TEST_F(HeadlessTest, TerminateEndsTheScriptRotationMayBeRefusedAndAPictureMayNotBeWritten) {
    int terminations = 0;
    lifecycle.terminate = [&] { ++terminations; };
    // Nothing runs after the end.
    ASSERT_EQ(run("terminate\ntap nothingHere\n"), 0) << err.str();
    EXPECT_TRUE(terminated);
    EXPECT_EQ(terminations, 1);

    // The plain controller keeps to portrait: a refusal is quiet.
    ASSERT_EQ(run("rotate landscape\n"), 0);
    EXPECT_EQ(out.str() + err.str(), "");
    EXPECT_EQ(window->frame().width, 320);

    temp.write(temp.path() / "taken", "a file, not a folder");
    EXPECT_EQ(run("\nsnapshot taken/02.png\n"), 1);
    EXPECT_EQ(err.str().rfind("test.script:2: could not write ", 0), 0u) << err.str();
}

TEST_F(HeadlessTest, DumpEscapesTextAndLeavesOutWhatLiesOutsideTheScreenOrAClip) {
    window->setRootViewController(nullptr);
    auto panel = std::make_shared<View>(Rect{10, 20.504f, 100, 50});
    panel->setName("panel");
    panel->setClipsToBounds(true);
    window->addSubview(panel);
    auto label = std::make_shared<Label>(Rect{0, 0, 100, 20});
    label->setText("Say \"hi\"\nC:\\");
    panel->addSubview(label);
    auto go = std::make_shared<Button>(Rect{0, 25, 50, 20});
    go->setTitle("Go");
    go->setEnabled(false);
    go->setHighlighted(true);
    panel->addSubview(go);
    panel->addSubview(std::make_shared<View>(Rect{0, 60, 10, 10}));   // clipped away
    window->addSubview(std::make_shared<View>(Rect{-30, 0, 20, 20})); // off screen

    EXPECT_EQ(dumpViewTree(*window, RunLoop::main().now()),
              "Window (0, 0, 320, 480)\n"
              "  View #panel (10, 20.5, 100, 50)\n"
              "    Label (0, 0, 100, 20) text=\"Say \\\"hi\\\"\\nC:\\\\\"\n"
              "    Button (0, 25, 50, 20) title=\"Go\" disabled highlighted\n");
}

} // namespace
} // namespace mevara
