#pragma once

#include <cstddef>
#include <string_view>

// The two questions of Unicode data the portable text helpers ask: ICU answers them on
// the desktop (icu/), a decoder and a table in the browser (web/).
namespace mevara::unicode::backend {

// One code point from UTF-8 and the offset after it; an ill-formed part gives a negative
// value and is skipped.
int nextCodePoint(std::string_view text, std::size_t& i);
// Whether the code point has the White_Space property.
bool isWhiteSpace(int codePoint);

} // namespace mevara::unicode::backend
