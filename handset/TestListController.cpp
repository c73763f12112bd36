#include "handset/TestListController.h"

#include "handset/AboutMeController.h"
#include "handset/ExposureComparisonController.h"
#include "handset/MevaraViewController.h"
#include "handset/MoreContentController.h"
#include "handset/TestFormController.h"
#include "handset/TestRow.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "platform/LocaleFormat.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"

#include <algorithm>

namespace mevara {
namespace {

constexpr float cellWidth = 320;

std::shared_ptr<MevaraViewController> rootController() {
    return MevaraViewController::root();
}

} // namespace

const char* const TestListController::startText = "Tap Here To Start";
const char* const TestListController::addText = "Add Test";
const char* const TestListController::deleteAllText = "Delete All Tests";

TestListController::TestListController() : HelpHandler("TestListController") {}

void TestListController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("table", table_);
    b.outlet("footer", footer_);
    b.outlet("totalExposure", totalExposure_);
    b.outlet("totalUnit", totalUnit_);
    b.action("updateTotal", [this] { updateTotal(); });
    b.action("reload", [this] { reload(); });
    b.action("showFooter", [this] { showFooter(); });
    b.action("showTestFormController", [this] { showTestFormController(); });
    b.action("showTestFormControllerStage2", [this] { showTestFormControllerStage2(); });
    b.actionWithArgument("showAboutMeControllerStage2", [this](const std::any& flag) {
        const bool* initial = std::any_cast<bool>(&flag);
        showAboutMeControllerStage2(initial && *initial);
    });
    b.action("showComparisons", [this] { showComparisons(); });
    b.action("showComparisonsStage2", [this] { showComparisonsStage2(); });
    b.action("showMore", [this] { showMore(); });
    b.action("onMsvHelp", [this] { onMsvHelp(); });
    b.action("showTotalMsvHelp", [this] { showTotalMsvHelp(); });
    b.action("showInitialHelp", [this] { showInitialHelp(); });
    b.action("blinkStartHereOff", [this] { blinkStartHereOff(); });
    b.action("blinkStartHereOn", [this] { blinkStartHereOn(); });
}

void TestListController::viewDidLoad() {
    auto self = std::static_pointer_cast<TestListController>(shared_from_this());
    if (auto root = rootController()) {
        root->setTestListController(self);
        root->setCurrentViewController(self);
    }
    if (table_) {
        table_->setDataSource(std::weak_ptr<TableViewDataSource>(self));
        table_->setDelegate(std::weak_ptr<TableViewDelegate>(self));
        table_->setRowHeight(rowHeight);
    }
    if (!UserData::instance().tests().empty()) {
        if (helpView()) helpView()->setAlpha(0);
    } else {
        showInitialHelp();
    }
    updateTotal();
}

// Totals and the footer

void TestListController::updateTotal() {
    auto& data = UserData::instance();
    data.calculateTotal();
    setTotalText(LocaleFormat::twoDecimalText(data.total()));
}

void TestListController::setTotalText(std::string text) {
    if (!totalExposure_) return;
    // The unit's own label is left out: the dose says it in words.
    showDose(*totalExposure_, std::move(text));
    if (!totalUnit_) return;
    const Rect value = totalExposure_->frame();
    const float width = std::min(
        value.width, totalExposure_->sizeOfText(totalExposure_->text(), {9999, 9999}).width);
    Rect unit = totalUnit_->frame();
    unit.x = value.x + width + 5;
    totalUnit_->setFrame(unit);
}

void TestListController::reload() {
    if (table_) table_->reloadData();
    updateTotal();
}

void TestListController::showFooter() {
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(stageDelay);
    if (footer_) footer_->setTransform(Transform::identity());
    if (table_) {
        Rect frame = table_->frame();
        frame.height = tableHeightWithFooter;
        table_->setFrame(frame);
    }
    loop.commitAnimations();
    if (auto root = rootController())
        root->highlightMenuButton(MevaraViewController::MenuButton::Home);
}

void TestListController::hideFooter() {
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    loop.setAnimationDuration(stageDelay);
    if (footer_) footer_->setTransform(Transform::translation(0, footer_->frame().height));
    if (table_) {
        Rect frame = table_->frame();
        frame.height = tableHeightWithoutFooter;
        table_->setFrame(frame);
    }
    loop.commitAnimations();
}

// Opening other screens

void TestListController::showTestFormController() {
    cancelPreviousPerformRequests("showFooter");
    hideFooter();
    performAfterDelay("showTestFormControllerStage2", stageDelay);
}

void TestListController::showTestFormControllerStage2() {
    auto form = std::make_shared<TestFormController>();
    const auto& tests = UserData::instance().tests();
    if (lastSelectedRow_ >= 1 && lastSelectedRow_ <= static_cast<int>(tests.size()))
        form->setEditingTest(tests[static_cast<std::size_t>(lastSelectedRow_ - 1)]);
    if (auto root = rootController()) {
        root->openScreen(form);
    }
}

void TestListController::showAboutMeController(bool initialSetup) {
    cancelPreviousPerformRequests("showFooter");
    if (footer_ && footer_->transform().isIdentity()) hideFooter();
    performAfterDelay("showAboutMeControllerStage2", stageDelay, initialSetup);
}

void TestListController::showAboutMeControllerStage2(bool initialSetup) {
    auto form = std::make_shared<AboutMeController>();
    form->setIsInitialSetup(initialSetup);
    if (auto root = rootController()) {
        root->openScreen(form);
    }
}

void TestListController::showComparisons() {
    cancelPreviousPerformRequests("showFooter");
    hideFooter();
    performAfterDelay("showComparisonsStage2", stageDelay);
}

void TestListController::showComparisonsStage2() {
    if (auto root = rootController()) {
        root->openScreen(std::make_shared<ExposureComparisonController>());
    }
}

void TestListController::showMore() {
    auto page = std::make_shared<MoreContentController>();
    page->setPageTitle("What are Millisieverts?");
    page->setFile("WhatareMillisieverts.html");
    if (auto root = rootController()) {
        root->openScreen(page);
    }
}

// Help

void TestListController::showHelp() {
    showBubble({.bubbleFrame = {20, 63, 225, 317},
                .message = "Tap on “Add Test” to\nadd more tests.\n\nTap on an existing test to "
                           "edit that test.\n\nTap on “Total Exposure” to compare your "
                           "results.\n\nTap on “More” for more information, including "
                           "descriptions of the imaging tests used in this app.",
                .picture = HelpBubble::Picture::Caps,
                .fontName = "Helvetica-Oblique",
                .fontSize = 12,
                .showsMoreButton = false});
}

void TestListController::hideHelp() {
    if (!helpView()) return;
    inInitialHelp_ = false;
    hideBubble();
}

void TestListController::onMsvHelp() {
    showBubble({.helpViewFrame = {0, 62, 320, 336},
                .bubbleFrame = {0, 0, 247, 324},
                .message = "Millisieverts (mSv) is the unit of measurement for radiation "
                           "received from a medical imaging procedure.   A test that shows “0” "
                           "mSv indicates no radiation is delivered during that test.  Examples "
                           "include MRIs and Ultrasounds.\n\n",
                .picture = HelpBubble::Picture::Caps,
                .fontName = "Helvetica",
                .fontSize = 14,
                .showsMoreButton = true});
}

void TestListController::showTotalMsvHelp() {
    // The name has a space, so only a toolkit that knows it changes the font.
    showBubble({.bubbleFrame = {20, 93, 225, 227},
                .message = "Total estimated mSv's from the number of tests entered.",
                .picture = HelpBubble::Picture::Caps,
                .fontName = "Helvetica Bold",
                .fontSize = 14,
                .showsMoreButton = false});
}

void TestListController::showInitialHelp() {
    if (!helpView() || !bubble()) return;
    bubble()->setTransform(Transform::identity());
    helpView()->setTransform(Transform::identity());
    bubble()->setHidden(false);
    inInitialHelp_ = true;
    if (bubbleImage()) {
        auto picture = Image::named("bubble1.png");
        bubbleImage()->setImage(picture ? picture->stretchableImage(100, 100) : nullptr);
        bubbleImage()->setFrame({5, 0, 197, 284});
    }
    helpView()->setAlpha(0);
    helpView()->setFrame({0, 102, 320, 296});
    if (moreButton()) moreButton()->setHidden(true);
    bubble()->setFrame({5, 15, 248, 310});
    if (bubbleText())
        bubbleText()->setText(
            "Welcome to the Mevara – a useful tool in estimating past or future radiation "
            "exposure for medical imaging and comparing your exposure to natural radiation "
            "sources.  You are encouraged to share this information with your physician as you "
            "discuss your medical testing\noptions.");
    animateBubbleIn();
    performAfterDelay("blinkStartHereOff", stageDelay);
}

void TestListController::blink(float alpha, const char* next) {
    if (!addTestRowLabel_) return;
    // A list the root has replaced is gone for good: its blinking must not keep it alive.
    auto root = rootController();
    if (root && root->testListController().get() != this) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations("blinkStartHere");
    loop.setAnimationDuration(blinkDuration);
    addTestRowLabel_->setAlpha(alpha);
    loop.commitAnimations();
    performAfterDelay(next, blinkPause);
}

void TestListController::blinkStartHereOff() {
    blink(0.3f, "blinkStartHereOn");
}

void TestListController::blinkStartHereOn() {
    blink(1, "blinkStartHereOff");
}

// Rows

int TestListController::tableViewNumberOfRowsInSection(TableView&, int) {
    return static_cast<int>(UserData::instance().tests().size()) + 2;
}

std::string TestListController::detailText(const Test& test) {
    const auto n = test.numberOfTests();
    std::string text =
        test.location().value_or("") + ", " + std::to_string(n) + " " + (n == 1 ? "test" : "tests");
    if (test.date()) text += " on " + LocaleFormat::mediumDateText(*test.date());
    return text;
}

std::shared_ptr<TableViewCell> TestListController::actionCell(const char* icon,
                                                              const std::string& text,
                                                              std::shared_ptr<Label>* labelOut) {
    auto cell = std::make_shared<TableViewCell>(Rect{0, 0, cellWidth, rowHeight});
    auto picture = std::make_shared<ImageView>(Rect{15, 13, 27, 29});
    picture->setImage(Image::named(icon));
    cell->addSubview(picture);
    auto label = makeRowLabel({46, 18, 190, 18}, text, "Helvetica-Bold", 17, rowBlue);
    cell->addSubview(label);
    if (labelOut) *labelOut = label;
    return cell;
}

std::shared_ptr<TableViewCell> TestListController::testCell(const Test& test) {
    std::weak_ptr<ViewController> weak = weak_from_this();
    auto cell = makeTestRow(test, TestRowLayout{}, [weak] {
        if (auto self = weak.lock()) self->perform("onMsvHelp");
    });
    auto arrow = std::make_shared<ImageView>(Rect{288, 20, 11, 15});
    arrow->setImage(Image::named("arrow-gray.png"));
    cell->addSubview(arrow);
    return cell;
}

std::shared_ptr<TableViewCell> TestListController::tableViewCellForRowAtIndexPath(TableView&,
                                                                                  IndexPath path) {
    const auto& tests = UserData::instance().tests();
    const int count = static_cast<int>(tests.size());
    if (path.row == 0) {
        std::shared_ptr<Label> label;
        auto cell = actionCell("icon-add.png", tests.empty() ? startText : addText, &label);
        // Only "Tap Here To Start" blinks; with tests the blinking ends.
        addTestRowLabel_ = tests.empty() ? label : nullptr;
        return cell;
    }
    if (path.row == count + 1) return actionCell("icon-remove.png", deleteAllText, nullptr);
    if (path.row < 0 || path.row > count) return nullptr;
    return testCell(*tests[static_cast<std::size_t>(path.row - 1)]);
}

void TestListController::tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) {
    lastSelectedRow_ = path.row;
    const int count = static_cast<int>(UserData::instance().tests().size());
    if (path.row == 0) {
        hideHelp();
        if (UserData::instance().age().empty()) {
            showAboutMeController(true);
            return;
        }
        showTestFormController();
        table.deselectRowAtIndexPath(path, false);
    } else if (path.row == count + 1) {
        auto alert = std::make_shared<AlertView>(
            "Mevara", "Are you sure you want to delete all tests?",
            std::dynamic_pointer_cast<AlertViewDelegate>(shared_from_this()), "Yes",
            std::vector<std::string>{"No"});
        alert->show();
    } else {
        showTestFormController();
        table.deselectRowAtIndexPath(path, false);
    }
}

void TestListController::alertViewClickedButtonAtIndex(AlertView&, int index) {
    const int count = static_cast<int>(UserData::instance().tests().size());
    if (index == 0) {
        UserData::instance().removeAllTests();
        if (table_) table_->reloadData();
        setTotalText("0");
    } else if (table_) {
        table_->deselectRowAtIndexPath({0, count + 1}, false);
    }
}

} // namespace mevara
