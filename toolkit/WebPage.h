#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"

#include <litehtml/litehtml.h>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class Image;
class Painter;

// One parsed HTML page: litehtml's document and the container it calls back for fonts,
// pictures, stylesheets and drawing. Measures with the application's font engine and draws
// through a Painter (litehtml's hdc). Whatever would need the network is not fetched; the
// first such reference becomes the page's failure.
class WebPage final : public litehtml::document_container {
public:
    // `context` holds the master stylesheet and must outlive the page.
    WebPage(litehtml::context& context, std::string baseURL);
    ~WebPage();
    WebPage(const WebPage&) = delete;
    WebPage& operator=(const WebPage&) = delete;

    void load(const std::string& html);
    // Why the load failed, if it did.
    const std::optional<std::string>& failure() const { return failure_; }
    const std::string& baseURL() const { return baseURL_; }
    const std::string& title() const { return title_; }

    // Lays the page out `width` points wide; returns its size (at least `width` wide).
    Size layout(float width, float viewportHeight);
    Size size() const { return size_; }
    // Draws what falls inside `visible` (page coordinates) at the painter's origin.
    void draw(Painter& painter, const Rect& visible);

    std::string visibleText() const;
    // The href of the link at `point`, if any.
    std::optional<std::string> linkAt(Point point) const;
    // The top of the element with this id (or anchor name).
    std::optional<float> anchorTop(const std::string& name) const;

    // litehtml's callbacks.
    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                    bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                        litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                      const litehtml::position& draw_pos, bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc,
              const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                    litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius,
                  bool valid_x, bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element>
    create_element(const litehtml::tchar_t* tag_name, const litehtml::string_map& attributes,
                   const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

private:
    struct FontEntry {
        Font font;
        unsigned decoration = 0;
        // Rounded as litehtml sees them.
        int ascent = 0;
        int descent = 0;
        float xHeight = 0;
    };

    void fail(std::string message);
    // The picture `src` names, or null; fails the page for a remote one.
    std::shared_ptr<const Image> picture(const std::string& src, const std::string& base);
    const FontEntry* font(litehtml::uint_ptr handle) const;

    litehtml::context& context_;
    std::string baseURL_;
    std::string title_;
    std::optional<std::string> failure_;
    std::map<litehtml::uint_ptr, FontEntry> fonts_;
    litehtml::uint_ptr nextFont_ = 1;
    std::map<std::string, std::shared_ptr<const Image>> pictures_;
    float viewportWidth_ = 0, viewportHeight_ = 0;
    Size size_;
    Painter* painter_ = nullptr;
    int clips_ = 0;
    // Last: the document calls back into the members above while it is destroyed.
    litehtml::document::ptr document_;
};

} // namespace mevara
