// The about-me step: gender and age range in a small form, each row opening a popover
// list beside it; Save stores both and moves on.
#include "model/UserData.h"
#include "tablet/IpadPicker.h"
#include "tablet/TabletText.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"

#include <string>
#include <vector>

namespace mevara {
namespace {

using W = WelcomeController;

const char* const balloonText =
    "Did you know tests with radiation (CT, PET, X-Ray) are often valuable and life-saving "
    "tools used in your medical care?  Talk with your doctor if you're concerned with your "
    "results.";
const char* const portraitAddition = "\n\nAlso, it's a good idea to keep a record of all imaging "
                                     "tests you've received and share this information with "
                                     "your doctor.";

constexpr Color valueBlue = Color::rgb(0.2f, 0.4f, 0.8f);
constexpr Color dividerBlue = Color::rgb(0.718f, 0.8f, 0.875f);

// Every widget of the step, in the order they are built.
const std::vector<const char*> widgets{"step1_bubble",
                                       "step1_bubbleText",
                                       "step1_aboutMeContainer",
                                       "step1_aboutMeForm",
                                       "step1_aboutMeDivider",
                                       "step1_genderButton",
                                       "step1_ageButton",
                                       "step1_genderLabel",
                                       "step1_ageLabel",
                                       "step1_gender",
                                       "step1_age",
                                       "step1_genderArrow",
                                       "step1_ageArrow",
                                       "step1_helpBalloon",
                                       "step1_helpWedge",
                                       "step1_helpText",
                                       "step1_avatar",
                                       "step1_wedge",
                                       "step1_saveButton"};

std::shared_ptr<Label> whiteText(const std::string& text, const char* font, float size) {
    auto label = makeTabletLabel(text, font, size, Color::white());
    label->setShadowColor(Color::white(0.333f));
    label->setShadowOffset({0, -1});
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(10);
    return label;
}

std::shared_ptr<Label> rowTitle(const char* text) {
    auto label = makeTabletLabel(text, "Helvetica-Bold", 17, Color::black());
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(10);
    return label;
}

std::shared_ptr<Label> rowValue() {
    auto label = makeTabletLabel("", "Helvetica", 17, valueBlue);
    label->setTextAlignment(TextAlignment::Right);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(10);
    return label;
}

// A row of the form: its name is read out, since what it shows sits beside it.
std::shared_ptr<Button> rowButton(W& w, const char* phase, const char* name) {
    auto button = std::make_shared<Button>();
    button->setAccessibilityLabel(name);
    button->setBackgroundColor(Color::clear());
    button->setBackgroundImage(Image::named("bg-blue.png"), ControlState::Highlighted);
    w.connect(*button, phase);
    return button;
}

void setup(W& w, const std::any&) {
    w.addWidget("step1_bubble", makeStretchedImage("balloon-blue.png", {0.4f, 0.67f, 0.1f, 0.1f}));
    auto text = whiteText("", "Helvetica-Bold", 17);
    text->setNumberOfLines(0);
    text->setLineBreakMode(LineBreakMode::TailTruncation);
    w.addWidget("step1_bubbleText", text);
    w.addWidget("step1_aboutMeContainer",
                makeStretchedImage("container-light-blue.png", {0.4f, 0.65f, 0.1f, 0.1f}));
    w.addWidget("step1_aboutMeForm", makeStretchedImage("form-box.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    auto divider = std::make_shared<View>();
    divider->setBackgroundColor(dividerBlue);
    w.addWidget("step1_aboutMeDivider", divider);
    w.addWidget("step1_genderButton", rowButton(w, "step1_onGender", "Gender"));
    w.addWidget("step1_ageButton", rowButton(w, "step1_onAge", "Age Range"));
    w.addWidget("step1_genderLabel", rowTitle("Gender"));
    w.addWidget("step1_ageLabel", rowTitle("Current Age"));
    w.addWidget("step1_gender", rowValue());
    w.addWidget("step1_age", rowValue());
    w.addWidget("step1_genderArrow", makeImage("arrow-gray.png"));
    w.addWidget("step1_ageArrow", makeImage("arrow-gray.png"));
    w.addWidget("step1_helpBalloon",
                makeStretchedImage("balloon-green.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    w.addWidget("step1_helpWedge", makeImage("balloon-green-point-left.png"));
    auto help = whiteText("First, select your gender and current age.", "Helvetica", 16);
    help->setTextAlignment(TextAlignment::Center);
    w.addWidget("step1_helpText", help);
    w.addWidget("step1_avatar", makeImage("doctor-default.png"));
    w.addWidget("step1_wedge", makeImage("balloon-blue-point-right"));
    auto save = makeTabletButton("Save", "button-blue.png", 18, 12, 15);
    save->setTitleShadowColor(std::nullopt);
    w.connect(*save, "step1_onSave");
    w.addWidget("step1_saveButton", save);
}

// The form block stands in the same place in both orientations.
void layOutForm(W& w) {
    w.setFrame("step1_aboutMeContainer", {5, 13, 317, 159});
    w.setFrame("step1_aboutMeForm", {15, 23, 297, 88});
    w.setFrame("step1_aboutMeDivider", {15, 67, 297, 1});
    w.setFrame("step1_genderButton", {15, 23, 297, 44});
    w.setFrame("step1_ageButton", {15, 67, 297, 44});
    w.setFrame("step1_helpBalloon", {353, 29, 377, 77});
    w.setFrame("step1_helpWedge", {333, 53, 26, 29});
    w.setFrame("step1_helpText", {393, 53, 293, 21});
}

void setBalloonText(W& w, const std::string& text) {
    if (auto label = w.widget<Label>("step1_bubbleText")) setTabletText(*label, text);
}

void landscape(W& w, const std::any&) {
    layOutForm(w);
    w.setFrame("step1_genderLabel", {26, 37, 96, 21});
    w.setFrame("step1_ageLabel", {26, 75, 111, 21});
    w.setFrame("step1_gender", {179, 36, 96, 21});
    w.setFrame("step1_age", {179, 75, 96, 21});
    w.setFrame("step1_genderArrow", {291, 40, 11, 15});
    w.setFrame("step1_ageArrow", {291, 78, 11, 15});
    w.setFrame("step1_saveButton", {20, 121, 292, 37});
    w.setFrame("step1_bubble", {291, 211, 419, 175});
    w.setFrame("step1_bubbleText", {333, 240, 351, 112});
    w.setFrame("step1_avatar", {615, 104, 433, 629});
    w.setFrame("step1_wedge", {703, 262, 26, 29});
    setBalloonText(w, balloonText);
}

void portrait(W& w, const std::any&) {
    layOutForm(w);
    w.setFrame("step1_genderLabel", {30, 37, 96, 21});
    w.setFrame("step1_ageLabel", {30, 75, 96, 21});
    w.setFrame("step1_gender", {178, 36, 96, 21});
    w.setFrame("step1_age", {178, 75, 96, 21});
    w.setFrame("step1_genderArrow", {290, 40, 11, 15});
    w.setFrame("step1_ageArrow", {290, 78, 11, 15});
    w.setFrame("step1_saveButton", {15, 121, 297, 37});
    w.setFrame("step1_bubble", {178, 296, 339, 342});
    w.setFrame("step1_bubbleText", {226, 326, 247, 276});
    w.setFrame("step1_avatar", {425, 360, 433, 629});
    w.setFrame("step1_wedge", {510, 528, 26, 29});
    setBalloonText(w, std::string(balloonText) + portraitAddition);
}

void fade(W& w, float alpha) {
    for (const char* name : widgets)
        if (auto view = w.widget(name)) view->setAlpha(alpha);
}

void populate(W& w, const std::any&) {
    const auto& data = UserData::instance();
    if (auto gender = w.widget<Label>("step1_gender")) setTabletText(*gender, data.gender());
    if (auto age = w.widget<Label>("step1_age")) setTabletText(*age, data.age());
}

void release(W& w, const std::any&) {
    for (const char* name : widgets)
        w.setWidget(name, nullptr);
}

// A row opens its list beside it; while a list is open, either row only closes it.
void openPicker(W& w, const char* rowName, const char* title, std::vector<std::string> choices,
                const std::string& stored) {
    if (w.picker()) {
        w.dismissPicker();
        return;
    }
    auto row = w.widget(rowName);
    if (!row) return;
    auto self = std::static_pointer_cast<W>(w.shared_from_this());
    auto picker = IpadPicker::pickerWithTitle(title, std::move(choices),
                                              stored.empty() ? std::nullopt
                                                             : std::optional<std::string>(stored),
                                              std::weak_ptr<IpadPickerDelegate>(self));
    w.setPicker(picker);
    auto view = picker->view();
    view->setAlpha(0);
    const Rect rowFrame = row->frame();
    const Rect own = view->frame();
    view->setFrame({rowFrame.x + rowFrame.width + 18, rowFrame.y - 10, own.width, own.height});
    w.view()->addSubview(view);
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    w.setAlpha({"step1_helpBalloon", "step1_helpText", "step1_helpWedge"}, 0);
    view->setAlpha(1);
    loop.commitAnimations();
}

void onGender(W& w, const std::any&) {
    openPicker(w, "step1_genderButton", "Gender",
               {UserData::genders.begin(), UserData::genders.end()}, UserData::instance().gender());
}

void onAge(W& w, const std::any&) {
    openPicker(w, "step1_ageButton", "Age",
               {UserData::ageRanges.begin(), UserData::ageRanges.end()},
               UserData::instance().age());
}

void onSave(W& w, const std::any&) {
    auto gender = w.widget<Label>("step1_gender");
    auto age = w.widget<Label>("step1_age");
    if (gender && age && !gender->text().empty() && !age->text().empty()) {
        auto& data = UserData::instance();
        data.setAge(age->text());
        data.setGender(gender->text());
        data.save();
        w.directMove(data.tests().empty() ? "step2" : "step3");
        return;
    }
    std::make_shared<AlertView>("About Me", "Please set your gender and age before continuing.",
                                std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
}

const W::StateGroup step1{{
    {"step1_setup", setup},
    {"step1_landscape", landscape},
    {"step1_portrait", portrait},
    {"step1_transitionIn", [](W& w, const std::any&) { fade(w, 1); }},
    {"step1_transitionOut", [](W& w, const std::any&) { fade(w, 0); }},
    {"step1_populate", populate},
    {"step1_validate", [](W&, const std::any&) {}},
    {"step1_release", release},
    {"step1_onGender", onGender},
    {"step1_onAge", onAge},
    {"step1_onSave", onSave},
}};

} // namespace
} // namespace mevara
