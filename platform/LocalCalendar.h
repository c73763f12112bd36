#pragma once

#include "Date.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mevara {

// A day on the calendar; month 1 to 12.
struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

// A month of the calendar, ordered in time; month 1 to 12.
struct CalendarMonth {
    int year = 0;
    int month = 0;
    CalendarMonth next() const;
    CalendarMonth previous() const;
    friend auto operator<=>(const CalendarMonth&, const CalendarMonth&) = default;
};

// A month laid out as six weeks from the locale's first weekday: the last days of the
// month before, the month's own days, then the first days of the next up to the end of
// the last week in use.
struct MonthGrid {
    static constexpr int columns = 7;
    static constexpr int cellCount = 42;
    enum class Kind { Empty, Before, InMonth, After };
    struct Cell {
        int day = 0;
        Kind kind = Kind::Empty;
    };

    CalendarDay shown;
    std::array<Cell, cellCount> cells{};
    // The last cell in use: 27, 34 or 41 (four, five or six weeks).
    int lastCell = 0;
    // The selected day when it lies in the shown month.
    std::optional<int> highlightedDay;
};

// The device's Gregorian calendar: days, months and weekdays as the person sees them, in
// the device's time zone (LocaleFormat::timeZone()) and locale (LocaleFormat::locale()).
// Day arithmetic goes by calendar days, so a day that is 23 or 25 hours long (or has no
// midnight) still counts as one day.
class LocalCalendar {
public:
    static CalendarDay dayOf(Date date);
    // Lenient, as the device's calendar is: day 0 is the last day of the month before,
    // month 13 the January after.
    static Date dateFrom(int year, int month, int day, int hour = 12, int minute = 0,
                         int second = 0);
    static Date addingDays(Date date, int days);
    static int daysInMonth(int year, int month);
    // The first and the last month that lie wholly between `from` and `to`.
    static std::pair<CalendarMonth, CalendarMonth> wholeMonthsWithin(Date from, Date to);

    // The locale's day of the week: 1 for its first weekday (Sunday in en_US, Monday in
    // de_DE), up to 7.
    static int localWeekday(Date date);
    // The locale's short weekday names, starting from its first weekday.
    static std::vector<std::string> shortWeekdayNames();
    // The locale's name of a month (1 to 12) as it stands alone, for a title.
    static std::string monthName(int month);

    // The month of `displayed`, with `selected` highlighted when it falls in it.
    static MonthGrid monthGrid(Date displayed, std::optional<Date> selected);

    // A stable, locale-neutral text with the offset: "2026-03-15 12:00:00 -0400".
    static std::string description(Date date);
};

} // namespace mevara
