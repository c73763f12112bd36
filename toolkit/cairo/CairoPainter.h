#pragma once

#include "toolkit/Painter.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using cairo_t = struct _cairo;
using cairo_surface_t = struct _cairo_surface;

namespace mevara {

class View;

// Draws views on a cairo context in points, so a vector surface keeps lines sharp and
// text as text (selectable and searchable in a PDF). Text is set in the family the
// font engine measures with, so layouts made with that engine fit.
class CairoPainter : public Painter {
public:
    CairoPainter(cairo_t* context, const FontEngine& fonts);
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
    State state_;
    std::vector<State> stack_;
    std::unordered_map<std::string, SurfacePtr> pictures_;
};

} // namespace mevara
