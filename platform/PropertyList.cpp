#include "PropertyList.h"

#include "NumberParsing.h"
#include "PlistBackend.h"
#include "PlistNesting.h"
#include "TextFile.h"
#include "Unicode.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace mevara {

namespace {

constexpr std::string_view binaryMagic = "bplist00";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

} // namespace

std::optional<PlistDictionary> PropertyList::dictionaryFromBytes(std::string_view bytes) {
    if (bytes.starts_with(binaryMagic)) {
        if (bytes.size() > std::numeric_limits<uint32_t>::max() ||
            !plistnesting::binaryFits(bytes, maximumDepth))
            return std::nullopt;
        return plistbackend::fromBinary(bytes);
    }
    if (bytes.starts_with(utf8Mark)) return dictionaryFromXml(bytes.substr(utf8Mark.size()));
    if (auto utf8 = unicode::utf8FromMarkedUtf16(bytes)) return dictionaryFromXml(*utf8);
    return dictionaryFromXml(bytes);
}

std::optional<PlistDictionary> PropertyList::dictionaryFromXml(std::string_view xml) {
    if (xml.empty() || xml.size() > std::numeric_limits<uint32_t>::max() ||
        !plistnesting::xmlFits(xml, maximumDepth))
        return std::nullopt;
    return plistbackend::fromXml(xml);
}

std::string PropertyList::xmlFromDictionary(const PlistDictionary& dictionary) {
    return plistbackend::toXml(dictionary);
}

Date PropertyList::earliestDate() {
    return Date(std::chrono::seconds(std::numeric_limits<int32_t>::min() +
                                     plistbackend::referenceEpoch + 1));
}

Date PropertyList::latestDate() {
    return Date(std::chrono::seconds(std::numeric_limits<int32_t>::max() +
                                     plistbackend::referenceEpoch - 1));
}

std::optional<PlistDictionary> PropertyList::readDictionary(const std::filesystem::path& path,
                                                            std::size_t sizeLimit) {
    auto bytes = TextFile::readBytes(path, sizeLimit);
    if (!bytes) return std::nullopt;
    return dictionaryFromBytes(*bytes);
}

bool PropertyList::writeDictionary(const std::filesystem::path& path,
                                   const PlistDictionary& dictionary) {
    std::string xml = xmlFromDictionary(dictionary);
    return !xml.empty() && TextFile::writeAtomically(path, xml);
}

const std::string* stringValue(const PlistDictionary& dictionary, const std::string& key) {
    auto it = dictionary.find(key);
    return it == dictionary.end() ? nullptr : std::get_if<std::string>(&it->second);
}

namespace {
template <typename T>
std::optional<T> typed(const PlistDictionary& dictionary, const std::string& key) {
    auto it = dictionary.find(key);
    if (it == dictionary.end()) return std::nullopt;
    if (const T* v = std::get_if<T>(&it->second)) return *v;
    return std::nullopt;
}
} // namespace

std::optional<std::int64_t> integerValue(const PlistDictionary& dictionary,
                                         const std::string& key) {
    auto it = dictionary.find(key);
    if (it == dictionary.end()) return std::nullopt;
    struct AsInteger {
        std::optional<std::int64_t> operator()(std::int64_t v) const { return v; }
        std::optional<std::int64_t> operator()(bool v) const { return v ? 1 : 0; }
        std::optional<std::int64_t> operator()(const std::string& s) const {
            return numbers::leadingInteger(s);
        }
        std::optional<std::int64_t> operator()(double v) const {
            // Converting a double outside the range is undefined, so the ends are kept apart.
            constexpr double limit = 9223372036854775808.0; // 2^63
            if (std::isnan(v)) return 0;
            if (v >= limit) return std::numeric_limits<std::int64_t>::max();
            if (v <= -limit) return std::numeric_limits<std::int64_t>::min();
            return static_cast<std::int64_t>(v);
        }
        std::optional<std::int64_t> operator()(Date) const { return std::nullopt; }
    };
    return std::visit(AsInteger{}, it->second);
}

std::optional<bool> booleanValue(const PlistDictionary& dictionary, const std::string& key) {
    return typed<bool>(dictionary, key);
}

std::optional<Date> dateValue(const PlistDictionary& dictionary, const std::string& key) {
    return typed<Date>(dictionary, key);
}

} // namespace mevara
