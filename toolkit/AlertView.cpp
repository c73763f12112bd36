#include "toolkit/AlertView.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/Painter.h"
#include "toolkit/Window.h"

#include <cmath>

namespace mevara {
namespace {

constexpr float boxWidth = 284;
constexpr float margin = 16;
constexpr float buttonHeight = 44;
const Color buttonBlue = Color::rgb(0.0f, 0.42f, 0.85f);

} // namespace

AlertView::AlertView(std::string title, std::string message,
                     std::weak_ptr<AlertViewDelegate> delegate,
                     std::optional<std::string> cancelButtonTitle,
                     std::vector<std::string> otherButtonTitles)
    : title_(std::move(title)), message_(std::move(message)), delegate_(std::move(delegate)) {
    if (cancelButtonTitle) {
        hasCancel_ = true;
        buttons_.push_back(*cancelButtonTitle);
    }
    for (auto& other : otherButtonTitles)
        buttons_.push_back(std::move(other));
    // While it shows, a screen reader reads nothing else.
    setAccessibilityViewIsModal(true);
    build();
}

void AlertView::build() {
    titleLabel_ = std::make_shared<Label>();
    titleLabel_->setName("alertTitle");
    titleLabel_->setText(title_);
    titleLabel_->setFont(Font::boldSystemFont(17));
    titleLabel_->setTextAlignment(TextAlignment::Center);
    titleLabel_->setNumberOfLines(0);
    titleLabel_->setLineBreakMode(LineBreakMode::WordWrap);
    addSubview(titleLabel_);
    messageLabel_ = std::make_shared<Label>();
    messageLabel_->setName("alertMessage");
    messageLabel_->setText(message_);
    messageLabel_->setFont(Font::systemFont(15));
    messageLabel_->setTextAlignment(TextAlignment::Center);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setLineBreakMode(LineBreakMode::WordWrap);
    addSubview(messageLabel_);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        auto button = std::make_shared<Button>();
        button->setName("alertButton" + std::to_string(i));
        button->setTitle(buttons_[i]);
        button->setTitleColor(buttonBlue);
        button->setTitleColor(Color::white(0.6f), ControlState::Highlighted);
        button->setTitleFont(i == 0 && hasCancel_ ? Font::boldSystemFont(17)
                                                  : Font::systemFont(17));
        const int index = static_cast<int>(i);
        button->addTarget(ControlEvent::TouchUpInside,
                          [this, index](Control&) { dismissWithClickedButtonIndex(index, true); });
        buttonViews_.push_back(button);
        addSubview(button);
    }
}

void AlertView::layoutIn(Size screen) {
    const auto& engine = Application::shared().fonts();
    const float inner = boxWidth - 2 * margin;
    const Size titleSize =
        sizeWithFont(engine, title_, titleLabel_->font(), {inner, 9999}, LineBreakMode::WordWrap);
    const Size messageSize = sizeWithFont(engine, message_, messageLabel_->font(), {inner, 9999},
                                          LineBreakMode::WordWrap);
    float y = 20;
    titleLabel_->setFrame({margin, y, inner, std::ceil(titleSize.height)});
    y += std::ceil(titleSize.height) + (message_.empty() ? 0 : 6);
    messageLabel_->setFrame({margin, y, inner, std::ceil(messageSize.height)});
    y += std::ceil(messageSize.height) + 20;
    // Two buttons stand side by side, cancel on the left; more stack up.
    const std::size_t n = buttonViews_.size();
    if (n == 2) {
        buttonViews_[0]->setFrame({0, y, boxWidth / 2, buttonHeight});
        buttonViews_[1]->setFrame({boxWidth / 2, y, boxWidth / 2, buttonHeight});
        y += buttonHeight;
    } else {
        for (auto& button : buttonViews_) {
            button->setFrame({0, y, boxWidth, buttonHeight});
            y += buttonHeight;
        }
    }
    setFrame({std::round((screen.width - boxWidth) / 2), std::round((screen.height - y) / 2),
              boxWidth, y});
}

bool AlertView::isVisible() const {
    return window() != nullptr;
}

void AlertView::show() {
    auto* window = Application::shared().keyWindow();
    if (window) window->showAlert(std::static_pointer_cast<AlertView>(shared_from_this()));
}

void AlertView::dismissWithClickedButtonIndex(int index, bool) {
    auto keep = shared_from_this();
    if (auto* window = this->window()) window->removeAlert(this);
    if (auto delegate = delegate_.lock()) delegate->alertViewClickedButtonAtIndex(*this, index);
}

void AlertView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    painter.fillRoundedRect(bounds, 12, Color::white(0.97f));
    const float top = buttonViews_.empty() ? bounds.height : buttonViews_.front()->frame().y;
    painter.fillRect({0, top, bounds.width, 1}, Color::white(0.8f));
    if (buttonViews_.size() == 2)
        painter.fillRect({bounds.width / 2, top, 1, bounds.height - top}, Color::white(0.8f));
    else
        for (std::size_t i = 1; i < buttonViews_.size(); ++i)
            painter.fillRect({0, buttonViews_[i]->frame().y, bounds.width, 1}, Color::white(0.8f));
}

} // namespace mevara
