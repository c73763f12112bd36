#include "tablet/IpadPicker.h"

#include "handset/Picker.h"
#include "platform/NumberParsing.h"
#include "platform/Unicode.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

#include <algorithm>

namespace mevara {

namespace {

constexpr Color separatorColor = Color::rgb(183.0f / 255, 0.8f, 223.0f / 255);

} // namespace

std::shared_ptr<IpadPicker>
IpadPicker::pickerWithTitle(std::string title, std::vector<std::string> choices,
                            std::optional<std::string> checkedValue,
                            std::weak_ptr<IpadPickerDelegate> delegate) {
    auto picker = std::make_shared<IpadPicker>();
    picker->title_ = std::move(title);
    picker->choices_ = std::move(choices);
    picker->checkedValue_ = std::move(checkedValue);
    picker->delegate_ = std::move(delegate);
    return picker;
}

IpadPicker::IpadPicker() : ViewController("IpadPicker") {}

void IpadPicker::bind(Bindings& b) {
    b.outlet("table", table_);
    b.outlet("tableBackground", tableBackground_);
    b.outlet("tableFrame", tableFrame_);
}

void IpadPicker::viewDidLoad() {
    // An open popover is all a screen reader finds until it closes.
    view()->setAccessibilityViewIsModal(true);
    const int count = static_cast<int>(choices_.size());
    if (tableFrame_ && tableBackground_ && table_ && count <= fittingCount) {
        const float rows = rowHeight * static_cast<float>(count);
        Rect frame = tableFrame_->frame();
        frame.height = rows + 8;
        tableFrame_->setFrame(frame);
        Rect back = tableBackground_->frame();
        back.height = rows + 28;
        tableBackground_->setFrame(back);
        table_->setFrame({frame.x + 1, frame.y + 4, frame.width - 2, rows - 1});
        // The wizard places the view with its own size, so it ends where the box does.
        Rect own = view()->frame();
        own.height = back.maxY();
        view()->setFrame(own);
    }
    if (!table_) return;
    table_->setSeparatorColor(separatorColor);
    table_->setRowHeight(rowHeight);
    auto self = std::static_pointer_cast<IpadPicker>(shared_from_this());
    table_->setDataSource(std::weak_ptr<TableViewDataSource>(self));
    table_->setDelegate(std::weak_ptr<TableViewDelegate>(self));
    table_->reloadData();
    if (!checkedValue_) return;
    // With duplicates the first one is the checked row.
    const auto found = std::find(choices_.begin(), choices_.end(), *checkedValue_);
    if (found != choices_.end())
        table_->scrollToRowAtIndexPath({0, static_cast<int>(found - choices_.begin())},
                                       TableViewScrollPosition::Middle, false);
}

int IpadPicker::tableViewNumberOfRowsInSection(TableView&, int) {
    return static_cast<int>(choices_.size());
}

std::shared_ptr<TableViewCell> IpadPicker::tableViewCellForRowAtIndexPath(TableView&,
                                                                          IndexPath path) {
    if (path.row < 0 || path.row >= static_cast<int>(choices_.size())) return nullptr;
    const std::string& choice = choices_[static_cast<std::size_t>(path.row)];
    auto cell = makeChoiceCell(choice, checkedValue_ && *checkedValue_ == choice,
                               {cellWidth, rowHeight}, 10, 13);
    // The box's white shows through, rounded corners and all.
    cell->setBackgroundColor(Color::clear());
    cell->setOpaque(false);
    return cell;
}

void IpadPicker::tableViewDidSelectRowAtIndexPath(TableView&, IndexPath path) {
    if (path.row < 0 || path.row >= static_cast<int>(choices_.size())) return;
    report(choices_[static_cast<std::size_t>(path.row)]);
}

void IpadPicker::dismiss() {
    report(checkedValue_.value_or(""));
}

void IpadPicker::report(const std::string& value) {
    // The delegate drops its hold on us while answering.
    auto self = shared_from_this();
    if (auto delegate = delegate_.lock()) delegate->pickerPickedValue(*this, value);
}

} // namespace mevara
