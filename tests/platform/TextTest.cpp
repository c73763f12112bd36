#include "platform/LocaleFormat.h"
#include "platform/NumberParsing.h"
#include "platform/Unicode.h"

#include <chrono>
#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::string_literals;

TEST(Unicode, SplitsAtEverySevenNewlineCharacters) {
    auto lines = unicode::splitLines("a\nb\vc\fd\re\u0085f\u2028g\u2029h");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], "f");
    EXPECT_EQ(lines[7], "h");
    // CR LF leaves an empty line between the two characters.
    EXPECT_EQ(unicode::splitLines("a\r\nb"), (std::vector<std::string_view>{"a", "", "b"}));
}

TEST(Unicode, CountsUtf16CodeUnits) {
    EXPECT_EQ(unicode::utf16Length("abc"), 3u);
    EXPECT_EQ(unicode::utf16Length("\u00e9\u4e2d"), 2u); // 5 bytes, 2 units
    EXPECT_EQ(unicode::utf16Length("\U0001F600x"), 3u);  // a surrogate pair
    EXPECT_FALSE(unicode::isValidUtf8("\xff"s));
    EXPECT_FALSE(unicode::isValidUtf8("\xc0\xaf"s));     // overlong
    EXPECT_FALSE(unicode::isValidUtf8("\xed\xa0\x80"s)); // a surrogate
    EXPECT_TRUE(unicode::isValidUtf8("CT \u2014 Chest"));
}

TEST(Unicode, CanonicalComparisonEqualsComposedAndDecomposed) {
    EXPECT_EQ(unicode::compareCanonical("R\u00f6ntgen", "Ro\u0308ntgen"), 0);
    EXPECT_NE(unicode::compareCanonical("CT", "ct"), 0);
    EXPECT_LT(unicode::compareCanonical("CT", "X-Ray"), 0);
    EXPECT_GT(unicode::compareCanonical("\u00e9", "e"), 0);
    EXPECT_LT(unicode::compareCanonical("\u00e9", "f"), 0); // ordered as e + accent
    EXPECT_EQ(unicode::compareCaseInsensitive("Chest", "cHEST"), 0);
    EXPECT_LT(unicode::compareCaseInsensitive("abdomen", "Chest"), 0);
}

TEST(Unicode, FindsKeysIgnoringCase) {
    EXPECT_EQ(unicode::findEndCaseInsensitive("<t NAME='CT'", "name='"), 9u);
    // Simple case folding: KELVIN SIGN folds to k, LONG S to s.
    EXPECT_NE(unicode::findEndCaseInsensitive("mi\u212Ay", "mik"), std::string_view::npos);
    EXPECT_EQ(unicode::findEndCaseInsensitive("names='", "name='"), std::string_view::npos);
    EXPECT_EQ(unicode::findEndCaseInsensitive("\xff\xfe name", "name"), 7u);
}

TEST(NumberParsing, ReadsTheLeadingDecimalNumber) {
    EXPECT_FLOAT_EQ(numbers::leadingFloat("2.5"), 2.5f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat("  \t-0.75mSv"), -0.75f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat(".5"), 0.5f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat("7."), 7.0f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat("1e2x"), 100.0f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat("3e"), 3.0f);
    EXPECT_FLOAT_EQ(numbers::leadingFloat("+4"), 4.0f);
    for (const char* none : {"", "abc", ".", "-", "nan", "inf", "1e999", " - 3"})
        EXPECT_EQ(numbers::leadingFloat(none), 0.0f) << none;
}

TEST(NumberParsing, ReadsTheLeadingIntegerAndClamps) {
    EXPECT_EQ(numbers::leadingInteger("19 - 29"), 19);
    EXPECT_EQ(numbers::leadingInteger(" -5"), -5);
    EXPECT_EQ(numbers::leadingInteger("70+"), 70);
    EXPECT_EQ(numbers::leadingInteger("x1"), 0);
    EXPECT_EQ(numbers::leadingInteger("4102444800"), 4102444800); // after 2038
    EXPECT_EQ(numbers::leadingInteger("99999999999999999999"), INT64_MAX);
    EXPECT_EQ(numbers::leadingInteger("-9223372036854775808"), INT64_MIN);
}

TEST(LocaleFormat, WritesTwoDecimalsInTheLocale) {
    LocaleFormat::setLocale("en_US");
    EXPECT_EQ(LocaleFormat::twoDecimalText(7.5), "7.50");
    EXPECT_EQ(LocaleFormat::twoDecimalText(1234.5), "1,234.50");
    EXPECT_EQ(LocaleFormat::twoDecimalText(0.125), "0.12"); // half to even
    EXPECT_EQ(LocaleFormat::twoDecimalText(0.375), "0.38");
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(LocaleFormat::twoDecimalText(7.5), "7,50");
    EXPECT_EQ(LocaleFormat::twoDecimalText(1234.5), "1.234,50");
    LocaleFormat::setLocale(std::nullopt);
}

TEST(LocaleFormat, WritesShortTextsLocaleNeutral) {
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(LocaleFormat::shortText(10), "10");
    EXPECT_EQ(LocaleFormat::shortText(4.5), "4.5");
    EXPECT_EQ(LocaleFormat::shortText(17.25), "17.25");
    EXPECT_EQ(LocaleFormat::shortText(15.6f), "15.6");
    EXPECT_EQ(LocaleFormat::shortText(500000), "500000");
    EXPECT_EQ(LocaleFormat::shortText(0), "0");
    EXPECT_EQ(LocaleFormat::shortText(123456789), "1.234568e+08");
    LocaleFormat::setLocale(std::nullopt);
}

TEST(LocaleFormat, WritesMediumDates) {
    using namespace std::chrono;
    Date date = sys_days{2026y / March / 15} + 12h;
    LocaleFormat::setLocale("en_US");
    EXPECT_EQ(LocaleFormat::mediumDateText(date, "UTC"), "Mar 15, 2026");
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(LocaleFormat::mediumDateText(date, "UTC"), "15.03.2026");
    // The day is the one in the given zone.
    EXPECT_EQ(LocaleFormat::mediumDateText(sys_days{2026y / March / 15}, "America/New_York"),
              "14.03.2026");
    LocaleFormat::setLocale(std::nullopt);
}

} // namespace
} // namespace mevara
