#include "toolkit/sdl/SdlPainter.h"

#include "toolkit/View.h"

#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace mevara::sdl {
namespace {

Uint8 byte(float v) {
    return static_cast<Uint8>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

} // namespace

SdlPainter::SdlPainter(SDL_Renderer* renderer, float deviceScale, const SdlFontEngine& fonts)
    : renderer_(renderer), deviceScale_(deviceScale), fonts_(fonts) {
    reset();
}

SdlPainter::~SdlPainter() = default;

void SdlPainter::reset() {
    state_ = State{};
    state_.sx = state_.sy = deviceScale_;
    stack_.clear();
    clipKnown_ = false;
}

void SdlPainter::drawFrame(const View& root, double time) {
    SDL_RenderSetClipRect(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    reset();
    const Rect frame = root.frame();
    translate(-frame.x, -frame.y);
    root.render(*this, time);
}

void SdlPainter::setDeviceScale(float scale) {
    deviceScale_ = scale;
    reset();
}

void SdlPainter::save() {
    stack_.push_back(state_);
}

void SdlPainter::restore() {
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

void SdlPainter::translate(float dx, float dy) {
    state_.ox += state_.sx * dx;
    state_.oy += state_.sy * dy;
}

void SdlPainter::scale(float sx, float sy) {
    state_.sx *= sx;
    state_.sy *= sy;
}

void SdlPainter::clip(const Rect& rect) {
    const Span h = deviceSpan(state_.ox, state_.sx, rect.x, rect.width);
    const Span v = deviceSpan(state_.oy, state_.sy, rect.y, rect.height);
    SDL_Rect r{snapToPixel(h.lo), snapToPixel(v.lo), snapToPixel(h.hi) - snapToPixel(h.lo),
               snapToPixel(v.hi) - snapToPixel(v.lo)};
    if (state_.clipped) {
        SDL_Rect both{0, 0, 0, 0};
        if (!SDL_IntersectRect(&state_.clip, &r, &both)) both = {0, 0, 0, 0};
        r = both;
    }
    state_.clip = r;
    state_.clipped = true;
}

void SdlPainter::multiplyAlpha(float alpha) {
    state_.alpha *= std::clamp(alpha, 0.0f, 1.0f);
}

void SdlPainter::multiplyBrightness(float brightness) {
    state_.brightness *= std::clamp(brightness, 0.0f, 1.0f);
}

bool SdlPainter::prepare() {
    if (state_.clipped) {
        if (state_.clip.w <= 0 || state_.clip.h <= 0) return false;
        if (!clipKnown_ || !clipApplied_ || !SDL_RectEquals(&appliedClip_, &state_.clip)) {
            SDL_RenderSetClipRect(renderer_, &state_.clip);
            appliedClip_ = state_.clip;
            clipApplied_ = true;
        }
    } else if (!clipKnown_ || clipApplied_) {
        SDL_RenderSetClipRect(renderer_, nullptr);
        clipApplied_ = false;
    }
    clipKnown_ = true;
    return state_.alpha > 0;
}

void SdlPainter::fillRect(const Rect& rect, Color color) {
    const Uint8 a = byte(color.a * state_.alpha);
    if (a == 0 || !prepare()) return;
    const Span h = deviceSpan(state_.ox, state_.sx, rect.x, rect.width);
    const Span v = deviceSpan(state_.oy, state_.sy, rect.y, rect.height);
    const SDL_Rect r{snapToPixel(h.lo), snapToPixel(v.lo), snapToPixel(h.hi) - snapToPixel(h.lo),
                     snapToPixel(v.hi) - snapToPixel(v.lo)};
    if (r.w <= 0 || r.h <= 0) return;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, byte(color.r), byte(color.g), byte(color.b), a);
    SDL_RenderFillRect(renderer_, &r);
}

void SdlPainter::fillRoundedRect(const Rect& rect, float radius, Color color) {
    if (radius <= 0) return fillRect(rect, color);
    const float alpha = color.a * state_.alpha;
    if (byte(alpha) == 0 || !prepare()) return;
    const Span h = deviceSpan(state_.ox, state_.sx, rect.x, rect.width);
    const Span v = deviceSpan(state_.oy, state_.sy, rect.y, rect.height);
    const int x0 = snapToPixel(h.lo), y0 = snapToPixel(v.lo);
    const int w = snapToPixel(h.hi) - x0, ht = snapToPixel(v.hi) - y0;
    if (w <= 0 || ht <= 0) return;
    const float rx = std::min(radius * std::fabs(state_.sx), w / 2.0f);
    const float ry = std::min(radius * std::fabs(state_.sy), ht / 2.0f);
    if (rx <= 0 || ry <= 0) return fillRect(rect, color);

    const Uint8 r = byte(color.r), g = byte(color.g), b = byte(color.b);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    auto fill = [&](int x, int y, int fw, int fh, float coverage) {
        const Uint8 a = byte(alpha * coverage);
        if (a == 0 || fw <= 0 || fh <= 0) return;
        SDL_SetRenderDrawColor(renderer_, r, g, b, a);
        const SDL_Rect box{x, y, fw, fh};
        SDL_RenderFillRect(renderer_, &box);
    };
    // How far the ellipse's edge sits inside the rectangle at a distance from the nearest
    // horizontal edge.
    auto inset = [&](float fromEdge) {
        if (fromEdge >= ry) return 0.0f;
        const float d = (ry - fromEdge) / ry;
        return rx * (1 - std::sqrt(std::max(0.0f, 1 - d * d)));
    };
    // Each corner row is sampled at a few heights so the curve is smooth both ways.
    constexpr int samples = 4;
    auto row = [&](int j) {
        float in[samples];
        float lo = rx, hi = 0;
        for (int k = 0; k < samples; ++k) {
            const float y = j + (k + 0.5f) / samples;
            in[k] = inset(std::min(y, ht - y));
            lo = std::min(lo, in[k]);
            hi = std::max(hi, in[k]);
        }
        const int full = static_cast<int>(std::ceil(hi));
        const int middle = (w + 1) / 2;
        for (int i = static_cast<int>(std::floor(lo)); i < std::min(full, middle); ++i) {
            float coverage = 0;
            for (float e : in) {
                const float left = std::max<float>(i, e), right = std::min<float>(i + 1, w - e);
                coverage += std::clamp(right - left, 0.0f, 1.0f);
            }
            coverage /= samples;
            fill(x0 + i, y0 + j, 1, 1, coverage);
            if (w - 1 - i != i) fill(x0 + w - 1 - i, y0 + j, 1, 1, coverage);
        }
        fill(x0 + full, y0 + j, w - 2 * full, 1, 1);
    };
    const int band = std::min(ht, static_cast<int>(std::ceil(ry)));
    for (int j = 0; j < band; ++j)
        row(j);
    fill(x0, y0 + band, w, ht - 2 * band, 1);
    for (int j = std::max(band, ht - band); j < ht; ++j)
        row(j);
}

SdlPainter::Picture* SdlPainter::picture(const std::string& path) {
    auto it = pictures_.find(path);
    if (it == pictures_.end()) {
        Picture loaded;
        if (SurfacePtr surface{IMG_Load(path.c_str())}) {
            loaded.texture.reset(SDL_CreateTextureFromSurface(renderer_, surface.get()));
            loaded.width = surface->w;
            loaded.height = surface->h;
            if (loaded.texture) SDL_SetTextureBlendMode(loaded.texture.get(), SDL_BLENDMODE_BLEND);
        }
        // A picture that fails to load stays missing rather than being read every frame.
        it = pictures_.emplace(path, std::move(loaded)).first;
    }
    return it->second.texture ? &it->second : nullptr;
}

void SdlPainter::copy(SDL_Texture* texture, const SDL_Rect& src, SDL_Rect dst, bool flipX,
                      bool flipY, const SDL_Rect& whole) {
    if (src.w <= 0 || src.h <= 0 || dst.w <= 0 || dst.h <= 0) return;
    if (!flipX && !flipY) {
        SDL_RenderCopy(renderer_, texture, &src, &dst);
        return;
    }
    // A mirrored part lands mirrored within the whole picture's rectangle.
    if (flipX) dst.x = 2 * whole.x + whole.w - dst.x - dst.w;
    if (flipY) dst.y = 2 * whole.y + whole.h - dst.y - dst.h;
    const int flip = (flipX ? SDL_FLIP_HORIZONTAL : 0) | (flipY ? SDL_FLIP_VERTICAL : 0);
    SDL_RenderCopyEx(renderer_, texture, &src, &dst, 0, nullptr,
                     static_cast<SDL_RendererFlip>(flip));
}

void SdlPainter::drawImage(const Image& image, const Rect& dest, const Rect& contentStretch) {
    const Uint8 alpha = byte(state_.alpha);
    if (alpha == 0 || dest.width <= 0 || dest.height <= 0 || !prepare()) return;
    const bool sharp = std::max(std::fabs(state_.sx), std::fabs(state_.sy)) > 1;
    Picture* pic = nullptr;
    if (sharp && !image.path2x().empty()) pic = picture(image.path2x());
    if (!pic) pic = picture(image.path());
    if (!pic) return;

    Size size = image.size();
    if (size.width <= 0 || size.height <= 0)
        size = {static_cast<float>(pic->width), static_cast<float>(pic->height)};
    const Rect stretch = image.stretchRegion(size, contentStretch);

    const Span h = deviceSpan(state_.ox, state_.sx, dest.x, dest.width);
    const Span v = deviceSpan(state_.oy, state_.sy, dest.y, dest.height);
    const SliceAxis ax = sliceAxis(size.width, stretch.x, stretch.width, pic->width / size.width,
                                   h.lo, h.hi - h.lo, std::fabs(state_.sx));
    const SliceAxis ay =
        sliceAxis(size.height, stretch.y, stretch.height, pic->height / size.height, v.lo,
                  v.hi - v.lo, std::fabs(state_.sy));
    const SDL_Rect whole{ax.dst[0], ay.dst[0], ax.dst[3] - ax.dst[0], ay.dst[3] - ay.dst[0]};

    SDL_Texture* texture = pic->texture.get();
    SDL_SetTextureAlphaMod(texture, alpha);
    const Uint8 shade = byte(state_.brightness);
    SDL_SetTextureColorMod(texture, shade, shade, shade);
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            const SDL_Rect src{ax.src[i], ay.src[j], ax.src[i + 1] - ax.src[i],
                               ay.src[j + 1] - ay.src[j]};
            const SDL_Rect dst{ax.dst[i], ay.dst[j], ax.dst[i + 1] - ax.dst[i],
                               ay.dst[j + 1] - ay.dst[j]};
            // Filtering a stretched sliver would blend in its neighbours; it is one colour
            // along the stretch anyway.
            const bool sliver = (src.w <= 2 && dst.w > src.w) || (src.h <= 2 && dst.h > src.h);
            SDL_SetTextureScaleMode(texture, sliver ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
            copy(texture, src, dst, h.flipped, v.flipped, whole);
        }
    }
}

SdlPainter::Text* SdlPainter::text(const std::string& utf8, const Font& font, int pixelSize,
                                   SDL_Color color) {
    char tag[48];
    std::snprintf(tag, sizeof tag, "\x1f%d\x1f%02x%02x%02x\x1f", pixelSize, color.r, color.g,
                  color.b);
    std::string key = font.name + tag + utf8;
    if (auto it = texts_.find(key); it != texts_.end()) {
        textOrder_.splice(textOrder_.begin(), textOrder_, it->second);
        return &*it->second;
    }
    TTF_Font* face = fonts_.fontAtPixels(font, pixelSize);
    if (!face) return nullptr;
    SurfacePtr surface{TTF_RenderUTF8_Blended(face, utf8.c_str(), color)};
    if (!surface) return nullptr;
    Text entry;
    entry.texture.reset(SDL_CreateTextureFromSurface(renderer_, surface.get()));
    if (!entry.texture) return nullptr;
    SDL_SetTextureBlendMode(entry.texture.get(), SDL_BLENDMODE_BLEND);
    entry.width = surface->w;
    entry.height = surface->h;
    entry.ascent = TTF_FontAscent(face);
    entry.key = key;
    textOrder_.push_front(std::move(entry));
    texts_.emplace(std::move(key), textOrder_.begin());
    if (textOrder_.size() > textCacheLimit) {
        texts_.erase(textOrder_.back().key);
        textOrder_.pop_back();
    }
    return &textOrder_.front();
}

void SdlPainter::drawText(std::string_view utf8, const Font& font, Color color, Point origin) {
    const Uint8 alpha = byte(color.a * state_.alpha);
    if (utf8.empty() || alpha == 0 || !prepare()) return;
    const float sx = std::fabs(state_.sx), sy = std::fabs(state_.sy);
    const int pixelSize = SdlFontEngine::pixelSize(font, sy);
    if (pixelSize < 1 || sx <= 0) return;
    Text* t = text(std::string(utf8), font, pixelSize,
                   SDL_Color{byte(color.r), byte(color.g), byte(color.b), 255});
    if (!t) return;

    // The baseline sits where the point metrics put it; the face drawn at device size
    // hangs its own ascent above that.
    const float x = state_.ox + state_.sx * origin.x;
    const float baseline = state_.oy + state_.sy * (origin.y + fonts_.ascent(font));
    const int w = sx == sy ? t->width : snapToPixel(t->width * sx / sy);
    SDL_Rect dst{snapToPixel(x), snapToPixel(baseline) - t->ascent, w, t->height};
    if (state_.sx < 0) dst.x -= w;
    SDL_SetTextureAlphaMod(t->texture.get(), alpha);
    SDL_SetTextureScaleMode(t->texture.get(), SDL_ScaleModeLinear);
    SDL_RenderCopy(renderer_, t->texture.get(), nullptr, &dst);
}

} // namespace mevara::sdl
