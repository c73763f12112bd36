#pragma once

#include "toolkit/Painter.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using cairo_t = struct _cairo;
using cairo_surface_t = struct _cairo_surface;
using cairo_font_face_t = struct _cairo_font_face;
using FT_Library = struct FT_LibraryRec_*;

namespace mevara {

class View;

// The font files a font engine names, opened once for cairo through FreeType (not
// fontconfig, so text is set in exactly the faces that were measured). Must outlive
// every cairo context that drew with it.
class CairoFaces {
public:
    CairoFaces();
    ~CairoFaces();
    CairoFaces(const CairoFaces&) = delete;
    CairoFaces& operator=(const CairoFaces&) = delete;

    // Null when the file cannot be opened.
    cairo_font_face_t* face(const std::filesystem::path& file);

private:
    FT_Library library_ = nullptr;
    std::unordered_map<std::string, cairo_font_face_t*> faces_;
};

// Draws views on a cairo context in points, so a vector surface keeps lines sharp and
// text as text (selectable and searchable in a PDF). Text is set in the family the
// font engine measures with, so layouts made with that engine fit.
class CairoPainter : public Painter {
public:
    CairoPainter(cairo_t* context, const FontEngine& fonts, CairoFaces& faces);
    ~CairoPainter() override;
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    // `root` and its subviews at rest, the root's frame origin at the top left.
    void drawPage(const View& root);

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

private:
    struct State {
        float alpha = 1;
        float brightness = 1;
    };
    struct SurfaceCloser {
        void operator()(cairo_surface_t* surface) const;
    };
    using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceCloser>;

    cairo_surface_t* picture(const std::string& path);
    void setColor(Color color);

    cairo_t* context_;
    const FontEngine& fonts_;
    CairoFaces& faces_;
    State state_;
    std::vector<State> stack_;
    std::unordered_map<std::string, SurfacePtr> pictures_;
};

} // namespace mevara
