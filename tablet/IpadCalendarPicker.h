#pragma once

#include "platform/Date.h"
#include "tablet/IpadPicker.h"
#include "toolkit/Color.h"
#include "toolkit/ViewController.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class Button;
class ImageView;
class IpadCalendarPicker;
class Label;
class View;

// How the wizard hears the day picked on the tablet's date popover, or none when cleared.
class IpadCalendarPickerDelegate {
public:
    virtual ~IpadCalendarPickerDelegate() = default;
    virtual void calendarPickerPickedDate(IpadCalendarPicker& picker, std::optional<Date> date) = 0;
};

// The tablet's date popover: a month grid beside the form's date row, stepped by arrows
// or chosen from month and year lists that open beside it. A tapped day is reported at
// noon; the grid grows and shrinks with the month's four, five or six weeks.
class IpadCalendarPicker : public ViewController, public IpadPickerDelegate {
public:
    static constexpr int cellCount = 42;
    static constexpr int columns = 7;
    static constexpr float cellSize = 40;
    static constexpr float gridLeft = 34;
    static constexpr float gridTop = 68;
    static const char* const monthTitle;
    static const char* const yearTitle;
    // The month list's choices, whatever the locale.
    static const std::array<const char*, 12> monthNames;
    static constexpr Color dimDayColor = Color::rgb(0.6f, 0.63f, 0.67f);

    // The delegate is not held: the wizard holds the picker while it is open.
    static std::shared_ptr<IpadCalendarPicker>
    calendarPickerWithDelegate(std::weak_ptr<IpadCalendarPickerDelegate> delegate);
    IpadCalendarPicker();
    std::string className() const override { return "IpadCalendarPicker"; }

    void viewDidLoad() override;

    const std::optional<Date>& selectedDate() const { return selectedDate_; }
    // A different date is also displayed, and the grid rebuilt when there is one.
    void setSelectedDate(std::optional<Date> date);
    const std::optional<Date>& displayedDate() const { return displayedDate_; }
    void setDisplayedDate(std::optional<Date> date) { displayedDate_ = date; }

    // Rebuilds the grid for the displayed month; nothing before the view is loaded or
    // while no date is displayed.
    void populate();
    void onNext();
    void onPrevious();
    void onMonth();
    void onYear();
    void onDateSelected(const Button& sender);
    void onClear();
    // Closes an open month or year list, then reports the selected date again, so the
    // form keeps the date it had.
    void dismiss();
    // Closes its own month or year list if one is open (before a rotation).
    void dismissOpenList();
    void pickerPickedValue(IpadPicker& picker, const std::string& value) override;

    // The open month or year list, if any.
    const std::shared_ptr<IpadPicker>& picker() const { return picker_; }
    const std::vector<std::shared_ptr<Button>>& calendarCells() const { return calendarCells_; }
    const std::vector<std::shared_ptr<View>>& verticalBars() const { return verticalBars_; }
    const std::shared_ptr<Button>& monthButton() const { return monthButton_; }
    const std::shared_ptr<Button>& yearButton() const { return yearButton_; }
    const std::shared_ptr<Button>& previousButton() const { return previousButton_; }
    const std::shared_ptr<Button>& nextButton() const { return nextButton_; }
    const std::shared_ptr<Button>& clearButton() const { return clearButton_; }
    const std::shared_ptr<ImageView>& container() const { return container_; }
    const std::shared_ptr<ImageView>& formBox() const { return formBox_; }
    const std::shared_ptr<View>& lastBar() const { return lastBar_; }

protected:
    void bind(Bindings& bindings) override;

private:
    void createCells();
    // Shows the day given by year, month and day at noon; a day past the month's end runs
    // into the next month, as the device's calendar does. Kept within the offered months.
    void display(int year, int month, int day);
    void openList(const char* title, std::vector<std::string> choices,
                  std::optional<std::string> checked);
    void closeList();
    void report(std::optional<Date> date);

    std::weak_ptr<IpadCalendarPickerDelegate> delegate_;
    std::optional<Date> selectedDate_;
    std::optional<Date> displayedDate_;
    std::shared_ptr<IpadPicker> picker_;
    std::vector<std::shared_ptr<Button>> calendarCells_;
    std::vector<std::shared_ptr<View>> verticalBars_;
    std::array<std::shared_ptr<View>, 6> verticalBarOutlets_;
    std::array<std::shared_ptr<Label>, 7> weekdayLabels_;
    std::shared_ptr<Button> monthButton_;
    std::shared_ptr<Button> yearButton_;
    std::shared_ptr<Button> previousButton_;
    std::shared_ptr<Button> nextButton_;
    std::shared_ptr<Button> clearButton_;
    std::shared_ptr<ImageView> container_;
    std::shared_ptr<ImageView> formBox_;
    std::shared_ptr<View> lastBar_;
    std::shared_ptr<View> bottomRule_;
};

} // namespace mevara
