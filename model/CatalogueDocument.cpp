#include "CatalogueDocument.h"

#include "model/TestData.h"
#include "platform/NumberParsing.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

namespace {

struct Entry {
    std::string_view name;
    std::string_view location;
    float dose = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmedFront(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view trimmed(std::string_view s) {
    s = trimmedFront(s);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// At line feeds, dropping the carriage return of a CR LF. Any other separator
// the reader splits at stays inside a line and shows as a mismatch later.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool isDeclaration(std::string_view line) {
    return line.size() > 7 && line.starts_with("<?xml") && isBlank(line[5]) &&
           trimmed(line).ends_with("?>");
}

std::optional<float> doseOf(std::string_view value) {
    const auto dose = numbers::exactFloat(value);
    if (!dose || !std::isfinite(*dose) || *dose < 0) return std::nullopt;
    return dose;
}

// `<test a='..' b='..' c='..'/>` with each of the three attributes exactly once.
std::optional<Entry> entryOf(std::string_view line) {
    constexpr std::string_view open = "<test", close = "/>";
    if (!line.starts_with(open) || !line.ends_with(close) ||
        line.size() < open.size() + close.size())
        return std::nullopt;
    std::string_view rest = line.substr(open.size(), line.size() - open.size() - close.size());
    std::optional<std::string_view> name, location, dose;
    while (!trimmed(rest).empty()) {
        if (!isBlank(rest.front())) return std::nullopt;
        rest = trimmedFront(rest);
        std::size_t equals = rest.find("='");
        if (equals == std::string_view::npos) return std::nullopt;
        std::string_view key = rest.substr(0, equals);
        rest.remove_prefix(equals + 2);
        std::size_t quote = rest.find('\'');
        if (quote == std::string_view::npos) return std::nullopt;
        std::string_view value = rest.substr(0, quote);
        rest.remove_prefix(quote + 1);
        auto* slot = key == "name"           ? &name
                     : key == "location"     ? &location
                     : key == "milliseverts" ? &dose
                                             : nullptr;
        if (!slot || *slot || value.find('<') != std::string_view::npos) return std::nullopt;
        *slot = value;
    }
    if (!name || name->empty() || !location || location->empty() || !dose) return std::nullopt;
    auto milliseverts = doseOf(*dose);
    if (!milliseverts) return std::nullopt;
    return Entry{*name, *location, *milliseverts};
}

// The reader finds keys anywhere in a line, also inside another value, and splits
// at more characters than a line feed: what it makes of the text must be exactly
// the entries seen here, or the cache would hold something else.
bool readsAs(std::string_view text, const std::vector<Entry>& entries) {
    auto read = TestData::parse(text);
    if (read.size() != entries.size()) return false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Test& got = *read[i];
        if (got.testName() != entries[i].name || got.location() != entries[i].location ||
            got.milliseverts() != entries[i].dose)
            return false;
    }
    return true;
}

} // namespace

bool CatalogueDocument::isCatalogue(std::string_view text) {
    const auto lines = linesOf(text);
    std::size_t i = 0;
    if (isDeclaration(lines[0])) ++i;
    while (i < lines.size() && trimmed(lines[i]).empty())
        ++i;
    if (i == lines.size() || trimmed(lines[i]) != "<tests>") return false;

    std::vector<Entry> entries;
    for (++i; i < lines.size() && trimmed(lines[i]) != "</tests>"; ++i) {
        std::string_view line = trimmed(lines[i]);
        if (line.empty()) continue;
        auto entry = entryOf(line);
        if (!entry) return false;
        entries.push_back(*entry);
    }
    if (i == lines.size() || entries.empty()) return false;
    for (++i; i < lines.size(); ++i)
        if (!trimmed(lines[i]).empty()) return false;
    return readsAs(text, entries);
}

} // namespace mevara
