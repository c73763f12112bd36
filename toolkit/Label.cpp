#include "toolkit/Label.h"

#include "toolkit/Application.h"
#include "toolkit/Painter.h"
#include "toolkit/TextFit.h"

#include <cmath>

namespace mevara {

Label::Label() {
    setUserInteractionEnabled(false);
}

Label::Label(Rect frame) : View(frame) {
    setUserInteractionEnabled(false);
}

void Label::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    relayout();
}

void Label::setFont(const std::optional<Font>& font) {
    if (!font) return;
    font_ = *font;
    relayout();
}

void Label::setHighlightedTextColor(std::optional<Color> color) {
    highlightedTextColor_ = color;
    changed();
}

Size Label::sizeOfText(std::string_view text, Size bounds) const {
    return sizeWithFont(Application::shared().fonts(), text, font_, bounds, lineBreak_);
}

void Label::setTextColor(Color color) {
    textColor_ = color;
    changed();
}

void Label::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    changed();
}

void Label::setTextAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    relayout();
}

void Label::setNumberOfLines(int lines) {
    lines_ = std::max(0, lines);
    relayout();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    lineBreak_ = mode;
    relayout();
}

void Label::setShadowColor(std::optional<Color> color) {
    shadowColor_ = color;
    changed();
}

void Label::setShadowOffset(Size offset) {
    shadowOffset_ = offset;
    changed();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts) {
    adjusts_ = adjusts;
    relayout();
}

void Label::setMinimumFontSize(float size) {
    minimumFontSize_ = size;
    relayout();
}

void Label::relayout() {
    layout_.reset();
    changed();
}

const TextLayout& Label::layout(Size size) const {
    const auto& engine = Application::shared().fonts();
    if (layout_ && layoutSize_ == size && layoutEngine_ == &engine) return *layout_;
    Font font = font_;
    if (adjusts_ && lines_ == 1 && !text_.empty()) {
        // One point at a time, as the platform shrinks, down to the minimum.
        const float floor = std::max(1.0f, minimumFontSize_);
        while (font.pointSize > floor && !fitsWidth(engine, font, text_, size.width))
            font.pointSize = std::max(floor, font.pointSize - 1);
    }
    layout_ = TextLayout::make(engine, text_, font, size, lineBreak_, lines_);
    layoutSize_ = size;
    layoutEngine_ = &engine;
    return *layout_;
}

void Label::layoutIfNeeded() {
    if (!text_.empty() && !isHidden()) layout();
    View::layoutIfNeeded();
}

void drawTextLayout(Painter& painter, const TextLayout& layout, const Rect& box,
                    TextAlignment alignment, Color color, std::optional<Color> shadow,
                    Size shadowOffset) {
    float y = box.y + std::round((box.height - layout.size.height) / 2);
    for (const auto& line : layout.lines) {
        float x = box.x;
        if (alignment == TextAlignment::Center)
            x += std::round((box.width - line.width) / 2);
        else if (alignment == TextAlignment::Right)
            x += box.width - line.width;
        if (shadow && shadow->a > 0)
            painter.drawText(line.text, layout.font, *shadow,
                             {x + shadowOffset.width, y + shadowOffset.height});
        painter.drawText(line.text, layout.font, color, {x, y});
        y += layout.lineHeight;
    }
}

void Label::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    if (text_.empty()) return;
    painter.save();
    if (lineBreak_ == LineBreakMode::Clip) painter.clip(bounds);
    drawTextLayout(painter, layout({bounds.width, bounds.height}), bounds, alignment_,
                   highlighted_ ? highlightedTextColor_.value_or(textColor_) : textColor_,
                   shadowColor_, shadowOffset_);
    painter.restore();
}

} // namespace mevara
