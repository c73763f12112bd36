#pragma once

#include "handset/MevaraViewController.h"
#include "handset/Picker.h"
#include "handset/TestListController.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "support/ProgramFixture.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace mevara::testsupport {

using Menu = MevaraViewController::MenuButton;

// The phone's program, started as `main` starts it; the user's data lives in a temporary
// folder. Set up the stored data first, then `start()`.
class HandsetTest : public ProgramTest {
protected:
    std::shared_ptr<MevaraViewController> root;

    void TearDown() override {
        root.reset();
        ProgramTest::TearDown();
    }

    void start(bool noticeDue = false) {
        launch(DeviceIdiom::Phone, OrientationPortrait, noticeDue);
        root = std::dynamic_pointer_cast<MevaraViewController>(delegate->viewController);
        ASSERT_TRUE(root);
    }

    std::shared_ptr<TestListController> list() const { return root->testListController(); }
    template <class T> std::shared_ptr<T> current() const {
        return std::dynamic_pointer_cast<T>(root->currentViewController());
    }
    // What shows between the bars once a slide is over.
    const std::vector<std::shared_ptr<View>>& shown() const { return root->center()->subviews(); }

    // The menu buttons whose normal background is the highlight picture.
    std::vector<Menu> highlighted() const {
        std::vector<Menu> on;
        for (auto which : {Menu::Home, Menu::AboutMe, Menu::Help, Menu::More, Menu::Compare}) {
            auto picture = root->menuButton(which)->backgroundImageForState(ControlState::Normal);
            if (!picture) continue;
            EXPECT_EQ(picture->name(), "button-footer-selected.png");
            on.push_back(which);
        }
        return on;
    }

    // The first visible view called `name` under `in`.
    static std::shared_ptr<View> findIn(const std::shared_ptr<View>& in, const std::string& name) {
        if (!in || in->isHidden()) return nullptr;
        if (in->name() == name) return in;
        for (const auto& sub : in->subviews())
            if (auto found = findIn(sub, name)) return found;
        return nullptr;
    }
    template <class T = View>
    static std::shared_ptr<T> find(const std::string& name, const std::shared_ptr<View>& in) {
        auto found = std::dynamic_pointer_cast<T>(findIn(in, name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    static std::shared_ptr<Label> labelReading(const std::shared_ptr<View>& in,
                                               const std::string& text) {
        for (const auto& sub : in->subviews())
            if (auto label = std::dynamic_pointer_cast<Label>(sub); label && label->text() == text)
                return label;
        return nullptr;
    }

    void tapMenu(Menu which) { tapView(root->menuButton(which)); }
    void tapHeader(const std::string& name) { tapView(find(name, root->headerBar())); }
    void tapOnScreen(const std::string& name) {
        tapView(find(name, root->currentViewController()->view()));
    }
    // Taps `control` on the shown screen and waits for the screen of type T it opens.
    template <class T> std::shared_ptr<T> openWith(const std::string& control) {
        tapOnScreen(control);
        advance(1.0);
        auto next = current<T>();
        EXPECT_TRUE(next) << control;
        return next;
    }
    // Opens an area from the menu and waits for its slide.
    template <class T> std::shared_ptr<T> openFromMenu(Menu which) {
        tapMenu(which);
        advance(1.0);
        auto screen = current<T>();
        EXPECT_TRUE(screen);
        return screen;
    }
    void tapRow(const std::shared_ptr<TableView>& table, int row) {
        const Rect r = table->rectForRowAtIndexPath({0, row});
        tapAt(*table, {r.x + 40, r.y + r.height / 2});
    }
    // Picks `choice` from the list `row` opens, scrolled into view, and waits for the way back.
    void pick(const std::string& row, const std::string& choice) {
        auto picker = openWith<Picker>(row);
        if (!picker) return;
        const auto& choices = picker->choices();
        const auto at = std::find(choices.begin(), choices.end(), choice);
        ASSERT_NE(at, choices.end()) << choice;
        const int index = static_cast<int>(at - choices.begin());
        picker->table()->scrollToRowAtIndexPath({0, index}, TableViewScrollPosition::Middle, false);
        tapRow(picker->table(), index);
        advance(1.0);
    }
    // The rows that carry the check mark, which only blue rows may.
    static std::vector<std::string> checkedRows(const Picker& picker) {
        std::vector<std::string> checked;
        for (int i = 0; i < picker.table()->numberOfRows(); ++i) {
            auto cell = picker.table()->cellForRowAtIndexPath({0, i});
            auto choice = std::dynamic_pointer_cast<Label>(findIn(cell, "choice"));
            if (!findIn(cell, "checkmark")) continue;
            EXPECT_EQ(choice->textColor(), Color::blue());
            checked.push_back(choice->text());
        }
        return checked;
    }
    void pressAlertButton(int index) {
        ASSERT_TRUE(alert());
        alert()->dismissWithClickedButtonIndex(index, false);
    }
};

// Started on an empty profile before each test.
class StartedHandsetTest : public HandsetTest {
protected:
    void SetUp() override {
        HandsetTest::SetUp();
        start();
    }
};

} // namespace mevara::testsupport
