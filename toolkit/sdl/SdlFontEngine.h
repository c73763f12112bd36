#pragma once

#include "toolkit/Font.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

struct _TTF_Font;
typedef struct _TTF_Font TTF_Font;

namespace mevara::sdl {

// Measures with the Liberation Sans files that stand in for the device's Helvetica, so
// widths agree with the pixels SdlPainter draws. One point is one pixel at scale 1.
// Without the font files it measures like EstimatingFontEngine and draws nothing.
class SdlFontEngine : public FontEngine {
public:
    static constexpr const char* defaultFolder = "/usr/share/fonts/truetype/liberation2";

    SdlFontEngine();
    explicit SdlFontEngine(std::filesystem::path folder);
    ~SdlFontEngine() override;
    SdlFontEngine(const SdlFontEngine&) = delete;
    SdlFontEngine& operator=(const SdlFontEngine&) = delete;

    float width(const Font& font, std::string_view text) const override;
    float lineHeight(const Font& font) const override;
    float ascent(const Font& font) const override;
    std::optional<std::filesystem::path> faceFile(const Font& font) const override;

    // The face for `font` drawn at `scale` device pixels per point; null without font
    // files or when the size rounds to nothing.
    TTF_Font* fontAtScale(const Font& font, float scale) const;
    static int pixelSize(const Font& font, float scale);
    TTF_Font* fontAtPixels(const Font& font, int pixelSize) const;
    // Whether the regular face opened; false means metrics are estimates.
    bool hasFonts() const;
    // The file standing in for a font name; unknown names get the regular face.
    std::filesystem::path fileFor(std::string_view name) const;

private:
    struct Closer {
        void operator()(TTF_Font* font) const;
    };
    using Key = std::pair<std::string, int>;

    std::filesystem::path folder_;
    bool initialised_ = false;
    // Opened lazily from const measuring calls; a failed open is remembered as null.
    mutable std::map<Key, std::unique_ptr<TTF_Font, Closer>> fonts_;
    EstimatingFontEngine estimate_;
};

} // namespace mevara::sdl
