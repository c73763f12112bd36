#include "toolkit/TextBreaks.h"

#include <algorithm>

namespace mevara {

void TextBreaks::Closer::operator()(UText* text) const {
    utext_close(text);
}

TextBreaks::TextBreaks(std::string_view text, Kind kind) : text_(text) {
    UErrorCode status = U_ZERO_ERROR;
    utext_.reset(utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status));
    iterator_.reset(
        kind == Kind::Line
            ? icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), status)
            : icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (iterator_ && utext_ && U_SUCCESS(status)) iterator_->setText(utext_.get(), status);
    if (U_FAILURE(status)) iterator_.reset();
}

bool TextBreaks::isCodePointStart(std::size_t offset) const {
    return offset >= text_.size() || (static_cast<unsigned char>(text_[offset]) & 0xC0) != 0x80;
}

std::size_t TextBreaks::following(std::size_t offset) {
    if (offset >= text_.size()) return text_.size();
    if (!iterator_) {
        do
            ++offset;
        while (!isCodePointStart(offset));
        return offset;
    }
    const int32_t next = iterator_->following(static_cast<int32_t>(offset));
    return next == icu::BreakIterator::DONE ? text_.size() : static_cast<std::size_t>(next);
}

std::size_t TextBreaks::preceding(std::size_t offset) {
    if (offset == 0) return 0;
    offset = std::min(offset, text_.size());
    if (!iterator_) {
        do
            --offset;
        while (offset > 0 && !isCodePointStart(offset));
        return offset;
    }
    const int32_t previous = iterator_->preceding(static_cast<int32_t>(offset));
    return previous == icu::BreakIterator::DONE ? 0 : static_cast<std::size_t>(previous);
}

std::size_t TextBreaks::atOrBefore(std::size_t offset) {
    if (offset >= text_.size()) return text_.size();
    const bool isBreak =
        iterator_ ? iterator_->isBoundary(static_cast<int32_t>(offset)) : isCodePointStart(offset);
    return isBreak ? offset : preceding(offset);
}

std::vector<std::size_t> TextBreaks::all() {
    std::vector<std::size_t> result{0};
    while (result.back() < text_.size())
        result.push_back(following(result.back()));
    return result;
}

} // namespace mevara
