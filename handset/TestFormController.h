#pragma once

#include "handset/CalendarPickerController.h"
#include "handset/HelpHandler.h"
#include "handset/Picker.h"
#include "platform/Date.h"

#include <memory>
#include <optional>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;
class Test;

// The form that adds a test to the user's list or edits one. It works on a copy, so the
// stored record changes only on Save and Back discards the edits.
class TestFormController : public HelpHandler,
                           public PickerDelegate,
                           public CalendarPickerDelegate {
public:
    static const char* const testTypePrompt;
    static const char* const bodyPartPrompt;
    static const char* const numberPrompt;

    TestFormController();
    std::string className() const override { return "TestFormController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    const std::shared_ptr<Test>& test() const { return test_; }
    void setTest(std::shared_ptr<Test> test);
    const std::shared_ptr<Test>& editingTest() const { return editingTest_; }
    void setEditingTest(std::shared_ptr<Test> test);
    const std::optional<Date>& testDate() const { return testDate_; }

    void chooseTest();
    void chooseBodyPart();
    void chooseNumberOfTests();
    void chooseDate();
    void onSave();
    void onDelete();
    void onBackButton();

    void pickerPickedValue(Picker& picker, const std::string& value) override;
    void calendarPickerPickedDate(CalendarPickerController& picker,
                                  std::optional<Date> date) override;

    const std::shared_ptr<Label>& testType() const { return testType_; }
    const std::shared_ptr<Label>& bodyPart() const { return bodyPart_; }
    const std::shared_ptr<Label>& numberOfTests() const { return numberOfTests_; }
    const std::shared_ptr<Label>& testDateLabel() const { return testDateLabel_; }
    const std::shared_ptr<Button>& saveButton() const { return saveButton_; }
    const std::shared_ptr<Button>& deleteButton() const { return deleteButton_; }

protected:
    void bind(Bindings& bindings) override;
    std::optional<HelpBubble> helpBubble() const override;

private:
    // The labels and the chosen date follow the working copy.
    void showWorkingTest();
    void openPicker(const char* prompt, std::vector<std::string> choices,
                    const std::string& checked);
    void alert(const char* message);
    void returnToList();
    static std::string labelText(const std::shared_ptr<Label>& label);

    std::shared_ptr<Test> test_;
    std::shared_ptr<Test> editingTest_;
    std::optional<Date> testDate_;
    std::shared_ptr<Label> testType_, bodyPart_, numberOfTests_, testDateLabel_;
    std::shared_ptr<Button> saveButton_, deleteButton_;
    std::shared_ptr<ImageView> tableBackground_;
};

} // namespace mevara
