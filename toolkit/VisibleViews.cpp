#include "toolkit/VisibleViews.h"

#include "toolkit/Window.h"

#include <algorithm>

namespace mevara {
namespace {

// Alpha at or below this is as good as gone.
constexpr float invisibleAlpha = 0.01f;

// Maps a view's bounds coordinates to window points.
struct Affine {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // This after `inner`.
    Affine after(const Affine& inner) const {
        return {a * inner.a + c * inner.b,        b * inner.a + d * inner.b,
                a * inner.c + c * inner.d,        b * inner.c + d * inner.d,
                a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty};
    }
};

Rect intersection(const Rect& r, const Rect& s) {
    const float x0 = std::max(r.x, s.x), y0 = std::max(r.y, s.y);
    const float x1 = std::min(r.maxX(), s.maxX()), y1 = std::min(r.maxY(), s.maxY());
    return {x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0)};
}

// Whether `r` lies at least partly inside `area`; a line or point inside counts.
bool overlaps(const Rect& r, const Rect& area) {
    return r.x < area.maxX() && r.maxX() > area.x && r.y < area.maxY() && r.maxY() > area.y;
}

struct Walk {
    std::optional<double> time;
    const std::function<void(const VisibleView&)>& visit;

    void children(const View& parent, const Affine& toWindow, const Rect& clip, float alpha,
                  int depth) const {
        for (const auto& sub : parent.subviews())
            one(sub, toWindow, clip, alpha, depth);
    }

    void one(const std::shared_ptr<View>& view, const Affine& parentToWindow, const Rect& clip,
             float parentAlpha, int depth) const {
        if (view->isHidden()) return;
        const float alpha = parentAlpha * (time ? view->presentationAlpha(*time) : view->alpha());
        if (alpha <= invisibleAlpha) return;
        const Rect frame = time ? view->presentationFrame(*time) : view->frame();
        const Transform t = time ? view->presentationTransform(*time) : view->transform();
        const Rect bounds = view->bounds();
        // p -> centre + t(p - bounds origin - half size), in the superview's coordinates.
        const float kx = bounds.x + frame.width / 2, ky = bounds.y + frame.height / 2;
        const Affine local{t.a,
                           t.b,
                           t.c,
                           t.d,
                           t.tx + frame.x + frame.width / 2 - (t.a * kx + t.c * ky),
                           t.ty + frame.y + frame.height / 2 - (t.b * kx + t.d * ky)};
        const Affine toWindow = parentToWindow.after(local);
        const Point corners[4] = {
            toWindow.apply({bounds.x, bounds.y}),
            toWindow.apply({bounds.x + frame.width, bounds.y}),
            toWindow.apply({bounds.x, bounds.y + frame.height}),
            toWindow.apply({bounds.x + frame.width, bounds.y + frame.height})};
        float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
        for (const Point& p : corners) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        const Rect inWindow{x0, y0, x1 - x0, y1 - y0};
        if (!overlaps(inWindow, clip)) return;
        visit({view, depth, frame, intersection(inWindow, clip), alpha});
        children(*view, toWindow, view->clipsToBounds() ? intersection(inWindow, clip) : clip,
                 alpha, depth + 1);
    }
};

} // namespace

void forEachVisibleView(const Window& window, std::optional<double> time,
                        const std::function<void(const VisibleView&)>& visit) {
    if (window.isHidden()) return;
    const float alpha = time ? window.presentationAlpha(*time) : window.alpha();
    if (alpha <= invisibleAlpha) return;
    // Window coordinates are the window's bounds.
    const Rect size = time ? window.presentationFrame(*time) : window.frame();
    const Rect screen{0, 0, size.width, size.height};
    const Affine identity;
    Walk{time, visit}.children(window, identity, screen, alpha, 1);
}

} // namespace mevara
