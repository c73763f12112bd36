// Files, Unicode and locale texts as every build of the program has them: the same
// expectations run on the desktop's services and, built for the browser, on its own.
#include "platform/LocaleFormat.h"
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
