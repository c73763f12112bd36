#include "toolkit/TextBreaks.h"

#include <algorithm>
#include <emscripten.h>
#include <vector>

// Breaks in the browser build: user-perceived characters from Intl.Segmenter, line-wrap
// opportunities from the `linebreak` package (the Unicode line breaking algorithm); both
// found at once for the whole text, as byte offsets.
namespace mevara {

struct TextBreaks::Finder {
    // Ascending, from 0 to the text's end.
    std::vector<std::size_t> breaks;
};

namespace {

// clang-format off
EM_JS(int*, mevara_textBreaks, (const char* data, int size, int line), {
    const text = new TextDecoder("utf-8").decode(HEAPU8.subarray(data, data + size));
    const units = globalThis.mevaraText.breaks(text, line != 0);
    // UTF-16 positions to UTF-8 byte offsets.
    const bytesBefore = new Int32Array(text.length + 1);
    for (let i = 0, bytes = 0; i <= text.length; ++i) {
        bytesBefore[i] = bytes;
        if (i == text.length) break;
        const c = text.charCodeAt(i);
        bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c >= 0xD800 && c < 0xDC00 ? 4 : c >= 0xDC00 && c < 0xE000 ? 0 : 3;
    }
    const out = _malloc(4 * (units.length + 1));
    HEAP32[out >> 2] = units.length;
    units.forEach((unit, k) => { HEAP32[(out >> 2) + 1 + k] = bytesBefore[unit]; });
    return out;
});
// clang-format on

} // namespace

TextBreaks::TextBreaks(std::string_view text, Kind kind)
    : text_(text), finder_(std::make_unique<Finder>()) {
    int* found =
        mevara_textBreaks(text.data(), static_cast<int>(text.size()), kind == Kind::Line ? 1 : 0);
    auto& breaks = finder_->breaks;
    breaks.push_back(0);
    for (int k = 0; k < found[0]; ++k)
        breaks.push_back(static_cast<std::size_t>(found[1 + k]));
    std::free(found);
    breaks.push_back(text.size());
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
}

TextBreaks::~TextBreaks() = default;

std::size_t TextBreaks::following(std::size_t offset) {
    const auto& breaks = finder_->breaks;
    const auto it = std::upper_bound(breaks.begin(), breaks.end(), offset);
    return it == breaks.end() ? text_.size() : *it;
}

std::size_t TextBreaks::preceding(std::size_t offset) {
    const auto& breaks = finder_->breaks;
    const auto it = std::lower_bound(breaks.begin(), breaks.end(), offset);
    return it == breaks.begin() ? 0 : *std::prev(it);
}

std::size_t TextBreaks::atOrBefore(std::size_t offset) {
    if (offset >= text_.size()) return text_.size();
    const auto& breaks = finder_->breaks;
    return std::binary_search(breaks.begin(), breaks.end(), offset) ? offset : preceding(offset);
}

} // namespace mevara
