#pragma once

#include "toolkit/View.h"
#include "toolkit/sdl/SdlFontEngine.h"
#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlPainter.h"

#include <memory>
#include <string>

namespace mevara::sdl {

// Draws view trees into a memory surface with SDL's software renderer; needs no display.
// Keeps its pictures and text between frames, for repeated drawing of one tree. Uses the
// application's SdlFontEngine when one is installed, so text fits the labels' layout.
class OffscreenRenderer {
public:
    // `width` x `height` device pixels, `scale` pixels per point.
    OffscreenRenderer(int width, int height, float scale);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    bool isValid() const { return painter_ != nullptr; }
    // Clears to opaque black and draws `root` with its frame's origin at the top left.
    // The surface stays owned here and holds the frame until the next call.
    SDL_Surface* render(const View& root, double time);
    SDL_Surface* surface() const { return surface_.get(); }
    SurfacePtr takeSurface();

private:
    std::unique_ptr<SdlFontEngine> ownFonts_;
    SurfacePtr surface_;
    RendererPtr renderer_;
    std::unique_ptr<SdlPainter> painter_;
};

// The root's frame size times `scale`, drawn as it is at `time`; null on failure.
SurfacePtr renderSurface(const View& root, double time, float scale = 1.0f);

// Writes a PNG, creating its folder.
bool savePng(SDL_Surface* surface, const std::string& pngPath);

bool writeSnapshot(const View& root, const std::string& pngPath, double time, float scale = 1.0f);

} // namespace mevara::sdl
