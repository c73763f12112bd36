#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace mevara {

// Where a UTF-8 text may be cut: between user-perceived characters, or where a line may
// wrap. Offsets are bytes. Asked lazily, so a long text costs only the part looked at.
class TextBreaks {
public:
    enum class Kind { Character, Line };

    TextBreaks(std::string_view text, Kind kind);
    ~TextBreaks();
    TextBreaks(const TextBreaks&) = delete;
    TextBreaks& operator=(const TextBreaks&) = delete;

    // The first break after `offset`; the end of the text when there is none.
    std::size_t following(std::size_t offset);
    // The last break before `offset`; 0 when there is none.
    std::size_t preceding(std::size_t offset);
    // `offset` when it is a break, else the last break before it.
    std::size_t atOrBefore(std::size_t offset);
    // Every break from 0 to the end, both included.
    std::vector<std::size_t> all();

private:
    // ICU's break iterator on the desktop (icu/), the browser's segmenter and a UAX #14
    // package in the browser build (web/).
    struct Finder;

    std::string_view text_;
    std::unique_ptr<Finder> finder_;
};

} // namespace mevara
