#include "tablet/TabletWidgets.h"

#include "tablet/TabletText.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara {

std::shared_ptr<Label> makeTabletLabel(const std::string& text, const char* font, float size,
                                       Color color) {
    auto label = std::make_shared<Label>();
    setTabletText(*label, text);
    label->setFont(Font::named(font, size));
    label->setTextColor(color);
    label->setBackgroundColor(Color::clear());
    label->setOpaque(false);
    return label;
}

std::shared_ptr<ImageView> makeStretchedImage(const char* picture, Rect stretch) {
    auto view = makeImage(picture);
    view->setContentStretch(stretch);
    return view;
}

std::shared_ptr<ImageView> makeImage(const char* picture) {
    auto view = std::make_shared<ImageView>();
    view->setImage(Image::named(picture));
    return view;
}

std::shared_ptr<Button> makeTabletButton(const std::string& title, const char* background,
                                         float leftCap, float topCap, float fontSize) {
    auto button = std::make_shared<Button>();
    if (auto picture = Image::named(background))
        button->setBackgroundImage(picture->stretchableImage(leftCap, topCap));
    button->setTitle(tabletText(title));
    button->setTitleColor(Color::white());
    button->setTitleFont(Font::boldSystemFont(fontSize));
    button->setTitleShadowColor(Color::white(0.5f));
    button->setTitleShadowOffset({0, -1});
    return button;
}

} // namespace mevara
