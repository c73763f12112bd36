#include "app/GalleryController.h"

#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Switch.h"
#include "toolkit/WebView.h"

#include <cmath>

namespace mevara {
namespace {

constexpr float margin = 24;
constexpr float tabletHeaderHeight = 56;
constexpr float columnWidth = 300;

// A file:// address for a folder, with the characters a URL may not hold escaped.
std::string folderUrl(const std::filesystem::path& folder) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : folder.generic_string()) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (plain || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    if (url.back() != '/') url += '/';
    return url;
}

Rect moved(Rect r, float x, float y) {
    return {x, y, r.width, r.height};
}

} // namespace

const std::string GalleryController::noAnswerText = "Answer: none";

GalleryController::GalleryController() : ViewController("GalleryController") {}

void GalleryController::bind(Bindings& b) {
    b.outlet("background", background_);
    b.outlet("header", header_);
    b.outlet("textCard", textCard_);
    b.outlet("buttonRow", buttonRow_);
    b.outlet("switchRow", switchRow_);
    b.outlet("toggle", toggle_);
    b.outlet("switchLabel", switchLabel_);
    b.outlet("answerLabel", answerLabel_);
    b.outlet("tablePanel", tablePanel_);
    b.outlet("table", table_);
    b.outlet("pagePanel", pagePanel_);
    b.outlet("webView", webView_);
    b.outlet("bubble", bubble_);
    b.outlet("animatedBox", animatedBox_);
    b.outlet("disclaimerOverlay", disclaimerOverlay_);
    b.outlet("disclaimerBox", disclaimerBox_);
    b.action("askQuestion", [this] { askQuestion(); });
    b.action("animateBox", [this] { animateBox(); });
    b.action("moveBoxBack", [this] { moveBoxBack(); });
    b.action("presentSheet", [this] { presentSheet(); });
    b.action("switchChanged", [this] { switchChanged(); });
    b.action("showDisclaimer", [this] { showDisclaimer(); });
    b.action("dismissDisclaimer", [this] { dismissDisclaimer(); });
    b.action("forceHome", [this] { forceHome(); });
}

void GalleryController::viewDidLoad() {
    auto self = std::static_pointer_cast<GalleryController>(shared_from_this());
    if (table_) {
        table_->setDataSource(std::weak_ptr<TableViewDataSource>(self));
        table_->setDelegate(std::weak_ptr<TableViewDelegate>(self));
        table_->reloadData();
    }
    if (animatedBox_) boxHome_ = animatedBox_->frame();
    loadPage();
    arrange(Application::shared().screenSize());
}

void GalleryController::loadPage() {
    if (!webView_) return;
    const auto folder = Directories::current().resources / "html";
    const auto html = TextFile::readUtf8(folder / "Information.html");
    webView_->loadHTMLString(html.value_or("<p>The information page is missing.</p>"),
                             folderUrl(folder));
}

void GalleryController::arrange(Size screen) {
    auto root = view();
    root->setFrame({0, 0, screen.width, screen.height});
    if (background_) background_->setFrame({0, 0, screen.width, screen.height});
    if (disclaimerOverlay_) disclaimerOverlay_->setFrame({0, 0, screen.width, screen.height});
    if (disclaimerBox_) {
        const Rect box = disclaimerBox_->frame();
        disclaimerBox_->setFrame(moved(box, std::round((screen.width - box.width) / 2),
                                       std::round((screen.height - box.height) / 2)));
    }
    // The phone keeps the layout's own frames.
    if (screen.width <= 320) return;
    if (!header_ || !textCard_ || !buttonRow_ || !switchRow_ || !tablePanel_ || !pagePanel_ ||
        !table_ || !bubble_ || !animatedBox_)
        return;

    header_->setFrame({0, 0, screen.width, tabletHeaderHeight});
    const float top = tabletHeaderHeight + 20;
    const float bottom = screen.height - margin;
    const float secondColumn = margin + columnWidth + margin;
    const Size bubbleSize{200, 120};
    const Rect box = animatedBox_->frame();
    textCard_->setFrame(moved(textCard_->frame(), margin, top));
    const float bandBottom = textCard_->frame().maxY();
    if (screen.width > screen.height) {
        // Landscape: the small widgets in a band across the top, the table and the page
        // below it.
        const float controlsHeight = buttonRow_->frame().height + 16 + switchRow_->frame().height;
        const float controlsTop = std::round(top + (bandBottom - top - controlsHeight) / 2);
        buttonRow_->setFrame(moved(buttonRow_->frame(), secondColumn, controlsTop));
        switchRow_->setFrame(
            moved(switchRow_->frame(), secondColumn, buttonRow_->frame().maxY() + 16));
        const float thirdColumn = secondColumn + columnWidth + margin;
        bubble_->setFrame({thirdColumn, top + 7, bubbleSize.width, bubbleSize.height});
        boxHome_ = {screen.width - margin - box.width,
                    std::round(top + (bandBottom - top - box.height) / 2), box.width, box.height};
        const float lower = bandBottom + 20;
        tablePanel_->setFrame({margin, lower, columnWidth, bottom - lower});
        pagePanel_->setFrame(
            {secondColumn, lower, screen.width - margin - secondColumn, bottom - lower});
    } else {
        // Portrait: a column of the small widgets beside the table, the page below both.
        buttonRow_->setFrame(moved(buttonRow_->frame(), margin, bandBottom + 16));
        switchRow_->setFrame(moved(switchRow_->frame(), margin, buttonRow_->frame().maxY() + 16));
        const float bubbleTop = switchRow_->frame().maxY() + 20;
        bubble_->setFrame({margin, bubbleTop, bubbleSize.width, bubbleSize.height});
        boxHome_ = {margin + columnWidth - box.width,
                    std::round(bubbleTop + (bubbleSize.height - box.height) / 2), box.width,
                    box.height};
        const float columnBottom = bubble_->frame().maxY();
        tablePanel_->setFrame(
            {secondColumn, top, screen.width - margin - secondColumn, columnBottom - top});
        const float pageTop = columnBottom + margin;
        pagePanel_->setFrame({margin, pageTop, screen.width - 2 * margin, bottom - pageTop});
    }
    animatedBox_->setFrame(boxHome_);
    if (table_->rowHeight() != tabletRowHeight) {
        // Taller rows suit a finger on the larger screen; the cells are made for them anew.
        table_->setRowHeight(tabletRowHeight);
        table_->reloadData();
    }
}

bool GalleryController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return Application::shared().isTablet() || orientation == OrientationPortrait;
}

void GalleryController::willRotateToInterfaceOrientation(int orientation, double duration) {
    if (!isViewLoaded()) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations("galleryRotation");
    loop.setAnimationDuration(duration);
    arrange(isPortrait(orientation) ? Size{768, 1024} : Size{1024, 768});
    loop.commitAnimations();
}

int GalleryController::tableViewNumberOfRowsInSection(TableView&, int) {
    return rowCount;
}

std::shared_ptr<TableViewCell> GalleryController::tableViewCellForRowAtIndexPath(TableView& table,
                                                                                 IndexPath path) {
    const float width = table.frame().width;
    const float height = table.rowHeight() - 1;
    auto cell = std::make_shared<TableViewCell>(Rect{0, 0, width, height});
    auto label = std::make_shared<Label>(Rect{12, 0, width - 40, height});
    label->setName("rowLabel");
    label->setText("Row " + std::to_string(path.row + 1));
    label->setFont(Font::systemFont(15));
    label->setTextColor(Color::white(0.2f));
    label->setAutoresizingMask(FlexibleWidth);
    cell->addSubview(label);
    // Every third row carries a mark, to show pictures inside cells.
    if (path.row % 3 == 0) {
        auto mark = std::make_shared<ImageView>(Image::named("checkmark"));
        const Size size = mark->frame().width > 0 ? Size{mark->frame().width, mark->frame().height}
                                                  : Size{11, 15};
        mark->setFrame({width - 12 - size.width, std::round((height - size.height) / 2), size.width,
                        size.height});
        mark->setAutoresizingMask(FlexibleLeftMargin);
        cell->addSubview(mark);
    }
    return cell;
}

void GalleryController::tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) {
    const std::string row = "Row " + std::to_string(path.row + 1);
    auto alert = std::make_shared<AlertView>(row,
                                             "You tapped row " + std::to_string(path.row + 1) +
                                                 " of " + std::to_string(rowCount) + ".",
                                             std::weak_ptr<AlertViewDelegate>(), "OK");
    alert->show();
    table.deselectRowAtIndexPath(path, true);
}

void GalleryController::askQuestion() {
    auto self = std::static_pointer_cast<GalleryController>(shared_from_this());
    auto alert = std::make_shared<AlertView>("A question", "Do you like this gallery?",
                                             std::weak_ptr<AlertViewDelegate>(self), "No",
                                             std::vector<std::string>{"Yes"});
    question_ = alert;
    alert->show();
}

void GalleryController::alertViewClickedButtonAtIndex(AlertView& alert, int index) {
    if (&alert != question_.lock().get() || !answerLabel_) return;
    answerLabel_->setText(index == alert.cancelButtonIndex() ? "Answer: No" : "Answer: Yes");
}

void GalleryController::animateBox() {
    if (!animatedBox_) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations("galleryBox");
    loop.setAnimationDuration(boxDuration);
    // Into the gap beside it, smaller and faint, so it never covers another widget.
    animatedBox_->setFrame({boxHome_.x - 24, boxHome_.y + boxHome_.height * 0.2f,
                            boxHome_.width * 0.6f, boxHome_.height * 0.6f});
    animatedBox_->setAlpha(0.35f);
    loop.commitAnimations();
    performAfterDelay("moveBoxBack", boxReturnDelay);
}

void GalleryController::moveBoxBack() {
    if (!animatedBox_) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations("galleryBoxBack");
    loop.setAnimationDuration(boxDuration);
    animatedBox_->setFrame(boxHome_);
    animatedBox_->setAlpha(1);
    loop.commitAnimations();
}

void GalleryController::presentSheet() {
    auto sheet = std::make_shared<GallerySheetController>();
    sheet->setModalPresentationStyle(ModalPresentationStyle::FormSheet);
    presentModalViewController(sheet, true);
}

void GalleryController::switchChanged() {
    if (toggle_ && switchLabel_)
        switchLabel_->setText(toggle_->isOn() ? "Switch: on" : "Switch: off");
}

void GalleryController::showDisclaimer() {
    if (!disclaimerOverlay_) return;
    ++fadeGeneration_;
    view()->bringSubviewToFront(disclaimerOverlay_.get());
    disclaimerOverlay_->setHidden(false);
    disclaimerOverlay_->setAlpha(0);
    auto& loop = RunLoop::main();
    loop.beginAnimations("disclaimerIn");
    loop.setAnimationDuration(fadeDuration);
    disclaimerOverlay_->setAlpha(1);
    loop.commitAnimations();
}

void GalleryController::dismissDisclaimer() {
    if (!disclaimerOverlay_) return;
    const unsigned generation = ++fadeGeneration_;
    auto& loop = RunLoop::main();
    loop.beginAnimations("disclaimerOut");
    loop.setAnimationDuration(fadeDuration);
    disclaimerOverlay_->setAlpha(0);
    loop.commitAnimations();
    // Hidden once faded, unless it was shown again meanwhile.
    std::weak_ptr<ViewController> weak = weak_from_this();
    loop.performAfterDelay(fadeDuration, [weak, generation] {
        auto self = std::static_pointer_cast<GalleryController>(weak.lock());
        if (self && self->fadeGeneration_ == generation) self->disclaimerOverlay_->setHidden(true);
    });
}

bool GalleryController::isShowingDisclaimer() const {
    return disclaimerOverlay_ && !disclaimerOverlay_->isHidden() && disclaimerOverlay_->alpha() > 0;
}

void GalleryController::forceHome() {
    if (!isViewLoaded()) return;
    ++fadeGeneration_;
    if (modalViewController()) dismissModalViewControllerAnimated(false);
    if (disclaimerOverlay_) {
        disclaimerOverlay_->setAlpha(0);
        disclaimerOverlay_->setHidden(true);
    }
    if (table_) {
        if (auto selected = table_->indexPathForSelectedRow())
            table_->deselectRowAtIndexPath(*selected, false);
        table_->setContentOffset({0, 0}, false);
    }
    if (toggle_) toggle_->setOn(false);
    if (switchLabel_) switchLabel_->setText("Switch: off");
    if (answerLabel_) answerLabel_->setText(noAnswerText);
    if (animatedBox_) {
        animatedBox_->setFrame(boxHome_);
        animatedBox_->setAlpha(1);
    }
}

GallerySheetController::GallerySheetController() : ViewController("GallerySheetController") {}

void GallerySheetController::bind(Bindings& b) {
    b.action("close", [this] { dismissModalViewControllerAnimated(true); });
}

} // namespace mevara
