#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/Image.h"

#include <string_view>

namespace mevara {

// The drawing surface a backend provides. Coordinates are the current view's points;
// the view tree walk sets the offset, scale, clip and opacity before each view draws.
class Painter {
public:
    virtual ~Painter() = default;

    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(float dx, float dy) = 0;
    // Scales about the current origin; the screens' transforms are scales and translations.
    virtual void scale(float sx, float sy) = 0;
    // Intersects the clip with `rect`.
    virtual void clip(const Rect& rect) = 0;
    virtual void multiplyAlpha(float alpha) = 0;
    // Darkens the pictures drawn from here on (1 = as they are), as a pressed button shows.
    virtual void multiplyBrightness(float brightness) = 0;

    virtual void fillRect(const Rect& rect, Color color) = 0;
    virtual void fillRoundedRect(const Rect& rect, float radius, Color color) = 0;
    // Draws the picture into `dest`, nine-sliced by its caps, or else by `contentStretch`
    // (fractions of the picture; (0, 0, 1, 1) scales it whole).
    virtual void drawImage(const Image& image, const Rect& dest, const Rect& contentStretch) = 0;
    // One line of text with its top-left corner at `origin` (the line box's top).
    virtual void drawText(std::string_view utf8, const Font& font, Color color, Point origin) = 0;
    // The font engine whose metrics drawText uses.
    virtual const FontEngine& fonts() const = 0;
};

} // namespace mevara
