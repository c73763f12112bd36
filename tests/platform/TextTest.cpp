#include "platform/LocaleFormat.h"
#include "platform/NumberParsing.h"
#include "platform/Unicode.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::string_literals;

TEST(Unicode, SplitsLinesAndCountsUtf16Units) {
    auto lines = unicode::splitLines("a\nb\vc\fd\re\u0085f\u2028g\u2029h");
    EXPECT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[7], "h");
    EXPECT_EQ(unicode::splitLines("a\r\nb"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(unicode::utf16Length("\u00e9\u4e2d\U0001F600"), 4u); // 9 bytes
    EXPECT_FALSE(unicode::isValidUtf8("\xc0\xaf"s));               // overlong
    EXPECT_FALSE(unicode::isValidUtf8("\xed\xa0\x80"s));           // a surrogate
}

TEST(Unicode, ComparesCanonicallyAndFindsKeysIgnoringCase) {
    EXPECT_EQ(unicode::compareCanonical("R\u00f6ntgen", "Ro\u0308ntgen"), 0);
    EXPECT_NE(unicode::compareCanonical("CT", "ct"), 0);
    EXPECT_LT(unicode::compareCanonical("\u00e9", "f"), 0); // ordered as e + accent
    EXPECT_EQ(unicode::compareCaseInsensitive("Chest", "cHEST"), 0);
    EXPECT_EQ(unicode::findEndCaseInsensitive("<t NAME='CT'", "name='"), 9u);
    EXPECT_EQ(unicode::findEndCaseInsensitive("\xff mi\u017Fs", "miss"), 7u); // LONG S folds to s
}

TEST(NumberParsing, ReadsTheLeadingNumberLikeTheDevice) {
    for (auto [text, value] : std::vector<std::pair<const char*, float>>{{"2.5", 2.5f},
                                                                         {"  -0.75mSv", -0.75f},
                                                                         {".5", 0.5f},
                                                                         {"1e2x", 100},
                                                                         {"3e", 3},
                                                                         {"", 0},
                                                                         {"abc", 0},
                                                                         {"nan", 0},
                                                                         {"inf", 0},
                                                                         {"1e999", 0},
                                                                         {" - 3", 0}})
        EXPECT_EQ(numbers::leadingFloat(text), value) << text;
    EXPECT_EQ(numbers::leadingInteger("19 - 29"), 19);
    EXPECT_EQ(numbers::leadingInteger("4102444800"), 4102444800); // after 2038
    EXPECT_EQ(numbers::leadingInteger("99999999999999999999"), INT64_MAX);
}

TEST(LocaleFormat, WritesNumbersAndDatesInTheLocale) {
    using namespace std::chrono;
    Date date = sys_days{2026y / March / 15} + 12h;
    LocaleFormat::setLocale("en_US");
    EXPECT_EQ(LocaleFormat::twoDecimalText(7.5), "7.50");
    EXPECT_EQ(LocaleFormat::twoDecimalText(1234.5), "1,234.50");
    EXPECT_EQ(LocaleFormat::twoDecimalText(0.125), "0.12"); // half to even
    EXPECT_EQ(LocaleFormat::mediumDateText(date, "UTC"), "Mar 15, 2026");
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(LocaleFormat::twoDecimalText(1234.5), "1.234,50");
    EXPECT_EQ(LocaleFormat::mediumDateText(date, "UTC"), "15.03.2026");
    EXPECT_EQ(LocaleFormat::mediumDateText(date - 14h, "America/New_York"), "14.03.2026");
    // Short texts stay locale-neutral: screens read them back as numbers.
    EXPECT_EQ(LocaleFormat::shortText(17.25), "17.25");
    EXPECT_EQ(LocaleFormat::shortText(15.6f), "15.6");
    EXPECT_EQ(LocaleFormat::shortText(500000), "500000");
    // A region the language does not list still borrows the language's texts.
    for (auto [locale, known] :
         {std::pair{"fr_US", true}, {"iw_IL", true}, {"xx_YY", false}, {"", false}})
        EXPECT_EQ(LocaleFormat::hasData(locale), known) << locale;
    LocaleFormat::setLocale(std::nullopt);
}

} // namespace
} // namespace mevara
