#include "tablet/WelcomeController.h"

#include "handset/TestRow.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "platform/LocaleFormat.h"
#include "tablet/RootController.h"
#include "tablet/TabletText.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace mevara {
namespace {

std::map<std::string, WelcomeController::Phase>& registry() {
    static std::map<std::string, WelcomeController::Phase> phases;
    return phases;
}

std::shared_ptr<Test> blankTest() {
    return Test::testWithLocation(std::string(), std::string(), 0, 0, std::nullopt);
}

void fadeOut(const std::shared_ptr<View>& view) {
    if (!view) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    view->setAlpha(0);
    loop.commitAnimations();
}

} // namespace

const char* const WelcomeController::cancerRiskComparison = "Cancer Risk\n\n\n";

WelcomeController::StateGroup::StateGroup(std::vector<std::pair<std::string, Phase>> phases) {
    for (auto& [name, phase] : phases)
        registry()[name] = std::move(phase);
}

const std::map<std::string, WelcomeController::Phase>& WelcomeController::phases() {
    return registry();
}

WelcomeController::WelcomeController() : ViewController(std::string()) {}

WelcomeController::~WelcomeController() = default;

void WelcomeController::bind(Bindings& b) {
    for (const auto& [name, phase] : registry()) {
        b.actionWithArgument(
            name, [this, name = name](const std::any& argument) { call(name, argument); });
    }
}

// Dispatch

bool WelcomeController::call(const std::string& name, const std::any& argument) {
    auto it = registry().find(name);
    if (it == registry().end()) return false;
    // Keeps the wizard alive through a phase that drops the last outside reference.
    auto self = shared_from_this();
    it->second(*this, argument);
    return true;
}

bool WelcomeController::callPhase(const std::string& phase, const std::any& argument) {
    return call(currentState_ + "_" + phase, argument);
}

void WelcomeController::setup() {
    callPhase("setup");
    test_ = blankTest();
    view()->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    position();
    populate();
}

void WelcomeController::transitionIn() {
    if (picker_) dismissPicker();
    callPhase("transitionIn");
}

void WelcomeController::transitionOut() {
    callPhase("transitionOut");
    std::clog << currentState_ << "_release" << std::endl;
    callPhase("release");
}

void WelcomeController::portrait() {
    callPhase("portrait");
}

void WelcomeController::landscape() {
    callPhase("landscape");
}

void WelcomeController::populate() {
    callPhase("populate");
}

void WelcomeController::validate() {
    callPhase("validate");
}

void WelcomeController::position() {
    if (isPortrait())
        portrait();
    else
        landscape();
}

void WelcomeController::dismissModal(const std::any& argument) {
    callPhase("dismissModal:", argument);
}

// State changes

void WelcomeController::welcomeMove(const std::string& to, bool fromHome) {
    closePopovers();
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    if (fromHome)
        transitionOut();
    else
        callPhase("transitionOut");
    loop.commitAnimations();
    currentState_ = to;
    setup();
    loop.beginAnimations();
    transitionIn();
    loop.commitAnimations();
}

void WelcomeController::directMove(const std::string& to) {
    closePopovers();
    const std::string from = currentState_;
    currentState_ = to;
    setup();
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    call(from + "_transitionOut");
    transitionIn();
    loop.commitAnimations();
}

void WelcomeController::goHome() {
    welcomeMove("step0", true);
}

// Start-up and rotation

void WelcomeController::viewDidLoad() {
    selectedComparison_ = cancerRiskComparison;
    currentState_ = "step0";
    setup();
    transitionIn();
    willRotateToInterfaceOrientation(interfaceOrientation(), 0);
}

bool WelcomeController::shouldAutorotateToInterfaceOrientation(int) {
    return true;
}

void WelcomeController::willRotateToInterfaceOrientation(int orientation, double) {
    if (calendarPicker_) calendarPicker_->dismissOpenList();
    if (isPortrait(orientation))
        portrait();
    else
        landscape();
}

// Widgets

void WelcomeController::setWidget(const std::string& name, std::shared_ptr<View> view) {
    if (!view) {
        widgets_.erase(name);
        return;
    }
    view->setName(name);
    widgets_[name] = std::move(view);
}

void WelcomeController::addWidget(const std::string& name, const std::shared_ptr<View>& widget) {
    // A state built again replaces its faded-out widgets, so revisits do not pile them up.
    if (auto old = this->widget(name); old && old != widget) old->removeFromSuperview();
    setWidget(name, widget);
    widget->setAlpha(0);
    view()->addSubview(widget);
}

void WelcomeController::releaseWidgets(std::initializer_list<const char*> names) {
    for (const char* name : names)
        widgets_.erase(name);
}

void WelcomeController::setAlpha(std::initializer_list<const char*> names, float alpha) {
    for (const char* name : names)
        if (auto found = widget(name)) found->setAlpha(alpha);
}

void WelcomeController::setFrame(const std::string& name, Rect frame) {
    if (auto found = widget(name)) found->setFrame(frame);
}

void WelcomeController::connect(Button& button, const std::string& name) {
    std::weak_ptr<ViewController> weak = weak_from_this();
    button.addTarget(ControlEvent::TouchUpInside, [weak, name](Control& sender) {
        auto self = std::static_pointer_cast<WelcomeController>(weak.lock());
        if (self) self->call(name, std::any(static_cast<const Control*>(&sender)));
    });
}

// Pickers

void WelcomeController::dismissPicker() {
    if (!picker_) return;
    auto picker = std::move(picker_);
    picker_ = nullptr;
    picker->dismiss();
    // The delegate call fades it; a delegate that has gone leaves it to us.
    fadeOut(picker->view());
}

void WelcomeController::dismissCalendarPicker() {
    if (!calendarPicker_) return;
    auto picker = std::move(calendarPicker_);
    calendarPicker_ = nullptr;
    // Reports the date it opened with, so the row keeps it, and closes its month list.
    picker->dismiss();
    fadeOut(picker->view());
}

void WelcomeController::setPicker(std::shared_ptr<IpadPicker> picker) {
    picker_ = std::move(picker);
    if (!picker_) return;
    std::weak_ptr<WelcomeController> weak =
        std::static_pointer_cast<WelcomeController>(shared_from_this());
    picker_->view()->setAccessibilityEscape([weak] {
        if (auto self = weak.lock(); self && self->picker_) self->dismissPicker();
    });
}

void WelcomeController::setCalendarPicker(std::shared_ptr<IpadCalendarPicker> picker) {
    calendarPicker_ = std::move(picker);
    if (!calendarPicker_) return;
    std::weak_ptr<WelcomeController> weak =
        std::static_pointer_cast<WelcomeController>(shared_from_this());
    calendarPicker_->view()->setAccessibilityEscape([weak] {
        if (auto self = weak.lock(); self && self->calendarPicker_) self->dismissCalendarPicker();
    });
}

void WelcomeController::closePopovers() {
    if (auto picker = std::exchange(picker_, nullptr)) fadeOut(picker->view());
    if (auto calendar = std::exchange(calendarPicker_, nullptr)) {
        // Its month or year list answers the calendar, not the form.
        calendar->dismissOpenList();
        fadeOut(calendar->view());
    }
}

void WelcomeController::pickerPickedValue(IpadPicker& picker, const std::string& value) {
    struct Route {
        const char* state;
        const char* title;
        const char* label;
    };
    static constexpr Route routes[] = {
        {"step1", "Gender", "step1_gender"},
        {"step1", "Age", "step1_age"},
        {"step2", "Test Type", "step2_test"},
        {"step2", "Body Part", "step2_bodyPart"},
        {"step2", "Number of Tests", "step2_numberOfTests"},
        {"step3", "Test Type", "step3_test"},
        {"step3", "Body Part", "step3_bodyPart"},
        {"step3", "Number of Tests", "step3_numberOfTests"},
    };
    for (const auto& route : routes) {
        if (currentState_ != route.state || picker.title() != route.title) continue;
        if (auto label = widget<Label>(route.label)) setTabletText(*label, value);
        if (test_ && currentState_ != "step1") {
            const std::string title = route.title;
            if (title == "Test Type")
                test_->setTestName(value);
            else if (title == "Body Part")
                test_->setLocation(value);
            else
                test_->setNumberOfTests(std::atoll(value.c_str()));
        }
        validate();
        break;
    }
    fadeOut(picker.view());
    if (picker_.get() == &picker) picker_ = nullptr;
}

void WelcomeController::calendarPickerPickedDate(IpadCalendarPicker& picker,
                                                 std::optional<Date> date) {
    if (currentState_ == "step2" || currentState_ == "step3") {
        if (auto label = widget<Label>(currentState_ + "_date"))
            label->setText(date ? LocaleFormat::mediumDateText(*date) : "");
        if (test_) test_->setDate(date);
    }
    fadeOut(picker.view());
    if (calendarPicker_.get() == &picker) calendarPicker_ = nullptr;
}

// The tests list of the tests step

int WelcomeController::tableViewNumberOfRowsInSection(TableView&, int) {
    return static_cast<int>(UserData::instance().tests().size());
}

std::shared_ptr<TableViewCell> WelcomeController::tableViewCellForRowAtIndexPath(TableView&,
                                                                                 IndexPath path) {
    const auto& tests = UserData::instance().tests();
    if (path.row < 0 || path.row >= static_cast<int>(tests.size())) return nullptr;
    const Test& test = *tests[static_cast<std::size_t>(path.row)];
    std::weak_ptr<ViewController> weak = weak_from_this();
    auto cell = makeTestRow(test, {.left = 41, .nameHeight = 18, .detailWidth = 247}, [weak] {
        if (auto self = std::static_pointer_cast<WelcomeController>(weak.lock()))
            self->call("step3_onMsvHelp");
    });

    auto remove = std::make_shared<Button>(Rect{6, 15, 25, 24});
    remove->setName("deleteButton");
    remove->setAccessibilityLabel("Delete " + testDescription(test));
    remove->setBackgroundColor(Color::clear());
    if (auto picture = Image::named("button-delete.png"))
        remove->setBackgroundImage(picture->stretchableImage(12, 12));
    remove->setTitle("");
    remove->setTag(path.row);
    remove->setAutoresizingMask(FlexibleRightMargin | FlexibleBottomMargin);
    remove->addTarget(ControlEvent::TouchUpInside, [weak](Control& sender) {
        auto self = std::static_pointer_cast<WelcomeController>(weak.lock());
        if (auto button = dynamic_cast<Button*>(&sender); self && button)
            self->onDeleteTest(*button);
    });
    cell->addSubview(remove);
    return cell;
}

void WelcomeController::tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) {
    if (currentState_ != "step3" || &table != widget<TableView>("step3_testListTable").get())
        return;
    const auto& tests = UserData::instance().tests();
    if (path.row < 0 || path.row >= static_cast<int>(tests.size())) return;
    closePopovers();
    editingTest_ = tests[static_cast<std::size_t>(path.row)];
    const Test& edited = *editingTest_;
    test_ = Test::testWithLocation(edited.location(), edited.testName(), edited.numberOfTests(),
                                   edited.milliseverts(), edited.date());
    const auto show = [this](const char* name, const std::string& text) {
        if (auto label = widget<Label>(name)) setTabletText(*label, text);
    };
    show("step3_test", edited.testName().value_or(""));
    show("step3_bodyPart", edited.location().value_or(""));
    show("step3_numberOfTests", std::to_string(edited.numberOfTests()));
    show("step3_date", edited.date() ? LocaleFormat::mediumDateText(*edited.date()) : "");
    if (auto add = widget<Button>("step3_addTestsButton")) add->setTitle("Save Test");
    table.deselectRowAtIndexPath(path, true);
}

void WelcomeController::onDeleteTest(const Button& sender) {
    auto& data = UserData::instance();
    auto& tests = data.tests();
    const int index = sender.tag();
    if (index < 0 || index >= static_cast<int>(tests.size())) return;
    closePopovers();
    tests.erase(tests.begin() + index);
    data.calculateTotal();
    data.save();
    populate();
}

void WelcomeController::alertViewClickedButtonAtIndex(AlertView&, int index) {
    if (index != 0 || currentState_ != "step3") return;
    UserData::instance().removeAllData();
    directMove("step1");
}

// Taps outside the popovers and balloons

void WelcomeController::touchesBegan(const TouchSet& touches) {
    if (touches.empty()) return;
    const auto& touch = touches.front();
    if (picker_) {
        auto frame = picker_->tableFrame();
        if (!frame || !rectContainsPoint(frame->bounds(), touch->locationInView(frame.get())))
            dismissPicker();
    }
    if (calendarPicker_) {
        auto pickerView = calendarPicker_->view();
        if (!rectContainsPoint(pickerView->bounds(), touch->locationInView(pickerView.get())))
            dismissCalendarPicker();
    }
    if (inModal_) dismissModal(std::any());
    auto text = widget("step3_msvHelpText");
    if (text && text->alpha() > 0.5f) {
        auto& loop = RunLoop::main();
        loop.beginAnimations();
        setAlpha({"step3_msvHelpBackground", "step3_msvWedge", "step3_msvHelpText"}, 0);
        loop.commitAnimations();
    }
}

} // namespace mevara
