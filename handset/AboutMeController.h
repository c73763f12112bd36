#pragma once

#include "handset/HelpHandler.h"
#include "handset/Picker.h"

#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;

// The handset form for gender and age range. The labels hold the working values; the
// store changes only on Save.
class AboutMeController : public HelpHandler, public PickerDelegate {
public:
    static const char* const genderPrompt;
    static const char* const agePrompt;

    AboutMeController();
    std::string className() const override { return "AboutMeController"; }

    void viewDidLoad() override;

    bool isInitialSetup() const { return isInitialSetup_; }
    void setIsInitialSetup(bool initial) { isInitialSetup_ = initial; }

    void chooseGender();
    void chooseAge();
    void onSave();
    void showTestFormController();
    void pickerPickedValue(Picker& picker, const std::string& value) override;

    const std::shared_ptr<Label>& gender() const { return gender_; }
    const std::shared_ptr<Label>& age() const { return age_; }
    const std::shared_ptr<Button>& saveButton() const { return saveButton_; }

protected:
    void bind(Bindings& bindings) override;
    std::optional<HelpBubble> helpBubble() const override;

private:
    void openPicker(const char* prompt, std::vector<std::string> choices,
                    const std::string& checked);
    void alert(const char* message);

    std::shared_ptr<ImageView> tableBackground_;
    std::shared_ptr<Label> gender_;
    std::shared_ptr<Label> age_;
    std::shared_ptr<Button> saveButton_;
    bool isInitialSetup_ = false;
};

} // namespace mevara
