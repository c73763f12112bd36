#include "app/ViewDump.h"

#include "toolkit/Accessibility.h"
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

constexpr std::size_t webTextLength = 60;

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

std::string dumpViewTree(const Window& window, double time) {
    std::string text =
        line(window, 0, window.presentationFrame(time), window.presentationAlpha(time));
    forEachVisibleView(window, time, [&text](const VisibleView& seen) {
        text += line(*seen.view, seen.depth, seen.frame, seen.alpha);
    });
    return text;
}

std::string dumpAccessibility(const Window& window) {
    std::string text;
    for (const auto& e : accessibleElements(window)) {
        std::string line = traitWords(e.traits);
        if (!line.empty()) line += ' ';
        line += quoteText(e.label);
        if (!e.value.empty()) line += " value=" + quoteText(e.value);
        if (!e.hint.empty()) line += " hint=" + quoteText(e.hint);
        line += " (" + number(e.frame.x) + ", " + number(e.frame.y) + ", " + number(e.frame.width) +
                ", " + number(e.frame.height) + ")";
        text += line + '\n';
    }
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
