#include "toolkit/TextLayout.h"

#include "toolkit/TextBreaks.h"
#include "toolkit/TextFit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace mevara {
namespace {

// Breaks paragraphs into lines of at most a width: as many words as fit, or, when not even
// one does, as many characters (at least one). Each line measures about what it holds, not
// the rest of the paragraph, so a long paragraph wraps in time proportional to its length.
class Wrapper {
public:
    using Take = std::function<bool(std::string)>;

    Wrapper(const FontEngine& engine, const Font& font, float maxWidth, bool byWord)
        : engine_(engine), font_(font), maxWidth_(maxWidth), byWord_(byWord) {}

    // Hands each line to `take`; false when `take` asked to stop.
    bool wrap(std::string_view paragraph, const Take& take) const {
        if (paragraph.empty()) return take({});
        // Made when first needed: most paragraphs fit on a line.
        std::optional<TextBreaks> words, chars;
        std::size_t start = 0;
        while (start < paragraph.size()) {
            const std::string_view rest = paragraph.substr(start);
            const std::size_t fitting = fittingPrefix(engine_, font_, rest, maxWidth_);
            if (fitting == rest.size()) return take(std::string(trimEnd(rest)));
            // A prefix fits exactly when it is no longer than the longest that fits.
            std::size_t cut = 0;
            if (byWord_) {
                if (!words) words.emplace(paragraph, TextBreaks::Kind::Line);
                for (std::size_t b = words->following(start);; b = words->following(b)) {
                    if (trimEnd(rest.substr(0, b - start)).size() > fitting) break;
                    cut = b - start;
                    if (b == paragraph.size()) break;
                }
            }
            if (cut == 0) {
                if (!chars) chars.emplace(paragraph, TextBreaks::Kind::Character);
                std::size_t end = chars->atOrBefore(start + fitting);
                if (end <= start) end = chars->following(start);
                cut = end - start;
            }
            if (!take(std::string(trimEnd(rest.substr(0, cut))))) return false;
            start += cut;
        }
        return true;
    }

private:
    const FontEngine& engine_;
    const Font& font_;
    float maxWidth_;
    bool byWord_;
};

std::vector<std::string_view> paragraphs(std::string_view text) {
    std::vector<std::string_view> result;
    // Each kind of break is looked for again only once passed, so this stays linear.
    std::size_t start = 0, newline = text.find('\n'), ret = text.find('\r');
    for (std::size_t end; (end = std::min(newline, ret)) != std::string_view::npos;) {
        result.push_back(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (newline < start) newline = text.find('\n', start);
        if (ret < start) ret = text.find('\r', start);
    }
    result.push_back(text.substr(start));
    return result;
}

} // namespace

TextLayout TextLayout::make(const FontEngine& engine, std::string_view text, const Font& font,
                            Size bounds, LineBreakMode mode, int maxLines) {
    TextLayout layout;
    layout.font = font;
    layout.lineHeight = engine.lineHeight(font);
    layout.ascent = engine.ascent(font);
    if (text.empty()) return layout;

    const float maxWidth = bounds.width;
    const int byHeight =
        std::max(1, static_cast<int>(std::floor(bounds.height / layout.lineHeight + 0.001f)));
    const std::size_t limit =
        maxLines == 1
            ? 1
            : static_cast<std::size_t>(maxLines > 0 ? std::min(maxLines, byHeight) : byHeight);
    // The last visible line carries what is cut, then truncates (at the tail when wrapping).
    const auto lastMode = (mode == LineBreakMode::WordWrap || mode == LineBreakMode::CharacterWrap)
                              ? LineBreakMode::TailTruncation
                              : mode;

    std::vector<std::string> lines;
    std::string carried;
    bool over = false;
    if (limit == 1) {
        lines.emplace_back(paragraphs(text).front());
    } else {
        const Wrapper wrapper(engine, font, maxWidth, mode != LineBreakMode::CharacterWrap);
        auto take = [&](std::string line) {
            if (!over && lines.size() < limit) {
                lines.push_back(std::move(line));
                return true;
            }
            if (!over) carried = lines.back();
            over = true;
            carried += ' ';
            carried += line;
            // A tail cut keeps only what fits, so nothing after a carried line too wide
            // for the width can show.
            return lastMode != LineBreakMode::TailTruncation ||
                   fitsWidth(engine, font, carried, maxWidth);
        };
        for (auto paragraph : paragraphs(text))
            if (!wrapper.wrap(paragraph, take)) break;
    }
    if (over)
        lines.back() = truncateLine(engine, font, carried, maxWidth, lastMode);
    else if (!lines.empty())
        lines.back() = truncateLine(engine, font, lines.back(), maxWidth,
                                    limit == 1 ? mode : LineBreakMode::Clip);
    for (auto& line : lines) {
        const float w = engine.width(font, line);
        layout.size.width = std::max(layout.size.width, w);
        layout.lines.push_back({std::move(line), w});
    }
    layout.size.height = layout.lineHeight * static_cast<float>(layout.lines.size());
    return layout;
}

Size sizeWithFont(const FontEngine& engine, std::string_view text, const Font& font, Size bounds,
                  LineBreakMode mode) {
    return TextLayout::make(engine, text, font, bounds, mode, 0).size;
}

} // namespace mevara
