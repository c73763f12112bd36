#pragma once

#include "handset/HelpHandler.h"
#include "toolkit/TableView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class ImageView;
class Label;
class Picker;

// One choice of a list: bold black text, centred for the counts "1" to "99", blue with a
// check mark when it is the current value.
std::shared_ptr<TableViewCell> makeChoiceCell(const std::string& choice, bool checked, Size size,
                                              float textTop, float checkTop);

// How a screen that opened a picker hears the choice (or, on Back, the old value).
class PickerDelegate {
public:
    virtual ~PickerDelegate() = default;
    virtual void pickerPickedValue(Picker& picker, const std::string& value) = 0;
};

// The handset's single-choice screen: a titled list of strings with a check mark on the
// current value. Shows no help.
class Picker : public HelpHandler, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr float rowHeight = 44;
    static constexpr float cellWidth = 280;
    // Fewer choices than this shrink the box to fit; more scroll.
    static constexpr int scrollingCount = 7;
    static constexpr Color separatorColor = Color::rgb(183.0f / 255, 204.0f / 255, 223.0f / 255);

    // The delegate is held until the picker is dropped.
    static std::shared_ptr<Picker> pickerWithPrompt(std::string prompt,
                                                    std::vector<std::string> choices,
                                                    std::optional<std::string> checkedValue,
                                                    std::shared_ptr<PickerDelegate> delegate);
    Picker();
    std::string className() const override { return "Picker"; }

    void viewDidLoad() override;
    void onBackButton();

    const std::string& prompt() const { return prompt_; }
    const std::vector<std::string>& choices() const { return choices_; }
    const std::optional<std::string>& checkedValue() const { return checkedValue_; }
    const std::shared_ptr<PickerDelegate>& delegate() const { return delegate_; }
    const std::shared_ptr<Label>& label() const { return label_; }
    const std::shared_ptr<TableView>& table() const { return table_; }
    const std::shared_ptr<ImageView>& tableBackground() const { return tableBackground_; }

    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath path) override;
    void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) override;

protected:
    void bind(Bindings& bindings) override;

private:
    void report(const std::string& value);

    std::string prompt_;
    std::vector<std::string> choices_;
    std::optional<std::string> checkedValue_;
    std::shared_ptr<PickerDelegate> delegate_;
    std::shared_ptr<Label> label_;
    std::shared_ptr<TableView> table_;
    std::shared_ptr<ImageView> tableBackground_;
};

} // namespace mevara
