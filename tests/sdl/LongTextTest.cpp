#include "SdlFixture.h"
#include "toolkit/Label.h"
#include "toolkit/TextLayout.h"
#include "toolkit/sdl/Snapshot.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace mevara::sdl::test {
namespace {

using LongText = SdlTest;

constexpr std::string_view ellipsis = "\xE2\x80\xA6";

// `piece` over and over, `length` bytes or a little less, ending on a whole character.
std::string repeated(std::string_view piece, std::size_t length) {
    std::string text;
    while (text.size() < length)
        text += piece;
    text.resize(length);
    while ((static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
    return text;
}

// Where each code point starts, and the end. The texts below have no combining marks, so
// these are also their user-perceived characters.
std::vector<std::size_t> codePoints(std::string_view s) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) offsets.push_back(i);
    offsets.push_back(s.size());
    return offsets;
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return std::string(s);
}

// Truncation the plain way: keep one character fewer at a time, half of them in front for
// the middle, measuring all that is left.
std::string plainCut(const FontEngine& engine, const Font& font, std::string_view text, float width,
                     LineBreakMode mode) {
    if (engine.width(font, text) <= width) return std::string(text);
    const auto at = codePoints(text);
    const std::size_t n = at.size() - 1;
    for (std::size_t kept = n;; --kept) {
        const std::size_t head = mode == LineBreakMode::TailTruncation   ? kept
                                 : mode == LineBreakMode::HeadTruncation ? 0
                                                                         : kept / 2;
        const std::string front(text.substr(0, at[head]));
        const std::string cut =
            std::string(ellipsis) + std::string(text.substr(at[n - kept + head]));
        if (kept == 0 || engine.width(font, front + cut) <= width) return trimmed(front) + cut;
    }
}

// Wrapping the plain way, word by word: as many words as fit, else as many characters (at
// least one); the last line carries the rest and is cut at its tail. Words end after spaces.
std::vector<std::string> plainWrap(const FontEngine& engine, const Font& font,
                                   std::string_view text, float width, std::size_t maxLines,
                                   bool byWord) {
    auto fits = [&](std::string_view s) { return engine.width(font, s) <= width; };
    std::vector<std::string> lines;
    while (!text.empty()) {
        if (fits(text)) {
            lines.push_back(trimmed(text));
            break;
        }
        std::size_t cut = 0;
        for (std::size_t i = 0; byWord && i < text.size(); ++i) {
            if (text[i] != ' ' || (i + 1 < text.size() && text[i + 1] == ' ')) continue;
            if (!fits(trimmed(text.substr(0, i + 1)))) break;
            cut = i + 1;
        }
        if (cut == 0) {
            const auto at = codePoints(text);
            cut = at[1];
            for (std::size_t k = 2; k < at.size() && fits(text.substr(0, at[k])); ++k)
                cut = at[k];
        }
        lines.push_back(trimmed(text.substr(0, cut)));
        text.remove_prefix(cut);
    }
    if (lines.size() > maxLines) {
        std::string last = lines[maxLines - 1];
        for (std::size_t i = maxLines; i < lines.size(); ++i)
            last += " " + lines[i];
        lines.resize(maxLines);
        lines.back() = plainCut(engine, font, last, width, LineBreakMode::TailTruncation);
    }
    return lines;
}

std::vector<std::string> linesOf(const TextLayout& layout) {
    std::vector<std::string> result;
    for (const auto& line : layout.lines)
        result.push_back(line.text);
    return result;
}

TEST_F(LongText, CutsAndWrapsWhereDroppingOneCharacterAtATimeWould) {
    // Kerned pairs, accents and a four-byte character near every cut.
    const std::string texts[] = {
        repeated("Abdomen and Pelvis CT with contrast ", 300),
        repeated("AVAWAY T\xC3\xAAte R\xC3\xB6ntgen fiffl \xF0\x9F\x98\x80 ", 300),
        repeated("R\xC3\xB6ntgenaufnahme", 300),
    };
    const Font fonts[] = {Font::boldSystemFont(17), *Font::named(Font::oblique, 13)};
    const LineBreakMode cuts[] = {LineBreakMode::TailTruncation, LineBreakMode::HeadTruncation,
                                  LineBreakMode::MiddleTruncation};
    for (const auto& text : texts) {
        for (const Font& font : fonts) {
            for (float width : {9.0f, 61.0f, 156.0f, 297.0f}) {
                SCOPED_TRACE(text.substr(0, 12) + " " + font.name + " " + std::to_string(width));
                for (auto mode : cuts) {
                    const auto layout = TextLayout::make(*fonts_, text, font, {width, 22}, mode, 1);
                    EXPECT_EQ(linesOf(layout),
                              std::vector<std::string>{plainCut(*fonts_, font, text, width, mode)});
                }
                for (bool byWord : {true, false}) {
                    const auto layout = TextLayout::make(
                        *fonts_, text, font, {width, 200},
                        byWord ? LineBreakMode::WordWrap : LineBreakMode::CharacterWrap, 3);
                    EXPECT_EQ(linesOf(layout), plainWrap(*fonts_, font, text, width, 3, byWord));
                }
            }
        }
    }
}

// What a person sees of a layout: face, size and lines.
std::string seen(const TextLayout& layout) {
    std::string result = layout.font.name + " " + std::to_string(layout.font.pointSize);
    for (const auto& line : layout.lines)
        result += "\n" + line.text;
    return result;
}

// Real metrics, counted.
struct CountingEngine : SdlFontEngine {
    float width(const Font& font, std::string_view text) const override {
        ++widths;
        return SdlFontEngine::width(font, text);
    }
    mutable int widths = 0;
};

TEST_F(LongText, ALabelLaysOutAgainOnlyWhenWhatShapesItsLinesChanges) {
    auto counting = std::make_shared<CountingEngine>();
    Application::shared().setFontEngine(counting);
    const std::string name = repeated("Abdomen and Pelvis CT with contrast ", 400);
    auto made = [&] {
        auto label = std::make_shared<Label>(Rect{0, 0, 156, 44});
        label->setText(name);
        return label;
    };
    auto root = whiteScreen(320, 60);
    auto label = made();
    root->addSubview(label);
    OffscreenRenderer offscreen(320, 60, 1);
    offscreen.render(*root, 0);
    counting->widths = 0;
    offscreen.render(*root, 0);
    EXPECT_EQ(counting->widths, 0) << "a frame measured text again";

    // After each change the label shows what a label given the same settings from the start
    // shows.
    const std::function<void(Label&)> changes[] = {
        [](Label& l) { l.setText("Chest (Two Views) and more words than fit"); },
        [](Label& l) { l.setFont(Font::named(Font::bold, 12)); },
        [](Label& l) {
            l.setFrame(Rect{0, 0, 97, 44});
        },
        [](Label& l) { l.setNumberOfLines(2); },
        [](Label& l) { l.setLineBreakMode(LineBreakMode::HeadTruncation); },
        [](Label& l) { l.setNumberOfLines(1); },
        [](Label& l) { l.setAdjustsFontSizeToFitWidth(true); },
        [](Label& l) { l.setMinimumFontSize(11); },
    };
    std::string before = seen(label->layout());
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        changes[i](*label);
        auto fresh = made();
        for (std::size_t j = 0; j <= i; ++j)
            changes[j](*fresh);
        const std::string expected = seen(fresh->layout());
        EXPECT_NE(expected, before) << "a change that shows nothing proves nothing";
        EXPECT_EQ(seen(label->layout()), expected);
        before = expected;
    }
}

// Seconds for the quickest of a few runs, so a busy machine does not decide.
double quickest(const std::function<void()>& run) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

TEST_F(LongText, AVeryLongNameCostsAboutWhatAShortOneCosts) {
    struct Case {
        const char* what;
        std::string_view piece;
        Size size;
        int lines;
        LineBreakMode mode;
        bool shrinks;
    };
    const Case cases[] = {
        {"tail", "Abdomen and Pelvis CT ", {156, 22}, 1, LineBreakMode::TailTruncation, false},
        {"head", "Abdomen and Pelvis CT ", {156, 22}, 1, LineBreakMode::HeadTruncation, false},
        {"middle", "Abdomen and Pelvis CT ", {156, 22}, 1, LineBreakMode::MiddleTruncation, false},
        {"shrinking", "Abdomen and Pelvis CT ", {62, 28}, 1, LineBreakMode::TailTruncation, true},
        {"words", "Abdomen and Pelvis CT ", {297, 400}, 0, LineBreakMode::WordWrap, false},
        {"one word", "R\xC3\xB6ntgen", {297, 400}, 0, LineBreakMode::WordWrap, false},
    };
    constexpr double layoutRatio = 20, drawRatio = 4;
    for (const auto& c : cases) {
        auto label = std::make_shared<Label>(Rect{10, 10, c.size.width, c.size.height});
        label->setNumberOfLines(c.lines);
        label->setLineBreakMode(c.mode);
        label->setAdjustsFontSizeToFitWidth(c.shrinks);
        label->setMinimumFontSize(10);
        auto root = whiteScreen(320, 420);
        root->addSubview(label);
        OffscreenRenderer offscreen(320, 420, 1);
        auto cost = [&](const std::string& text, double& laidOutAndDrawn, double& drawn) {
            laidOutAndDrawn = quickest([&] {
                label->setText("");
                label->setText(text);
                offscreen.render(*root, 0);
            });
            drawn = quickest([&] { offscreen.render(*root, 0); });
        };
        double shortFirst, shortAgain;
        cost(repeated(c.piece, 20), shortFirst, shortAgain);
        // A fault that grows with the length shows at the shorter lengths already.
        for (std::size_t length : {1'000, 10'000, 100'000}) {
            SCOPED_TRACE(std::string(c.what) + " " + std::to_string(length));
            double first, again;
            cost(repeated(c.piece, length), first, again);
            ASSERT_LT(first, layoutRatio * shortFirst);
            ASSERT_LT(again, drawRatio * shortAgain);
        }
    }
}

} // namespace
} // namespace mevara::sdl::test
