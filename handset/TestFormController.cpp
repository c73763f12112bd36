#include "handset/TestFormController.h"

#include "handset/MevaraViewController.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/Clock.h"
#include "platform/LocaleFormat.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

#include <algorithm>

namespace mevara {
namespace {

std::shared_ptr<Test> blankTest() {
    return Test::testWithLocation(std::string(), std::string(), 0, 0, std::nullopt);
}

void setText(const std::shared_ptr<Label>& label, std::string text) {
    if (label) label->setText(std::move(text));
}

std::string countText(std::int64_t count) {
    return count > 0 ? std::to_string(count) : std::string();
}

} // namespace

const char* const TestFormController::testTypePrompt = "Test Type";
const char* const TestFormController::bodyPartPrompt = "Test Location";
const char* const TestFormController::numberPrompt = "Number of Tests";

TestFormController::TestFormController() : HelpHandler("TestFormController") {}

void TestFormController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("testType", testType_);
    b.outlet("bodyPart", bodyPart_);
    b.outlet("numberOfTests", numberOfTests_);
    b.outlet("testDateLabel", testDateLabel_);
    b.outlet("saveButton", saveButton_);
    b.outlet("deleteButton", deleteButton_);
    b.outlet("tableBackground", tableBackground_);
    b.action("chooseTest", [this] { chooseTest(); });
    b.action("chooseBodyPart", [this] { chooseBodyPart(); });
    b.action("chooseNumberOfTests", [this] { chooseNumberOfTests(); });
    b.action("chooseDate", [this] { chooseDate(); });
    b.action("onSave", [this] { onSave(); });
    b.action("onDelete", [this] { onDelete(); });
    b.action("onBackButton", [this] { onBackButton(); });
}

void TestFormController::viewDidLoad() {
    if (tableBackground_) {
        auto box = Image::named("form-box.png");
        tableBackground_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
    if (!test_) test_ = blankTest();
    showWorkingTest();
    if (saveButton_) {
        auto blue = Image::named("button-blue.png");
        saveButton_->setBackgroundImage(blue ? blue->stretchableImage(20, 20) : nullptr);
    }
    if (deleteButton_) {
        auto red = Image::named("button-red.png");
        deleteButton_->setBackgroundImage(red ? red->stretchableImage(12, 12) : nullptr);
        deleteButton_->setHidden(editingTest_ == nullptr);
    }
}

bool TestFormController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return orientation == 1;
}

void TestFormController::setTest(std::shared_ptr<Test> test) {
    test_ = std::move(test);
    showWorkingTest();
}

void TestFormController::setEditingTest(std::shared_ptr<Test> test) {
    editingTest_ = std::move(test);
    if (!test_) test_ = blankTest();
    if (editingTest_) {
        test_->setTestName(editingTest_->testName());
        test_->setLocation(editingTest_->location());
        test_->setNumberOfTests(editingTest_->numberOfTests());
        test_->setDate(editingTest_->date());
    }
    showWorkingTest();
    if (deleteButton_) deleteButton_->setHidden(editingTest_ == nullptr);
}

void TestFormController::showWorkingTest() {
    if (!test_) return;
    setText(testType_, test_->testName().value_or(""));
    setText(bodyPart_, test_->location().value_or(""));
    setText(numberOfTests_, countText(test_->numberOfTests()));
    testDate_ = test_->date();
    setText(testDateLabel_, testDate_ ? LocaleFormat::mediumDateText(*testDate_) : "");
}

std::optional<HelpBubble> TestFormController::helpBubble() const {
    return HelpBubble{.bubbleFrame = {20, 24, 225, 322},
                      .message = "This Mevara is used to\ndetermine radiation\nexposure for "
                                 "imaging\nprocedures,\ncommonly referred to\nas medical "
                                 "imaging/\nradiology.\n\nNote: this calculator\nexcludes "
                                 "radiation to\ntreat cancer, typically\nreferred to "
                                 "as\nradiation oncology."};
}

std::string TestFormController::labelText(const std::shared_ptr<Label>& label) {
    return label ? label->text() : std::string();
}

// Choices

void TestFormController::openPicker(const char* prompt, std::vector<std::string> choices,
                                    const std::string& checked) {
    auto self = std::dynamic_pointer_cast<PickerDelegate>(shared_from_this());
    auto picker = Picker::pickerWithPrompt(prompt, std::move(choices), checked, self);
    if (auto root = MevaraViewController::root()) root->openScreen(picker);
}

void TestFormController::chooseTest() {
    openPicker(testTypePrompt, TestData::testNamesForLocation(labelText(bodyPart_)),
               labelText(testType_));
}

void TestFormController::chooseBodyPart() {
    openPicker(bodyPartPrompt, TestData::bodyPartsForTest(labelText(testType_)),
               labelText(bodyPart_));
}

void TestFormController::chooseNumberOfTests() {
    std::vector<std::string> counts;
    for (int n = 1; n <= 99; ++n)
        counts.push_back(std::to_string(n));
    openPicker(numberPrompt, std::move(counts), labelText(numberOfTests_));
}

void TestFormController::pickerPickedValue(Picker& picker, const std::string& value) {
    if (!test_) test_ = blankTest();
    if (picker.prompt() == testTypePrompt) {
        setText(testType_, value);
        test_->setTestName(value);
    } else if (picker.prompt() == bodyPartPrompt) {
        setText(bodyPart_, value);
        test_->setLocation(value);
    } else {
        setText(numberOfTests_, value);
        test_->setNumberOfTests(std::atoll(value.c_str()));
    }
    if (auto root = MevaraViewController::root()) root->returnToScreen(shared_from_this());
}

void TestFormController::chooseDate() {
    if (!test_) test_ = blankTest();
    auto calendar = std::make_shared<CalendarPickerController>();
    calendar->setDelegate(std::dynamic_pointer_cast<CalendarPickerDelegate>(shared_from_this()));
    const std::optional<Date> date = test_->date();
    const Date now = Clock::now();
    auto giveDate = [&] {
        if (date)
            calendar->setSelectedDate(date);
        else
            calendar->setDisplayedDate(now);
    };
    giveDate();
    if (auto root = MevaraViewController::root()) root->openScreen(calendar);
    // Again now that its view exists, as its controls only follow dates set after loading.
    giveDate();
    calendar->populate();
}

void TestFormController::calendarPickerPickedDate(CalendarPickerController& /*picker*/,
                                                  std::optional<Date> date) {
    if (!test_) test_ = blankTest();
    testDate_ = date;
    test_->setDate(date);
    setText(testDateLabel_, date ? LocaleFormat::mediumDateText(*date) : "");
    if (auto root = MevaraViewController::root()) root->returnToScreen(shared_from_this());
}

// Save, delete, back

void TestFormController::alert(const char* message) {
    std::make_shared<AlertView>("Mevara", message, std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
}

void TestFormController::onSave() {
    if (!test_) test_ = blankTest();
    if (test_->testName().value_or("").empty()) {
        alert("Please select a test type.  All fields marked with an asterisk are required.");
        return;
    }
    if (test_->location().value_or("").empty()) {
        alert("Please select a body part.  All fields marked with an asterisk are required.");
        return;
    }
    if (test_->numberOfTests() <= 0) {
        alert("Please select the number of tests performed.  All fields marked with an "
              "asterisk are required.");
        return;
    }
    test_->setMilliseverts(Test::millisevertsForTest(*test_));
    test_->setDate(testDate_);
    if (editingTest_) {
        editingTest_->setTestName(test_->testName());
        editingTest_->setLocation(test_->location());
        editingTest_->setNumberOfTests(test_->numberOfTests());
        editingTest_->setMilliseverts(test_->milliseverts());
        editingTest_->setDate(test_->date());
    } else {
        UserData::instance().tests().push_back(test_);
    }
    returnToList();
}

void TestFormController::onDelete() {
    auto& tests = UserData::instance().tests();
    auto it = std::find(tests.begin(), tests.end(), editingTest_);
    if (editingTest_ && it != tests.end()) tests.erase(it);
    returnToList();
}

void TestFormController::onBackButton() {
    returnToList();
}

void TestFormController::returnToList() {
    if (auto root = MevaraViewController::root()) root->returnToTestList(true);
}

} // namespace mevara
