#pragma once

// Points with the origin top-left and y growing downwards, in single precision
// like the device's own geometry, so lengths narrow exactly as the screens expect.
namespace mevara {

struct Point {
    float x = 0;
    float y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    float width = 0;
    float height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    float maxX() const { return x + width; }
    float maxY() const { return y + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace mevara
