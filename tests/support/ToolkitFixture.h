#pragma once

#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>
#include <memory>

namespace mevara::testsupport {

// A phone-sized key window on a manual clock.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::reset();
        Application::reset();
        RunLoop::main().useManualClock();
        window = std::make_shared<Window>(Rect{0, 0, 320, 480});
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        window.reset();
        RunLoop::reset();
        Application::reset();
    }
    void tap(float x, float y) { window->tap({x, y}); }
    double now() const { return RunLoop::main().now(); }

    std::shared_ptr<Window> window;
};

} // namespace mevara::testsupport
