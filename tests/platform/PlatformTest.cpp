#include "platform/PropertyList.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

namespace mevara {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using namespace std::string_literals;
using testsupport::TempDirectory;

// A binary property list of the given objects (object 0 the root), 4-byte offsets.
std::string binaryPlist(const std::vector<std::string>& objects, char referenceSize) {
    std::string bytes = "bplist00", table;
    auto bigEndian = [](std::uint64_t value, int width) {
        std::string out;
        for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
            out += static_cast<char>(value >> shift & 0xFF);
        return out;
    };
    for (const auto& object : objects) {
        table += bigEndian(bytes.size(), 4);
        bytes += object;
    }
    const std::size_t tableAt = bytes.size();
    return bytes + table + std::string(6, '\0') + '\x04' + referenceSize +
           bigEndian(objects.size(), 8) + bigEndian(0, 8) + bigEndian(tableAt, 8);
}

// Arrays of one (or `fan` references to the next) array each, `levels` deep.
std::string nestedBinaryArrays(int levels, int fan = 1) {
    std::vector<std::string> objects;
    for (int i = 1; i < levels; ++i) {
        std::string array(1, static_cast<char>(0xA0 + fan));
        for (int j = 0; j < fan; ++j)
            array += {char(i >> 16), char(i >> 8 & 0xFF), char(i & 0xFF)};
        objects.push_back(array);
    }
    objects.push_back("\xA0");
    return binaryPlist(objects, 3);
}

std::string nestedXmlArrays(int levels, std::string_view between = "") {
    std::string xml = "<plist version=\"1.0\"><dict><key>a</key>";
    for (int i = 0; i < levels; ++i)
        xml += "<array>" + std::string(between);
    for (int i = 0; i < levels; ++i)
        xml += "</array>";
    return xml + "</dict></plist>";
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

TEST(PropertyList, ReadsEveryEncodingAndTheBinaryFormatAlike) {
    TempDirectory dir;
    const PlistDictionary expected{{"gender", std::string("Female")},
                                   {"test 1 name", std::string("CT \u00e9")},
                                   {"test 1 number of tests", std::int64_t{2}},
                                   {"save", true},
                                   {"real", 2.5}};
    const std::string xml = PropertyList::xmlFromDictionary(expected);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(xml);
    std::string littleEndian = "\xFF\xFE", bigEndian = "\xFE\xFF";
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t unit = text.charAt(i);
        littleEndian += {char(unit & 0xFF), char(unit >> 8)};
        bigEndian += {char(unit >> 8), char(unit & 0xFF)};
    }
    // Written by Python's plistlib.
    const std::string binary =
        "\x62\x70\x6c\x69\x73\x74\x30\x30\xd5\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x56\x67\x65"
        "\x6e\x64"
        "\x65\x72\x54\x72\x65\x61\x6c\x54\x73\x61\x76\x65\x5b\x74\x65\x73\x74\x20\x31\x20\x6e\x61"
        "\x6d\x65"
        "\x5f\x10\x16\x74\x65\x73\x74\x20\x31\x20\x6e\x75\x6d\x62\x65\x72\x20\x6f\x66\x20\x74\x65"
        "\x73\x74"
        "\x73\x56\x46\x65\x6d\x61\x6c\x65\x23\x40\x04\x00\x00\x00\x00\x00\x00\x09\x64\x00\x43\x00"
        "\x54\x00"
        "\x20\x00\xe9\x10\x02\x08\x13\x1a\x1f\x24\x30\x49\x50\x59\x5a\x63\x00\x00\x00\x00\x00\x00"
        "\x01\x01"
        "\x00\x00\x00\x00\x00\x00\x00\x0b\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x65"s;
    for (const auto& [name, bytes] : std::vector<std::pair<const char*, std::string>>{
             {"XML", xml},
             {"XML after a UTF-8 byte-order mark", "\xEF\xBB\xBF" + xml},
             {"UTF-16 LE", littleEndian},
             {"UTF-16 BE", bigEndian},
             {"binary", binary}}) {
        dir.write(dir.path() / "d.plist", bytes);
        EXPECT_EQ(PropertyList::readDictionary(dir.path() / "d.plist"), expected) << name;
    }
}

TEST(PropertyList, ReadsBrokenOrHostileInputWithoutHarm) {
    // Each of these once overflowed the stack, froze or aborted inside libplist.
    const std::string shallow = nestedXmlArrays(PropertyList::maximumDepth - 1);
    EXPECT_TRUE(PropertyList::dictionaryFromBytes(shallow)); // the dictionary is a level too
    for (const auto& [name, bytes] : std::vector<std::pair<const char*, std::string>>{
             {"one level too deep", nestedXmlArrays(PropertyList::maximumDepth)},
             {"200,000 levels", nestedXmlArrays(200'000)},
             {"closes hidden in comments", nestedXmlArrays(200, "<!-- </array> -->")},
             {"binary, 200,000 levels", nestedBinaryArrays(200'000)},
             {"binary, 2^40 arrays from 40 shared ones", nestedBinaryArrays(40, 2)},
             {"binary key holding a NUL", binaryPlist({"\xD1\x01\x02",
                                                       "\x53"
                                                       "a\0b"s,
                                                       "\x09"},
                                                      1)}}) {
        EXPECT_FALSE(PropertyList::dictionaryFromBytes(bytes)) << name;
    }

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
