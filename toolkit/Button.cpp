#include "toolkit/Button.h"

#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/Painter.h"

#include <cmath>

namespace mevara {

template <class T> T Button::pick(ControlState state, T StateLook::*field) const {
    const T& own = look(state).*field;
    if (state != ControlState::Normal && own) return own;
    return look(ControlState::Normal).*field;
}

void Button::setTitle(std::optional<std::string> title, ControlState state) {
    look(state).title = std::move(title);
    changed();
}

void Button::setTitleColor(std::optional<Color> color, ControlState state) {
    look(state).titleColor = color;
    changed();
}

void Button::setTitleShadowColor(std::optional<Color> color, ControlState state) {
    look(state).titleShadowColor = color;
    changed();
}

void Button::setImage(std::shared_ptr<const Image> image, ControlState state) {
    look(state).image = std::move(image);
    changed();
}

void Button::setBackgroundImage(std::shared_ptr<const Image> image, ControlState state) {
    look(state).background = std::move(image);
    changed();
}

std::optional<std::string> Button::titleForState(ControlState state) const {
    return pick(state, &StateLook::title);
}

std::shared_ptr<const Image> Button::imageForState(ControlState state) const {
    return pick(state, &StateLook::image);
}

std::shared_ptr<const Image> Button::backgroundImageForState(ControlState state) const {
    return pick(state, &StateLook::background);
}

ControlState Button::state() const {
    if (!isEnabled()) return ControlState::Disabled;
    if (isHighlighted()) return ControlState::Highlighted;
    if (isSelected()) return ControlState::Selected;
    return ControlState::Normal;
}

Color Button::currentTitleColor() const {
    return pick(state(), &StateLook::titleColor).value_or(Color::white());
}

void Button::setTitleFont(const Font& font) {
    font_ = font;
    changed();
}

void Button::setTitleShadowOffset(Size offset) {
    shadowOffset_ = offset;
    changed();
}

void Button::setTitleEdgeInsets(EdgeInsets insets) {
    titleInsets_ = insets;
    changed();
}

void Button::setImageEdgeInsets(EdgeInsets insets) {
    imageInsets_ = insets;
    changed();
}

void Button::setTitleNumberOfLines(int lines) {
    titleLines_ = std::max(0, lines);
    changed();
}

void Button::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    const ControlState now = state();
    const auto image = imageForState(now);
    const auto background = backgroundImageForState(now);
    // Without pictures of its own for the pressed state, a pressed button shows its
    // pictures darkened, as the platform does.
    const bool darken = now == ControlState::Highlighted &&
                        !look(ControlState::Highlighted).background &&
                        !look(ControlState::Highlighted).image;
    painter.save();
    if (darken) painter.multiplyBrightness(0.7f);
    if (background) painter.drawImage(*background, bounds, {0, 0, 1, 1});

    const std::string title = titleForState(now).value_or("");
    const float imageWidth = image ? image->size().width : 0;
    TextLayout text;
    if (!title.empty())
        text = TextLayout::make(
            Application::shared().fonts(), title, font_, {bounds.width - imageWidth, bounds.height},
            titleLines_ == 1 ? LineBreakMode::MiddleTruncation : LineBreakMode::WordWrap,
            titleLines_);
    const float total = imageWidth + text.size.width;
    float x = std::round((bounds.width - total) / 2);
    if (image) {
        const Size s = image->size();
        const Rect dest{x + imageInsets_.left - imageInsets_.right,
                        std::round((bounds.height - s.height) / 2) + imageInsets_.top -
                            imageInsets_.bottom,
                        s.width, s.height};
        painter.drawImage(*image, dest, {0, 0, 1, 1});
        x += imageWidth;
    }
    painter.restore();
    if (!title.empty()) {
        const Rect box{x + titleInsets_.left - titleInsets_.right,
                       titleInsets_.top - titleInsets_.bottom, text.size.width, bounds.height};
        // A disabled title dims, as the platform shows it.
        Color color = currentTitleColor();
        if (now == ControlState::Disabled && !look(ControlState::Disabled).titleColor)
            color.a *= 0.5f;
        drawTextLayout(painter, text, box, TextAlignment::Center, color,
                       pick(now, &StateLook::titleShadowColor), shadowOffset_);
    }
}

} // namespace mevara
