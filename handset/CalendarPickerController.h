#pragma once

#include "handset/HelpHandler.h"
#include "handset/Picker.h"
#include "platform/Date.h"
#include "platform/LocalCalendar.h"
#include "toolkit/Color.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class Button;
class CalendarPickerController;
class ImageView;
class Label;
class View;

// How the screen that opened the calendar hears the chosen day, none when the date was
// cleared, or the date it had when the person went back.
class CalendarPickerDelegate {
public:
    virtual ~CalendarPickerDelegate() = default;
    virtual void calendarPickerPickedDate(CalendarPickerController& picker,
                                          std::optional<Date> date) = 0;
};

// The handset's month-grid date picker: one month at a time, stepped by arrows or chosen
// from month and year lists; a tapped day is reported at noon. Shows no help.
class CalendarPickerController : public HelpHandler, public PickerDelegate {
public:
    static constexpr int cellCount = 42;
    static constexpr int columns = 7;
    static constexpr float cellSize = 40;
    static constexpr float gridLeft = 20;
    static constexpr float gridTop = 120;
    static constexpr float clearGap = 10;
    static const char* const monthPrompt;
    static const char* const yearPrompt;
    // The month list's choices, whatever the locale.
    static const std::array<const char*, 12> englishMonthNames;
    static constexpr Color dimTitleColor = Color::rgb(0.6f, 0.63f, 0.67f);

    CalendarPickerController();
    std::string className() const override { return "CalendarPickerController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    // The delegate is held until the picker is dropped.
    const std::shared_ptr<CalendarPickerDelegate>& delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<CalendarPickerDelegate> delegate);
    const std::optional<Date>& selectedDate() const { return selectedDate_; }
    // A different date is also displayed, and the grid rebuilt when there is one.
    void setSelectedDate(std::optional<Date> date);
    const std::optional<Date>& displayedDate() const { return displayedDate_; }
    void setDisplayedDate(std::optional<Date> date) { displayedDate_ = date; }

    // Rebuilds the grid for the displayed month; nothing before the view is loaded or
    // while no date is displayed.
    void populate();

    void onPrevious();
    void onNext();
    void onMonth();
    void onYear();
    void onClear();
    void onBack();
    void onDateSelected(const Button& sender);
    void pickerPickedValue(Picker& picker, const std::string& value) override;

    // "1900" to "2098"; a year outside the offered months shows the nearest of them.
    static std::vector<std::string> yearChoices();
    // The months both calendars offer: those whose every day the user data file holds as a
    // number, so a chosen day is kept as that very day.
    // A day of the shown month as a screen reader says it: the whole date.
    static std::string spokenDay(const CalendarDay& shown, int day);
    static std::pair<CalendarMonth, CalendarMonth> offeredMonths();
    // `date` itself, or outside the offered months the nearest of them at noon, on the
    // same day where that month has it.
    static Date withinOfferedMonths(Date date);

    const std::vector<std::shared_ptr<Button>>& calendarCells() const { return calendarCells_; }
    const std::vector<std::shared_ptr<View>>& verticalBars() const { return verticalBars_; }
    const std::shared_ptr<Button>& monthButton() const { return monthButton_; }
    const std::shared_ptr<Button>& yearButton() const { return yearButton_; }
    const std::shared_ptr<Button>& previousButton() const { return previousButton_; }
    const std::shared_ptr<Button>& nextButton() const { return nextButton_; }
    const std::shared_ptr<ImageView>& background() const { return background_; }
    const std::shared_ptr<View>& lastBar() const { return lastBar_; }
    const std::shared_ptr<Button>& clearButton() const { return clearButton_; }
    const std::array<std::shared_ptr<Label>, 7>& weekdayLabels() const { return weekdayLabels_; }

protected:
    void bind(Bindings& bindings) override;

private:
    void createCells();
    // Shows the given month, keeping the displayed day where the month has it.
    void displayMonth(int year, int month);
    void report(std::optional<Date> date);

    std::shared_ptr<CalendarPickerDelegate> delegate_;
    std::optional<Date> selectedDate_;
    std::optional<Date> displayedDate_;
    std::vector<std::shared_ptr<Button>> calendarCells_;
    std::vector<std::shared_ptr<View>> verticalBars_;
    std::array<std::shared_ptr<View>, 6> verticalBarOutlets_;
    std::array<std::shared_ptr<Label>, 7> weekdayLabels_;
    std::shared_ptr<Button> monthButton_;
    std::shared_ptr<Button> yearButton_;
    std::shared_ptr<Button> previousButton_;
    std::shared_ptr<Button> nextButton_;
    std::shared_ptr<ImageView> background_;
    std::shared_ptr<View> lastBar_;
    std::shared_ptr<Button> clearButton_;
};

} // namespace mevara
