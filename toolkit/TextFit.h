#pragma once

#include "toolkit/Font.h"
#include "toolkit/TextLayout.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mevara {

// Where a text stops fitting a width, found by searching measured prefixes rather than by
// dropping one character at a time: a search measures about twice what fits, so a cut
// from a text of any length costs about what the part that shows costs. Relies on a
// longer prefix (or suffix) never being narrower.

// Bytes in the longest prefix of `text`, ending on a code point, at most `maxWidth` wide.
std::size_t fittingPrefix(const FontEngine& engine, const Font& font, std::string_view text,
                          float maxWidth);
// Bytes in the longest suffix of `text`, starting on a code point, at most `maxWidth` wide.
std::size_t fittingSuffix(const FontEngine& engine, const Font& font, std::string_view text,
                          float maxWidth);
// `text` without the spaces and tabs at its end, which a cut or wrapped line drops.
std::string_view trimEnd(std::string_view text);
// Whether the whole text is at most `maxWidth` wide.
bool fitsWidth(const FontEngine& engine, const Font& font, std::string_view text, float maxWidth);

// One line cut to `maxWidth` with an ellipsis as `mode` says, on character boundaries; clip
// and wrap modes leave it whole.
std::string truncateLine(const FontEngine& engine, const Font& font, std::string_view text,
                         float maxWidth, LineBreakMode mode);

} // namespace mevara
