#include "handset/Picker.h"

#include "platform/NumberParsing.h"
#include "platform/Unicode.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara {

std::shared_ptr<Picker> Picker::pickerWithPrompt(std::string prompt,
                                                 std::vector<std::string> choices,
                                                 std::optional<std::string> checkedValue,
                                                 std::shared_ptr<PickerDelegate> delegate) {
    auto picker = std::make_shared<Picker>();
    picker->prompt_ = std::move(prompt);
    picker->choices_ = std::move(choices);
    picker->checkedValue_ = std::move(checkedValue);
    picker->delegate_ = std::move(delegate);
    return picker;
}

Picker::Picker() : HelpHandler("Picker") {}

void Picker::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("label", label_);
    b.outlet("table", table_);
    b.outlet("tableBackground", tableBackground_);
    b.action("onBackButton", [this] { onBackButton(); });
}

void Picker::viewDidLoad() {
    const int count = static_cast<int>(choices_.size());
    if (tableBackground_ && table_ && count < scrollingCount) {
        Rect box = tableBackground_->frame();
        box.height = rowHeight * static_cast<float>(count) + 8;
        tableBackground_->setFrame(box);
        table_->setFrame({box.x, box.y + 4, box.width, rowHeight * static_cast<float>(count) - 1});
    }
    if (table_) {
        table_->setSeparatorColor(separatorColor);
        auto self = std::static_pointer_cast<Picker>(shared_from_this());
        table_->setDataSource(std::weak_ptr<TableViewDataSource>(self));
        table_->setDelegate(std::weak_ptr<TableViewDelegate>(self));
    }
    if (tableBackground_) {
        auto box = Image::named("form-box.png");
        tableBackground_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
    if (label_) label_->setText(prompt_);
    if (!table_) return;
    table_->reloadData();
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (checkedValue_ && choices_[i] == *checkedValue_) {
            table_->scrollToRowAtIndexPath({0, static_cast<int>(i)},
                                           TableViewScrollPosition::Middle, false);
            break;
        }
    }
}

int Picker::tableViewNumberOfRowsInSection(TableView&, int) {
    return static_cast<int>(choices_.size());
}

std::shared_ptr<TableViewCell> makeChoiceCell(const std::string& choice, bool checked, Size size,
                                              float textTop, float checkTop) {
    auto cell = std::make_shared<TableViewCell>(Rect{0, 0, size.width, size.height});
    auto text = std::make_shared<Label>(Rect{17, textTop, 229, 21});
    text->setName("choice");
    text->setText(choice);
    text->setFont(Font::named(Font::bold, 17));
    // Long body parts shrink before they are cut short.
    text->setAdjustsFontSizeToFitWidth(true);
    text->setMinimumFontSize(12);
    text->setTextColor(Color::black());
    text->setHighlightedTextColor(Color::white());
    text->setBackgroundColor(Color::clear());
    text->setOpaque(false);
    // The counts "1" to "99" read better centred.
    if (unicode::utf16Length(choice) < 3 && numbers::leadingInteger(choice) >= 1)
        text->setTextAlignment(TextAlignment::Center);
    cell->addSubview(text);
    if (checked) {
        text->setTextColor(Color::blue());
        auto check = std::make_shared<ImageView>(Rect{254, checkTop, 11, 15});
        check->setName("checkmark");
        check->setImage(Image::named("checkmark.png"));
        cell->addSubview(check);
    }
    return cell;
}

std::shared_ptr<TableViewCell> Picker::tableViewCellForRowAtIndexPath(TableView&, IndexPath path) {
    if (path.row < 0 || path.row >= static_cast<int>(choices_.size())) return nullptr;
    const std::string& choice = choices_[static_cast<std::size_t>(path.row)];
    return makeChoiceCell(choice, checkedValue_ && *checkedValue_ == choice, {cellWidth, rowHeight},
                          13, 16);
}

void Picker::tableViewDidSelectRowAtIndexPath(TableView&, IndexPath path) {
    if (path.row < 0 || path.row >= static_cast<int>(choices_.size())) return;
    report(choices_[static_cast<std::size_t>(path.row)]);
}

void Picker::onBackButton() {
    report(checkedValue_.value_or(""));
}

void Picker::report(const std::string& value) {
    // The delegate usually slides another screen in; keep ourselves alive meanwhile.
    auto self = shared_from_this();
    if (delegate_) delegate_->pickerPickedValue(*this, value);
}

} // namespace mevara
