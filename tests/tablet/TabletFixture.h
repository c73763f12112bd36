#pragma once

#include "model/Test.h"
#include "model/UserData.h"
#include "support/ProgramFixture.h"
#include "tablet/RootController.h"
#include "tablet/WelcomeController.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

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

    // Taps the wizard's widget called `name` as a finger would.
    void tapWidget(const std::string& name) { tapView(widget(name)); }
    void rotate(int orientation) { window->rotate(orientation, 0); }
};

} // namespace mevara::testsupport
