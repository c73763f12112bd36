#include "toolkit/WebPage.h"

#include "platform/TextFile.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/Painter.h"
#include "toolkit/WebAddress.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <litehtml/el_text.h>
#include <vector>

namespace mevara {
namespace {

constexpr float xHeightPerEm = 0.52f;

Color colorOf(const litehtml::web_color& c) {
    return {c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f, c.alpha / 255.0f};
}

Rect rectOf(const litehtml::position& p) {
    return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.width),
            static_cast<float>(p.height)};
}

Painter& painterOf(litehtml::uint_ptr hdc) {
    return *reinterpret_cast<Painter*>(hdc);
}

std::string_view fontName(int weight, bool italic) {
    const bool bold = weight >= 600;
    if (bold) return italic ? Font::boldOblique : Font::bold;
    return italic ? Font::oblique : Font::regular;
}

bool isDrawn(const litehtml::border& border) {
    return border.width > 0 && border.style != litehtml::border_style_none &&
           border.style != litehtml::border_style_hidden;
}

bool isTag(const litehtml::element& el, const char* name) {
    const char* tag = el.get_tagName();
    return tag && litehtml::t_strcasecmp(tag, name) == 0;
}

// Lines of text as they read, one per block.
class TextCollector {
public:
    void add(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const unsigned char ch = static_cast<unsigned char>(text[i]);
            if (ch == 0xC2 && i + 1 < text.size() &&
                static_cast<unsigned char>(text[i + 1]) == 0xA0) {
                space();
                ++i;
            } else if (std::isspace(ch)) {
                space();
            } else {
                line_ += static_cast<char>(ch);
            }
        }
    }
    void space() {
        if (!line_.empty() && line_.back() != ' ') line_ += ' ';
    }
    void endLine() {
        while (!line_.empty() && line_.back() == ' ')
            line_.pop_back();
        if (!line_.empty()) lines_.push_back(std::move(line_));
        line_.clear();
    }
    std::string text() {
        endLine();
        std::string out;
        for (const auto& line : lines_) {
            if (!out.empty()) out += '\n';
            out += line;
        }
        return out;
    }

    void collect(const litehtml::element::ptr& el) {
        if (!el || el->is_comment()) return;
        const auto display = el->get_display();
        if (display == litehtml::display_none) return;
        if (dynamic_cast<const litehtml::el_text*>(el.get())) {
            if (el->is_break()) {
                endLine();
                return;
            }
            litehtml::tstring text;
            el->get_text(text);
            add(text);
            return;
        }
        if (el->is_break()) {
            endLine();
            return;
        }
        using D = litehtml::style_display;
        const bool inlineLevel =
            display == D::display_inline || display == D::display_inline_text ||
            display == D::display_inline_block || display == D::display_inline_table;
        const bool cell = display == D::display_table_cell;
        if (!inlineLevel && !cell) endLine();
        for (std::size_t i = 0; i < el->get_children_count(); ++i)
            collect(el->get_child(static_cast<int>(i)));
        if (cell)
            space();
        else if (!inlineLevel)
            endLine();
    }

private:
    std::string line_;
    std::vector<std::string> lines_;
};

litehtml::element::ptr findAnchor(const litehtml::element::ptr& el, const std::string& name) {
    if (!el) return nullptr;
    const char* id = el->get_attr("id");
    if (id && name == id) return el;
    if (isTag(*el, "a")) {
        const char* anchorName = el->get_attr("name");
        if (anchorName && name == anchorName) return el;
    }
    for (std::size_t i = 0; i < el->get_children_count(); ++i)
        if (auto found = findAnchor(el->get_child(static_cast<int>(i)), name)) return found;
    return nullptr;
}

} // namespace

WebPage::WebPage(litehtml::context& context, std::string baseURL)
    : context_(context), baseURL_(std::move(baseURL)) {}

WebPage::~WebPage() {
    // The document gives its fonts back while it goes.
    document_.reset();
}

void WebPage::load(const std::string& html) {
    document_ = litehtml::document::createFromUTF8(html.c_str(), this, &context_);
}

void WebPage::fail(std::string message) {
    if (!failure_) failure_ = std::move(message);
}

Size WebPage::layout(float width, float viewportHeight) {
    viewportWidth_ = width;
    viewportHeight_ = viewportHeight;
    if (!document_) return size_ = {width, 0};
    document_->media_changed();
    document_->render(static_cast<int>(std::floor(width)));
    size_ = {std::max(width, static_cast<float>(document_->width())),
             static_cast<float>(document_->height())};
    return size_;
}

void WebPage::draw(Painter& painter, const Rect& visible) {
    if (!document_) return;
    const int left = static_cast<int>(std::floor(visible.x));
    const int top = static_cast<int>(std::floor(visible.y));
    const litehtml::position clip(left, top, static_cast<int>(std::ceil(visible.maxX())) - left,
                                  static_cast<int>(std::ceil(visible.maxY())) - top);
    painter_ = &painter;
    document_->draw(reinterpret_cast<litehtml::uint_ptr>(&painter), 0, 0, &clip);
    while (clips_ > 0)
        del_clip();
    painter_ = nullptr;
}

std::string WebPage::visibleText() const {
    if (!document_) return {};
    TextCollector collector;
    collector.collect(document_->root());
    return collector.text();
}

std::optional<std::string> WebPage::linkAt(Point point) const {
    if (!document_ || !document_->root()) return std::nullopt;
    const int x = static_cast<int>(std::floor(point.x));
    const int y = static_cast<int>(std::floor(point.y));
    for (auto el = document_->root()->get_element_by_point(x, y, x, y); el; el = el->parent()) {
        if (!isTag(*el, "a")) continue;
        if (const char* href = el->get_attr("href")) return std::string(href);
    }
    return std::nullopt;
}

std::optional<float> WebPage::anchorTop(const std::string& name) const {
    if (!document_ || name.empty()) return std::nullopt;
    auto el = findAnchor(document_->root(), name);
    if (!el) return std::nullopt;
    return static_cast<float>(el->get_placement().y);
}

const WebPage::FontEntry* WebPage::font(litehtml::uint_ptr handle) const {
    auto it = fonts_.find(handle);
    return it == fonts_.end() ? nullptr : &it->second;
}

litehtml::uint_ptr WebPage::create_font(const litehtml::tchar_t*, int size, int weight,
                                        litehtml::font_style italic, unsigned int decoration,
                                        litehtml::font_metrics* fm) {
    FontEntry entry;
    entry.font = {std::string(fontName(weight, italic == litehtml::fontStyleItalic)),
                  static_cast<float>(std::max(1, size))};
    entry.decoration = decoration;
    const FontEngine& engine = Application::shared().fonts();
    entry.ascent = static_cast<int>(std::lround(engine.ascent(entry.font)));
    entry.descent =
        std::max(1, static_cast<int>(std::lround(engine.lineHeight(entry.font))) - entry.ascent);
    entry.xHeight = xHeightPerEm * entry.font.pointSize;
    if (fm) {
        fm->ascent = entry.ascent;
        fm->descent = entry.descent;
        fm->height = entry.ascent + entry.descent;
        fm->x_height = static_cast<int>(std::lround(entry.xHeight));
        // Spaces only matter when a line runs under or through them.
        fm->draw_spaces = decoration != litehtml::font_decoration_none;
    }
    const litehtml::uint_ptr handle = nextFont_++;
    fonts_.emplace(handle, std::move(entry));
    return handle;
}

void WebPage::delete_font(litehtml::uint_ptr hFont) {
    fonts_.erase(hFont);
}

int WebPage::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) {
    const FontEntry* entry = font(hFont);
    if (!entry || !text) return 0;
    return static_cast<int>(std::lround(Application::shared().fonts().width(entry->font, text)));
}

void WebPage::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text,
                        litehtml::uint_ptr hFont, litehtml::web_color color,
                        const litehtml::position& pos) {
    const FontEntry* entry = font(hFont);
    if (!entry || !text) return;
    Painter& painter = painterOf(hdc);
    const Color ink = colorOf(color);
    // litehtml's box ends at the descent below the baseline; the painter wants the top.
    const float baseline = static_cast<float>(pos.bottom() - entry->descent);
    const std::string_view utf8(text);
    if (utf8.find_first_not_of(" ") != std::string_view::npos)
        painter.drawText(
            utf8, entry->font, ink,
            {static_cast<float>(pos.x), baseline - painter.fonts().ascent(entry->font)});
    const float x = static_cast<float>(pos.x);
    const float width = static_cast<float>(pos.width);
    const float thickness = std::max(1.0f, std::round(entry->font.pointSize / 16));
    if (entry->decoration & litehtml::font_decoration_underline)
        painter.fillRect({x, baseline + thickness, width, thickness}, ink);
    if (entry->decoration & litehtml::font_decoration_linethrough)
        painter.fillRect({x, std::round(baseline - entry->xHeight / 2), width, thickness}, ink);
    if (entry->decoration & litehtml::font_decoration_overline)
        painter.fillRect({x, baseline - static_cast<float>(entry->ascent), width, thickness}, ink);
}

int WebPage::pt_to_px(int pt) const {
    return static_cast<int>(std::lround(pt * 96.0 / 72.0));
}

int WebPage::get_default_font_size() const {
    return 16;
}

const litehtml::tchar_t* WebPage::get_default_font_name() const {
    return Font::regular.data();
}

void WebPage::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
    Painter& painter = painterOf(hdc);
    const Rect box = rectOf(marker.pos);
    const Color ink = colorOf(marker.color);
    if (!marker.image.empty()) {
        if (auto image = picture(marker.image, marker.baseurl ? marker.baseurl : ""))
            painter.drawImage(*image, box, {0, 0, 1, 1});
        return;
    }
    switch (marker.marker_type) {
    case litehtml::list_style_type_none:
        return;
    case litehtml::list_style_type_disc:
        painter.fillRoundedRect(box, std::min(box.width, box.height) / 2, ink);
        return;
    case litehtml::list_style_type_circle:
        // A ring from four strips: the painter has no strokes.
        painter.fillRect({box.x, box.y, box.width, 1}, ink);
        painter.fillRect({box.x, box.maxY() - 1, box.width, 1}, ink);
        painter.fillRect({box.x, box.y, 1, box.height}, ink);
        painter.fillRect({box.maxX() - 1, box.y, 1, box.height}, ink);
        return;
    case litehtml::list_style_type_square:
        painter.fillRect(box, ink);
        return;
    // litehtml writes numbers and letters itself; anything else gets a bullet.
    default:
        painter.fillRoundedRect(box, std::min(box.width, box.height) / 2, ink);
        return;
    }
}

std::shared_ptr<const Image> WebPage::picture(const std::string& src, const std::string& base) {
    const WebTarget target = resolveWebReference(src, base.empty() ? baseURL_ : base);
    if (target.kind == WebTarget::Kind::Remote) {
        fail("The picture " + src + " needs the network.");
        return nullptr;
    }
    if (target.kind != WebTarget::Kind::Local) return nullptr;
    const std::string key = target.path.string();
    auto it = pictures_.find(key);
    if (it == pictures_.end()) it = pictures_.emplace(key, Image::fromFile(key)).first;
    return it->second;
}

void WebPage::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool) {
    if (src && *src) picture(src, baseurl ? baseurl : "");
}

void WebPage::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                             litehtml::size& sz) {
    sz.width = sz.height = 0;
    if (!src || !*src) return;
    if (auto image = picture(src, baseurl ? baseurl : "")) {
        sz.width = static_cast<int>(std::lround(image->size().width));
        sz.height = static_cast<int>(std::lround(image->size().height));
    }
}

void WebPage::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
    Painter& painter = painterOf(hdc);
    const Rect clipBox = rectOf(bg.clip_box);
    if (bg.color.alpha > 0 && clipBox.width > 0 && clipBox.height > 0) {
        const float radius = static_cast<float>(bg.border_radius.top_left_x);
        if (radius > 0)
            painter.fillRoundedRect(clipBox, radius, colorOf(bg.color));
        else
            painter.fillRect(clipBox, colorOf(bg.color));
    }
    if (bg.image.empty()) return;
    auto image = picture(bg.image, bg.baseurl);
    if (!image) return;
    float tileWidth = static_cast<float>(bg.image_size.width);
    float tileHeight = static_cast<float>(bg.image_size.height);
    if (tileWidth <= 0 || tileHeight <= 0) {
        tileWidth = image->size().width;
        tileHeight = image->size().height;
    }
    if (tileWidth < 1 || tileHeight < 1) return;
    // litehtml gives the picture's place in page coordinates already.
    const float startX = static_cast<float>(bg.position_x);
    const float startY = static_cast<float>(bg.position_y);
    const bool repeatX = bg.repeat == litehtml::background_repeat_repeat ||
                         bg.repeat == litehtml::background_repeat_repeat_x;
    const bool repeatY = bg.repeat == litehtml::background_repeat_repeat ||
                         bg.repeat == litehtml::background_repeat_repeat_y;
    // Tiles start on the grid through the picture's position and cover the clip box.
    auto firstTile = [](float start, float tile, float from) {
        return start - std::ceil((start - from) / tile) * tile;
    };
    const float x0 = repeatX ? firstTile(startX, tileWidth, clipBox.x) : startX;
    const float y0 = repeatY ? firstTile(startY, tileHeight, clipBox.y) : startY;
    const float x1 = repeatX ? clipBox.maxX() : startX + tileWidth;
    const float y1 = repeatY ? clipBox.maxY() : startY + tileHeight;
    painter.save();
    painter.clip(clipBox);
    for (float y = y0; y < y1; y += tileHeight)
        for (float x = x0; x < x1; x += tileWidth)
            painter.drawImage(*image, {x, y, tileWidth, tileHeight}, {0, 0, 1, 1});
    painter.restore();
}

void WebPage::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                           const litehtml::position& pos, bool) {
    Painter& painter = painterOf(hdc);
    const Rect box = rectOf(pos);
    if (isDrawn(borders.top))
        painter.fillRect({box.x, box.y, box.width, static_cast<float>(borders.top.width)},
                         colorOf(borders.top.color));
    if (isDrawn(borders.bottom)) {
        const float w = static_cast<float>(borders.bottom.width);
        painter.fillRect({box.x, box.maxY() - w, box.width, w}, colorOf(borders.bottom.color));
    }
    if (isDrawn(borders.left))
        painter.fillRect({box.x, box.y, static_cast<float>(borders.left.width), box.height},
                         colorOf(borders.left.color));
    if (isDrawn(borders.right)) {
        const float w = static_cast<float>(borders.right.width);
        painter.fillRect({box.maxX() - w, box.y, w, box.height}, colorOf(borders.right.color));
    }
}

void WebPage::set_caption(const litehtml::tchar_t* caption) {
    title_ = caption ? caption : "";
}

void WebPage::set_base_url(const litehtml::tchar_t* base_url) {
    if (!base_url || !*base_url) return;
    const WebTarget target = resolveWebReference(base_url, baseURL_);
    if (target.kind == WebTarget::Kind::Local) {
        const std::string_view url(base_url);
        baseURL_ = fileURLForPath(target.path, url.ends_with('/'));
    } else if (target.kind == WebTarget::Kind::Remote) {
        baseURL_ = base_url;
    }
}

void WebPage::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {}

// Taps reach links through WebView, which knows where the finger was.
void WebPage::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {}

void WebPage::set_cursor(const litehtml::tchar_t*) {}

void WebPage::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    switch (tt) {
    case litehtml::text_transform_uppercase:
        for (auto& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        break;
    case litehtml::text_transform_lowercase:
        for (auto& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        break;
    case litehtml::text_transform_capitalize:
        if (!text.empty())
            text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        break;
    default:
        break;
    }
}

void WebPage::import_css(litehtml::tstring& text, const litehtml::tstring& url,
                         litehtml::tstring& baseurl) {
    const WebTarget target = resolveWebReference(url, baseurl.empty() ? baseURL_ : baseurl);
    if (target.kind == WebTarget::Kind::Remote) {
        fail("The stylesheet " + url + " needs the network.");
        return;
    }
    if (target.kind != WebTarget::Kind::Local) return;
    // A missing stylesheet leaves the page plain rather than failing it.
    if (auto css = TextFile::readUtf8(target.path)) {
        text = std::move(*css);
        baseurl = fileURLForPath(target.path);
    }
}

void WebPage::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                       bool valid_x, bool valid_y) {
    if (!painter_) return;
    constexpr float far = 1e6f;
    const Rect box = rectOf(pos);
    painter_->save();
    painter_->clip({valid_x ? box.x : -far, valid_y ? box.y : -far, valid_x ? box.width : 2 * far,
                    valid_y ? box.height : 2 * far});
    ++clips_;
}

void WebPage::del_clip() {
    if (!painter_ || clips_ == 0) return;
    painter_->restore();
    --clips_;
}

void WebPage::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, static_cast<int>(viewportWidth_),
                                static_cast<int>(viewportHeight_));
}

std::shared_ptr<litehtml::element>
WebPage::create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                        const std::shared_ptr<litehtml::document>&) {
    return nullptr;
}

void WebPage::get_media_features(litehtml::media_features& media) const {
    const Size screen = Application::shared().screenSize();
    media.type = litehtml::media_type_screen;
    media.width = static_cast<int>(viewportWidth_);
    media.height = static_cast<int>(viewportHeight_);
    media.device_width = static_cast<int>(screen.width);
    media.device_height = static_cast<int>(screen.height);
    media.color = 8;
    media.color_index = 0;
    media.monochrome = 0;
    media.resolution = 96;
}

void WebPage::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "en";
    culture.clear();
}

} // namespace mevara
