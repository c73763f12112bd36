#include "toolkit/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

namespace mevara {
namespace {

constexpr std::string_view ellipsis = "\xE2\x80\xA6";

// Offsets (in bytes) where ICU allows a break of the given kind, including 0 and the end.
std::vector<std::size_t> boundaries(std::string_view text, bool lineBreaks) {
    std::vector<std::size_t> result{0};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(
        lineBreaks ? icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), status)
                   : icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText* ut = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status) || !it) {
        if (ut) utext_close(ut);
        for (std::size_t i = 1; i <= text.size(); ++i)
            result.push_back(i);
        return result;
    }
    it->setText(ut, status);
    for (int32_t p = it->next(); p != icu::BreakIterator::DONE; p = it->next())
        result.push_back(static_cast<std::size_t>(p));
    utext_close(ut);
    if (result.back() != text.size()) result.push_back(text.size());
    return result;
}

std::string_view trimEnd(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

class Breaker {
public:
    Breaker(const FontEngine& engine, const Font& font, float maxWidth)
        : engine(engine), font(font), maxWidth(maxWidth) {}

    float width(std::string_view s) const { return engine.width(font, s); }

    // Longest prefix (on character boundaries) that fits, at least one character.
    std::size_t fittingPrefix(std::string_view text, std::string_view suffix = {}) const {
        const auto cuts = boundaries(text, false);
        std::size_t lo = 0, hi = cuts.size() - 1;
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            std::string candidate(text.substr(0, cuts[mid]));
            candidate += suffix;
            if (width(candidate) <= maxWidth)
                lo = mid;
            else
                hi = mid - 1;
        }
        return cuts[std::max<std::size_t>(lo, suffix.empty() ? 1 : 0)];
    }

    std::string truncated(std::string_view text, LineBreakMode mode) const {
        if (width(text) <= maxWidth) return std::string(text);
        if (mode == LineBreakMode::Clip || mode == LineBreakMode::WordWrap ||
            mode == LineBreakMode::CharacterWrap)
            return std::string(text);
        const auto cuts = boundaries(text, false);
        auto fits = [&](std::size_t keepHead, std::size_t keepTailFrom) {
            std::string s(text.substr(0, keepHead));
            s += ellipsis;
            s += text.substr(keepTailFrom);
            return width(s) <= maxWidth;
        };
        auto compose = [&](std::size_t head, std::size_t tailFrom) {
            std::string s(trimEnd(text.substr(0, head)));
            s += ellipsis;
            s += text.substr(tailFrom);
            return s;
        };
        const std::size_t n = cuts.size() - 1;
        if (mode == LineBreakMode::TailTruncation) {
            std::size_t k = n;
            while (k > 0 && !fits(cuts[k], text.size()))
                --k;
            return compose(cuts[k], text.size());
        }
        if (mode == LineBreakMode::HeadTruncation) {
            std::size_t k = 0;
            while (k < n && !fits(0, cuts[k]))
                ++k;
            return compose(0, cuts[k]);
        }
        // Middle: drop characters around the centre until it fits.
        std::size_t head = n / 2, tail = n / 2;
        while ((head > 0 || tail < n) && !fits(cuts[head], cuts[tail])) {
            if (head > 0 && (n - tail <= head || tail == n))
                --head;
            else
                ++tail;
        }
        return compose(cuts[head], cuts[tail]);
    }

    // Breaks one paragraph into lines of at most maxWidth.
    void wrap(std::string_view paragraph, bool byWord, std::vector<std::string>& out) const {
        if (paragraph.empty()) {
            out.emplace_back();
            return;
        }
        std::string_view rest = paragraph;
        while (!rest.empty()) {
            if (width(rest) <= maxWidth) {
                out.emplace_back(trimEnd(rest));
                return;
            }
            std::size_t cut = 0;
            if (byWord) {
                for (std::size_t b : boundaries(rest, true)) {
                    if (b == 0) continue;
                    if (width(trimEnd(rest.substr(0, b))) <= maxWidth)
                        cut = b;
                    else
                        break;
                }
            }
            if (cut == 0) cut = fittingPrefix(rest);
            out.emplace_back(trimEnd(rest.substr(0, cut)));
            rest = rest.substr(cut);
        }
    }

private:
    const FontEngine& engine;
    const Font& font;
    float maxWidth;
};

std::vector<std::string_view> paragraphs(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            result.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
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

    const Breaker breaker(engine, font, bounds.width);
    const int byHeight =
        std::max(1, static_cast<int>(std::floor(bounds.height / layout.lineHeight + 0.001f)));
    const int limit = maxLines == 1 ? 1 : (maxLines > 0 ? std::min(maxLines, byHeight) : byHeight);

    std::vector<std::string> lines;
    if (limit == 1) {
        lines.emplace_back(paragraphs(text).front());
    } else {
        const bool byWord = mode != LineBreakMode::CharacterWrap;
        for (auto paragraph : paragraphs(text))
            breaker.wrap(paragraph, byWord, lines);
    }
    if (static_cast<int>(lines.size()) > limit) {
        // The last visible line carries what is cut, then truncates (at the tail when wrapping).
        std::string last = lines[limit - 1];
        for (std::size_t i = limit; i < lines.size(); ++i)
            last += " " + lines[i];
        lines.resize(limit);
        const auto lastMode =
            (mode == LineBreakMode::WordWrap || mode == LineBreakMode::CharacterWrap)
                ? LineBreakMode::TailTruncation
                : mode;
        lines.back() = breaker.truncated(last, lastMode);
    } else if (!lines.empty()) {
        lines.back() = breaker.truncated(lines.back(), limit == 1 ? mode : LineBreakMode::Clip);
    }
    for (auto& line : lines) {
        const float w = breaker.width(line);
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
