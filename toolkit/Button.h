#pragma once

#include "toolkit/Control.h"
#include "toolkit/Font.h"
#include "toolkit/Image.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

enum class ControlState { Normal = 0, Highlighted = 1, Disabled = 2, Selected = 3 };

struct EdgeInsets {
    float top = 0, left = 0, bottom = 0, right = 0;
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// A custom button: no chrome of its own; per-state title, colours and pictures, each
// falling back to the normal state's. The image sits left of the title, both centred.
class Button : public Control {
public:
    Button() = default;
    explicit Button(Rect frame) : Control(frame) {}
    std::string className() const override { return "Button"; }

    void setTitle(std::optional<std::string> title, ControlState state = ControlState::Normal);
    void setTitleColor(std::optional<Color> color, ControlState state = ControlState::Normal);
    void setTitleShadowColor(std::optional<Color> color, ControlState state = ControlState::Normal);
    void setImage(std::shared_ptr<const Image> image, ControlState state = ControlState::Normal);
    void setBackgroundImage(std::shared_ptr<const Image> image,
                            ControlState state = ControlState::Normal);

    std::optional<std::string> titleForState(ControlState state) const;
    std::shared_ptr<const Image> imageForState(ControlState state) const;
    std::shared_ptr<const Image> backgroundImageForState(ControlState state) const;
    // What shows now, by the control's state.
    ControlState state() const;
    std::string currentTitle() const { return titleForState(state()).value_or(""); }
    std::shared_ptr<const Image> currentImage() const { return imageForState(state()); }
    std::shared_ptr<const Image> currentBackgroundImage() const {
        return backgroundImageForState(state());
    }
    Color currentTitleColor() const;

    const Font& titleFont() const { return font_; }
    void setTitleFont(const Font& font);
    Size titleShadowOffset() const { return shadowOffset_; }
    void setTitleShadowOffset(Size offset);
    EdgeInsets titleEdgeInsets() const { return titleInsets_; }
    void setTitleEdgeInsets(EdgeInsets insets);
    EdgeInsets imageEdgeInsets() const { return imageInsets_; }
    void setImageEdgeInsets(EdgeInsets insets);
    // 0: as many lines as the title's line breaks and the height allow; each line centred.
    int titleNumberOfLines() const { return titleLines_; }
    void setTitleNumberOfLines(int lines);
    // A tab-bar look: the image centred above the title instead of left of it.
    bool imageAboveTitle() const { return imageAbove_; }
    void setImageAboveTitle(bool above);

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;
    // A button with only a picture needs a name from its layout.
    std::string defaultAccessibilityLabel() const override { return currentTitle(); }

private:
    struct StateLook {
        std::optional<std::string> title;
        std::optional<Color> titleColor;
        std::optional<Color> titleShadowColor;
        std::shared_ptr<const Image> image;
        std::shared_ptr<const Image> background;
    };
    const StateLook& look(ControlState state) const { return looks_[static_cast<int>(state)]; }
    StateLook& look(ControlState state) { return looks_[static_cast<int>(state)]; }
    template <class T> T pick(ControlState state, T StateLook::*field) const;

    std::array<StateLook, 4> looks_;
    Font font_ = Font::boldSystemFont(15);
    Size shadowOffset_{0, 0};
    EdgeInsets titleInsets_, imageInsets_;
    int titleLines_ = 1;
    bool imageAbove_ = false;
};

} // namespace mevara
