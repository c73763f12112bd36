#pragma once

#include "comparisons/Comparison.h"
#include "handset/HelpHandler.h"

#include <array>
#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;
class View;

// The phone's chart: the user's total beside the average for the age range and beside
// one reference picked with four icons, or beside the cancer-risk statement while no
// icon is picked. The reference's value lives in its value label, so a reference that
// was picked and put away still widens the axis.
class ExposureComparisonController : public HelpHandler {
public:
    static constexpr float initialScale = 50;
    static constexpr double barAnimationDuration = 1.0;
    // Room between the end of the caption's text and its arrow.
    static constexpr float captionArrowGap = 5;
    static const char* const selectedPicture;

    ExposureComparisonController();
    std::string className() const override { return "ExposureComparisonController"; }

    void viewDidLoad() override;

    void onAirplaneButton();
    void onEarthButton();
    void onNuclearButton();
    void onChernobylButton();
    void onCancerRisk();
    void scaleBars();

    void showAverage();
    void showIcon();
    void onMore();
    // Shows `message` in a bubble at `rect`, with or without the More button; hides the
    // help instead when it is showing.
    void showHelpWithMessage(const std::string& message, const Rect& rect, bool moreButton);

    float scale() const { return scale_; }
    const std::string& moreTitle() const { return moreTitle_; }
    const std::string& moreFile() const { return moreFile_; }
    // The reference whose icon is picked; none while the cancer-risk panel shows.
    std::optional<Comparison> selectedComparison() const;

    const std::shared_ptr<ImageView>& myMedicalExposureBar() const { return myBar_; }
    const std::shared_ptr<ImageView>& myMedicalExposureShadow() const { return myShadow_; }
    const std::shared_ptr<Label>& myMedicalExposureLabel() const { return myLabel_; }
    const std::shared_ptr<ImageView>& averageMedicalExposureBar() const { return averageBar_; }
    const std::shared_ptr<ImageView>& averageMedicalExposureShadow() const {
        return averageShadow_;
    }
    const std::shared_ptr<Label>& averageMedicalExposureLabel() const { return averageLabel_; }
    const std::shared_ptr<ImageView>& comparisonExposureBar() const { return comparisonBar_; }
    const std::shared_ptr<ImageView>& comparisonExposureShadow() const { return comparisonShadow_; }
    const std::shared_ptr<Label>& comparisonExposureLabel() const { return comparisonLabel_; }
    const std::shared_ptr<Label>& comparisonCaption() const { return comparisonCaption_; }
    const std::shared_ptr<ImageView>& comparisonCaptionArrow() const { return captionArrow_; }
    const std::shared_ptr<View>& comparisonContainer() const { return comparisonContainer_; }
    const std::shared_ptr<View>& cancerRiskContainer() const { return cancerRiskContainer_; }
    const std::shared_ptr<Button>& airplaneButton() const { return airplaneButton_; }
    const std::shared_ptr<Button>& earthButton() const { return earthButton_; }
    const std::shared_ptr<Button>& nuclearButton() const { return nuclearButton_; }
    const std::shared_ptr<Button>& chernobylButton() const { return chernobylButton_; }
    // tick(1) is the zero mark, tick(2) to tick(6) the five values.
    const std::shared_ptr<Label>& tick(int number) const { return ticks_.at(number - 1); }

protected:
    void bind(Bindings& bindings) override;
    std::optional<HelpBubble> helpBubble() const override;

private:
    void pickReference(Comparison comparison);
    std::shared_ptr<Button> buttonFor(Comparison comparison) const;
    static bool isSelected(const Button& button);
    void showContainers(bool reference);
    void showReferenceHelp(const std::string& title, const std::string& file,
                           const std::string& message, const Rect& rect);

    float scale_ = initialScale;
    std::string moreTitle_;
    std::string moreFile_;

    std::shared_ptr<ImageView> myBar_, myShadow_;
    std::shared_ptr<Label> myLabel_;
    std::shared_ptr<ImageView> averageBar_, averageShadow_;
    std::shared_ptr<Label> averageLabel_;
    std::shared_ptr<ImageView> comparisonBar_, comparisonShadow_;
    std::shared_ptr<Label> comparisonLabel_;
    std::shared_ptr<Label> comparisonCaption_;
    std::shared_ptr<ImageView> captionArrow_;
    std::shared_ptr<View> comparisonContainer_, cancerRiskContainer_;
    std::shared_ptr<Button> airplaneButton_, earthButton_, nuclearButton_, chernobylButton_;
    std::array<std::shared_ptr<Label>, 6> ticks_;
};

} // namespace mevara
