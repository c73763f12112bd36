#include "Unicode.h"

#include "UnicodeBackend.h"

// What needs no Unicode data; the rest is in icu/ (native) or web/ (browser).
namespace mevara::unicode {

std::vector<std::string_view> splitLines(std::string_view text) {
    // Scans bytes: the three non-ASCII separators have fixed UTF-8 forms
    // (C2 85, E2 80 A8, E2 80 A9) that no other character contains.
    std::vector<std::string_view> lines;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = byte(i);
        std::size_t length = 0;
        if (c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D) {
            length = 1;
        } else if (c == 0xC2 && i + 1 < text.size() && byte(i + 1) == 0x85) {
            length = 2;
        } else if (c == 0xE2 && i + 2 < text.size() && byte(i + 1) == 0x80 &&
                   (byte(i + 2) == 0xA8 || byte(i + 2) == 0xA9)) {
            length = 3;
        }
        if (length > 0) {
            lines.push_back(text.substr(start, i - start));
            start = i + length;
            i += length - 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string_view afterLeadingWhiteSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const int c = backend::nextCodePoint(text, i);
        if (c < 0 || !backend::isWhiteSpace(c)) return text.substr(start);
    }
    return {};
}

} // namespace mevara::unicode
