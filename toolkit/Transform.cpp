#include "toolkit/Transform.h"

namespace mevara {

Transform Transform::concat(const Transform& t) const {
    return {a * t.a + b * t.c, a * t.b + b * t.d,          c * t.a + d * t.c,
            c * t.b + d * t.d, tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

// Translating "in the scaled space" as the platform does: the translation is applied
// before the existing transform, so a scale of 0.01 turns (20000, 40000) into (200, 400).
Transform Transform::translated(float x, float y) const {
    return translation(x, y).concat(*this);
}

Transform Transform::scaled(float sx, float sy) const {
    return scale(sx, sy).concat(*this);
}

Transform Transform::inverted() const {
    const float det = a * d - b * c;
    if (det == 0) return {};
    const float ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

Point Transform::apply(Point p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

Transform interpolate(const Transform& f, const Transform& t, float k) {
    auto mix = [k](float x, float y) { return x + (y - x) * k; };
    return {mix(f.a, t.a), mix(f.b, t.b),   mix(f.c, t.c),
            mix(f.d, t.d), mix(f.tx, t.tx), mix(f.ty, t.ty)};
}

} // namespace mevara
