#pragma once

#include "toolkit/TableView.h"
#include "toolkit/ViewController.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class ImageView;
class IpadPicker;

// How the wizard hears a popover list's choice (or, on dismissal, the value it had).
class IpadPickerDelegate {
public:
    virtual ~IpadPickerDelegate() = default;
    virtual void pickerPickedValue(IpadPicker& picker, const std::string& value) = 0;
};

// The tablet's popover list of choices, placed beside the form row that opened it. The
// title names the field it fills.
class IpadPicker : public ViewController, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr float rowHeight = 42;
    static constexpr float cellWidth = 280;
    // Up to this many choices the frame fits the list; more scroll.
    static constexpr int fittingCount = 9;

    // The delegate is not held: the wizard holds the picker while it is open.
    static std::shared_ptr<IpadPicker> pickerWithTitle(std::string title,
                                                       std::vector<std::string> choices,
                                                       std::optional<std::string> checkedValue,
                                                       std::weak_ptr<IpadPickerDelegate> delegate);
    IpadPicker();
    std::string className() const override { return "IpadPicker"; }

    void viewDidLoad() override;
    // Reports the checked value as if it had been chosen.
    void dismiss();

    const std::string& title() const { return title_; }
    const std::vector<std::string>& choices() const { return choices_; }
    const std::optional<std::string>& checkedValue() const { return checkedValue_; }
    const std::shared_ptr<TableView>& table() const { return table_; }
    const std::shared_ptr<ImageView>& tableBackground() const { return tableBackground_; }
    const std::shared_ptr<ImageView>& tableFrame() const { return tableFrame_; }

    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath path) override;
    void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) override;

protected:
    void bind(Bindings& bindings) override;

private:
    void report(const std::string& value);

    std::string title_;
    std::vector<std::string> choices_;
    std::optional<std::string> checkedValue_;
    std::weak_ptr<IpadPickerDelegate> delegate_;
    std::shared_ptr<TableView> table_;
    std::shared_ptr<ImageView> tableBackground_;
    std::shared_ptr<ImageView> tableFrame_;
};

} // namespace mevara
