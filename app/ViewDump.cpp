#include "app/ViewDump.h"

#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/Switch.h"
#include "toolkit/TableView.h"
#include "toolkit/WebView.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mevara {
namespace {

// Alpha at or below this is as good as gone.
constexpr float invisibleAlpha = 0.01f;
constexpr std::size_t webTextLength = 60;

// Maps a view's bounds coordinates to window points.
struct Affine {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // This after `inner`.
    Affine after(const Affine& inner) const {
        return {a * inner.a + c * inner.b,        b * inner.a + d * inner.b,
                a * inner.c + c * inner.d,        b * inner.c + d * inner.d,
                a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty};
    }
};

Rect intersection(const Rect& r, const Rect& s) {
    const float x0 = std::max(r.x, s.x), y0 = std::max(r.y, s.y);
    const float x1 = std::min(r.maxX(), s.maxX()), y1 = std::min(r.maxY(), s.maxY());
    return {x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0)};
}

// Whether `r` lies at least partly inside `area`; a line or point inside counts.
bool overlaps(const Rect& r, const Rect& area) {
    return r.x < area.maxX() && r.maxX() > area.x && r.y < area.maxY() && r.maxY() > area.y;
}

struct Walk {
    std::optional<double> time;
    const std::function<void(const VisibleView&)>& visit;

    void children(const View& parent, const Affine& toWindow, const Rect& clip, float alpha,
                  int depth) const {
        for (const auto& sub : parent.subviews())
            one(sub, toWindow, clip, alpha, depth);
    }

    void one(const std::shared_ptr<View>& view, const Affine& parentToWindow, const Rect& clip,
             float parentAlpha, int depth) const {
        if (view->isHidden()) return;
        const float alpha = parentAlpha * (time ? view->presentationAlpha(*time) : view->alpha());
        if (alpha <= invisibleAlpha) return;
        const Rect frame = time ? view->presentationFrame(*time) : view->frame();
        const Transform t = time ? view->presentationTransform(*time) : view->transform();
        const Rect bounds = view->bounds();
        // p -> centre + t(p - bounds origin - half size), in the superview's coordinates.
        const float kx = bounds.x + frame.width / 2, ky = bounds.y + frame.height / 2;
        const Affine local{t.a,
                           t.b,
                           t.c,
                           t.d,
                           t.tx + frame.x + frame.width / 2 - (t.a * kx + t.c * ky),
                           t.ty + frame.y + frame.height / 2 - (t.b * kx + t.d * ky)};
        const Affine toWindow = parentToWindow.after(local);
        const Point corners[4] = {
            toWindow.apply({bounds.x, bounds.y}),
            toWindow.apply({bounds.x + frame.width, bounds.y}),
            toWindow.apply({bounds.x, bounds.y + frame.height}),
            toWindow.apply({bounds.x + frame.width, bounds.y + frame.height})};
        float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
        for (const Point& p : corners) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        const Rect inWindow{x0, y0, x1 - x0, y1 - y0};
        if (!overlaps(inWindow, clip)) return;
        visit({view, depth, frame, intersection(inWindow, clip), alpha});
        children(*view, toWindow, view->clipsToBounds() ? intersection(inWindow, clip) : clip,
                 alpha, depth + 1);
    }
};

std::string number(float value) {
    double rounded = std::round(static_cast<double>(value) * 100) / 100;
    rounded += 0.0; // no "-0"
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", rounded);
    return buffer;
}

std::string imageName(const std::shared_ptr<const Image>& image) {
    return image ? image->name() : std::string();
}

// The first `count` characters of UTF-8 text, with an ellipsis when some were cut.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (seen++ == count) return text.substr(0, i) + "\u2026";
    }
    return text;
}

void describe(const View& view, std::string& line) {
    auto field = [&line](const std::string& key, const std::string& value) {
        line += " " + key + "=" + quoteText(value);
    };
    auto flag = [&line](bool on, const char* word) {
        if (on) line += std::string(" ") + word;
    };
    if (auto* label = dynamic_cast<const Label*>(&view)) {
        field("text", label->text());
    } else if (auto* sw = dynamic_cast<const Switch*>(&view)) {
        line += sw->isOn() ? " on" : " off";
    } else if (auto* button = dynamic_cast<const Button*>(&view)) {
        if (const auto title = button->currentTitle(); !title.empty()) field("title", title);
        if (const auto image = imageName(button->currentImage()); !image.empty())
            field("image", image);
        if (const auto back = imageName(button->currentBackgroundImage()); !back.empty())
            field("background", back);
        flag(!button->isEnabled(), "disabled");
        flag(button->isHighlighted(), "highlighted");
    } else if (auto* picture = dynamic_cast<const ImageView*>(&view)) {
        if (picture->image()) field("image", picture->image()->name());
    } else if (auto* table = dynamic_cast<const TableView*>(&view)) {
        line += " rows=" + std::to_string(table->loadedRowCount()) +
                " offset=" + number(table->contentOffset().y);
    } else if (auto* web = dynamic_cast<const WebView*>(&view)) {
        field("url", web->currentURL());
        field("text", firstCharacters(web->visibleText(), webTextLength));
    } else if (auto* alert = dynamic_cast<const AlertView*>(&view)) {
        field("title", alert->title());
        field("message", alert->message());
    }
}

std::string line(const View& view, int depth, const Rect& frame, float alpha) {
    std::string text(static_cast<std::size_t>(depth) * 2, ' ');
    text += view.className();
    if (!view.name().empty()) text += " #" + view.name();
    text += " (" + number(frame.x) + ", " + number(frame.y) + ", " + number(frame.width) + ", " +
            number(frame.height) + ")";
    if (std::round(alpha * 100) < 100) text += " alpha=" + number(alpha);
    describe(view, text);
    return text + "\n";
}

} // namespace

void forEachVisibleView(const Window& window, std::optional<double> time,
                        const std::function<void(const VisibleView&)>& visit) {
    if (window.isHidden()) return;
    const float alpha = time ? window.presentationAlpha(*time) : window.alpha();
    if (alpha <= invisibleAlpha) return;
    // Window coordinates are the window's bounds.
    const Rect size = time ? window.presentationFrame(*time) : window.frame();
    const Rect screen{0, 0, size.width, size.height};
    const Affine identity;
    Walk{time, visit}.children(window, identity, screen, alpha, 1);
}

std::string dumpViewTree(const Window& window, double time) {
    std::string text =
        line(window, 0, window.presentationFrame(time), window.presentationAlpha(time));
    forEachVisibleView(window, time, [&text](const VisibleView& seen) {
        text += line(*seen.view, seen.depth, seen.frame, seen.alpha);
    });
    return text;
}

std::string quoteText(const std::string& text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '\n':
            quoted += "\\n";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        default:
            quoted += ch;
        }
    }
    return quoted + "\"";
}

} // namespace mevara
