#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mevara {

// A font by the platform's name and a point size. Only the names below exist;
// any other name yields no font, as on the device.
struct Font {
    std::string name;
    float pointSize = 17;

    static constexpr std::string_view regular = "Helvetica";
    static constexpr std::string_view bold = "Helvetica-Bold";
    static constexpr std::string_view oblique = "Helvetica-Oblique";
    static constexpr std::string_view boldOblique = "Helvetica-BoldOblique";

    static std::optional<Font> named(std::string_view name, float size);
    static Font systemFont(float size) { return {std::string(regular), size}; }
    static Font boldSystemFont(float size) { return {std::string(bold), size}; }
    // A label's font when none is set: Helvetica 17.
    static Font defaultFont() { return systemFont(17); }

    friend bool operator==(const Font&, const Font&) = default;
};

// Measures text; the backend that draws supplies it so that measured widths match pixels.
class FontEngine {
public:
    virtual ~FontEngine() = default;
    // Advance width of one line of UTF-8 text, in points.
    virtual float width(const Font& font, std::string_view text) const = 0;
    // Distance from one baseline to the next.
    virtual float lineHeight(const Font& font) const = 0;
    virtual float ascent(const Font& font) const = 0;
    // The font file behind `font`, for backends that draw text themselves; none when the
    // engine has no files.
    virtual std::optional<std::filesystem::path> faceFile(const Font&) const {
        return std::nullopt;
    }
};

// An engine without font files: every character is 0.55 em wide. Only for runs without a
// backend; layout decisions then do not match any pixels.
class EstimatingFontEngine : public FontEngine {
public:
    float width(const Font& font, std::string_view text) const override;
    float lineHeight(const Font& font) const override;
    float ascent(const Font& font) const override;
};

} // namespace mevara
