#include "toolkit/sdl/Snapshot.h"

#include "toolkit/Application.h"

#include <SDL2/SDL_image.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace mevara::sdl {

OffscreenRenderer::OffscreenRenderer(int width, int height, float scale) {
    // Measuring and drawing must use one engine, so labels fit what is drawn.
    const SdlFontEngine* fonts = dynamic_cast<const SdlFontEngine*>(&Application::shared().fonts());
    if (!fonts) {
        ownFonts_ = std::make_unique<SdlFontEngine>();
        fonts = ownFonts_.get();
    }
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, std::max(1, width), std::max(1, height), 32,
                                                  SDL_PIXELFORMAT_ARGB8888));
    if (!surface_) return;
    renderer_.reset(SDL_CreateSoftwareRenderer(surface_.get()));
    if (!renderer_) return;
    painter_ = std::make_unique<SdlPainter>(renderer_.get(), scale, *fonts);
}

OffscreenRenderer::~OffscreenRenderer() {
    // Textures belong to the renderer and go before it.
    painter_.reset();
    renderer_.reset();
}

SDL_Surface* OffscreenRenderer::render(const View& root, double time) {
    if (!isValid()) return nullptr;
    painter_->drawFrame(root, time);
    SDL_RenderFlush(renderer_.get());
    return surface_.get();
}

SurfacePtr OffscreenRenderer::takeSurface() {
    painter_.reset();
    renderer_.reset();
    return std::move(surface_);
}

SurfacePtr renderSurface(const View& root, double time, float scale) {
    const Rect frame = root.frame();
    OffscreenRenderer offscreen(static_cast<int>(std::lround(frame.width * scale)),
                                static_cast<int>(std::lround(frame.height * scale)), scale);
    if (!offscreen.render(root, time)) return nullptr;
    return offscreen.takeSurface();
}

bool savePng(SDL_Surface* surface, const std::string& pngPath) {
    if (!surface) return false;
    const std::filesystem::path parent = std::filesystem::path(pngPath).parent_path();
    std::error_code ec;
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    return IMG_SavePNG(surface, pngPath.c_str()) == 0;
}

bool writeSnapshot(const View& root, const std::string& pngPath, double time, float scale) {
    SurfacePtr surface = renderSurface(root, time, scale);
    return surface && savePng(surface.get(), pngPath);
}

} // namespace mevara::sdl
