// Where text may be cut, as every build finds it: the desktop with ICU and the browser
// with its segmenter and the Unicode line breaking package give the same places.
#include "toolkit/TextBreaks.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using Breaks = std::vector<std::size_t>;

TEST(TextBreaks, CharactersAndLineWrapsFallWhereUnicodeSaysInEveryBuild) {
    struct Case {
        const char* text;
        TextBreaks::Kind kind;
        Breaks breaks;
    };
    using enum TextBreaks::Kind;
    for (const Case& c : {
             // A base letter and its accent, a flag and a family stay whole.
             Case{"e\u0301x", Character, {0, 3, 4}},
             Case{"\U0001F1E9\U0001F1EA!", Character, {0, 8, 9}},
             Case{"\U0001F468\u200D\U0001F469\u200D\U0001F467.", Character, {0, 18, 19}},
             // Lines wrap after spaces and hyphens and between Chinese characters.
             Case{"Chest X-Ray two views", Line, {0, 6, 8, 12, 16, 21}},
             Case{"Lung (Perfusion) scan", Line, {0, 5, 17, 21}},
             Case{"\u4f60\u597d\u4e16\u754c", Line, {0, 3, 6, 9, 12}},
             Case{"", Line, {0}},
         }) {
        SCOPED_TRACE(c.text);
        TextBreaks breaks(c.text, c.kind);
        EXPECT_EQ(breaks.all(), c.breaks);
    }
    TextBreaks words("Chest X-Ray two views", TextBreaks::Kind::Line);
    EXPECT_EQ(words.following(6), 8u);
    EXPECT_EQ(words.preceding(8), 6u);
    EXPECT_EQ(words.atOrBefore(10), 8u);
    EXPECT_EQ(words.atOrBefore(12), 12u);
    EXPECT_EQ(words.following(21), 21u);
    EXPECT_EQ(words.preceding(0), 0u);
}

} // namespace
} // namespace mevara
