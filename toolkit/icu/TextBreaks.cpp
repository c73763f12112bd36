#include "toolkit/TextBreaks.h"

#include <algorithm>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

namespace mevara {

struct TextBreaks::Finder {
    struct Closer {
        void operator()(UText* text) const { utext_close(text); }
    };
    std::unique_ptr<UText, Closer> utext;
    std::unique_ptr<icu::BreakIterator> iterator;
};

namespace {

// Without ICU every code point is a break, so a cut never splits a UTF-8 sequence.
bool isCodePointStart(std::string_view text, std::size_t offset) {
    return offset >= text.size() || (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80;
}

} // namespace

TextBreaks::TextBreaks(std::string_view text, Kind kind)
    : text_(text), finder_(std::make_unique<Finder>()) {
    UErrorCode status = U_ZERO_ERROR;
    finder_->utext.reset(
        utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status));
    auto& iterator = finder_->iterator;
    iterator.reset(
        kind == Kind::Line
            ? icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), status)
            : icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (iterator && finder_->utext && U_SUCCESS(status))
        iterator->setText(finder_->utext.get(), status);
    if (U_FAILURE(status)) iterator.reset();
}

TextBreaks::~TextBreaks() = default;

std::size_t TextBreaks::following(std::size_t offset) {
    if (offset >= text_.size()) return text_.size();
    if (!finder_->iterator) {
        do
            ++offset;
        while (!isCodePointStart(text_, offset));
        return offset;
    }
    const int32_t next = finder_->iterator->following(static_cast<int32_t>(offset));
    return next == icu::BreakIterator::DONE ? text_.size() : static_cast<std::size_t>(next);
}

std::size_t TextBreaks::preceding(std::size_t offset) {
    if (offset == 0) return 0;
    offset = std::min(offset, text_.size());
    if (!finder_->iterator) {
        do
            --offset;
        while (offset > 0 && !isCodePointStart(text_, offset));
        return offset;
    }
    const int32_t previous = finder_->iterator->preceding(static_cast<int32_t>(offset));
    return previous == icu::BreakIterator::DONE ? 0 : static_cast<std::size_t>(previous);
}

std::size_t TextBreaks::atOrBefore(std::size_t offset) {
    if (offset >= text_.size()) return text_.size();
    const bool isBreak = finder_->iterator
                             ? finder_->iterator->isBoundary(static_cast<int32_t>(offset))
                             : isCodePointStart(text_, offset);
    return isBreak ? offset : preceding(offset);
}

} // namespace mevara
