#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers over UTF-8 strings, backed by ICU.
namespace mevara::unicode {

bool isValidUtf8(std::string_view text);

// UTF-16 bytes that begin with a byte-order mark (either order), as UTF-8 without the
// mark. Nothing when they do not begin so.
std::optional<std::string> utf8FromMarkedUtf16(std::string_view bytes);

// Length in UTF-16 code units, the unit the device's strings count in.
std::size_t utf16Length(std::string_view text);

// Splits at LF, VT, FF, CR, NEL, LINE SEPARATOR and PARAGRAPH SEPARATOR. Each
// character ends one line, so CR LF yields an empty line between the two.
std::vector<std::string_view> splitLines(std::string_view text);

// Case-sensitive comparison in code point order in which canonically equivalent
// sequences (precomposed and decomposed letters) are equal. Returns <0, 0 or >0.
int compareCanonical(std::string_view a, std::string_view b);

// The canonical decomposition in UTF-8: two texts compare as equal above exactly
// when their forms are the same bytes, so the form can key a hash table.
std::string canonicalForm(std::string_view text);

// Comparison that ignores case (full case folding). Returns <0, 0 or >0.
int compareCaseInsensitive(std::string_view a, std::string_view b);

// Byte offset just past the first occurrence of an ASCII key in text, matching
// case-insensitively by simple case folding, or npos.
std::size_t findEndCaseInsensitive(std::string_view text, std::string_view asciiKey);

// The text after any leading white space (the Unicode White_Space characters); an
// ill-formed byte ends the space.
std::string_view afterLeadingWhiteSpace(std::string_view text);

// Replaces every occurrence of `from` in `text`, left to right, never inside a
// replacement.
void replaceAll(std::string& text, std::string_view from, std::string_view to);

} // namespace mevara::unicode
