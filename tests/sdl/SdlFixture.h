#pragma once

#include "platform/Directories.h"
#include "support/TempDirectory.h"
#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <SDL2/SDL.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace mevara::sdl::test {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

inline Rgba pixel(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b, a;
    const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
    SDL_GetRGBA(reinterpret_cast<const Uint32*>(row)[x], s->format, &r, &g, &b, &a);
    return {r, g, b, a};
}

inline ::testing::AssertionResult pixelIs(SDL_Surface* s, int x, int y, Rgba want, int slack = 2) {
    const Rgba got = pixel(s, x, y);
    if (std::abs(got.r - want.r) <= slack && std::abs(got.g - want.g) <= slack &&
        std::abs(got.b - want.b) <= slack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << ") got " << got.r << "," << got.g << "," << got.b
           << " want " << want.r << "," << want.g << "," << want.b;
}

constexpr Rgba white{255, 255, 255, 255};
constexpr Rgba black{0, 0, 0, 255};

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
