#pragma once

#include "toolkit/Font.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace mevara::web {

// Measures with the browser's canvas in Liberation Sans, the web font the page ships and
// the canvas draws with, so widths agree with the pixels CanvasPainter draws; heights come
// from the face's own metrics, rounded as the desktop rounds them. Whole pixel sizes, as
// the desktop measures. Without a document (Node) widths are estimates.
class CanvasFontEngine : public FontEngine {
public:
    float width(const Font& font, std::string_view text) const override;
    float lineHeight(const Font& font) const override;
    float ascent(const Font& font) const override;

    // The canvas font for `font` drawn `scale` canvas pixels per point.
    static std::string cssFont(const Font& font, float scale);

private:
    mutable std::unordered_map<std::string, float> widths_;
    EstimatingFontEngine estimate_;
};

} // namespace mevara::web
