#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
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

TEST(PropertyList, RoundTripsEveryValueType) {
    TempDirectory dir;
    PlistDictionary written{
        {"name", std::string("CT & <Chest> \"quoted\" \u00e9\x01")},
        {"count", std::int64_t{3}},
        {"negative", std::int64_t{-2}},
        {"save", false},
        {"real", 2.5},
        {"date", Date{sys_days{2026y / March / 15} + 12h + 34s}}, // XML keeps whole seconds
    };
    ASSERT_TRUE(PropertyList::writeDictionary(dir.path() / "d.plist", written));
    EXPECT_EQ(PropertyList::readDictionary(dir.path() / "d.plist"), written);
    EXPECT_FALSE(integerValue(written, "date")); // not a number of any kind
}

TEST(PropertyList, KeepsDatesBeyondTheLibrarysNumbersAsWritten) {
    // The library's numbers end at 1932-12-13T20:45:52Z and 2069-01-19T03:14:07Z.
    const sys_days firstDay = 1932y / December / 13, lastDay = 2069y / January / 19;
    for (const auto& [text, expected] : std::vector<std::pair<const char*, Date>>{
             {"1920-01-01T17:00:00Z", sys_days{1920y / January / 1} + 17h},
             {"1932-12-13T20:45:51Z", firstDay + 20h + 45min + 51s},
             {"1932-12-13T20:45:52Z", firstDay + 20h + 45min + 52s},
             {"2069-01-19T03:14:07Z", lastDay + 3h + 14min + 7s},
             {"2069-01-19T03:14:08Z", lastDay + 3h + 14min + 8s},
             {"2200-05-05T12:00:00Z", sys_days{2200y / May / 5} + 12h},
             {"0900-01-01T00:00:00Z", sys_days{900y / January / 1}}}) {
        SCOPED_TRACE(text);
        const std::string xml = std::string("<plist version=\"1.0\"><dict><key>d</key><date>") +
                                text + "</date></dict></plist>";
        const auto read = PropertyList::dictionaryFromXml(xml);
        ASSERT_TRUE(read);
        EXPECT_EQ(dateValue(*read, "d"), expected);
        const std::string written = PropertyList::xmlFromDictionary(*read);
        EXPECT_EQ(dateValue(*PropertyList::dictionaryFromXml(written), "d"), expected);
    }
}

TEST(PropertyList, ReadsBrokenOrHostileInputWithoutHarm) {
    using namespace std::string_literals;
    std::string xml = PropertyList::xmlFromDictionary({{"gender", std::string("Female")}});
    EXPECT_FALSE(PropertyList::dictionaryFromXml(xml.substr(0, xml.size() / 2)));
    EXPECT_FALSE(PropertyList::dictionaryFromXml("not a property list"));
    EXPECT_FALSE(PropertyList::dictionaryFromXml("<plist version=\"1.0\"><array/></plist>"));
    // A NUL inside a string once aborted the reader; the string now ends there.
    auto nul = PropertyList::dictionaryFromXml(
        "<plist version=\"1.0\"><dict><key>age</key><string>t\0\0 39</string>"
        "<key>a</key><array/></dict></plist>"s);
    ASSERT_TRUE(nul);
    EXPECT_EQ(*nul, (PlistDictionary{{"age", std::string("t")}}));
}

} // namespace
} // namespace mevara
