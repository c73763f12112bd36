#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <unicode/brkiter.h>
#include <unicode/utext.h>
#include <vector>

namespace mevara {

// Where a UTF-8 text may be cut: between user-perceived characters, or where a line may
// wrap. Offsets are bytes. Asked lazily, so a long text costs only the part looked at.
class TextBreaks {
public:
    enum class Kind { Character, Line };

    TextBreaks(std::string_view text, Kind kind);
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
    struct Closer {
        void operator()(UText* text) const;
    };
    // Without ICU every code point is a break, so a cut never splits a UTF-8 sequence.
    bool isCodePointStart(std::size_t offset) const;

    std::string_view text_;
    std::unique_ptr<UText, Closer> utext_;
    std::unique_ptr<icu::BreakIterator> iterator_;
};

} // namespace mevara
