#pragma once

#include "model/Test.h"
#include "model/UserData.h"
#include "support/TempDirectory.h"
#include "tablet/RootController.h"
#include "tablet/WelcomeController.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace mevara::testsupport {

// The tablet's root in a key window held in landscape, on a manual clock, measuring text
// with the real fonts; the user's data file lives in a temporary folder.
class TabletTest : public ::testing::Test {
protected:
    TempDirectory dir;
    std::shared_ptr<Window> window;
    std::shared_ptr<RootController> root;

    void SetUp() override {
        reset();
        RunLoop::main().useManualClock();
        auto& app = Application::shared();
        app.setFontEngine(std::make_shared<sdl::SdlFontEngine>());
        app.setIdiom(DeviceIdiom::Tablet);
        app.setOrientation(3);
        window = std::make_shared<Window>(Rect{0, 0, 1024, 768});
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

    // Launches the root as the app does, held in `orientation`.
    void start(int orientation = 3) {
        if (orientation != 3) {
            Application::shared().setOrientation(orientation);
            const Size size = Application::shared().screenSize();
            window->setFrame({0, 0, size.width, size.height});
        }
        root = std::make_shared<RootController>();
        window->setRootViewController(root);
        root->view()->setFrame(window->frame());
        window->layoutIfNeeded();
    }
    static void addTest(const std::string& location, std::int64_t count, float dose,
                        std::optional<Date> date = {}) {
        UserData::instance().tests().push_back(
            mevara::Test::testWithLocation(location, "X-Ray", count, dose, date));
    }
    static void setProfile(const std::string& gender, const std::string& age) {
        UserData::instance().setGender(gender);
        UserData::instance().setAge(age);
    }
    static void advance(double seconds) { RunLoop::main().advance(seconds); }

    WelcomeController& wizard() const { return *root->currentViewController(); }
    const std::string& state() const { return wizard().currentState(); }
    template <class T = View> std::shared_ptr<T> widget(const std::string& name) const {
        auto found = wizard().widget<T>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    void tapAt(const View& view, Point p) { window->tap(view.convertPointToView(p, nullptr)); }
    void tapView(const std::shared_ptr<View>& view) {
        ASSERT_TRUE(view);
        const Rect b = view->bounds();
        tapAt(*view, {b.x + b.width / 2, b.y + b.height / 2});
    }
    // Taps the wizard's widget called `name` as a finger would.
    void tapWidget(const std::string& name) { tapView(widget(name)); }
    void rotate(int orientation) { window->rotate(orientation, 0); }
    std::shared_ptr<AlertView> alert() const {
        return window->alerts().empty() ? nullptr : window->alerts().back();
    }
};

} // namespace mevara::testsupport
