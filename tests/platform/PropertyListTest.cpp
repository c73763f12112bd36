#include "platform/PropertyList.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono;
using testsupport::TempDirectory;

TEST(PropertyList, RoundTripsEveryValueType) {
    TempDirectory dir;
    // The XML format keeps whole seconds.
    Date date = sys_days{2026y / March / 15} + 12h + 34s;
    PlistDictionary written{
        {"name", std::string("CT & <Chest> \"quoted\" \u00e9")},
        {"count", std::int64_t{3}},
        {"negative", std::int64_t{-2}},
        {"big", std::int64_t{5'000'000'000}},
        {"save", false},
        {"real", 2.5},
        {"date", date},
        {"empty", std::string()},
    };
    auto path = dir.path() / "dict.plist";
    ASSERT_TRUE(PropertyList::writeDictionary(path, written));
    auto read = PropertyList::readDictionary(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, written);
    EXPECT_EQ(*stringValue(*read, "name"), "CT & <Chest> \"quoted\" \u00e9");
    EXPECT_EQ(integerValue(*read, "negative"), -2);
    EXPECT_EQ(booleanValue(*read, "save"), false);
    EXPECT_EQ(dateValue(*read, "date"), date);
    // A value of another type reads as missing.
    EXPECT_FALSE(integerValue(*read, "name"));
    EXPECT_EQ(stringValue(*read, "count"), nullptr);
}

TEST(PropertyList, DatesOutsideTheFormatsRangeAreWrittenAtItsEnds) {
    PlistDictionary d{{"late", Date{sys_days{2200y / January / 1}}},
                      {"early", Date{sys_days{1900y / January / 1}}}};
    auto read = PropertyList::dictionaryFromXml(PropertyList::xmlFromDictionary(d));
    ASSERT_TRUE(read);
    EXPECT_EQ(dateValue(*read, "late"), PropertyList::latestDate());
    EXPECT_EQ(dateValue(*read, "early"), PropertyList::earliestDate());
}

TEST(PropertyList, UnreadableInputGivesNothing) {
    std::string xml = PropertyList::xmlFromDictionary({{"gender", std::string("Female")}});
    EXPECT_TRUE(PropertyList::dictionaryFromXml(xml));
    EXPECT_FALSE(PropertyList::dictionaryFromXml(xml.substr(0, xml.size() / 2)));
    EXPECT_FALSE(PropertyList::dictionaryFromXml(""));
    EXPECT_FALSE(PropertyList::dictionaryFromXml("not a property list"));
    EXPECT_FALSE(PropertyList::dictionaryFromXml(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>"));
    // A NUL inside a string once aborted the reader.
    using namespace std::string_literals;
    auto withNul = PropertyList::dictionaryFromXml(
        "<plist version=\"1.0\"><dict><key>age</key><string>t\0\0 39</string></dict></plist>"s);
    ASSERT_TRUE(withNul);
    EXPECT_EQ(*stringValue(*withNul, "age"), "t");
    // Nested containers are dropped, the scalars beside them kept.
    auto nested = PropertyList::dictionaryFromXml(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><array/>"
        "<key>b</key><integer>7</integer></dict></plist>");
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->size(), 1u);
    EXPECT_EQ(integerValue(*nested, "b"), 7);
}

} // namespace
} // namespace mevara
