// The seven detail pages behind the results step's bars: each shows its subject's bar
// alone on its own axis and the doctor explaining it in a large balloon. The user's own
// page restates the total as months of natural exposure and as chest x-rays.
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"
#include "model/UserData.h"
#include "tablet/ChartParts.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace mevara {
namespace {

using W = WelcomeController;

constexpr const char* averageText =
    "National Research Council report estimates that Americans receive an average of 0.5 mSv "
    "of exposure/year from medical imaging.  Displayed results are based on the average "
    "exposure within the age range selected.\n\nEstimate is based on the report &lquot;"
    "Committee to Assess Health Risks from Exposure to Low Levels of Ionizing Radiation, "
    "National Research Council. Health risks from exposure to low levels of ionizing "
    "radiation: BEIR VII phase 2. Washington, DC: The National Academies Press; "
    "2006;155-188.&rquot;";
constexpr const char* cancerRiskText =
    "National Research Council report estimates that exposure to 10 mSv from medical imaging "
    "results in a 1 in 1000 chance of developing cancer from radiation received during the "
    "medical test over the course of a person's lifetime.\n\nEstimate is based on information "
    "from the report &lquot;Committee to Assess Health Risks from Exposure to Low Levels of "
    "Ionizing Radiation, National Research Council. Health risks from exposure to low levels "
    "of ionizing radiation: BEIR VII phase 2. Washington, DC: The National Academies Press; "
    "2006;6-8.&rquot;\n";
constexpr const char* chernobylText =
    "In 1986, a Ukraine nuclear power plant, Chernobyl, exploded and released high levels of "
    "radiation causing the death of 28 people from acute radiation exposure.  The recorded "
    "dose received by workers during the disaster and initial response was estimated at 200 "
    "mSv.\n\nEstimate is based on information from the report &lquot;Committee to Assess "
    "Health Risks from Exposure to Low Levels of Ionizing Radiation, National Research "
    "Council. Health risks from exposure to low levels of ionizing radiation: BEIR VII phase "
    "2. Washington, DC: The National Academies Press; 2006;91-131.&rquot;";
constexpr const char* flightsText =
    "A National Research Council Report estimates that 1,000 miles of air flight equates to "
    ".01mSv. Calculation is based on 40 flights at 2,500 miles/flight = 100,000 miles which "
    "equates to 1mSv.\n\nEstimate is based on information from the report &lquot;Committee "
    "to Assess Health Risks from Exposure to Low Levels of Ionizing Radiation, National "
    "Research Council. Health risks from exposure to low levels of ionizing radiation: BEIR "
    "VII phase 2. Washington, DC: The National Academies Press; 2006;1-10.&rquot;";
constexpr const char* naturalExposureText =
    "A National Research Council Report estimates that Americans are exposed yearly to 3 mSv "
    "of natural background radiation.  This consists of radiation from building material, "
    "air, food, cosmic rays, radon, and even our own body.\n\nEstimate is based on "
    "information from the report &lquot;Committee to Assess Health Risks from Exposure to Low "
    "Levels of Ionizing Radiation, National Research Council. Health risks from exposure to "
    "low levels of ionizing radiation: BEIR VII phase 2. Washington, DC: The National "
    "Academies Press; 2006;1-10.&rquot;";
constexpr const char* stressTestText =
    "New England Journal of Medicine article estimates radiation from a nuclear stress test "
    "(MPI) at 15.6 mSv.\n\nEstimate is listed in &lquot;Fazel R, Krumholz HM, Wang Y, et al. "
    "Exposure to Low-Dose Ionizing Radiation from Medical Imaging Procedures. N Engl J Med. "
    "2009;361(9):849-857.&rquot;";
constexpr const char* helpBubbleText = "This consists of radiation from building material, air, "
                                       "food, cosmic rays, radon, and even our own body.";

// What a page's bar stands for.
enum class Subject { Total, Average, Reference, Gradient };

struct Balloon {
    Rect bubble;
    Rect text;
    Point icon;
    Point wedge;
};

struct Page {
    const char* state;
    Subject subject;
    Comparison comparison; // read by the reference pages only
    const char* barPicture;
    const char* caption;
    float captionX;
    Size captionSize;
    const char* text;
    const char* icon;
    Size iconSize;
    Balloon landscape;
    Balloon portrait;
};

constexpr Size standardCaption{113, 38};
constexpr Size largeIcon{124, 124};

constexpr std::array<Page, 7> pages{{
    {"more_my_exposure",
     Subject::Total,
     Comparison::CancerRisk,
     "bar-green-ipad.png",
     "Your Estimated Medical Exposure",
     852,
     standardCaption,
     nullptr,
     nullptr,
     {},
     {{272, 147, 497, 291}, {}, {}, {255, 296}},
     {{111, 167, 471, 291}, {}, {}, {174, 450}}},
    {"more_avg_exposure",
     Subject::Average,
     Comparison::CancerRisk,
     "bar-orange-ipad.png",
     "Average Exposure for your Age Range",
     852,
     standardCaption,
     averageText,
     nullptr,
     {},
     {{254, 78, 528, 332}, {298, 115, 445, 248}, {}, {237, 296}},
     {{124, 95, 458, 363}, {162, 120, 383, 312}, {}, {174, 450}}},
    {"more_cancer_risk",
     Subject::Gradient,
     Comparison::CancerRisk,
     nullptr,
     "Cancer Risk",
     852,
     {113, 18},
     cancerRiskText,
     "icon-large-nuclear.png",
     largeIcon,
     {{259, 64, 524, 377}, {304, 131, 445, 274}, {459, 0}, {242, 296}},
     {{111, 84, 426, 429}, {157, 152, 352, 333}, {262, 27}, {175, 505}}},
    {"more_chernobyl",
     Subject::Reference,
     Comparison::Chernobyl,
     "bar-red-ipad.png",
     "Chernobyl Disaster",
     854,
     {109, 38},
     chernobylText,
     "icon-large-chernobyl.png",
     largeIcon,
     {{254, 77, 533, 379}, {299, 128, 445, 306}, {458, 0}, {237, 298}},
     {{111, 92, 466, 433}, {162, 149, 372, 354}, {267, 28}, {174, 517}}},
    {"more_flights",
     Subject::Reference,
     Comparison::Flights,
     "bar-red-ipad.png",
     "40 Cross-Country flights",
     852,
     standardCaption,
     flightsText,
     "icon-large-plane.png",
     {156, 69},
     {{261, 87, 520, 351}, {306, 149, 445, 252}, {449, 63}, {244, 296}},
     {{132, 123, 426, 387}, {176, 176, 352, 299}, {267, 99}, {195, 502}}},
    {"more_natural_exposure",
     Subject::Reference,
     Comparison::NaturalExposure,
     "bar-red-ipad.png",
     "Annual Natural Exposure",
     852,
     standardCaption,
     naturalExposureText,
     "icon-large-earth.png",
     {100, 100},
     {{254, 80, 533, 374}, {299, 140, 445, 280}, {470, 34}, {237, 296}},
     {{111, 90, 469, 404}, {159, 162, 393, 304}, {295, 47}, {174, 486}}},
    {"more_nuclear_stress_test",
     Subject::Reference,
     Comparison::NuclearStressTest,
     "bar-red-ipad.png",
     "Nuclear Stress Test",
     852,
     {113, 20},
     stressTestText,
     "icon-heart-large.png",
     largeIcon,
     {{276, 132, 472, 251}, {316, 182, 408, 179}, {450, 66}, {259, 296}},
     {{111, 177, 426, 281}, {158, 234, 352, 197}, {262, 107}, {174, 450}}},
}};

// The user's page carries its equivalents in the balloon instead of a text.
struct Placed {
    const char* name;
    Rect landscape;
    Rect portrait;
};

constexpr std::array<Placed, 14> equivalents{{
    {"myExposure", {298, 282, 82, 21}, {131, 301, 83, 21}},
    {"myExposureUnits", {388, 284, 40, 21}, {217, 303, 40, 21}},
    {"myExposureEquals", {434, 268, 36, 42}, {262, 287, 36, 42}},
    {"icon", {480, 206, 60, 60}, {297, 226, 60, 60}},
    {"numberOfMonths", {556, 208, 79, 21}, {373, 228, 79, 21}},
    {"naturalExposureDescription", {556, 222, 142, 50}, {373, 242, 142, 50}},
    {"or", {556, 282, 40, 21}, {373, 304, 40, 21}},
    {"numberOfXrays", {556, 327, 95, 21}, {373, 347, 95, 21}},
    {"xRayDescription", {556, 343, 142, 28}, {373, 363, 142, 28}},
    {"icon2", {480, 319, 60, 60}, {297, 339, 60, 60}},
    {"helpButton", {701, 246, 27, 26}, {516, 266, 27, 26}},
    {"helpBubble", {455, 120, 336, 104}, {271, 137, 336, 104}},
    {"helpBubbleText", {487, 139, 288, 63}, {303, 156, 288, 63}},
    {"helpBubbleWedge", {700, 218, 30, 22}, {514, 235, 30, 22}},
}};

constexpr const char* myPage = "more_my_exposure_";

bool isMyPage(const Page& page) {
    return page.subject == Subject::Total;
}

std::string prefix(const Page& page) {
    return std::string(page.state) + "_";
}

// Every widget of the page, in the order they are built (later ones on top).
std::vector<std::string> widgetNames(const Page& page) {
    const std::string p = prefix(page);
    std::vector<std::string> names{p + "backButton"};
    if (page.barPicture) {
        names.push_back(p + "bar");
        names.push_back(p + "base");
        names.push_back(p + "valueContainer");
        names.push_back(p + "valueLabel");
    } else {
        names.push_back(p + "cancerRiskGradient");
        names.push_back(p + "base");
    }
    names.push_back(p + "baseLabel");
    for (auto& name : chart::axisNames(p))
        names.push_back(std::move(name));
    for (const char* name : {"bubble", "doctor", "balloonWedge"})
        names.push_back(p + name);
    if (page.text) names.push_back(p + "helpText");
    if (page.icon) names.push_back(p + "icon");
    if (isMyPage(page))
        for (const auto& placed : equivalents)
            names.push_back(p + placed.name);
    return names;
}

void addEquivalents(W& w) {
    const std::string p = myPage;
    const auto add = [&](const char* name, const std::shared_ptr<View>& view) {
        w.addWidget(p + name, view);
    };
    const Font number = Font::boldSystemFont(24);
    const Font words = Font::boldSystemFont(17);
    add("myExposure", chart::balloonLabel("", number, TextAlignment::Right, 1));
    add("myExposureUnits", chart::balloonLabel("mSv", words, TextAlignment::Left, 1));
    add("myExposureEquals", chart::balloonLabel("=", Font::systemFont(36), TextAlignment::Left, 1));
    add("icon", makeImage("icon-medium-earth.png"));
    add("numberOfMonths", chart::balloonLabel("", number, TextAlignment::Left, 1));
    add("naturalExposureDescription", chart::balloonLabel("months of natural exposure", words));
    add("or", chart::balloonLabel("or", words, TextAlignment::Left, 1));
    add("numberOfXrays", chart::balloonLabel("", number, TextAlignment::Left, 1));
    add("xRayDescription", chart::balloonLabel("chest x-rays", words));
    add("icon2", makeImage("icon-medium-x-ray.png"));
    auto help = std::make_shared<Button>();
    if (auto image = Image::named("icon-help-ipad.png"))
        help->setBackgroundImage(image->stretchableImage(18, 12));
    help->setAccessibilityLabel("Help");
    w.connect(*help, p + "onShowHelpBubble");
    add("helpButton", help);
    add("helpBubble", makeStretchedImage("balloon-green.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    add("helpBubbleText", chart::balloonLabel(helpBubbleText, Font::boldSystemFont(14)));
    add("helpBubbleWedge", makeImage("balloon-green-point-down.png"));
}

void setup(W& w, const Page& page) {
    const std::string p = prefix(page);
    const auto add = [&](const char* name, const std::shared_ptr<View>& view) {
        w.addWidget(p + name, view);
    };
    const bool mine = isMyPage(page);
    // Only the user's page names its fonts; the others use the label default.
    const Font plain = mine ? Font::systemFont(10) : Font::defaultFont();
    auto back = makeTabletButton("     Back to Comparisons", "button-back.png", 18, 12,
                                 mine ? 12.0f : 11.0f);
    w.connect(*back, p + "onBack");
    add("backButton", back);
    if (page.barPicture) {
        add("bar", chart::bar(page.barPicture));
    } else {
        add("cancerRiskGradient", makeImage("cancer-risk-gradient.png"));
    }
    auto base = makeImage("bottom-of-graph-ipad.png");
    base->setBackgroundColor(Color::clear());
    add("base", base);
    if (page.barPicture) {
        add("valueContainer", makeImage("container-for-values.png"));
        add("valueLabel", chart::label("", mine ? Font::boldSystemFont(24) : plain, chart::textBlue,
                                       TextAlignment::Center));
    }
    add("baseLabel", chart::label(page.caption, Font::boldSystemFont(12), chart::textBlue,
                                  TextAlignment::Center, 2));
    chart::addAxis(w, p, plain);
    add("bubble", makeStretchedImage("balloon-blue.png", {0.4f, 0.4f, 0.1f, 0.1f}));
    add("doctor", chart::centredImage("doctor-female.png"));
    add("balloonWedge", makeImage("balloon-blue-point-left.png"));
    if (page.text) add("helpText", chart::balloonLabel(page.text, Font::defaultFont()));
    if (page.icon) add("icon", makeImage(page.icon));
    if (mine) addEquivalents(w);
}

// The portrait chart is the landscape one moved left and down.
constexpr float portraitShiftX = -256;
constexpr float portraitShiftY = 275;

void layOut(W& w, const Page& page, bool portrait) {
    const std::string p = prefix(page);
    const float dx = portrait ? portraitShiftX : 0;
    const float dy = portrait ? portraitShiftY : 0;
    w.setFrame(p + "backButton", {11, 32, 149, 31});
    w.setFrame(p + "bar", {862 + dx, 490 + dy, 92, 128});
    w.setFrame(p + "base", {837 + dx, 609 + dy, 142, 160});
    w.setFrame(p + "valueContainer", {875 + dx, 461 + dy, 66, 29});
    w.setFrame(p + "valueLabel", {887 + dx, 465 + dy, 42, 21});
    w.setFrame(p + "baseLabel",
               {page.captionX + dx, 630 + dy, page.captionSize.width, page.captionSize.height});
    chart::layOutAxis(w, p, 1014 + dx, 609 + dy, 987 + dx);
    if (auto gradient = w.widget<ImageView>(p + "cancerRiskGradient")) {
        gradient->setImage(
            Image::named(portrait ? "cancer-risk-gradient2.png" : "cancer-risk-gradient.png"));
        gradient->setFrame(portrait ? Rect{560, 7, 190, 878} : Rect{813, 0, 190, 601});
    }
    chart::layOutDoctor(w, p + "doctor", {-54, portrait ? 357.0f : 157.0f, 424, 634});

    const Balloon& balloon = portrait ? page.portrait : page.landscape;
    w.setFrame(p + "bubble", balloon.bubble);
    w.setFrame(p + "helpText", balloon.text);
    w.setFrame(p + "icon",
               {balloon.icon.x, balloon.icon.y, page.iconSize.width, page.iconSize.height});
    // The balloon points left at the doctor beside it, or down at the doctor below it.
    if (auto wedge = w.widget<ImageView>(p + "balloonWedge")) {
        wedge->setImage(
            Image::named(portrait ? "balloon-blue-point-down.png" : "balloon-blue-point-left.png"));
        wedge->setFrame(portrait ? Rect{balloon.wedge.x, balloon.wedge.y, 31, 24}
                                 : Rect{balloon.wedge.x, balloon.wedge.y, 25, 33});
    }
    if (isMyPage(page))
        for (const auto& placed : equivalents)
            w.setFrame(p + placed.name, portrait ? placed.portrait : placed.landscape);
    w.call(p + "populate");
}

void setText(W& w, const std::string& name, const std::string& text) {
    if (auto label = w.widget<Label>(name)) label->setText(text);
}

void scaleBars(W& w, const Page& page) {
    const std::string p = prefix(page);
    const auto& data = UserData::instance();
    float value = 0;
    float scale = 0;
    std::string valueText;
    switch (page.subject) {
    case Subject::Total:
        value = data.total();
        scale = chart::chooseScale(w, value);
        break;
    case Subject::Average:
        value = data.averageExposureForAge();
        scale = chart::chooseScale(w, value);
        valueText = ChartText::shortText(value);
        break;
    case Subject::Reference: {
        const auto& reference = ComparisonReferences::reference(page.comparison);
        value = reference.milliseverts.value_or(0);
        scale = reference.pageScale;
        w.setScale(scale);
        valueText = reference.valueText;
        break;
    }
    case Subject::Gradient:
        return;
    }
    chart::writeTicks(w, p, scale);
    const bool mine = isMyPage(page);
    if (mine) {
        const std::string total = ChartText::twoDecimalText(value);
        setText(w, p + "valueLabel", total);
        setText(w, p + "myExposure", total);
    }

    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(1.0);
    chart::raiseBar(w, p + "bar", p + "valueLabel", p + "valueContainer", value,
                    chart::pointsPerMsv(w, p, scale));
    if (!mine) setText(w, p + "valueLabel", valueText);
    loop.commitAnimations();

    if (mine) {
        setText(w, p + "numberOfMonths",
                ChartText::shortText(ChartText::monthsOfNaturalExposure(value)));
        setText(w, p + "numberOfXrays", ChartText::shortText(ChartText::chestXrays(value)));
    }
}

void populate(W& w, const Page& page) {
    chart::dressDoctor(w, prefix(page) + "doctor");
    scaleBars(w, page);
}

void transitionIn(W& w, const Page& page, const std::vector<std::string>& names) {
    chart::setAlpha(w, names, 1);
    // The help balloon waits for its button.
    if (isMyPage(page))
        chart::setAlpha(w,
                        {std::string(myPage) + "helpBubble", std::string(myPage) + "helpBubbleText",
                         std::string(myPage) + "helpBubbleWedge"},
                        0);
}

void onShowHelpBubble(W& w, const std::any&) {
    const std::string p = myPage;
    auto bubble = w.widget(p + "helpBubble");
    if (!bubble) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    chart::setAlpha(w, {p + "helpBubble", p + "helpBubbleText", p + "helpBubbleWedge"},
                    bubble->alpha() != 0 ? 0.0f : 1.0f);
    loop.commitAnimations();
}

std::vector<std::pair<std::string, W::Phase>> phases() {
    std::vector<std::pair<std::string, W::Phase>> all;
    for (const Page& page : pages) {
        const std::string p = prefix(page);
        const auto names = widgetNames(page);
        const auto add = [&](const char* phase, W::Phase run) {
            all.emplace_back(p + phase, std::move(run));
        };
        add("setup", [&page](W& w, const std::any&) { setup(w, page); });
        add("landscape", [&page](W& w, const std::any&) { layOut(w, page, false); });
        add("portrait", [&page](W& w, const std::any&) { layOut(w, page, true); });
        add("populate", [&page](W& w, const std::any&) { populate(w, page); });
        if (page.subject != Subject::Gradient)
            add("scaleBars", [&page](W& w, const std::any&) { scaleBars(w, page); });
        add("transitionIn",
            [&page, names](W& w, const std::any&) { transitionIn(w, page, names); });
        add("transitionOut", [names](W& w, const std::any&) { chart::setAlpha(w, names, 0); });
        add("validate", [](W&, const std::any&) {});
        add("release", [names](W& w, const std::any&) { chart::release(w, names); });
        add("onBack", [](W& w, const std::any&) { w.directMove("step4"); });
    }
    all.emplace_back(std::string(myPage) + "onShowHelpBubble", onShowHelpBubble);
    return all;
}

const W::StateGroup detailPages{phases()};

} // namespace
} // namespace mevara
