#pragma once

#include <string_view>

// Checks a property list before libplist builds it. The library builds and frees
// arrays and dictionaries recursively, so a deeply nested document overflows the
// stack, and its binary reader copies an object once for every reference to it, so a
// few shared arrays expand into billions of values. Both checks read the bytes
// without building anything and answer false for what the library must not see.
namespace mevara::plistnesting {

// False when arrays and dictionaries nest deeper than `maximumDepth`. Steps over
// comments, character data, processing instructions, the document type and
// double-quoted text as the library's XML reader does, so a close tag hidden in them
// never counts.
bool xmlFits(std::string_view xml, int maximumDepth);

// False when the binary property list is malformed, refers to itself, nests deeper
// than `maximumDepth`, or would expand to more values than it has bytes.
bool binaryFits(std::string_view bytes, int maximumDepth);

} // namespace mevara::plistnesting
