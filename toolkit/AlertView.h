#pragma once

#include "toolkit/View.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class AlertView;
class Button;
class Label;

class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView& alert, int index) = 0;
};

// A modal message over a dimmed screen. The cancel button has index 0, the others follow;
// any button closes the alert, then the delegate (not held) hears the index.
class AlertView : public View {
public:
    AlertView(std::string title, std::string message, std::weak_ptr<AlertViewDelegate> delegate,
              std::optional<std::string> cancelButtonTitle,
              std::vector<std::string> otherButtonTitles = {});
    std::string className() const override { return "AlertView"; }

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    // Every button's title by index.
    const std::vector<std::string>& buttonTitles() const { return buttons_; }
    int cancelButtonIndex() const { return hasCancel_ ? 0 : -1; }
    bool isVisible() const;

    // Shows it on the key window.
    void show();
    void dismissWithClickedButtonIndex(int index, bool animated);
    // Sizes and centres the box for a screen of `size`.
    void layoutIn(Size screen);

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;

private:
    void build();

    std::string title_, message_;
    std::weak_ptr<AlertViewDelegate> delegate_;
    std::vector<std::string> buttons_;
    bool hasCancel_ = false;
    std::shared_ptr<Label> titleLabel_, messageLabel_;
    std::vector<std::shared_ptr<Button>> buttonViews_;
};

} // namespace mevara
