// Property lists through libplist, the desktop's reader and writer.
#include "platform/PlistBackend.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <plist/plist.h>
#include <string_view>

namespace mevara::plistbackend {

namespace {

constexpr std::int64_t microsPerSecond = 1'000'000;

struct PlistFree {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistFree>;

// The library keeps a date read from XML whole, but hands out only 32-bit seconds and
// answers the lowest for anything outside them. Such dates go through the date's text,
// which the library writes and reads in full.
bool mayLieOutside(int32_t sec) {
    return sec == std::numeric_limits<int32_t>::min() || sec == std::numeric_limits<int32_t>::max();
}

bool readNumber(std::string_view& text, int& value, std::size_t digits, char then) {
    const char* end = text.data() + std::min(digits, text.size());
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || stop == text.data()) return false;
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
    if (text.empty() || text.front() != then) return false;
    text.remove_prefix(1);
    return true;
}

// "1920-01-01T17:00:00Z" as the library writes it (a year of any length); none for
// anything else.
std::optional<Date> dateFromText(std::string_view text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const std::size_t yearDigits = text.find('-', 1);
    if (yearDigits == std::string_view::npos || yearDigits > 6) return std::nullopt;
    if (!readNumber(text, year, yearDigits, '-') || !readNumber(text, month, 2, '-') ||
        !readNumber(text, day, 2, 'T') || !readNumber(text, hour, 2, ':') ||
        !readNumber(text, minute, 2, ':') || !readNumber(text, second, 2, 'Z') || !text.empty())
        return std::nullopt;
    using namespace std::chrono;
    if (year < int(std::chrono::year::min()) || year > int(std::chrono::year::max()))
        return std::nullopt;
    const year_month_day date{std::chrono::year{year}, std::chrono::month(unsigned(month)),
                              std::chrono::day(unsigned(day))};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return Date{sys_days{date} + hours{hour} + minutes{minute} + seconds{second}};
}

std::optional<Date> exactDate(plist_t node) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    const std::string text = xml ? std::string(xml, length) : std::string();
    plist_to_xml_free(xml);
    const auto start = text.find("<date>");
    const auto end = text.find("</date>");
    if (start == std::string::npos || end == std::string::npos || end < start) return std::nullopt;
    return dateFromText(std::string_view(text).substr(start + 6, end - start - 6));
}

// A date node for any moment of the years 0 to 9999, made by the library's own reader.
plist_t dateNodeFromText(Date date) {
    using namespace std::chrono;
    if (date < sys_days{std::chrono::year{0} / January / 1} ||
        date >= sys_days{std::chrono::year{10000} / January / 1})
        return nullptr;
    const auto day = floor<days>(date);
    const year_month_day ymd{day};
    const hh_mm_ss time{floor<seconds>(date - day)};
    char xml[96];
    std::snprintf(xml, sizeof xml,
                  "<plist version=\"1.0\"><date>%04d-%02u-%02uT%02d:%02d:%02dZ</date></plist>",
                  int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()),
                  int(time.hours().count()), int(time.minutes().count()),
                  int(time.seconds().count()));
    plist_t node = nullptr;
    plist_from_xml(xml, static_cast<uint32_t>(std::strlen(xml)), &node);
    if (node && plist_get_node_type(node) == PLIST_DATE) return node;
    if (node) plist_free(node);
    return nullptr;
}

std::optional<PlistValue> valueOf(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        // The pointer form: the copying getter aborts on a string holding NUL.
        // The reader keeps nothing after a NUL, so the string ends there.
        uint64_t length = 0;
        const char* s = plist_get_string_ptr(node, &length);
        if (!s) return std::nullopt;
        return std::string(s, ::strnlen(s, static_cast<std::size_t>(length)));
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // Negative integers are stored in two's complement.
        return static_cast<std::int64_t>(v);
    }
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return v != 0;
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return v;
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        if (mayLieOutside(sec)) {
            if (auto exact = exactDate(node)) return *exact;
        }
        std::int64_t micros = (sec + referenceEpoch) * microsPerSecond + usec;
        return Date(std::chrono::microseconds(micros));
    }
    default:
        return std::nullopt;
    }
}

plist_t nodeOf(const PlistValue& value) {
    struct Maker {
        plist_t operator()(const std::string& s) const { return plist_new_string(s.c_str()); }
        plist_t operator()(std::int64_t v) const {
            return plist_new_uint(static_cast<uint64_t>(v));
        }
        plist_t operator()(bool v) const { return plist_new_bool(v ? 1 : 0); }
        plist_t operator()(double v) const { return plist_new_real(v); }
        plist_t operator()(Date d) const {
            if (d < PropertyList::earliestDate() || d > PropertyList::latestDate()) {
                if (plist_t node = dateNodeFromText(d)) return node;
            }
            d = std::clamp(d, PropertyList::earliestDate(), PropertyList::latestDate());
            std::int64_t micros = d.time_since_epoch().count() - referenceEpoch * microsPerSecond;
            std::int64_t sec = micros / microsPerSecond;
            std::int64_t usec = micros % microsPerSecond;
            if (usec < 0) {
                sec -= 1;
                usec += microsPerSecond;
            }
            return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>(usec));
        }
    };
    return std::visit(Maker{}, value);
}

std::optional<PlistDictionary> dictionaryOf(PlistPtr root) {
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;
    PlistDictionary dictionary;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(root.get(), &it);
    for (;;) {
        char* key = nullptr;
        plist_t node = nullptr;
        plist_dict_next_item(root.get(), it, &key, &node);
        if (!key) break;
        if (node) {
            if (auto value = valueOf(node)) dictionary.insert_or_assign(key, std::move(*value));
        }
        std::free(key);
    }
    std::free(it);
    return dictionary;
}

} // namespace

std::optional<PlistDictionary> fromBinary(std::string_view bytes) {
    plist_t root = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    return dictionaryOf(PlistPtr(root));
}

std::optional<PlistDictionary> fromXml(std::string_view xml) {
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    return dictionaryOf(PlistPtr(root));
}

std::string toXml(const PlistDictionary& dictionary) {
    PlistPtr root(plist_new_dict());
    for (const auto& [key, value] : dictionary)
        plist_dict_set_item(root.get(), key.c_str(), nodeOf(value));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::string result = xml ? std::string(xml, length) : std::string();
    plist_to_xml_free(xml);
    return result;
}

} // namespace mevara::plistbackend
