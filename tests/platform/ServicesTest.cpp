// Files, Unicode and locale texts as every build of the program has them: the same
// expectations run on the desktop's services and, built for the browser, on its own.
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "platform/NumberParsing.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "platform/Unicode.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testsupport::TempDirectory;

int entriesIn(const fs::path& folder) {
    return static_cast<int>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(TextFile, ReadsOnlyUtf8AndReplacesFilesWhole) {
    TempDirectory dir;
    EXPECT_FALSE(TextFile::readUtf8(dir.path() / "missing.txt"));
    dir.write(dir.path() / "latin1.txt", "Ger\xe4t");
    EXPECT_FALSE(TextFile::readUtf8(dir.path() / "latin1.txt"));

    fs::path file = dir.path() / "new/folder/data.txt";
    ASSERT_TRUE(TextFile::writeAtomically(file, "first, longer"));
    ASSERT_TRUE(TextFile::writeAtomically(file, "second"));
    EXPECT_EQ(TextFile::readUtf8(file), "second");
    EXPECT_EQ(entriesIn(file.parent_path()), 1); // no temporary file left

    // A write that cannot finish leaves the old file and no litter.
    fs::create_directories(dir.path() / "blocked/inside");
    EXPECT_FALSE(TextFile::writeAtomically(dir.path() / "blocked", "lost"));
    EXPECT_FALSE(TextFile::writeAtomically(file / "below", "lost"));
    EXPECT_EQ(TextFile::readUtf8(file), "second");
    EXPECT_EQ(entriesIn(dir.path()), 3);
}

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
                                                                         {"\u2003\u00a07", 7},
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

// The user data file as the desktop writes it: every build writes these bytes and reads
// them back to the same values.
TEST(PropertyList, WritesTheDesktopsBytesAndReadsEveryFormBack) {
    using namespace std::chrono;
    const PlistDictionary values{{"age", "40 - 49"s},
                                 {"gender", "Fe<male & \"x\" 'y' \u00e9\n\tz"s},
                                 {"empty", ""s},
                                 {"save", true},
                                 {"off", false},
                                 {"test 1 number of tests", std::int64_t{3}},
                                 {"negative", std::int64_t{-5}},
                                 {"after 2038", std::int64_t{4102444800}},
                                 {"test 2 date", Date{sys_days{2026y / March / 1} + 12h}},
                                 {"1932", Date{sys_days{1932y / December / 14} + 1h}}};
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n<dict>\n"
        "\t<key>1932</key>\n\t<date>1932-12-14T01:00:00Z</date>\n"
        "\t<key>after 2038</key>\n\t<integer>4102444800</integer>\n"
        "\t<key>age</key>\n\t<string>40 - 49</string>\n"
        "\t<key>empty</key>\n\t<string></string>\n"
        "\t<key>gender</key>\n\t<string>Fe&lt;male &amp; \"x\" 'y' \u00e9\n\tz</string>\n"
        "\t<key>negative</key>\n\t<integer>-5</integer>\n"
        "\t<key>off</key>\n\t<false/>\n"
        "\t<key>save</key>\n\t<true/>\n"
        "\t<key>test 1 number of tests</key>\n\t<integer>3</integer>\n"
        "\t<key>test 2 date</key>\n\t<date>2026-03-01T12:00:00Z</date>\n"
        "</dict>\n</plist>\n";
    EXPECT_EQ(PropertyList::xmlFromDictionary(values), xml);
    EXPECT_EQ(PropertyList::dictionaryFromBytes(xml), values);
    EXPECT_EQ(PropertyList::xmlFromDictionary({}).find("<dict/>"), xml.find("<dict>"));

    // The same list with a byte-order mark, in UTF-16 either way round, and a real.
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    const std::string ascii = "<plist version=\"1.0\"><dict><key>r</key><real>2.5</real>"
                              "<key>a</key><string>ok</string></dict></plist>";
    for (char c : ascii) {
        little += {c, '\0'};
        big += {'\0', c};
    }
    const PlistDictionary small{{"r", 2.5}, {"a", "ok"s}};
    EXPECT_EQ(PropertyList::dictionaryFromBytes("\xEF\xBB\xBF" + ascii), small);
    EXPECT_EQ(PropertyList::dictionaryFromBytes(little), small);
    EXPECT_EQ(PropertyList::dictionaryFromBytes(big), small);
    // A binary list: a dictionary of one key, "age", holding "30 - 39".
    const std::string binary = "bplist00\xD1\x01\x02\x53"
                               "age"
                               "\x57"
                               "30 - 39"
                               "\x08\x0B\x0F" +
                               std::string(6, '\0') + "\x01\x01" + std::string(7, '\0') + "\x03" +
                               std::string(8, '\0') + std::string(7, '\0') + "\x17";
    EXPECT_EQ(PropertyList::dictionaryFromBytes(binary), (PlistDictionary{{"age", "30 - 39"s}}));
    for (const std::string& broken : {""s, "<plist><array><string>a</string></array></plist>"s,
                                      "<plist><dict><key>a"s, "bplist00\x01"s})
        EXPECT_FALSE(PropertyList::dictionaryFromBytes(broken)) << broken;
}

TEST(LocalCalendar, CountsWholeDaysInTheDevicesZoneAndNamesThemInItsLocale) {
    LocaleFormat::setTimeZone("America/New_York");
    // Noon the day before the clocks go forward, and noon the day after: 23 hours apart.
    const Date saturday = LocalCalendar::dateFrom(2026, 3, 7, 12);
    const Date sunday = LocalCalendar::addingDays(saturday, 1);
    EXPECT_EQ(LocalCalendar::description(saturday), "2026-03-07 12:00:00 -0500");
    EXPECT_EQ(LocalCalendar::description(sunday), "2026-03-08 12:00:00 -0400");
    EXPECT_EQ(LocalCalendar::dayOf(LocalCalendar::addingDays(sunday, -8)),
              (CalendarDay{2026, 2, 28}));
    // Lenient fields, a skipped and a repeated wall time.
    EXPECT_EQ(LocalCalendar::dayOf(LocalCalendar::dateFrom(2026, 13, 0)),
              (CalendarDay{2026, 12, 31}));
    EXPECT_EQ(LocalCalendar::description(LocalCalendar::dateFrom(2026, 3, 8, 2, 30)),
              "2026-03-08 03:30:00 -0400");
    EXPECT_EQ(LocalCalendar::description(LocalCalendar::dateFrom(2026, 11, 1, 1, 30)),
              "2026-11-01 01:30:00 -0500");
    EXPECT_EQ(LocalCalendar::daysInMonth(2024, 2), 29);
    EXPECT_EQ(LocalCalendar::daysInMonth(2026, 12), 31);
    EXPECT_EQ(LocalCalendar::dayOf(LocalCalendar::dateFrom(1, 1, 1)).year, 1);

    const Date sundayNoon = LocalCalendar::dateFrom(2026, 3, 15, 12);
    struct Case {
        const char* locale;
        int weekday;
        const char* firstName;
        const char* march;
    };
    for (const Case& c : {Case{"en_US", 1, "Sun", "March"}, Case{"de_DE", 7, "Mo", "M\u00e4rz"},
                          Case{"ru_RU", 7, "\u043f\u043d", "\u043c\u0430\u0440\u0442"}}) {
        SCOPED_TRACE(c.locale);
        LocaleFormat::setLocale(c.locale);
        EXPECT_EQ(LocalCalendar::localWeekday(sundayNoon), c.weekday);
        const auto names = LocalCalendar::shortWeekdayNames();
        ASSERT_EQ(names.size(), 7u);
        EXPECT_EQ(names[0], c.firstName);
        EXPECT_EQ(LocalCalendar::monthName(3), c.march);
    }
    LocaleFormat::setLocale(std::nullopt);
    LocaleFormat::setTimeZone(std::nullopt);
}

} // namespace
} // namespace mevara
