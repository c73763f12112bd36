#include "toolkit/web/CanvasPainter.h"

#include "toolkit/NineSlice.h"
#include "toolkit/View.h"

#include <algorithm>
#include <cmath>
#include <emscripten.h>

namespace mevara::web {
namespace {

int byte(float v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

// clang-format off
EM_JS(void, mevara_canvas_frame, (int begin), {
    if (begin) mevaraScreen.beginFrame(); else mevaraScreen.endFrame();
});
EM_JS(void, mevara_canvas_clip, (int on, int x, int y, int w, int h), {
    mevaraScreen.clip(on, x, y, w, h);
});
EM_JS(void, mevara_canvas_fill, (int x, int y, int w, int h, int r, int g, int b, double a), {
    mevaraScreen.fillRect(x, y, w, h, r, g, b, a);
});
EM_JS(void, mevara_canvas_round, (int x, int y, int w, int h, double rx, double ry, int r, int g,
                                  int b, double a), {
    mevaraScreen.fillRoundedRect(x, y, w, h, rx, ry, r, g, b, a);
});
EM_JS(void, mevara_canvas_text, (const char* text, const char* font, double x, double baseline,
                                 double widthScale, int r, int g, int b, double a), {
    mevaraScreen.text(UTF8ToString(text), UTF8ToString(font), x, baseline, widthScale, r, g, b, a);
});
EM_JS(int, mevara_canvas_picture, (const char* path), {
    return mevaraScreen.picture(UTF8ToString(path));
});
EM_JS(int, mevara_canvas_picture_size, (int id, int which), {
    return mevaraScreen.pictureSize(id, which);
});
EM_JS(void, mevara_canvas_draw_picture, (int id, const int* axes, int flipX, int flipY,
                                         double alpha, double brightness), {
    mevaraScreen.drawPicture(id, HEAP32.subarray(axes >> 2, (axes >> 2) + 16), flipX, flipY,
                             alpha, brightness);
});
EM_JS(void, mevara_canvas_page, (int id, int x, int y, int w, int h, int cx, int cy, int cw,
                                 int ch, double scale, double alpha), {
    mevaraScreen.pageHole(id, x, y, w, h, cx, cy, cw, ch, scale, alpha);
});

// clang-format on

} // namespace

CanvasPainter::Box CanvasPainter::Box::within(const Box& o) const {
    const int x0 = std::max(x, o.x), y0 = std::max(y, o.y);
    const int x1 = std::min(x + w, o.x + o.w), y1 = std::min(y + h, o.y + o.h);
    return x1 > x0 && y1 > y0 ? Box{x0, y0, x1 - x0, y1 - y0} : Box{x, y, 0, 0};
}

CanvasPainter::CanvasPainter(float deviceScale, const CanvasFontEngine& fonts)
    : deviceScale_(deviceScale), fonts_(fonts) {}

void CanvasPainter::drawFrame(const View& root, double time) {
    state_ = State{};
    state_.sx = state_.sy = deviceScale_;
    stack_.clear();
    clipKnown_ = false;
    mevara_canvas_frame(1);
    const Rect frame = root.frame();
    translate(-frame.x, -frame.y);
    screen_ = deviceBox(frame);
    root.render(*this, time);
    mevara_canvas_frame(0);
}

void CanvasPainter::save() {
    stack_.push_back(state_);
}

void CanvasPainter::restore() {
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

void CanvasPainter::translate(float dx, float dy) {
    state_.ox += state_.sx * dx;
    state_.oy += state_.sy * dy;
}

void CanvasPainter::scale(float sx, float sy) {
    state_.sx *= sx;
    state_.sy *= sy;
}

CanvasPainter::Box CanvasPainter::deviceBox(const Rect& rect) const {
    const Span h = deviceSpan(state_.ox, state_.sx, rect.x, rect.width);
    const Span v = deviceSpan(state_.oy, state_.sy, rect.y, rect.height);
    return {snapToPixel(h.lo), snapToPixel(v.lo), snapToPixel(h.hi) - snapToPixel(h.lo),
            snapToPixel(v.hi) - snapToPixel(v.lo)};
}

void CanvasPainter::clip(const Rect& rect) {
    const Box r = deviceBox(rect);
    state_.clip = state_.clipped ? r.within(state_.clip) : r;
    state_.clipped = true;
}

void CanvasPainter::multiplyAlpha(float alpha) {
    state_.alpha *= std::clamp(alpha, 0.0f, 1.0f);
}

void CanvasPainter::multiplyBrightness(float brightness) {
    state_.brightness *= std::clamp(brightness, 0.0f, 1.0f);
}

bool CanvasPainter::prepare() {
    const Box& c = state_.clip;
    if (state_.clipped) {
        if (c.w <= 0 || c.h <= 0) return false;
        const Box& a = appliedClip_;
        if (!clipKnown_ || !clipApplied_ || a.x != c.x || a.y != c.y || a.w != c.w || a.h != c.h) {
            mevara_canvas_clip(1, c.x, c.y, c.w, c.h);
            appliedClip_ = c;
            clipApplied_ = true;
        }
    } else if (!clipKnown_ || clipApplied_) {
        mevara_canvas_clip(0, 0, 0, 0, 0);
        clipApplied_ = false;
    }
    clipKnown_ = true;
    return state_.alpha > 0;
}

void CanvasPainter::fillRect(const Rect& rect, Color color) {
    const float alpha = color.a * state_.alpha;
    if (byte(alpha) == 0 || !prepare()) return;
    const Box r = deviceBox(rect);
    if (r.w <= 0 || r.h <= 0) return;
    mevara_canvas_fill(r.x, r.y, r.w, r.h, byte(color.r), byte(color.g), byte(color.b), alpha);
}

void CanvasPainter::fillRoundedRect(const Rect& rect, float radius, Color color) {
    if (radius <= 0) return fillRect(rect, color);
    const float alpha = color.a * state_.alpha;
    if (byte(alpha) == 0 || !prepare()) return;
    const Box r = deviceBox(rect);
    if (r.w <= 0 || r.h <= 0) return;
    const float rx = std::min(radius * std::fabs(state_.sx), r.w / 2.0f);
    const float ry = std::min(radius * std::fabs(state_.sy), r.h / 2.0f);
    if (rx <= 0 || ry <= 0) return fillRect(rect, color);
    mevara_canvas_round(r.x, r.y, r.w, r.h, rx, ry, byte(color.r), byte(color.g), byte(color.b),
                        alpha);
}

void CanvasPainter::drawImage(const Image& image, const Rect& dest, const Rect& contentStretch) {
    if (byte(state_.alpha) == 0 || dest.width <= 0 || dest.height <= 0 || !prepare()) return;
    const bool sharp = std::max(std::fabs(state_.sx), std::fabs(state_.sy)) > 1;
    int id = 0;
    if (sharp && !image.path2x().empty()) id = mevara_canvas_picture(image.path2x().c_str());
    if (id == 0) id = mevara_canvas_picture(image.path().c_str());
    if (id == 0) return;
    const float texelsWide = static_cast<float>(mevara_canvas_picture_size(id, 0));
    const float texelsHigh = static_cast<float>(mevara_canvas_picture_size(id, 1));

    Size size = image.size();
    if (size.width <= 0 || size.height <= 0) size = {texelsWide, texelsHigh};
    const Rect stretch = image.stretchRegion(size, contentStretch);
    const Span h = deviceSpan(state_.ox, state_.sx, dest.x, dest.width);
    const Span v = deviceSpan(state_.oy, state_.sy, dest.y, dest.height);
    const SliceAxis ax = sliceAxis(size.width, stretch.x, stretch.width, texelsWide / size.width,
                                   h.lo, h.hi - h.lo, std::fabs(state_.sx));
    const SliceAxis ay = sliceAxis(size.height, stretch.y, stretch.height, texelsHigh / size.height,
                                   v.lo, v.hi - v.lo, std::fabs(state_.sy));
    int axes[16];
    std::copy(ax.src, ax.src + 4, axes);
    std::copy(ax.dst, ax.dst + 4, axes + 4);
    std::copy(ay.src, ay.src + 4, axes + 8);
    std::copy(ay.dst, ay.dst + 4, axes + 12);
    mevara_canvas_draw_picture(id, axes, h.flipped, v.flipped, state_.alpha, state_.brightness);
}

void CanvasPainter::drawText(std::string_view utf8, const Font& font, Color color, Point origin) {
    const float alpha = color.a * state_.alpha;
    if (utf8.empty() || byte(alpha) == 0 || !prepare()) return;
    const float sx = std::fabs(state_.sx), sy = std::fabs(state_.sy);
    if (sx <= 0 || sy <= 0) return;
    float x = state_.ox + state_.sx * origin.x;
    // Mirrored, the line runs back from its origin.
    if (state_.sx < 0) x -= fonts_.width(font, utf8) * sx;
    // The baseline sits where the point metrics put it.
    const float baseline = state_.oy + state_.sy * (origin.y + fonts_.ascent(font));
    const std::string text(utf8);
    mevara_canvas_text(text.c_str(), CanvasFontEngine::cssFont(font, sy).c_str(), x, baseline,
                       sx / sy, byte(color.r), byte(color.g), byte(color.b), alpha);
}

void CanvasPainter::placePage(int pageId, const Rect& bounds) {
    if (!prepare()) return;
    const Box r = deviceBox(bounds);
    // A page moved off the screen (a panel waiting below it) shows nothing, as the canvas
    // shows nothing of what is drawn there.
    const Box seen = (state_.clipped ? r.within(state_.clip) : r).within(screen_);
    mevara_canvas_page(pageId, r.x, r.y, r.w, r.h, seen.x, seen.y, seen.w, seen.h,
                       std::fabs(state_.sx), state_.alpha);
}

} // namespace mevara::web
