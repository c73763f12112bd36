#include "LocalCalendar.h"

// What follows from the calendar's primitives; those come from icu/ (desktop) or web/.
namespace mevara {

CalendarMonth CalendarMonth::next() const {
    return month == 12 ? CalendarMonth{year + 1, 1} : CalendarMonth{year, month + 1};
}

CalendarMonth CalendarMonth::previous() const {
    return month == 1 ? CalendarMonth{year - 1, 12} : CalendarMonth{year, month - 1};
}

std::pair<CalendarMonth, CalendarMonth> LocalCalendar::wholeMonthsWithin(Date from, Date to) {
    const CalendarDay start = dayOf(from);
    CalendarMonth first{start.year, start.month};
    if (dateFrom(first.year, first.month, 1, 0, 0, 0) < from) first = first.next();
    const CalendarDay end = dayOf(to);
    CalendarMonth last{end.year, end.month};
    const CalendarMonth after = last.next();
    if (dateFrom(after.year, after.month, 1, 0, 0, 0) > to) last = last.previous();
    return {first, last};
}

MonthGrid LocalCalendar::monthGrid(Date displayed, std::optional<Date> selected) {
    MonthGrid grid;
    grid.shown = dayOf(displayed);
    if (selected) {
        const CalendarDay day = dayOf(*selected);
        if (day.year == grid.shown.year && day.month == grid.shown.month)
            grid.highlightedDay = day.day;
    }
    using Kind = MonthGrid::Kind;
    // Whole calendar days, never 24-hour steps: a day of 23 or 25 hours (or one without a
    // midnight) would otherwise be skipped or shown twice.
    const Date first = addingDays(displayed, 1 - grid.shown.day);
    const int weekday = localWeekday(first);
    Date day = first;
    for (int index = weekday - 2; index >= 0; --index) {
        day = addingDays(day, -1);
        grid.cells[static_cast<std::size_t>(index)] = {dayOf(day).day, Kind::Before};
    }
    int index = weekday - 1;
    for (day = first; index < MonthGrid::cellCount; day = addingDays(day, 1), ++index) {
        const CalendarDay current = dayOf(day);
        if (current.month != grid.shown.month) break;
        grid.cells[static_cast<std::size_t>(index)] = {current.day, Kind::InMonth};
    }
    for (int next = 1; index < MonthGrid::cellCount && index % MonthGrid::columns != 0;
         ++index, ++next)
        grid.cells[static_cast<std::size_t>(index)] = {next, Kind::After};
    grid.lastCell = index - 1;
    return grid;
}

} // namespace mevara
