#include "handset/HelpHandler.h"

#include "model/UserData.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"

namespace mevara {

HelpHandler::HelpHandler(std::optional<std::string> layoutName)
    : ViewController(std::move(layoutName)) {}

void HelpHandler::bind(Bindings& b) {
    b.outlet("helpView", helpView_);
    b.outlet("bubble", bubble_);
    b.outlet("bubbleImage", bubbleImage_);
    b.outlet("bubbleText", bubbleText_);
    b.outlet("helpAvatar", helpAvatar_);
    b.outlet("moreButton", moreButton_);
    b.action("showHelp", [this] { showHelp(); });
    b.action("hideHelp", [this] { hideHelp(); });
    b.action("resetTransforms", [this] { resetTransforms(); });
}

Transform HelpHandler::collapsedTransform() {
    return Transform::scale(0.01f, 0.01f).translated(20000, 40000);
}

bool HelpHandler::isHelpShowing() const {
    return helpView_ && helpView_->alpha() > 0.99f;
}

void HelpHandler::showHelp() {
    if (auto content = helpBubble()) showBubble(*content);
}

void HelpHandler::hideHelp() {
    if (helpView_) hideBubble();
}

void HelpHandler::showBubble(const HelpBubble& content) {
    if (!helpView_ || !bubble_) return;
    bubble_->setTransform(Transform::identity());
    helpView_->setTransform(Transform::identity());
    if (isHelpShowing()) {
        hideHelp();
        return;
    }
    bubble_->setHidden(false);
    if (bubbleImage_) {
        auto picture = Image::named("bubble2.png");
        if (content.picture == HelpBubble::Picture::Caps) {
            bubbleImage_->setImage(picture ? picture->stretchableImage(100, 100) : nullptr);
        } else {
            bubbleImage_->setImage(picture);
            bubbleImage_->setContentStretch({0.5f, 0.4f, 0.1f, 0.4f});
        }
    }
    helpView_->setAlpha(0);
    helpView_->setFrame(content.helpViewFrame);
    bubble_->setFrame(content.bubbleFrame);
    if (moreButton_ && content.showsMoreButton) {
        moreButton_->setHidden(!*content.showsMoreButton);
        if (content.moreButtonFrame) moreButton_->setFrame(*content.moreButtonFrame);
    }
    if (bubbleText_) {
        if (content.textFrame) bubbleText_->setFrame(*content.textFrame);
        bubbleText_->setText(content.message);
        if (content.fontName)
            bubbleText_->setFont(Font::named(*content.fontName, content.fontSize));
    }
    setAvatarForGender();
    animateBubbleIn();
}

void HelpHandler::setAvatarForGender() {
    if (helpAvatar_)
        helpAvatar_->setImage(
            Image::named(UserData::instance().gender() == "Female" ? "woman1.png" : "man1.png"));
}

void HelpHandler::animateBubbleIn() {
    auto& loop = RunLoop::main();
    bubble_->setTransform(collapsedTransform());
    loop.beginAnimations("fadein");
    loop.setAnimationDuration(fadeDuration);
    helpView_->setAlpha(1);
    loop.commitAnimations();
    loop.beginAnimations("bubblein");
    loop.setAnimationDuration(fadeDuration);
    loop.setAnimationDelay(bubbleDelay);
    bubble_->setTransform(Transform::identity());
    helpView_->setTransform(Transform::identity());
    loop.commitAnimations();
}

void HelpHandler::hideBubble() {
    auto& loop = RunLoop::main();
    if (bubble_) bubble_->setTransform(Transform::identity());
    helpView_->setTransform(Transform::identity());
    loop.beginAnimations("fadein");
    loop.setAnimationDelay(bubbleDelay);
    loop.setAnimationDuration(fadeDuration);
    helpView_->setAlpha(0);
    loop.commitAnimations();
    if (bubble_) {
        loop.beginAnimations("bubblein");
        loop.setAnimationDuration(fadeDuration);
        bubble_->setTransform(collapsedTransform());
        loop.commitAnimations();
    }
    performAfterDelay("resetTransforms", resetDelay);
}

void HelpHandler::resetTransforms() {
    if (!helpView_) return;
    // Help opened again within the second after hiding keeps its place.
    if (isHelpShowing()) return;
    if (bubble_) {
        bubble_->setHidden(false);
        bubble_->setTransform(Transform::identity());
    }
    helpView_->setTransform(Transform::identity());
    helpView_->setFrame(restingHelpFrame());
}

void HelpHandler::touchesBegan(const TouchSet& touches) {
    if (touches.empty() || !bubble_ || !bubbleClosesOnTap()) return;
    const Point p = touches.front()->locationInView(bubble_.get());
    if (rectContainsPoint(bubble_->bounds(), p)) hideHelp();
}

} // namespace mevara
