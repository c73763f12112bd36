#pragma once

#include "platform/Geometry.h"
#include "toolkit/Font.h"

#include <string>
#include <string_view>
#include <vector>

namespace mevara {

enum class LineBreakMode {
    WordWrap,
    CharacterWrap,
    Clip,
    HeadTruncation,
    TailTruncation,
    MiddleTruncation
};
enum class TextAlignment { Left, Center, Right };

struct TextLine {
    std::string text;
    float width = 0;
};

// Text broken into lines for one font. Labels draw exactly these lines, so a width a
// screen measures is the width a person sees.
struct TextLayout {
    Font font;
    float lineHeight = 0;
    float ascent = 0;
    std::vector<TextLine> lines;
    Size size; // widest line, and the lines' total height

    // Lays out within `bounds`; `maxLines` 0 means as many as the height allows.
    static TextLayout make(const FontEngine& engine, std::string_view text, const Font& font,
                           Size bounds, LineBreakMode mode, int maxLines);
};

// The size a text takes wrapped to the width of `bounds` (and cut at its height); with
// 9999 x 9999 the one-line width.
Size sizeWithFont(const FontEngine& engine, std::string_view text, const Font& font, Size bounds,
                  LineBreakMode mode);

} // namespace mevara
