#include "handset/StandInScreen.h"

#include "handset/MevaraViewController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara {

std::shared_ptr<View> makeStandInView(const std::string& title, std::function<void()> onBack) {
    auto view = std::make_shared<View>(Rect{0, 0, 320, 397});
    view->setBackgroundColor(Color::clear());
    view->setOpaque(false);

    auto box = std::make_shared<ImageView>(Rect{10, 60, 300, 170});
    box->setName("tableBackground");
    if (auto picture = Image::named("form-box.png"))
        box->setImage(picture->stretchableImage(16, 16));
    view->addSubview(box);

    auto heading = std::make_shared<Label>(Rect{30, 78, 260, 28});
    heading->setName("titleLabel");
    heading->setText(title);
    heading->setFont(Font::named(Font::bold, 20));
    heading->setTextColor(Color::rgb(0.071f, 0.329f, 0.635f));
    heading->setTextAlignment(TextAlignment::Center);
    heading->setAdjustsFontSizeToFitWidth(true);
    heading->setMinimumFontSize(12);
    view->addSubview(heading);

    auto note = std::make_shared<Label>(Rect{30, 112, 260, 40});
    note->setName("note");
    note->setText("This part of the app is not ready yet.");
    note->setFont(Font::named(Font::regular, 15));
    note->setTextColor(Color::white(0.3f));
    note->setTextAlignment(TextAlignment::Center);
    note->setNumberOfLines(2);
    view->addSubview(note);

    auto back = std::make_shared<Button>(Rect{90, 166, 140, 44});
    back->setName("backButton");
    back->setTitle("Back");
    back->setTitleColor(Color::white());
    back->setTitleFont(Font::boldSystemFont(17));
    if (auto blue = Image::named("button-blue.png"))
        back->setBackgroundImage(blue->stretchableImage(12, 12));
    back->addTarget(ControlEvent::TouchUpInside, [onBack = std::move(onBack)](Control&) {
        if (onBack) onBack();
    });
    view->addSubview(back);
    return view;
}

StandInScreen::StandInScreen(std::string title) : HelpHandler(""), title_(std::move(title)) {}

void StandInScreen::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.action("onBackButton", [this] { onBackButton(); });
}

void StandInScreen::loadView() {
    std::weak_ptr<ViewController> weak = weak_from_this();
    setView(makeStandInView(title_, [weak] {
        if (auto self = weak.lock()) self->perform("onBackButton");
    }));
}

void StandInScreen::onBackButton() {
    if (auto root = MevaraViewController::root()) root->returnToTestList(true);
}

} // namespace mevara
