#include "toolkit/TextFit.h"

#include "toolkit/TextBreaks.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace mevara {
namespace {

constexpr std::string_view ellipsis = "\xE2\x80\xA6";
// Most lines are shorter: one measurement settles them.
constexpr std::size_t firstProbeBytes = 256;

// The largest n in [0, limit] for which `holds(n)`, where it holds up to some n and not
// after (n = 0 is taken to hold). Probes at `probe`, then outward by doubling, so it asks
// about no n much beyond the answer.
template <class Holds>
std::size_t lastHolding(std::size_t limit, std::size_t probe, const Holds& holds) {
    std::size_t good = 0, bad = limit + 1;
    for (probe = std::clamp<std::size_t>(probe, 1, std::max<std::size_t>(limit, 1)); probe <= limit;
         probe = std::min(2 * probe, limit)) {
        if (!holds(probe)) {
            bad = probe;
            break;
        }
        good = probe;
        if (probe == limit) return limit;
    }
    while (bad - good > 1) {
        const std::size_t middle = good + (bad - good) / 2;
        (holds(middle) ? good : bad) = middle;
    }
    return good;
}

bool isCodePointStart(std::string_view text, std::size_t offset) {
    return offset == 0 || offset >= text.size() ||
           (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80;
}

std::size_t backToCodePoint(std::string_view text, std::size_t offset) {
    while (!isCodePointStart(text, offset))
        --offset;
    return offset;
}

std::size_t onToCodePoint(std::string_view text, std::size_t offset) {
    while (!isCodePointStart(text, offset))
        ++offset;
    return offset;
}

class Truncator {
public:
    Truncator(const FontEngine& engine, const Font& font, std::string_view text, float maxWidth)
        : engine_(engine), font_(font), text_(text), maxWidth_(maxWidth),
          chars_(text, TextBreaks::Kind::Character) {}

    // The head up to the last character that still fits before an ellipsis.
    std::string tail(std::size_t fitting) {
        // Only a head that fits by itself can fit with an ellipsis after it.
        std::vector<std::size_t> cuts{0};
        while (cuts.back() < fitting) {
            const std::size_t next = chars_.following(cuts.back());
            if (next > fitting) break;
            cuts.push_back(next);
        }
        const std::size_t k = lastHolding(cuts.size() - 1, cuts.size() - 1, [&](std::size_t k) {
            return fits(cuts[k], text_.size());
        });
        return compose(cuts[k], text_.size());
    }

    // The end from the first character that still fits after an ellipsis.
    std::string head() {
        const std::size_t shortest = text_.size() - fittingSuffix(engine_, font_, text_, maxWidth_);
        std::vector<std::size_t> starts{text_.size()};
        while (starts.back() > shortest) {
            const std::size_t previous = chars_.preceding(starts.back());
            if (previous < shortest) break;
            starts.push_back(previous);
        }
        const std::size_t j = lastHolding(starts.size() - 1, starts.size() - 1,
                                          [&](std::size_t j) { return fits(0, starts[j]); });
        return compose(0, starts[j]);
    }

    // Characters dropped around the centre, alternately on each side, until the rest fits:
    // what is left is then as many characters as fit, the extra one at the end.
    std::string middle() {
        std::vector<std::size_t> heads{0}, tails{text_.size()};
        auto head = [&](std::size_t count) {
            while (heads.size() <= count && heads.back() < text_.size())
                heads.push_back(chars_.following(heads.back()));
            return heads[std::min(count, heads.size() - 1)];
        };
        auto tail = [&](std::size_t count) {
            while (tails.size() <= count && tails.back() > 0)
                tails.push_back(chars_.preceding(tails.back()));
            return tails[std::min(count, tails.size() - 1)];
        };
        auto split = [&](std::size_t kept) {
            return std::pair{head(kept / 2), tail(kept - kept / 2)};
        };
        const std::size_t kept = lastHolding(text_.size(), 1, [&](std::size_t kept) {
            const auto [headEnd, tailFrom] = split(kept);
            return headEnd < tailFrom && fits(headEnd, tailFrom);
        });
        const auto [headEnd, tailFrom] = split(kept);
        return compose(headEnd, tailFrom);
    }

private:
    bool fits(std::size_t head, std::size_t tailFrom) const {
        std::string s(text_.substr(0, head));
        s += ellipsis;
        s += text_.substr(tailFrom);
        return engine_.width(font_, s) <= maxWidth_;
    }
    std::string compose(std::size_t head, std::size_t tailFrom) const {
        std::string s(trimEnd(text_.substr(0, head)));
        s += ellipsis;
        s += text_.substr(tailFrom);
        return s;
    }

    const FontEngine& engine_;
    const Font& font_;
    std::string_view text_;
    float maxWidth_;
    TextBreaks chars_;
};

} // namespace

std::size_t fittingPrefix(const FontEngine& engine, const Font& font, std::string_view text,
                          float maxWidth) {
    const std::size_t n = lastHolding(text.size(), firstProbeBytes, [&](std::size_t n) {
        return engine.width(font, text.substr(0, backToCodePoint(text, n))) <= maxWidth;
    });
    return backToCodePoint(text, n);
}

std::size_t fittingSuffix(const FontEngine& engine, const Font& font, std::string_view text,
                          float maxWidth) {
    auto start = [&](std::size_t n) { return onToCodePoint(text, text.size() - n); };
    const std::size_t n = lastHolding(text.size(), firstProbeBytes, [&](std::size_t n) {
        return engine.width(font, text.substr(start(n))) <= maxWidth;
    });
    return text.size() - start(n);
}

bool fitsWidth(const FontEngine& engine, const Font& font, std::string_view text, float maxWidth) {
    return fittingPrefix(engine, font, text, maxWidth) == text.size();
}

std::string truncateLine(const FontEngine& engine, const Font& font, std::string_view text,
                         float maxWidth, LineBreakMode mode) {
    if (mode == LineBreakMode::Clip || mode == LineBreakMode::WordWrap ||
        mode == LineBreakMode::CharacterWrap)
        return std::string(text);
    const std::size_t fitting = fittingPrefix(engine, font, text, maxWidth);
    if (fitting == text.size()) return std::string(text);
    Truncator truncator(engine, font, text, maxWidth);
    if (mode == LineBreakMode::TailTruncation) return truncator.tail(fitting);
    if (mode == LineBreakMode::HeadTruncation) return truncator.head();
    return truncator.middle();
}

std::string_view trimEnd(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace mevara
