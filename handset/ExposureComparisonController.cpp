#include "handset/ExposureComparisonController.h"

#include "comparisons/BarGeometry.h"
#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "handset/MevaraViewController.h"
#include "handset/MoreContentController.h"
#include "handset/TestRow.h"
#include "model/UserData.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"

#include <algorithm>

namespace mevara {
namespace {

// What each icon stands for on this screen, in the order the information control asks.
struct ReferenceScreen {
    Comparison comparison;
    const char* caption;
    const char* moreTitle;
    const char* moreFile;
    Rect bubble;
    const char* message;
};

const std::array<ReferenceScreen, 4> references{{
    {Comparison::Flights,
     "40 Cross Country Flights",
     "More About Air Travel",
     "MoreAirTravel.html",
     {10, 59, 235, 274},
     "A National Research Council Report estimates that 1,000 miles of air flight equates "
     "to .01mSv. Calculation is based on 40 flights at 2,500 miles/flight = 100,000 miles "
     "which equates to 1mSv"},
    {Comparison::NaturalExposure,
     "Annual Natural Exposure",
     "More About Natural Exposure",
     "MoreNaturalExposure.html",
     {10, 59, 235, 284},
     "A National Research Council Report estimates that Americans are exposed yearly to 3 "
     "mSv of natural background radiation.  This consists of radiation from\nbuilding "
     "material, air, food, cosmic rays,\nradon, and even our\nown body."},
    {Comparison::NuclearStressTest,
     "Nuclear Stress Test",
     "More About Nuclear Stress Tests",
     "MoreNuclearStress.html",
     {20, 108, 205, 197},
     "New England Journal of Medicine article estimates radiation from a nuclear stress test "
     "(MPI) at 15.6 mSv."},
    {Comparison::Chernobyl,
     "Chernobyl Exposure",
     "More About Chernobyl",
     "MoreChernobyl.html",
     {10, 59, 235, 309},
     "In 1986, a Ukraine nuclear power plant, Chernobyl, exploded and released high levels of "
     "radiation causing the death of 28 people from acute radiation exposure.  The recorded "
     "dose received by workers during the disaster and initial response was estimated at 200 "
     "mSv. "},
}};

const ReferenceScreen& screenFor(Comparison comparison) {
    return *std::find_if(references.begin(), references.end(),
                         [&](const ReferenceScreen& r) { return r.comparison == comparison; });
}

const char* const helpMessage = "Tests with radiation\n(CT, PET, X-Ray) are\noften valuable and\n"
                                "life-saving tools used\nin your medical care.\nTalk with your "
                                "doctor\nif you're concerned\nwith your results.";
const Rect helpRect{20, 84, 225, 227};

const char* const averageMessage =
    "National Research Council report estimates that Americans receive an average of 0.5 mSv "
    "of exposure/year from medical imaging.  Displayed results are based on the average "
    "exposure within the age range selected.";
const Rect averageRect{10, 59, 235, 274};

const char* const cancerRiskMessage =
    "National Research Council report estimates that exposure to 10 mSv from medical imaging "
    "results in a 1 in 1000 chance of developing cancer from radiation received during the "
    "medical test over the course of a person's lifetime.";
const Rect cancerRiskRect{10, 59, 235, 284};

} // namespace

const char* const ExposureComparisonController::selectedPicture = "selected-icon.png";

ExposureComparisonController::ExposureComparisonController()
    : HelpHandler("ExposureComparisonController") {}

void ExposureComparisonController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("myMedicalExposureBar", myBar_);
    b.outlet("myMedicalExposureShadow", myShadow_);
    b.outlet("myMedicalExposureLabel", myLabel_);
    b.outlet("averageMedicalExposureBar", averageBar_);
    b.outlet("averageMedicalExposureShadow", averageShadow_);
    b.outlet("averageMedicalExposureLabel", averageLabel_);
    b.outlet("comparisonExposureBar", comparisonBar_);
    b.outlet("comparisonExposureShadow", comparisonShadow_);
    b.outlet("comparisonExposureLabel", comparisonLabel_);
    b.outlet("comparisonCaption", comparisonCaption_);
    b.outlet("comparisonCaptionArrow", captionArrow_);
    b.outlet("comparisonContainer", comparisonContainer_);
    b.outlet("cancerRiskContainer", cancerRiskContainer_);
    b.outlet("airplaneButton", airplaneButton_);
    b.outlet("earthButton", earthButton_);
    b.outlet("nuclearButton", nuclearButton_);
    b.outlet("chernobylButton", chernobylButton_);
    for (std::size_t i = 0; i < ticks_.size(); ++i)
        b.outlet("tick" + std::to_string(i + 1), ticks_[i]);
    b.action("onAirplaneButton", [this] { onAirplaneButton(); });
    b.action("onEarthButton", [this] { onEarthButton(); });
    b.action("onNuclearButton", [this] { onNuclearButton(); });
    b.action("onChernobylButton", [this] { onChernobylButton(); });
    b.action("onCancerRisk", [this] { onCancerRisk(); });
    b.action("scaleBars", [this] { scaleBars(); });
    b.action("showAverage", [this] { showAverage(); });
    b.action("showIcon", [this] { showIcon(); });
    b.action("onMore", [this] { onMore(); });
}

void ExposureComparisonController::viewDidLoad() {
    scale_ = initialScale;
    onCancerRisk();
}

// References

std::shared_ptr<Button> ExposureComparisonController::buttonFor(Comparison comparison) const {
    switch (comparison) {
    case Comparison::Flights:
        return airplaneButton_;
    case Comparison::NaturalExposure:
        return earthButton_;
    case Comparison::NuclearStressTest:
        return nuclearButton_;
    case Comparison::Chernobyl:
        return chernobylButton_;
    case Comparison::CancerRisk:
        break;
    }
    return nullptr;
}

bool ExposureComparisonController::isSelected(const Button& button) {
    auto picture = button.backgroundImageForState(ControlState::Normal);
    return picture && picture->name() == selectedPicture;
}

std::optional<Comparison> ExposureComparisonController::selectedComparison() const {
    for (const auto& reference : references) {
        auto button = buttonFor(reference.comparison);
        if (button && isSelected(*button)) return reference.comparison;
    }
    return std::nullopt;
}

void ExposureComparisonController::onAirplaneButton() {
    pickReference(Comparison::Flights);
}

void ExposureComparisonController::onEarthButton() {
    pickReference(Comparison::NaturalExposure);
}

void ExposureComparisonController::onNuclearButton() {
    pickReference(Comparison::NuclearStressTest);
}

void ExposureComparisonController::onChernobylButton() {
    pickReference(Comparison::Chernobyl);
}

void ExposureComparisonController::pickReference(Comparison comparison) {
    const auto& screen = screenFor(comparison);
    if (comparisonCaption_) {
        comparisonCaption_->setText(screen.caption);
        if (captionArrow_) {
            // The arrow follows the caption's text, whatever its length in this font.
            const float textWidth =
                comparisonCaption_->sizeOfText(screen.caption, {9999, 9999}).width;
            Rect arrow = captionArrow_->frame();
            arrow.x = comparisonCaption_->frame().x + textWidth + captionArrowGap;
            captionArrow_->setFrame(arrow);
        }
    }
    if (comparisonLabel_)
        showDose(*comparisonLabel_,
                 std::string(ComparisonReferences::reference(comparison).valueText));

    auto button = buttonFor(comparison);
    if (button && isSelected(*button)) {
        onCancerRisk();
        return;
    }
    auto picture = Image::named(selectedPicture);
    for (const auto& reference : references)
        if (auto other = buttonFor(reference.comparison))
            other->setBackgroundImage(other == button ? picture : nullptr);
    scaleBars();
    showContainers(true);
}

void ExposureComparisonController::onCancerRisk() {
    for (const auto& reference : references)
        if (auto button = buttonFor(reference.comparison)) button->setBackgroundImage(nullptr);
    showContainers(false);
    scaleBars();
}

void ExposureComparisonController::showContainers(bool reference) {
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    if (cancerRiskContainer_) cancerRiskContainer_->setAlpha(reference ? 0 : 1);
    if (comparisonContainer_) comparisonContainer_->setAlpha(reference ? 1 : 0);
    loop.commitAnimations();
}

// Chart

void ExposureComparisonController::scaleBars() {
    const auto& data = UserData::instance();
    const float total = data.total();
    const float average = data.averageExposureForAge();
    // A reference put away for the cancer-risk panel keeps its value here.
    const float comparison =
        comparisonLabel_ ? ChartText::valueOfText(comparisonLabel_->text()) : 0.0f;
    scale_ = BarScale::scaleFor(std::max({total, average, comparison}), scale_);

    const auto values = BarScale::tickValues(scale_);
    for (std::size_t i = 0; i < values.size(); ++i)
        if (const auto& tick = ticks_[i + 1]) tick->setText(ChartText::shortText(values[i]));

    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(barAnimationDuration);
    const auto grow = [this](const std::shared_ptr<ImageView>& bar,
                             const std::shared_ptr<ImageView>& shadow, float value) {
        if (!bar) return;
        bar->setFrame(HandsetBars::barFrame(bar->frame(), value, scale_));
        if (shadow) shadow->setFrame(HandsetBars::shadowFrame(bar->frame()));
    };
    grow(myBar_, myShadow_, total);
    grow(averageBar_, averageShadow_, average);
    grow(comparisonBar_, comparisonShadow_, comparison);
    if (myLabel_) showDose(*myLabel_, ChartText::twoDecimalText(total));
    if (averageLabel_) showDose(*averageLabel_, ChartText::shortText(average));
    loop.commitAnimations();
}

// Help

namespace {

HelpBubble bubbleWith(const std::string& message, const Rect& rect, bool moreButton,
                      float moreButtonWidth) {
    HelpBubble bubble{.bubbleFrame = rect, .message = message, .showsMoreButton = moreButton};
    const float w = rect.width;
    const float h = rect.height;
    // With the button the text moves up to leave it the foot of the bubble.
    bubble.textFrame = Rect{25, moreButton ? 12.0f : 25.0f, w - 75, h - 49};
    if (moreButton) bubble.moreButtonFrame = Rect{25, h - 44, moreButtonWidth, 20};
    return bubble;
}

} // namespace

std::optional<HelpBubble> ExposureComparisonController::helpBubble() const {
    return bubbleWith(helpMessage, helpRect, false, 0);
}

void ExposureComparisonController::showHelpWithMessage(const std::string& message, const Rect& rect,
                                                       bool moreButton) {
    const float width = this->moreButton() ? this->moreButton()->frame().width : 0;
    showBubble(bubbleWith(message, rect, moreButton, width));
}

void ExposureComparisonController::showReferenceHelp(const std::string& title,
                                                     const std::string& file,
                                                     const std::string& message, const Rect& rect) {
    moreTitle_ = title;
    moreFile_ = file;
    showHelpWithMessage(message, rect, true);
}

void ExposureComparisonController::showAverage() {
    showReferenceHelp("More About Average Exposure", "MoreAverage.html", averageMessage,
                      averageRect);
}

void ExposureComparisonController::showIcon() {
    if (auto selected = selectedComparison()) {
        const auto& screen = screenFor(*selected);
        showReferenceHelp(screen.moreTitle, screen.moreFile, screen.message, screen.bubble);
        return;
    }
    showReferenceHelp("More About Cancer Risks", "MoreCancerRisk.html", cancerRiskMessage,
                      cancerRiskRect);
}

void ExposureComparisonController::onMore() {
    auto page = std::make_shared<MoreContentController>();
    page->setPageTitle(moreTitle_);
    page->setFile(moreFile_);
    if (auto root = MevaraViewController::root()) root->openScreen(page);
}

} // namespace mevara
