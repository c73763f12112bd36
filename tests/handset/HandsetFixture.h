#pragma once

#include "handset/MevaraViewController.h"
#include "handset/TestListController.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "support/TempDirectory.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace mevara::testsupport {

using Menu = MevaraViewController::MenuButton;

// The phone's root in a key 320 x 480 window, on a manual clock, measuring text with the
// real fonts; the user's data file lives in a temporary folder.
class HandsetTest : public ::testing::Test {
protected:
    TempDirectory dir;
    std::shared_ptr<Window> window;
    std::shared_ptr<MevaraViewController> root;

    void SetUp() override {
        reset();
        RunLoop::main().useManualClock();
        Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
        window = std::make_shared<Window>(Rect{0, 0, 320, 480});
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        root.reset();
        window.reset();
        reset();
    }
    static void reset() {
        UserData::resetInstance();
        RunLoop::reset();
        Application::reset();
    }

    // Launches the root as the app does; the first frame drawn loads the list's rows.
    void start() {
        root = std::make_shared<MevaraViewController>();
        window->setRootViewController(root);
        root->view();
        window->layoutIfNeeded();
    }
    static void addTest(const std::string& location, std::int64_t count, float dose,
                        std::optional<Date> date = {}) {
        UserData::instance().tests().push_back(
            mevara::Test::testWithLocation(location, "X-Ray", count, dose, date));
    }
    static void advance(double seconds) { RunLoop::main().advance(seconds); }

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

    void tapAt(const View& view, Point p) { window->tap(view.convertPointToView(p, nullptr)); }
    void tapView(const std::shared_ptr<View>& view) {
        ASSERT_TRUE(view);
        const Rect b = view->bounds();
        tapAt(*view, {b.x + b.width / 2, b.y + b.height / 2});
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
    void tapRow(const std::shared_ptr<TableView>& table, int row) {
        const Rect r = table->rectForRowAtIndexPath({0, row});
        tapAt(*table, {r.x + 40, r.y + r.height / 2});
    }
    std::shared_ptr<AlertView> alert() const {
        return window->alerts().empty() ? nullptr : window->alerts().back();
    }
    void pressAlertButton(int index) {
        ASSERT_TRUE(alert());
        alert()->dismissWithClickedButtonIndex(index, false);
    }
};

} // namespace mevara::testsupport
