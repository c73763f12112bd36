#pragma once

#include "platform/Directories.h"
#include "support/Pixels.h"
#include "support/TempDirectory.h"
#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace mevara::sdl::test {

using testsupport::black;
using testsupport::pixel;
using testsupport::pixelIs;
using testsupport::Rgba;
using testsupport::white;

// Shipped pictures copied into the test's own resources, and the real font engine
// installed, as the program runs.
class SdlTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto shipped = Directories::current().resources / "images";
        images_ = temp_.useOwnResources() / "images";
        std::filesystem::create_directories(images_);
        for (const std::string name : {"button-blue", "form-box", "bubble2"})
            for (const char* suffix : {".png", "@2x.png"})
                std::filesystem::copy_file(shipped / (name + suffix), images_ / (name + suffix));
        fonts_ = std::make_shared<SdlFontEngine>();
        Application::shared().setFontEngine(fonts_);
        RunLoop::main().useManualClock();
    }
    void TearDown() override {
        RunLoop::reset();
        Application::reset();
    }

    static std::shared_ptr<View> whiteScreen(float width, float height) {
        auto root = std::make_shared<View>(Rect{0, 0, width, height});
        root->setBackgroundColor(Color::white());
        return root;
    }

    testsupport::TempDirectory temp_;
    std::filesystem::path images_;
    std::shared_ptr<SdlFontEngine> fonts_;
};

} // namespace mevara::sdl::test
