#pragma once

#include "app/MevaraAppDelegate.h"
#include "app/Startup.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace mevara::testsupport {

// The program started exactly as `main` starts it (window, key window, delegate, root,
// launch, activation, then the loop's first turn), on a manual clock, measuring text with
// the real fonts, with its documents in a temporary folder. Screens are never assembled
// by hand here: faults that only show right after a real start would hide.
class ProgramTest : public ::testing::Test {
protected:
    TempDirectory dir;
    std::unique_ptr<MevaraAppDelegate> delegate;
    std::shared_ptr<Window> window;

    void SetUp() override {
        reset();
        RunLoop::main().useManualClock();
        Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    }
    void TearDown() override {
        window.reset();
        delegate.reset();
        reset();
    }
    static void reset() {
        UserData::resetInstance();
        RunLoop::reset();
        Application::reset();
    }

    // `noticeDue` false: a person who accepted the weekly notice already, so it stays away.
    void launch(DeviceIdiom idiom, int orientation, bool noticeDue = false,
                AppSettings settings = {}) {
        if (!noticeDue) TextFile::writeAtomically(UserData::disclaimerPath(), "2147483647");
        delegate = launchApplication(idiom, orientation, std::move(settings));
        window = delegate->window;
        advance(0);
    }
    void resign() {
        delegate->applicationWillResignActive();
        delegate->applicationDidEnterBackground();
        advance(0);
    }
    void activate() {
        delegate->applicationWillEnterForeground();
        delegate->applicationDidBecomeActive();
        advance(0);
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

    void tapAt(const View& view, Point p) {
        window->tap(view.convertPointToView(p, nullptr));
        advance(0);
    }
    void tapView(const std::shared_ptr<View>& view) {
        ASSERT_TRUE(view);
        const Rect b = view->bounds();
        tapAt(*view, {b.x + b.width / 2, b.y + b.height / 2});
    }
    std::shared_ptr<AlertView> alert() const {
        return window->alerts().empty() ? nullptr : window->alerts().back();
    }
};

} // namespace mevara::testsupport
