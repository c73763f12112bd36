#pragma once

#include <SDL2/SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>

// Reading what was drawn, from an ARGB surface.
namespace mevara::testsupport {

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

} // namespace mevara::testsupport
