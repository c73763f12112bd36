// Property lists in the browser build through the `plist` package from the npm registry
// (web/js/plist-bridge.js, bundled into the page): its parser reads XML and binary lists,
// its builder writes the XML the desktop writes.
#include "platform/PlistBackend.h"

#include <chrono>
#include <cmath>
#include <emscripten/val.h>

namespace mevara::plistbackend {

namespace {

using emscripten::val;

std::optional<PlistDictionary> read(std::string_view bytes, bool binary) {
    const val view(emscripten::typed_memory_view(
        bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
    // The parser keeps its own copy: the view into memory would not survive a growth.
    const val copy = val::global("Uint8Array").new_(view);
    const val entries = val::global("mevaraPlist").call<val>("read", copy, binary);
    if (entries.isNull() || entries.isUndefined()) return std::nullopt;
    PlistDictionary dictionary;
    const int count = entries["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const val entry = entries[i];
        const std::string key = entry[0].as<std::string>();
        const std::string type = entry[1].as<std::string>();
        const val value = entry[2];
        if (type == "s") {
            dictionary.insert_or_assign(key, value.as<std::string>());
        } else if (type == "i") {
            const std::string digits = value.as<std::string>();
            // Beyond 64 bits the desktop's reader keeps the low 64 bits' pattern; the
            // nearest end is as good a reading of an absurd count.
            try {
                dictionary.insert_or_assign(key, static_cast<std::int64_t>(std::stoll(digits)));
            } catch (const std::out_of_range&) {
                dictionary.insert_or_assign(key, digits.starts_with('-') ? INT64_MIN : INT64_MAX);
            } catch (const std::invalid_argument&) {
            }
        } else if (type == "r") {
            dictionary.insert_or_assign(key, value.as<double>());
        } else if (type == "b") {
            dictionary.insert_or_assign(key, value.as<bool>());
        } else if (type == "d") {
            const double ms = value.as<double>();
            dictionary.insert_or_assign(key,
                                        Date(std::chrono::microseconds(std::llround(ms * 1000.0))));
        }
    }
    return dictionary;
}

} // namespace

std::optional<PlistDictionary> fromBinary(std::string_view bytes) {
    return read(bytes, true);
}

std::optional<PlistDictionary> fromXml(std::string_view xml) {
    return read(xml, false);
}

std::string toXml(const PlistDictionary& dictionary) {
    val entries = val::array();
    struct Entry {
        std::string_view key;
        val operator()(const std::string& s) const { return row("s", val(s)); }
        val operator()(std::int64_t v) const { return row("i", val(std::to_string(v))); }
        val operator()(bool v) const { return row("b", val(v)); }
        val operator()(double v) const { return row("r", val(v)); }
        val operator()(Date d) const {
            // Whole seconds, as the desktop writes them.
            const auto seconds = std::chrono::floor<std::chrono::seconds>(d);
            return row("d", val(static_cast<double>(seconds.time_since_epoch().count()) * 1000.0));
        }
        val row(const char* type, val value) const {
            val r = val::array();
            r.call<void>("push", val(std::string(key)), val(std::string(type)), value);
            return r;
        }
    };
    for (const auto& [key, value] : dictionary)
        entries.call<void>("push", std::visit(Entry{key}, value));
    return val::global("mevaraPlist").call<std::string>("write", entries);
}

} // namespace mevara::plistbackend
