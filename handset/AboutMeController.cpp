#include "handset/AboutMeController.h"

#include "handset/MevaraViewController.h"
#include "handset/TestFormController.h"
#include "model/UserData.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara {

const char* const AboutMeController::genderPrompt = "Your Gender";
const char* const AboutMeController::agePrompt = "Your Age";

AboutMeController::AboutMeController() : HelpHandler("AboutMeController") {}

void AboutMeController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("tableBackground", tableBackground_);
    b.outlet("gender", gender_);
    b.outlet("age", age_);
    b.outlet("saveButton", saveButton_);
    b.action("chooseGender", [this] { chooseGender(); });
    b.action("chooseAge", [this] { chooseAge(); });
    b.action("onSave", [this] { onSave(); });
    b.action("showTestFormController", [this] { showTestFormController(); });
}

void AboutMeController::viewDidLoad() {
    if (tableBackground_) {
        auto box = Image::named("form-box.png");
        tableBackground_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
    if (saveButton_) {
        auto blue = Image::named("button-blue.png");
        saveButton_->setBackgroundImage(blue ? blue->stretchableImage(12, 12) : nullptr);
    }
    const auto& data = UserData::instance();
    if (gender_) gender_->setText(data.gender());
    if (age_) age_->setText(data.age());
}

std::optional<HelpBubble> AboutMeController::helpBubble() const {
    return HelpBubble{.bubbleFrame = {20, 131, 225, 151},
                      .message = "Your Gender and Age are needed so that you can see how your "
                                 "results compare to others like you."};
}

void AboutMeController::openPicker(const char* prompt, std::vector<std::string> choices,
                                   const std::string& checked) {
    auto self = std::dynamic_pointer_cast<PickerDelegate>(shared_from_this());
    auto picker = Picker::pickerWithPrompt(prompt, std::move(choices), checked, self);
    if (auto root = MevaraViewController::root()) {
        root->openScreen(picker);
    }
}

void AboutMeController::chooseGender() {
    openPicker(genderPrompt, {UserData::genders.begin(), UserData::genders.end()},
               UserData::instance().gender());
}

void AboutMeController::chooseAge() {
    openPicker(agePrompt, {UserData::ageRanges.begin(), UserData::ageRanges.end()},
               UserData::instance().age());
}

void AboutMeController::pickerPickedValue(Picker& picker, const std::string& value) {
    if (picker.prompt() == genderPrompt) {
        if (gender_) gender_->setText(value);
    } else if (age_) {
        age_->setText(value);
    }
    if (auto root = MevaraViewController::root()) {
        root->returnToScreen(shared_from_this());
    }
}

void AboutMeController::alert(const char* message) {
    std::make_shared<AlertView>("Mevara", message, std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
}

void AboutMeController::onSave() {
    const std::string gender = gender_ ? gender_->text() : "";
    const std::string age = age_ ? age_->text() : "";
    if (gender.empty()) {
        alert("Please select your gender.");
        return;
    }
    if (age.empty()) {
        alert("Please select your age range.");
        return;
    }
    auto& data = UserData::instance();
    data.setGender(gender);
    data.setAge(age);
    if (isInitialSetup_) {
        showTestFormController();
        return;
    }
    if (auto root = MevaraViewController::root()) root->returnToTestList(false);
}

void AboutMeController::showTestFormController() {
    if (auto root = MevaraViewController::root()) {
        root->openScreen(std::make_shared<TestFormController>());
    }
}

} // namespace mevara
