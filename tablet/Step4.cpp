// The results step: the user's total, the average for the age range and one chosen
// reference as three bars on one axis, the five references to choose from along the right
// edge, and the doctor's advice. Each column's foot opens its detail page.
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"
#include "handset/TestRow.h"
#include "model/UserData.h"
#include "tablet/ChartParts.h"
#include "tablet/TabletText.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace mevara {
namespace {

using W = WelcomeController;

const char* const adviceText = "It's a good idea to keep a record of all imaging tests you've "
                               "received and share this information with your doctor.";
const char* const gradientText =
    "The greater the radiation exposure, the greater the risk to develop cancer.";

struct Column {
    const char* name;       // "myExposure": step4_myExposureBar, ...Label, ...
    const char* baseButton; // the invisible button over the column's foot
    const char* barPicture;
    const char* more;
    const char* caption;
    int captionLines;
};

constexpr std::array<Column, 3> columns{{
    {"myExposure", "step4_myBaseButton", "bar-green-ipad.png", "step4_onMoreMyExposure",
     "Your Estimated Medical Exposure", 2},
    {"averageExposure", "step4_averageBaseButton", "bar-orange-ipad.png",
     "step4_onMoreAverageExposure", "Average Medical Exposure for\nYour Age Range", 0},
    {"compareExposure", "step4_compareBaseButton", "bar-red-ipad.png",
     "step4_onMoreCompareExposure", "", 3},
}};

std::string part(const Column& column, const char* suffix) {
    return std::string("step4_") + column.name + suffix;
}

struct Choice {
    const char* name; // "crossCountryFlights": step4_crossCountryFlightsButton, ...Icon, ...Label
    const char* action;
    Comparison comparison;
    const char* icon;
    const char* title;
    // Shown under the third column and kept in selectedComparison; its trailing line breaks
    // hold it at the top of the three-line caption.
    const char* caption;
    const char* page;
};

constexpr std::array<Choice, 5> choices{{
    {"crossCountryFlights", "step4_onCrossCountryFlights", Comparison::Flights,
     "icon-plane-ipad.png", "Cross-Country Flights", "40 Cross Country Flights\n\n",
     "more_flights"},
    {"annualNaturalExposure", "step4_onNaturalExposure", Comparison::NaturalExposure,
     "icon-earth-ipad.png", "Annual Natural Exposure", "Annual Natural Exposure\n\n",
     "more_natural_exposure"},
    {"nuclearStressTest", "step4_onNuclearStressTest", Comparison::NuclearStressTest,
     "icon-heart-ipad.png", "Nuclear Stress Test", "Nuclear Stress Test\n\n",
     "more_nuclear_stress_test"},
    {"chernobyl", "step4_onChernobyl", Comparison::Chernobyl, "icon-chernobyl-ipad.png",
     "Chernobyl Disaster", "Chernobyl Exposure\n\n", "more_chernobyl"},
    {"cancerRisk", "step4_onCancerRisk", Comparison::CancerRisk, "icon-nuclear-ipad.png",
     "Cancer Risk", "Cancer Risk\n\n\n", "more_cancer_risk"},
}};

// Meant as 10.5, but text is drawn at whole point sizes and at 11 "Cross-Country" and
// "Annual Natural" no longer fit the 78-point caption, which then loses its second line.
constexpr float captionSize = 10;

std::string part(const Choice& choice, const char* suffix) {
    return std::string("step4_") + choice.name + suffix;
}

// Every widget of the step, in the order they are built (later ones on top).
const std::vector<std::string>& widgetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all{"step4_editTestsButton"};
        for (const auto& column : columns)
            for (const char* suffix : {"Bar", "Base", "Button", "ValueContainer", "Label"})
                all.push_back(part(column, suffix));
        all.push_back("step4_bottomBackground");
        for (const auto& column : columns)
            all.push_back(part(column, "BaseLabel"));
        for (const char* name : {"step4_cancerRiskGradient", "step4_cancerRiskGradientLabel",
                                 "step4_buttonBackground"})
            all.emplace_back(name);
        for (const auto& choice : choices)
            for (const char* suffix : {"Button", "Icon", "Label"})
                all.push_back(part(choice, suffix));
        for (auto& name : chart::axisNames("step4_"))
            all.push_back(std::move(name));
        for (const char* name :
             {"step4_bubble", "step4_doctor", "step4_bubbleText", "step4_balloonWedge"})
            all.emplace_back(name);
        for (const auto& column : columns)
            all.emplace_back(column.baseButton);
        return all;
    }();
    return names;
}

// What the arrow under a bar opens, for a screen reader; the third bar's caption changes
// with the comparison chosen.
std::string moreName(const Column& column) {
    if (!column.caption[0]) return "More About This Comparison";
    std::string caption = column.caption;
    std::replace(caption.begin(), caption.end(), '\n', ' ');
    return "More About " + caption;
}

std::shared_ptr<Button> imageButton(W& w, const char* picture, const char* action,
                                    const std::string& name) {
    auto button = std::make_shared<Button>();
    button->setAccessibilityLabel(name);
    if (auto image = Image::named(picture))
        button->setBackgroundImage(image->stretchableImage(18, 12));
    w.connect(*button, action);
    return button;
}

void setup(W& w, const std::any&) {
    const auto add = [&w](const std::string& name, const std::shared_ptr<View>& view) {
        w.addWidget(name, view);
    };
    auto editTests = makeTabletButton("   Edit Tests", "button-back.png", 18, 12, 11);
    editTests->setTitleColor(Color::white(), ControlState::Highlighted);
    w.connect(*editTests, "step4_onEditTests");
    add("step4_editTestsButton", editTests);

    for (const auto& column : columns) {
        add(part(column, "Bar"), chart::bar(column.barPicture));
        auto base = makeImage("bottom-of-graph-ipad.png");
        base->setBackgroundColor(Color::clear());
        add(part(column, "Base"), base);
        add(part(column, "Button"),
            imageButton(w, "button-more.png", column.more, moreName(column)));
        add(part(column, "ValueContainer"), makeImage("container-for-values.png"));
        add(part(column, "Label"),
            chart::label("", Font::boldSystemFont(24), chart::textBlue, TextAlignment::Center));
    }
    add("step4_bottomBackground", makeImage("bottom-of-comparisons.png"));
    for (const auto& column : columns) {
        const std::string caption = column.caption[0] ? column.caption : W::cancerRiskComparison;
        add(part(column, "BaseLabel"),
            chart::label(caption, Font::boldSystemFont(12), chart::textBlue, TextAlignment::Center,
                         column.captionLines));
    }

    add("step4_cancerRiskGradient", makeImage("cancer-risk-gradient.png"));
    auto gradientLabel = chart::balloonLabel(gradientText, Font{std::string(Font::oblique), 14},
                                             TextAlignment::Center);
    add("step4_cancerRiskGradientLabel", gradientLabel);
    add("step4_buttonBackground", makeImage("background-behind-icons.png"));
    for (const auto& choice : choices) {
        const char* background = choice.comparison == Comparison::CancerRisk
                                     ? "selected-icon-ipad.png"
                                     : "unselected-icon-ipad.png";
        add(part(choice, "Button"), imageButton(w, background, choice.action, choice.title));
        add(part(choice, "Icon"), chart::centredImage(choice.icon));
        add(part(choice, "Label"), chart::label(choice.title, Font::boldSystemFont(captionSize),
                                                chart::textBlue, TextAlignment::Center, 2));
    }
    chart::addAxis(w, "step4_", Font::systemFont(10));

    add("step4_bubble", makeStretchedImage("balloon-blue.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    add("step4_doctor", chart::centredImage("doctor-female.png"));
    add("step4_bubbleText", chart::balloonLabel(adviceText, Font::boldSystemFont(19)));
    add("step4_balloonWedge", makeImage("balloon-blue-point-left.png"));
    for (const auto& column : columns) {
        auto foot = std::make_shared<Button>();
        foot->setBackgroundColor(Color::clear());
        foot->setAccessibilityLabel(moreName(column));
        w.connect(*foot, column.more);
        add(column.baseButton, foot);
    }
}

// The chart is the same in both orientations, moved as one block; the choices keep to the
// right edge and the balloon moves from below the chart to its left.
struct Frames {
    Rect bar, base, more, container, value;
    std::array<Rect, 3> captions;
    Point zeroTick, tickLabel, gradient, gradientLabel, buttonBackground;
    float choiceX;
    std::array<float, 5> choiceY;
    Rect bubble, doctor, bubbleText;
    Point wedge;
    Rect bottomBackground;
    float bottomAlpha;
};

constexpr Frames portraitFrames{
    {148, 475, 92, 128},
    {123, 594, 142, 160},
    {175, 576, 39, 38},
    {161, 446, 66, 29},
    {173, 450, 42, 21},
    {{{138, 615, 113, 38}, {288, 615, 113, 53}, {438, 615, 113, 52}}},
    {625, 594},
    {598, 594},
    {399, 0},
    {430, 66},
    {635, 0},
    652,
    {20, 159, 299, 437, 576},
    {176, 744, 465, 130},
    {-54, 655, 424, 632},
    {206, 770, 412, 71},
    {159, 796},
    {0, 581, 1024, 397},
    1,
};

constexpr Frames landscapeFrames{
    {432, 490, 92, 128},
    {407, 609, 142, 160},
    {459, 591, 39, 38},
    {445, 461, 66, 29},
    {457, 465, 42, 21},
    {{{421, 630, 113, 38}, {571, 630, 113, 52}, {722, 630, 113, 38}}},
    {881, 609},
    {854, 609},
    {683, 0},
    {714, 66},
    {891, 0},
    908,
    {20, 146, 272, 398, 524},
    {176, 173, 221, 212},
    {-54, 157, 424, 634},
    {206, 197, 165, 157},
    {159, 296},
    {421, 744, 240, 128},
    0,
};

constexpr float columnSpacing = 150;

Rect moved(Rect frame, float dx) {
    frame.x += dx;
    return frame;
}

void layOut(W& w, const Frames& f) {
    w.setFrame("step4_editTestsButton", {11, 32, 80, 31});
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto& column = columns[i];
        const float dx = columnSpacing * static_cast<float>(i);
        w.setFrame(part(column, "Bar"), moved(f.bar, dx));
        w.setFrame(part(column, "Base"), moved(f.base, dx));
        w.setFrame(part(column, "Button"), moved(f.more, dx));
        w.setFrame(part(column, "ValueContainer"), moved(f.container, dx));
        w.setFrame(part(column, "Label"), moved(f.value, dx));
        w.setFrame(part(column, "BaseLabel"), f.captions[i]);
        w.setFrame(column.baseButton, {f.base.x + dx, f.base.y, 142, 122});
    }
    chart::layOutAxis(w, "step4_", f.zeroTick.x, f.zeroTick.y, f.tickLabel.x);
    w.setFrame("step4_cancerRiskGradient", {f.gradient.x, f.gradient.y, 190, 601});
    w.setFrame("step4_cancerRiskGradientLabel", {f.gradientLabel.x, f.gradientLabel.y, 128, 88});
    w.setFrame("step4_buttonBackground", {f.buttonBackground.x, f.buttonBackground.y, 133, 731});
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const auto& choice = choices[i];
        const float y = f.choiceY[i];
        const bool cancer = choice.comparison == Comparison::CancerRisk;
        w.setFrame(part(choice, "Button"), {f.choiceX, y, 98, 119});
        w.setFrame(part(choice, "Icon"), {f.choiceX + 10, y + (cancer ? 19.0f : 18.0f), 78, 46});
        w.setFrame(part(choice, "Label"), {f.choiceX + 10, y + (cancer ? 59.0f : 66.0f), 78, 27});
    }
    w.setFrame("step4_bubble", f.bubble);
    chart::layOutDoctor(w, "step4_doctor", f.doctor);
    w.setFrame("step4_bubbleText", f.bubbleText);
    w.setFrame("step4_balloonWedge", {f.wedge.x, f.wedge.y, 25, 33});
    w.setFrame("step4_bottomBackground", f.bottomBackground);
    // The floor shows with the rest of the step: no sooner while the step fades in, at
    // once when the step is already on screen and turns to portrait.
    if (auto floor = w.widget("step4_bottomBackground")) {
        auto shown = w.widget("step4_editTestsButton");
        floor->setAlpha(shown ? std::min(f.bottomAlpha, shown->alpha()) : f.bottomAlpha);
    }
    w.call("step4_populate");
}

void scaleBars(W& w, const std::any& = {}) {
    const auto& data = UserData::instance();
    const float total = data.total();
    const float average = data.averageExposureForAge();
    auto compareLabel = w.widget<Label>("step4_compareExposureLabel");
    const std::string compareText = compareLabel ? compareLabel->text() : std::string();
    // Cancer risk leaves the text empty, which reads as 0 and shows no bar.
    const float reference = ChartText::valueOfText(compareText);
    const float scale = chart::chooseScale(w, std::max({total, average, reference}));
    chart::writeTicks(w, "step4_", scale);

    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(1.0);
    const float perMsv = chart::pointsPerMsv(w, "step4_", scale);
    chart::raiseBar(w, "step4_myExposureBar", "step4_myExposureLabel",
                    "step4_myExposureValueContainer", total, perMsv);
    chart::raiseBar(w, "step4_averageExposureBar", "step4_averageExposureLabel",
                    "step4_averageExposureValueContainer", average, perMsv);
    if (auto label = w.widget<Label>("step4_myExposureLabel"))
        showDose(*label, ChartText::twoDecimalText(total));
    if (auto label = w.widget<Label>("step4_averageExposureLabel"))
        showDose(*label, ChartText::shortText(average));
    const bool risk = compareText.empty();
    if (!risk) {
        chart::raiseBar(w, "step4_compareExposureBar", "step4_compareExposureLabel",
                        "step4_compareExposureValueContainer", reference, perMsv);
        showDose(*compareLabel, ChartText::shortText(reference));
    }
    for (const char* name : {"step4_compareExposureBar", "step4_compareExposureLabel",
                             "step4_compareExposureValueContainer"})
        if (auto view = w.widget(name)) view->setHidden(risk);
    for (const char* name : {"step4_cancerRiskGradient", "step4_cancerRiskGradientLabel"})
        if (auto view = w.widget(name)) view->setHidden(!risk);
    loop.commitAnimations();
}

void select(W& w, const Choice& chosen) {
    if (auto label = w.widget<Label>("step4_compareExposureLabel"))
        showDose(*label, std::string(ComparisonReferences::reference(chosen.comparison).valueText));
    for (const auto& choice : choices)
        if (auto button = w.widget<Button>(part(choice, "Button")))
            if (auto image = Image::named(&choice == &chosen ? "selected-icon-ipad.png"
                                                             : "unselected-icon-ipad.png"))
                button->setBackgroundImage(image->stretchableImage(18, 12));
    if (auto caption = w.widget<Label>("step4_compareExposureBaseLabel"))
        setTabletText(*caption, chosen.caption);
    w.setSelectedComparison(chosen.caption);
    scaleBars(w);
}

void populate(W& w, const std::any&) {
    chart::dressDoctor(w, "step4_doctor");
    auto caption = w.widget<Label>("step4_compareExposureBaseLabel");
    if (caption) setTabletText(*caption, w.selectedComparison());
    for (const auto& choice : choices)
        if (caption && caption->text() == choice.caption) select(w, choice);
    scaleBars(w);
}

void onMoreCompareExposure(W& w, const std::any&) {
    auto caption = w.widget<Label>("step4_compareExposureBaseLabel");
    if (!caption) return;
    for (const auto& choice : choices)
        if (caption->text() == choice.caption) {
            w.directMove(choice.page);
            return;
        }
}

std::vector<std::pair<std::string, W::Phase>> phases() {
    std::vector<std::pair<std::string, W::Phase>> all{
        {"step4_setup", setup},
        {"step4_landscape", [](W& w, const std::any&) { layOut(w, landscapeFrames); }},
        {"step4_portrait", [](W& w, const std::any&) { layOut(w, portraitFrames); }},
        {"step4_populate", populate},
        {"step4_scaleBars", scaleBars},
        {"step4_transitionIn", [](W& w, const std::any&) { chart::setAlpha(w, widgetNames(), 1); }},
        {"step4_transitionOut",
         [](W& w, const std::any&) { chart::setAlpha(w, widgetNames(), 0); }},
        {"step4_validate", [](W&, const std::any&) {}},
        {"step4_release", [](W& w, const std::any&) { chart::release(w, widgetNames()); }},
        {"step4_onEditTests", [](W& w, const std::any&) { w.directMove("step3"); }},
        {"step4_onMoreMyExposure", [](W& w, const std::any&) { w.directMove("more_my_exposure"); }},
        {"step4_onMoreAverageExposure",
         [](W& w, const std::any&) { w.directMove("more_avg_exposure"); }},
        {"step4_onMoreCompareExposure", onMoreCompareExposure},
    };
    for (const auto& choice : choices)
        all.emplace_back(choice.action, [&choice](W& w, const std::any&) { select(w, choice); });
    return all;
}

const W::StateGroup resultsStep{phases()};

} // namespace
} // namespace mevara
