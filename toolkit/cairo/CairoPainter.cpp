#include "toolkit/cairo/CairoPainter.h"

#include "toolkit/View.h"

#include <algorithm>
#include <array>
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <cmath>
#include <string>

namespace mevara {
namespace {

// Where one axis of a nine-slice picture is cut, in picture pixels, and where each of the
// three parts lands. The ends keep their size (shrunk together when the room is too
// small); the middle stretches.
struct Slices {
    std::array<double, 4> src{};
    std::array<double, 4> dst{};
};

Slices slices(double pictureSize, double head, double stretch, double texels, double start,
              double length) {
    Slices s;
    double tail = std::max(0.0, pictureSize - head - stretch);
    s.src = {0, head * texels, (head + stretch) * texels, pictureSize * texels};
    if (head + tail > length && head + tail > 0) {
        const double k = length / (head + tail);
        head *= k;
        tail *= k;
    }
    s.dst = {start, start + head, start + length - tail, start + length};
    return s;
}

const cairo_user_data_key_t faceKey{};

void closeFace(void* face) {
    FT_Done_Face(static_cast<FT_Face>(face));
}

} // namespace

CairoFaces::CairoFaces() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

CairoFaces::~CairoFaces() {
    for (auto& [file, face] : faces_)
        if (face) cairo_font_face_destroy(face);
    // Cairo keeps recently used faces; they must close before FreeType does.
    cairo_debug_reset_static_data();
    if (library_) FT_Done_FreeType(library_);
}

cairo_font_face_t* CairoFaces::face(const std::filesystem::path& file) {
    auto it = faces_.find(file.string());
    if (it != faces_.end()) return it->second;
    cairo_font_face_t* made = nullptr;
    FT_Face ftFace = nullptr;
    if (library_ && FT_New_Face(library_, file.c_str(), 0, &ftFace) == 0) {
        made = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
        // The FreeType face closes with the last reference to cairo's.
        if (cairo_font_face_set_user_data(made, &faceKey, ftFace, closeFace) !=
            CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(made);
            FT_Done_Face(ftFace);
            made = nullptr;
        }
    }
    faces_.emplace(file.string(), made);
    return made;
}

void CairoPainter::SurfaceCloser::operator()(cairo_surface_t* surface) const {
    cairo_surface_destroy(surface);
}

CairoPainter::CairoPainter(cairo_t* context, const FontEngine& fonts, CairoFaces& faces)
    : context_(context), fonts_(fonts), faces_(faces) {}

CairoPainter::~CairoPainter() = default;

void CairoPainter::drawPage(const View& root) {
    cairo_save(context_);
    const Rect frame = root.frame();
    translate(-frame.x, -frame.y);
    // A document is drawn at rest: far past any animation's end.
    root.render(*this, 1e9);
    cairo_restore(context_);
    state_ = State{};
    stack_.clear();
}

void CairoPainter::save() {
    cairo_save(context_);
    stack_.push_back(state_);
}

void CairoPainter::restore() {
    if (stack_.empty()) return;
    cairo_restore(context_);
    state_ = stack_.back();
    stack_.pop_back();
}

void CairoPainter::translate(float dx, float dy) {
    cairo_translate(context_, dx, dy);
}

void CairoPainter::scale(float sx, float sy) {
    // A zero scale would make the matrix singular, which cairo treats as an error.
    if (sx == 0 || sy == 0) sx = sy = 1e-6f;
    cairo_scale(context_, sx, sy);
}

void CairoPainter::clip(const Rect& rect) {
    cairo_rectangle(context_, rect.x, rect.y, std::max(0.0f, rect.width),
                    std::max(0.0f, rect.height));
    cairo_clip(context_);
}

void CairoPainter::multiplyAlpha(float alpha) {
    state_.alpha *= std::clamp(alpha, 0.0f, 1.0f);
}

void CairoPainter::multiplyBrightness(float brightness) {
    state_.brightness *= std::clamp(brightness, 0.0f, 1.0f);
}

void CairoPainter::setColor(Color color) {
    cairo_set_source_rgba(context_, color.r, color.g, color.b, color.a * state_.alpha);
}

void CairoPainter::fillRect(const Rect& rect, Color color) {
    if (rect.width <= 0 || rect.height <= 0 || color.a * state_.alpha <= 0) return;
    setColor(color);
    cairo_rectangle(context_, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(context_);
}

void CairoPainter::fillRoundedRect(const Rect& rect, float radius, Color color) {
    if (rect.width <= 0 || rect.height <= 0 || color.a * state_.alpha <= 0) return;
    const double r = std::clamp<double>(radius, 0, std::min(rect.width, rect.height) / 2.0);
    const double x = rect.x, y = rect.y, w = rect.width, h = rect.height;
    cairo_new_sub_path(context_);
    cairo_arc(context_, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(context_, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(context_, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(context_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(context_);
    setColor(color);
    cairo_fill(context_);
}

cairo_surface_t* CairoPainter::picture(const std::string& path) {
    auto it = pictures_.find(path);
    if (it == pictures_.end()) {
        SurfacePtr surface{cairo_image_surface_create_from_png(path.c_str())};
        // A picture that fails to load stays missing rather than being read again.
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) surface.reset();
        it = pictures_.emplace(path, std::move(surface)).first;
    }
    return it->second.get();
}

void CairoPainter::drawImage(const Image& image, const Rect& dest, const Rect& contentStretch) {
    if (state_.alpha <= 0 || dest.width <= 0 || dest.height <= 0) return;
    // Documents are printed and zoomed: the sharper picture when there is one.
    cairo_surface_t* surface = image.path2x().empty() ? nullptr : picture(image.path2x());
    if (!surface) surface = picture(image.path());
    if (!surface) return;
    const double pw = cairo_image_surface_get_width(surface);
    const double ph = cairo_image_surface_get_height(surface);
    Size size = image.size();
    if (size.width <= 0 || size.height <= 0)
        size = {static_cast<float>(pw), static_cast<float>(ph)};

    const Rect stretch = image.stretchRegion(size, contentStretch);
    const Slices ax =
        slices(size.width, stretch.x, stretch.width, pw / size.width, dest.x, dest.width);
    const Slices ay =
        slices(size.height, stretch.y, stretch.height, ph / size.height, dest.y, dest.height);
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            const double sw = ax.src[i + 1] - ax.src[i], sh = ay.src[j + 1] - ay.src[j];
            const double dw = ax.dst[i + 1] - ax.dst[i], dh = ay.dst[j + 1] - ay.dst[j];
            if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
            cairo_save(context_);
            cairo_rectangle(context_, ax.dst[i], ay.dst[j], dw, dh);
            cairo_clip(context_);
            cairo_translate(context_, ax.dst[i], ay.dst[j]);
            cairo_scale(context_, dw / sw, dh / sh);
            cairo_set_source_surface(context_, surface, -ax.src[i], -ay.src[j]);
            // A stretched sliver is one colour along the stretch; filtering would blend in
            // its neighbours.
            const bool sliver = (sw <= 2 && dw > sw) || (sh <= 2 && dh > sh);
            cairo_pattern_set_filter(cairo_get_source(context_),
                                     sliver ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
            cairo_pattern_set_extend(cairo_get_source(context_), CAIRO_EXTEND_PAD);
            cairo_paint_with_alpha(context_, state_.alpha);
            if (state_.brightness < 1) {
                cairo_set_source_rgba(context_, 0, 0, 0, 1 - state_.brightness);
                cairo_mask_surface(context_, surface, -ax.src[i], -ay.src[j]);
            }
            cairo_restore(context_);
        }
    }
}

void CairoPainter::drawText(std::string_view utf8, const Font& font, Color color, Point origin) {
    if (utf8.empty() || color.a * state_.alpha <= 0) return;
    const auto file = fonts_.faceFile(font);
    cairo_font_face_t* face = file ? faces_.face(*file) : nullptr;
    // Without the measured faces there is nothing faithful to draw with.
    if (!face) return;
    cairo_set_font_face(context_, face);
    cairo_set_font_size(context_, font.pointSize);
    setColor(color);
    cairo_move_to(context_, origin.x, origin.y + fonts_.ascent(font));
    const std::string text(utf8);
    cairo_show_text(context_, text.c_str());
    cairo_new_path(context_);
}

} // namespace mevara
