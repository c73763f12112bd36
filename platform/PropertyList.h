#pragma once

#include "Date.h"
#include "TextFile.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace mevara {

// The scalar values a dictionary file holds. Nested arrays and dictionaries are
// not used by the application and are dropped on reading.
using PlistValue = std::variant<std::string, std::int64_t, bool, double, Date>;
using PlistDictionary = std::map<std::string, PlistValue>;

// Reads a dictionary from a property list as the platform's reader does (XML in UTF-8,
// with or without a byte-order mark, or in UTF-16 with one; or the binary format) and
// writes it as XML.
class PropertyList {
public:
    // Arrays and dictionaries nested deeper are refused before libplist sees them: it
    // builds and frees them recursively. The files read here hold one flat dictionary.
    static constexpr int maximumDepth = 64;

    // Nothing when the bytes are not a property list with a dictionary at the top.
    static std::optional<PlistDictionary> dictionaryFromBytes(std::string_view bytes);
    // The same for UTF-8 XML text only.
    static std::optional<PlistDictionary> dictionaryFromXml(std::string_view xml);
    static std::string xmlFromDictionary(const PlistDictionary& dictionary);

    // Nothing also when the file is missing or larger than `sizeLimit`.
    static std::optional<PlistDictionary>
    readDictionary(const std::filesystem::path& path,
                   std::size_t sizeLimit = TextFile::maximumSize);
    // Replaces the file atomically; false when the write failed.
    static bool writeDictionary(const std::filesystem::path& path,
                                const PlistDictionary& dictionary);

    // The dates the library holds as numbers (13 December 1932 to 19 January 2069), the
    // ones the calendars offer. A date outside, as a file may hold, is read and written
    // back unchanged through its text; only one outside the years 0 to 9999 is written as
    // the nearest end.
    static Date earliestDate();
    static Date latestDate();
};

// Typed look-ups that treat a value of another type as missing.
const std::string* stringValue(const PlistDictionary& dictionary, const std::string& key);
// Any number or text read as an integer, as the device's values answer when asked for one:
// a real truncated toward zero (NaN is 0, beyond the range its nearest end), a text's
// leading integer, true 1. A date reads as missing.
std::optional<std::int64_t> integerValue(const PlistDictionary& dictionary, const std::string& key);
std::optional<bool> booleanValue(const PlistDictionary& dictionary, const std::string& key);
std::optional<Date> dateValue(const PlistDictionary& dictionary, const std::string& key);

} // namespace mevara
