#include "toolkit/web/CanvasFontEngine.h"

#include <cmath>
#include <cstdio>
#include <emscripten.h>

namespace mevara::web {
namespace {

// Liberation Sans's line gap (hhea, 67 of 2048 units), which the canvas's font box leaves
// out and the desktop's line spacing includes.
constexpr float lineGapPerEm = 67.0f / 2048.0f;
// Layout measures many short texts again and again; a bounded cache keeps that cheap.
constexpr std::size_t widthCacheLimit = 20000;

// clang-format off
EM_JS(double, mevara_measure, (const char* font, const char* text, int what), {
    const m = mevaraScreen.measure(UTF8ToString(font), what == 0 ? UTF8ToString(text) : "Hg");
    if (!m) return -1;
    if (what == 0) return m.width;
    return what == 1 ? m.fontBoundingBoxAscent : m.fontBoundingBoxDescent;
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

const CanvasFontEngine::Metrics* CanvasFontEngine::metrics(const Font& font) const {
    const std::string css = cssFont(font, 1);
    auto it = metrics_.find(css);
    if (it == metrics_.end()) {
        const double up = mevara_measure(css.c_str(), "", 1);
        if (up < 0) return nullptr;
        const double down = mevara_measure(css.c_str(), "", 2);
        it = metrics_.emplace(css, Metrics{static_cast<float>(up), static_cast<float>(down)}).first;
    }
    return &it->second;
}

float CanvasFontEngine::width(const Font& font, std::string_view text) const {
    if (text.empty()) return 0;
    const std::string css = cssFont(font, 1);
    std::string key = css + '\x1f';
    key += text;
    if (auto it = widths_.find(key); it != widths_.end()) return it->second;
    const std::string terminated(text);
    const double measured = mevara_measure(css.c_str(), terminated.c_str(), 0);
    if (measured < 0) return estimate_.width(font, text);
    if (widths_.size() >= widthCacheLimit) widths_.clear();
    const float w = static_cast<float>(measured);
    widths_.emplace(std::move(key), w);
    return w;
}

float CanvasFontEngine::lineHeight(const Font& font) const {
    const Metrics* m = metrics(font);
    if (!m) return estimate_.lineHeight(font);
    return std::ceil(m->ascent + m->descent + lineGapPerEm * static_cast<float>(pixelSize(font)) -
                     0.01f);
}

float CanvasFontEngine::ascent(const Font& font) const {
    const Metrics* m = metrics(font);
    return m ? std::ceil(m->ascent - 0.01f) : estimate_.ascent(font);
}

} // namespace mevara::web
