#include "toolkit/Font.h"

#include "platform/Unicode.h"

namespace mevara {

std::optional<Font> Font::named(std::string_view name, float size) {
    for (auto known : {regular, bold, oblique, boldOblique})
        if (name == known) return Font{std::string(name), size};
    return std::nullopt;
}

float EstimatingFontEngine::width(const Font& font, std::string_view text) const {
    return 0.55f * font.pointSize * static_cast<float>(unicode::utf16Length(text));
}

float EstimatingFontEngine::lineHeight(const Font& font) const {
    return font.pointSize * 1.15f;
}

float EstimatingFontEngine::ascent(const Font& font) const {
    return font.pointSize * 0.9f;
}

} // namespace mevara
