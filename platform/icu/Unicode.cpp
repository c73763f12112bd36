#include "platform/Unicode.h"

#include "platform/UnicodeBackend.h"

#include <algorithm>
#include <cstdint>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace mevara::unicode {

namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

icu::UnicodeString decomposed(std::string_view s) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    if (U_FAILURE(status)) return text;
    icu::UnicodeString result = nfd->normalize(text, status);
    return U_SUCCESS(status) ? result : text;
}

// Decodes one code point; invalid bytes come back as negative values.
UChar32 next(std::string_view s, std::size_t& i) {
    UChar32 c;
    auto length = static_cast<int32_t>(s.size());
    auto index = static_cast<int32_t>(i);
    U8_NEXT(reinterpret_cast<const uint8_t*>(s.data()), index, length, c);
    i = static_cast<std::size_t>(index);
    return c;
}

} // namespace

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (next(text, i) < 0) return false;
    }
    return true;
}

std::optional<std::string> utf8FromMarkedUtf16(std::string_view bytes) {
    if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF")) return std::nullopt;
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX) / 2) return std::nullopt;
    // ICU's "UTF-16" reads the mark, picks the order from it and drops it.
    std::string utf8(bytes.size() / 2 * 3 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_convert("UTF-8", "UTF-16", utf8.data(), static_cast<int32_t>(utf8.size()),
                     bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

std::size_t utf16Length(std::string_view text) {
    if (isAscii(text)) return text.size();
    std::size_t i = 0, units = 0;
    while (i < text.size())
        units += next(text, i) > 0xFFFF ? 2 : 1;
    return units;
}

int compareCanonical(std::string_view a, std::string_view b) {
    if (a == b) return 0;
    // ASCII is its own decomposition, and byte order is code point order.
    if (isAscii(a) && isAscii(b)) return sign(a.compare(b));
    return sign(decomposed(a).compareCodePointOrder(decomposed(b)));
}

std::string canonicalForm(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    std::string form;
    decomposed(text).toUTF8String(form);
    return form;
}

int compareCaseInsensitive(std::string_view a, std::string_view b) {
    return sign(decomposed(a).caseCompare(decomposed(b), U_FOLD_CASE_DEFAULT));
}

std::size_t findEndCaseInsensitive(std::string_view text, std::string_view asciiKey) {
    if (isAscii(text)) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        auto it = std::search(text.begin(), text.end(), asciiKey.begin(), asciiKey.end(),
                              [&](char a, char b) { return lower(a) == lower(b); });
        return it == text.end() ? std::string_view::npos
                                : static_cast<std::size_t>(it - text.begin()) + asciiKey.size();
    }
    // Outside ASCII a few letters fold onto ASCII ones (KELVIN SIGN onto k).
    for (std::size_t start = 0; start < text.size();) {
        std::size_t i = start;
        std::size_t k = 0;
        while (k < asciiKey.size() && i < text.size()) {
            UChar32 c = next(text, i);
            if (c < 0 ||
                u_foldCase(c, U_FOLD_CASE_DEFAULT) !=
                    u_foldCase(static_cast<unsigned char>(asciiKey[k]), U_FOLD_CASE_DEFAULT))
                break;
            ++k;
        }
        if (k == asciiKey.size()) return i;
        next(text, start);
    }
    return std::string_view::npos;
}

int backend::nextCodePoint(std::string_view text, std::size_t& i) {
    return next(text, i);
}

bool backend::isWhiteSpace(int codePoint) {
    return u_isUWhiteSpace(codePoint);
}

} // namespace mevara::unicode
