#pragma once

#include "platform/Geometry.h"
#include "toolkit/Transform.h"
#include "toolkit/ViewController.h"

#include <memory>
#include <optional>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;
class View;

// What one help bubble shows and where.
struct HelpBubble {
    enum class Picture {
        // "bubble2" stretched with caps 100 and 100 (the home screen's bubbles).
        Caps,
        // "bubble2" with the image view's stretch region (every other screen).
        ContentStretch,
    };

    Rect helpViewFrame{0, 0, 320, 397};
    Rect bubbleFrame{};
    std::string message{};
    Picture picture = Picture::ContentStretch;
    // Applied only when a font of that name exists; none: the layout's font.
    std::optional<std::string> fontName{};
    float fontSize = 0;
    // Screens with a button in the bubble say whether it shows and where things go.
    std::optional<bool> showsMoreButton{};
    std::optional<Rect> textFrame{};
    std::optional<Rect> moreButtonFrame{};
};

// Base of every handset screen: the root asks the shown screen to show or hide its help.
// A screen with help lays out an avatar and a speech bubble that grows out of a point
// and shrinks back into it; a screen without any (pickers) does nothing.
class HelpHandler : public ViewController {
public:
    static constexpr double fadeDuration = 0.5;
    static constexpr double bubbleDelay = 0.25;
    static constexpr double resetDelay = 1.0;

    explicit HelpHandler(std::optional<std::string> layoutName = std::nullopt);
    std::string className() const override { return "HelpHandler"; }

    // Toggles the screen's help bubble.
    virtual void showHelp();
    virtual void hideHelp();
    virtual void resetTransforms();

    // Set by the tablet root on the screens it hosts.
    int rootOrientation() const { return rootOrientation_; }
    void setRootOrientation(int orientation) { rootOrientation_ = orientation; }

    // The bubble's starting point: a dot 200 right of and 400 below its centre.
    static Transform collapsedTransform();
    // Help counts as shown once its alpha is above 0.99.
    bool isHelpShowing() const;

    const std::shared_ptr<View>& helpView() const { return helpView_; }
    const std::shared_ptr<View>& bubble() const { return bubble_; }
    const std::shared_ptr<ImageView>& bubbleImage() const { return bubbleImage_; }
    const std::shared_ptr<Label>& bubbleText() const { return bubbleText_; }
    const std::shared_ptr<ImageView>& helpAvatar() const { return helpAvatar_; }
    const std::shared_ptr<Button>& moreButton() const { return moreButton_; }

    void touchesBegan(const TouchSet& touches) override;

protected:
    void bind(Bindings& bindings) override;
    // The bubble the root's Help button opens; none: the screen has no help.
    virtual std::optional<HelpBubble> helpBubble() const { return std::nullopt; }
    // The help view's frame while hidden.
    virtual Rect restingHelpFrame() const { return {0, 0, 320, 397}; }
    // Whether a tap inside the bubble may close it now.
    virtual bool bubbleClosesOnTap() const { return true; }

    // Shows `content`, or hides the help when it is already showing.
    void showBubble(const HelpBubble& content);
    // Collapsed bubble, then fade in and grow out to full size.
    void animateBubbleIn();
    // Reverses the bubble and schedules the reset.
    void hideBubble();
    void setAvatarForGender();

private:
    int rootOrientation_ = 0;
    std::shared_ptr<View> helpView_;
    std::shared_ptr<View> bubble_;
    std::shared_ptr<ImageView> bubbleImage_;
    std::shared_ptr<Label> bubbleText_;
    std::shared_ptr<ImageView> helpAvatar_;
    std::shared_ptr<Button> moreButton_;
};

} // namespace mevara
