#pragma once

namespace mevara {

// An RGBA colour with components in 0...1, as the screens give them.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;

    static constexpr Color rgb(float red, float green, float blue, float alpha = 1) {
        return {red, green, blue, alpha};
    }
    static constexpr Color white(float w, float alpha = 1) { return {w, w, w, alpha}; }

    static constexpr Color black() { return {0, 0, 0, 1}; }
    static constexpr Color white() { return {1, 1, 1, 1}; }
    static constexpr Color clear() { return {0, 0, 0, 0}; }
    static constexpr Color blue() { return {0, 0, 1, 1}; }
    static constexpr Color gray() { return {0.5f, 0.5f, 0.5f, 1}; }
    static constexpr Color darkGray() { return {1.0f / 3, 1.0f / 3, 1.0f / 3, 1}; }
    static constexpr Color lightGray() { return {2.0f / 3, 2.0f / 3, 2.0f / 3, 1}; }

    Color withAlpha(float alpha) const { return {r, g, b, alpha}; }
    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace mevara
