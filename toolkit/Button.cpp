#include "toolkit/Button.h"

#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/Painter.h"

#include <cmath>

namespace mevara {

namespace {
constexpr float disabledPictureAlpha = 0.35f;
} // namespace

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

void Button::setImageAboveTitle(bool above) {
    if (imageAbove_ == above) return;
    imageAbove_ = above;
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
    // Likewise a disabled one shows them faded.
    const bool fade = now == ControlState::Disabled && !look(ControlState::Disabled).background &&
                      !look(ControlState::Disabled).image;
    painter.save();
    if (darken) painter.multiplyBrightness(0.7f);
    if (fade) painter.multiplyAlpha(disabledPictureAlpha);
    if (background) painter.drawImage(*background, bounds, {0, 0, 1, 1});

    const std::string title = titleForState(now).value_or("");
    const Size imageSize = image ? image->size() : Size{};
    // Beside the title the image takes width from it; above it, height.
    const Size textBounds = imageAbove_ ? Size{bounds.width, bounds.height - imageSize.height}
                                        : Size{bounds.width - imageSize.width, bounds.height};
    TextLayout text;
    if (!title.empty())
        text = TextLayout::make(Application::shared().fonts(), title, font_, textBounds,
                                titleLines_ == 1 ? LineBreakMode::MiddleTruncation
                                                 : LineBreakMode::WordWrap,
                                titleLines_);
    float x = 0;
    Rect titleBox;
    if (imageAbove_) {
        const float total = imageSize.height + text.size.height;
        const float y = std::round((bounds.height - total) / 2);
        titleBox = {std::round((bounds.width - text.size.width) / 2), y + imageSize.height,
                    text.size.width, text.size.height};
        x = std::round((bounds.width - imageSize.width) / 2);
        if (image) {
            painter.drawImage(*image,
                              {x + imageInsets_.left - imageInsets_.right,
                               y + imageInsets_.top - imageInsets_.bottom, imageSize.width,
                               imageSize.height},
                              {0, 0, 1, 1});
        }
    } else {
        const float total = imageSize.width + text.size.width;
        x = std::round((bounds.width - total) / 2);
        if (image) {
            const Rect dest{x + imageInsets_.left - imageInsets_.right,
                            std::round((bounds.height - imageSize.height) / 2) + imageInsets_.top -
                                imageInsets_.bottom,
                            imageSize.width, imageSize.height};
            painter.drawImage(*image, dest, {0, 0, 1, 1});
            x += imageSize.width;
        }
        titleBox = {x, 0, text.size.width, bounds.height};
    }
    painter.restore();
    if (!title.empty()) {
        const Rect box{titleBox.x + titleInsets_.left - titleInsets_.right,
                       titleBox.y + titleInsets_.top - titleInsets_.bottom, titleBox.width,
                       titleBox.height};
        // A disabled title dims, as the platform shows it.
        Color color = currentTitleColor();
        if (now == ControlState::Disabled && !look(ControlState::Disabled).titleColor)
            color.a *= 0.5f;
        drawTextLayout(painter, text, box, TextAlignment::Center, color,
                       pick(now, &StateLook::titleShadowColor), shadowOffset_);
    }
}

} // namespace mevara
