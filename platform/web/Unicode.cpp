#include "platform/Unicode.h"

#include "platform/UnicodeBackend.h"
#include "platform/web/JsText.h"

#include <algorithm>
#include <cstdlib>
#include <emscripten.h>

// The browser's own decoders, normalisation and case mapping stand in for ICU's.
namespace mevara::unicode {

namespace {

// UTF-8 bytes (any) decoded as the browser decodes them: each maximal ill-formed part
// becomes one U+FFFD. `how` 0: as is, 1: NFD, 2: NFD then folded case.
// clang-format off
EM_JS(char*, mevara_transform, (const char* data, int size, int how), {
    let s = new TextDecoder("utf-8").decode(HEAPU8.subarray(data, data + size));
    if (how >= 1) s = s.normalize("NFD");
    if (how == 2) s = s.toUpperCase().toLowerCase().normalize("NFD");
    return mevaraTextOut(s);
});

EM_JS(int, mevara_isValidUtf8, (const char* data, int size), {
    try {
        new TextDecoder("utf-8", {fatal: true}).decode(HEAPU8.subarray(data, data + size));
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, mevara_utf16Length, (const char* data, int size), {
    return new TextDecoder("utf-8").decode(HEAPU8.subarray(data, data + size)).length;
});

// UTF-16 after a byte-order mark, in the order the mark gives, as UTF-8 without the mark.
EM_JS(char*, mevara_fromUtf16, (const char* data, int size, int bigEndian), {
    const s = new TextDecoder(bigEndian ? "utf-16be" : "utf-16le")
                  .decode(HEAPU8.subarray(data + 2, data + size));
    return mevaraTextOut(s);
});


// Whether the code point folds to the same text as the ASCII letter.
EM_JS(int, mevara_foldsTo, (int codePoint, int ascii), {
    const fold = (c) => String.fromCodePoint(c).toUpperCase().toLowerCase();
    return fold(codePoint) === fold(ascii) ? 1 : 0;
});
// clang-format on

std::string transformed(std::string_view s, int how) {
    return web::takeJsText(mevara_transform(s.data(), static_cast<int>(s.size()), how));
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// UTF-8 bytes compare in code point order.
int compareBytes(const std::string& a, const std::string& b) {
    return sign(a.compare(b));
}

} // namespace

// Unicode's White_Space characters, a small set the standard keeps stable.
bool backend::isWhiteSpace(int c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// One code point and the offset after it; an ill-formed byte gives -1 and is skipped.
int backend::nextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xC2 && lead <= 0xDF   ? 1
                      : lead >= 0xE0 && lead <= 0xEF ? 2
                      : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                     : 0;
    if (extra == 0 || i + static_cast<std::size_t>(extra) > s.size()) return -1;
    int c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) return -1;
        c = c << 6 | (next & 0x3F);
    }
    const int least[] = {0, 0x80, 0x800, 0x10000};
    if (c < least[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    i += static_cast<std::size_t>(extra);
    return c;
}

bool isValidUtf8(std::string_view text) {
    return isAscii(text) || mevara_isValidUtf8(text.data(), static_cast<int>(text.size())) != 0;
}

std::optional<std::string> utf8FromMarkedUtf16(std::string_view bytes) {
    const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
    if (!little && !big) return std::nullopt;
    return web::takeJsText(
        mevara_fromUtf16(bytes.data(), static_cast<int>(bytes.size()), big ? 1 : 0));
}

std::size_t utf16Length(std::string_view text) {
    if (isAscii(text)) return text.size();
    return static_cast<std::size_t>(mevara_utf16Length(text.data(), static_cast<int>(text.size())));
}

int compareCanonical(std::string_view a, std::string_view b) {
    if (a == b) return 0;
    if (isAscii(a) && isAscii(b)) return sign(a.compare(b));
    return compareBytes(transformed(a, 1), transformed(b, 1));
}

std::string canonicalForm(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return transformed(text, 1);
}

int compareCaseInsensitive(std::string_view a, std::string_view b) {
    return compareBytes(transformed(a, 2), transformed(b, 2));
}

std::size_t findEndCaseInsensitive(std::string_view text, std::string_view asciiKey) {
    // Outside ASCII a few letters fold onto ASCII ones (KELVIN SIGN onto k).
    for (std::size_t start = 0; start < text.size();) {
        std::size_t i = start;
        std::size_t k = 0;
        while (k < asciiKey.size() && i < text.size()) {
            const int c = backend::nextCodePoint(text, i);
            const auto key = static_cast<unsigned char>(asciiKey[k]);
            if (c < 0 || (c != key && mevara_foldsTo(c, key) == 0)) break;
            ++k;
        }
        if (k == asciiKey.size()) return i;
        backend::nextCodePoint(text, start);
    }
    return std::string_view::npos;
}

} // namespace mevara::unicode
