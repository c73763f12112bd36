#pragma once

#include "toolkit/NineSlice.h"
#include "toolkit/Painter.h"
#include "toolkit/sdl/SdlFontEngine.h"
#include "toolkit/sdl/SdlHandles.h"

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace mevara {
class View;
}

namespace mevara::sdl {

// Draws views on an SDL renderer. The device scale turns points into pixels (zoom, HiDPI,
// 2x snapshots). The painter owns textures made on `renderer`, so it must go first.
class SdlPainter : public Painter {
public:
    SdlPainter(SDL_Renderer* renderer, float deviceScale, const SdlFontEngine& fonts);
    ~SdlPainter() override;
    SdlPainter(const SdlPainter&) = delete;
    SdlPainter& operator=(const SdlPainter&) = delete;

    // Back to the device origin and scale, no clip, full opacity, empty save stack.
    void reset();
    // A whole frame: the target cleared to black (a screen's backing), then `root` and its
    // subviews as they are at `time`, with the root's frame origin at the top left.
    void drawFrame(const View& root, double time);
    void setDeviceScale(float scale);
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

    std::size_t cachedTextCount() const { return textOrder_.size(); }
    static constexpr std::size_t textCacheLimit = 300;

private:
    struct State {
        float ox = 0, oy = 0;
        float sx = 1, sy = 1;
        bool clipped = false;
        SDL_Rect clip{0, 0, 0, 0};
        float alpha = 1;
        float brightness = 1;
    };
    struct Picture {
        TexturePtr texture;
        int width = 0, height = 0;
    };
    struct Text {
        std::string key;
        TexturePtr texture;
        int width = 0, height = 0, ascent = 0;
    };

    // Sets the renderer's clip to the current one; false when nothing can show.
    bool prepare();
    Picture* picture(const std::string& path);
    Text* text(const std::string& utf8, const Font& font, int pixelSize, SDL_Color color);
    void copy(SDL_Texture* texture, const SDL_Rect& src, SDL_Rect dst, bool flipX, bool flipY,
              const SDL_Rect& whole);

    SDL_Renderer* renderer_;
    float deviceScale_;
    const SdlFontEngine& fonts_;
    State state_;
    std::vector<State> stack_;
    bool clipApplied_ = false;
    SDL_Rect appliedClip_{0, 0, 0, 0};
    bool clipKnown_ = false;
    std::unordered_map<std::string, Picture> pictures_;
    // Most recently drawn first.
    std::list<Text> textOrder_;
    std::unordered_map<std::string, std::list<Text>::iterator> texts_;
};

} // namespace mevara::sdl
