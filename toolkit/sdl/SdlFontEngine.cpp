#include "toolkit/sdl/SdlFontEngine.h"

#include <SDL2/SDL_ttf.h>
#include <cmath>

namespace mevara::sdl {

void SdlFontEngine::Closer::operator()(TTF_Font* font) const {
    TTF_CloseFont(font);
}

SdlFontEngine::SdlFontEngine() : SdlFontEngine(defaultFolder) {}

SdlFontEngine::SdlFontEngine(std::filesystem::path folder) : folder_(std::move(folder)) {
    // SDL_ttf counts its users, so each engine pairs its own init with a quit.
    initialised_ = TTF_Init() == 0;
}

SdlFontEngine::~SdlFontEngine() {
    // Faces must close while the library is still up.
    fonts_.clear();
    if (initialised_) TTF_Quit();
}

std::filesystem::path SdlFontEngine::fileFor(std::string_view name) const {
    const char* file = "LiberationSans-Regular.ttf";
    if (name == Font::bold)
        file = "LiberationSans-Bold.ttf";
    else if (name == Font::oblique)
        file = "LiberationSans-Italic.ttf";
    else if (name == Font::boldOblique)
        file = "LiberationSans-BoldItalic.ttf";
    return folder_ / file;
}

std::optional<std::filesystem::path> SdlFontEngine::faceFile(const Font& font) const {
    if (!hasFonts()) return std::nullopt;
    return fileFor(font.name);
}

TTF_Font* SdlFontEngine::fontAtPixels(const Font& font, int pixelSize) const {
    if (!initialised_ || pixelSize < 1) return nullptr;
    Key key{font.name, pixelSize};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        TTF_Font* opened = TTF_OpenFont(fileFor(font.name).c_str(), pixelSize);
        it = fonts_.emplace(std::move(key), std::unique_ptr<TTF_Font, Closer>(opened)).first;
    }
    return it->second.get();
}

int SdlFontEngine::pixelSize(const Font& font, float scale) {
    // Measuring uses whole point sizes, so a shrunk 13.4 point label draws at 26 pixels at
    // 2x, not 27, and keeps the width it was laid out with.
    return static_cast<int>(std::lround(std::round(font.pointSize) * scale));
}

TTF_Font* SdlFontEngine::fontAtScale(const Font& font, float scale) const {
    return fontAtPixels(font, pixelSize(font, scale));
}

bool SdlFontEngine::hasFonts() const {
    return fontAtPixels(Font::defaultFont(), 12) != nullptr;
}

float SdlFontEngine::width(const Font& font, std::string_view text) const {
    if (text.empty()) return 0;
    TTF_Font* face = fontAtScale(font, 1);
    if (!face) return estimate_.width(font, text);
    const std::string terminated(text);
    int w = 0, h = 0;
    if (TTF_SizeUTF8(face, terminated.c_str(), &w, &h) != 0) return estimate_.width(font, text);
    return static_cast<float>(w);
}

float SdlFontEngine::lineHeight(const Font& font) const {
    TTF_Font* face = fontAtScale(font, 1);
    return face ? static_cast<float>(TTF_FontLineSkip(face)) : estimate_.lineHeight(font);
}

float SdlFontEngine::ascent(const Font& font) const {
    TTF_Font* face = fontAtScale(font, 1);
    return face ? static_cast<float>(TTF_FontAscent(face)) : estimate_.ascent(font);
}

} // namespace mevara::sdl
