#pragma once

#include "toolkit/Painter.h"
#include "toolkit/web/CanvasFontEngine.h"

#include <vector>

namespace mevara {
class View;
}

namespace mevara::web {

// Draws views on the page's canvas (toolkit/web/screen.js) at `deviceScale` canvas pixels
// per point. Web views' pages are iframes under the canvas: the painter leaves a hole for
// each where its view draws, and whatever is drawn later covers the page.
class CanvasPainter : public Painter {
public:
    CanvasPainter(float deviceScale, const CanvasFontEngine& fonts);

    // A whole frame: black (a screen's backing), then `root` and its subviews as they are
    // at `time`; the pages' iframes are placed at the end.
    void drawFrame(const View& root, double time);
    void setDeviceScale(float scale) { deviceScale_ = scale; }
    float deviceScale() const { return deviceScale_; }

    void save() override;
    void restore() override;
    void translate(float dx, float dy) override;
    void scale(float sx, float sy) override;
    void clip(const Rect& rect) override;
    void multiplyAlpha(float alpha) override;
    void multiplyBrightness(float brightness) override;

    void fillRect(const Rect& rect, Color color) override;
    void fillRoundedRect(const Rect& rect, float radius, Color color) override;
    void drawImage(const Image& image, const Rect& dest, const Rect& contentStretch) override;
    void drawText(std::string_view utf8, const Font& font, Color color, Point origin) override;
    const FontEngine& fonts() const override { return fonts_; }

    // The iframe `pageId` shows its page at `bounds` of the view being drawn.
    void placePage(int pageId, const Rect& bounds);

private:
    struct Box {
        int x = 0, y = 0, w = 0, h = 0;
        // The part inside `other`; empty (at this corner) when they do not meet.
        Box within(const Box& other) const;
    };
    struct State {
        float ox = 0, oy = 0;
        float sx = 1, sy = 1;
        bool clipped = false;
        Box clip;
        float alpha = 1;
        float brightness = 1;
    };

    // Applies the current clip to the canvas; false when nothing can show.
    bool prepare();
    Box deviceBox(const Rect& rect) const;

    float deviceScale_;
    const CanvasFontEngine& fonts_;
    State state_;
    std::vector<State> stack_;
    bool clipKnown_ = false, clipApplied_ = false;
    Box appliedClip_;
    // The screen in canvas pixels.
    Box screen_;
};

} // namespace mevara::web
