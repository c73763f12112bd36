#include "toolkit/web/CanvasFontEngine.h"

#include <cmath>
#include <cstdio>
#include <emscripten.h>

namespace mevara::web {
namespace {

// Liberation Sans's vertical metrics in font units (its hhea table: ascender 1854,
// descender 434, line gap 67, 2048 to the em). The canvas reports the font box rounded
// to whole pixels and without the gap; the desktop rounds these up at each pixel size,
// and so does this engine, so that lines fall where they fall there.
constexpr float unitsPerEm = 2048;
constexpr float ascender = 1854;
constexpr float lineSkip = 1854 + 434 + 67;
// Layout measures many short texts again and again; a bounded cache keeps that cheap.
constexpr std::size_t widthCacheLimit = 20000;

// clang-format off
EM_JS(double, mevara_measure, (const char* font, const char* text), {
    const m = mevaraScreen.measure(UTF8ToString(font), UTF8ToString(text));
    return m ? m.width : -1;
});
// clang-format on

int pixelSize(const Font& font) {
    return static_cast<int>(std::lround(font.pointSize));
}

} // namespace

std::string CanvasFontEngine::cssFont(const Font& font, float scale) {
    const bool bold = font.name == Font::bold || font.name == Font::boldOblique;
    const bool italic = font.name == Font::oblique || font.name == Font::boldOblique;
    char size[32];
    std::snprintf(size, sizeof size, "%gpx",
                  static_cast<double>(std::round(font.pointSize) * scale));
    return std::string(italic ? "italic " : "") + (bold ? "bold " : "") + size +
           " \"Liberation Sans\"";
}

float CanvasFontEngine::width(const Font& font, std::string_view text) const {
    if (text.empty()) return 0;
    const std::string css = cssFont(font, 1);
    std::string key = css + '\x1f';
    key += text;
    if (auto it = widths_.find(key); it != widths_.end()) return it->second;
    const std::string terminated(text);
    const double measured = mevara_measure(css.c_str(), terminated.c_str());
    if (measured < 0) return estimate_.width(font, text);
    if (widths_.size() >= widthCacheLimit) widths_.clear();
    const float w = static_cast<float>(measured);
    widths_.emplace(std::move(key), w);
    return w;
}

float CanvasFontEngine::lineHeight(const Font& font) const {
    return std::ceil(static_cast<float>(pixelSize(font)) * lineSkip / unitsPerEm);
}

float CanvasFontEngine::ascent(const Font& font) const {
    return std::ceil(static_cast<float>(pixelSize(font)) * ascender / unitsPerEm);
}

} // namespace mevara::web
