#pragma once

#include "model/Test.h"
#include "model/UserData.h"
#include "support/ProgramFixture.h"
#include "tablet/IpadPicker.h"
#include "tablet/RootController.h"
#include "tablet/WelcomeController.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
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

// The tablet's program, started as `main` starts it, held in landscape unless told; the
// user's data lives in a temporary folder. Set up the stored data first, then `start()`.
class TabletTest : public ProgramTest {
protected:
    std::shared_ptr<RootController> root;

    void TearDown() override {
        root.reset();
        ProgramTest::TearDown();
    }

    void start(int orientation = 3, bool noticeDue = false) {
        launch(DeviceIdiom::Tablet, orientation, noticeDue);
        root = std::dynamic_pointer_cast<RootController>(delegate->viewController);
        ASSERT_TRUE(root);
    }

    WelcomeController& wizard() const { return *root->currentViewController(); }
    const std::string& state() const { return wizard().currentState(); }
    template <class T = View> std::shared_ptr<T> widget(const std::string& name) const {
        auto found = wizard().widget<T>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    std::string text(const std::string& name) const { return widget<Label>(name)->text(); }
    // The view called `name` anywhere under the root, the header and sheets included.
    std::shared_ptr<View> anywhere(const std::string& name) const {
        std::vector<std::shared_ptr<View>> open{root->view()};
        while (!open.empty()) {
            auto view = open.back();
            open.pop_back();
            if (view->name() == name) return view;
            open.insert(open.end(), view->subviews().begin(), view->subviews().end());
        }
        ADD_FAILURE() << name;
        return nullptr;
    }

    // Taps the wizard's widget called `name` as a finger would.
    void tapWidget(const std::string& name) { tapView(widget(name)); }
    void rotate(int orientation) { window->rotate(orientation, 0); }

    std::shared_ptr<IpadPicker> openList(const std::string& row) {
        tapWidget(row);
        EXPECT_TRUE(wizard().picker()) << row;
        return wizard().picker();
    }
    // Chooses from the row's list with a finger, the choice scrolled into view first.
    void pick(const std::string& row, const std::string& choice) {
        auto picker = openList(row);
        if (!picker) return;
        const auto& choices = picker->choices();
        const int at =
            static_cast<int>(std::find(choices.begin(), choices.end(), choice) - choices.begin());
        ASSERT_LT(at, static_cast<int>(choices.size())) << choice;
        picker->table()->scrollToRowAtIndexPath({0, at}, TableViewScrollPosition::Middle, false);
        const Rect r = picker->table()->rectForRowAtIndexPath({0, at});
        tapAt(*picker->table(), {r.x + 40, r.y + r.height / 2});
        EXPECT_FALSE(wizard().picker());
    }
};

} // namespace mevara::testsupport
