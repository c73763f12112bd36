#pragma once

#include "platform/Geometry.h"

namespace mevara {

// An affine transform [a b; c d] + (tx, ty), applied to points as x' = a x + c y + tx,
// y' = b x + d y + ty. Views apply it about their centre.
struct Transform {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static Transform identity() { return {}; }
    static Transform translation(float x, float y) { return {1, 0, 0, 1, x, y}; }
    static Transform scale(float sx, float sy) { return {sx, 0, 0, sy, 0, 0}; }

    // `t` applied first, then this one, as the platform's "scale then translate" composes.
    Transform translated(float x, float y) const;
    Transform scaled(float sx, float sy) const;
    Transform concat(const Transform& then) const;
    Transform inverted() const;
    Point apply(Point p) const;

    bool isIdentity() const { return *this == Transform{}; }
    friend bool operator==(const Transform&, const Transform&) = default;
};

Transform interpolate(const Transform& from, const Transform& to, float t);

} // namespace mevara
