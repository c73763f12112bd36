#include "TabletFixture.h"
#include "handset/CalendarPickerController.h"
#include "platform/Clock.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "support/CalendarGrid.h"
#include "tablet/IpadCalendarPicker.h"

namespace mevara {
namespace {

// Opens the date popover from the first-test step's date row, as a person does.
class IpadCalendar : public testsupport::TabletTest {
protected:
    std::shared_ptr<IpadCalendarPicker> calendar;

    void SetUp() override {
        TabletTest::SetUp();
        LocaleFormat::setLocale("en_US");
        // Clocks go forward on March 8, 2026.
        LocaleFormat::setTimeZone("America/New_York");
        // Just after midnight, two days after the clocks went forward: a month found by
        // going back 24-hour steps from here would start on the last day of February.
        Clock::setSource([] { return LocalCalendar::dateFrom(2026, 3, 10, 0, 30); });
        setProfile("Male", "30 - 39");
        start();
        wizard().directMove("step2");
    }
    void TearDown() override {
        calendar.reset();
        TabletTest::TearDown();
    }
    void open(std::optional<Date> date = {}) {
        wizard().test()->setDate(date);
        tapWidget("step2_dateButton");
        calendar = wizard().calendarPicker();
        ASSERT_TRUE(calendar);
    }
    void show(int year, int month, int day = 15) {
        calendar->setDisplayedDate(LocalCalendar::dateFrom(year, month, day));
        calendar->populate();
    }
    const std::shared_ptr<Button>& cell(int index) const {
        return calendar->calendarCells()[static_cast<std::size_t>(index)];
    }
    std::string grid() const { return testsupport::gridText(calendar->calendarCells()); }
    std::shared_ptr<Button> day(const std::string& title) const {
        return testsupport::dayCell(calendar->calendarCells(), title);
    }
    std::string dateRow() const { return wizard().widget<Label>("step2_date")->text(); }
};

using testsupport::days;

TEST_F(IpadCalendar, TheGridShowsFourFiveOrSixWeeksOfWholeDays) {
    open();
    // Opened without a date: this month, found by calendar days across the clock change.
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "March");
    EXPECT_EQ(calendar->yearButton()->currentTitle(), "2026");
    EXPECT_EQ(cell(8)->frame(), (Rect{74, 108, 40, 40}));
    // March 2026 starts on a Sunday and ends on a Tuesday: five rows.
    EXPECT_EQ(grid(), days(1, 31) + days(1, 4, false));
    EXPECT_TRUE(calendar->lastBar()->isHidden());
    EXPECT_EQ(calendar->clearButton()->frame().y, 268 + 19);
    EXPECT_EQ(calendar->formBox()->frame().height, 268 + 40);

    // February 2026: 28 days from a Sunday fill exactly four rows, and the box shrinks,
    // the popover's own bounds too, so a tap just below it is outside.
    show(2026, 2);
    EXPECT_EQ(grid(), days(1, 28));
    EXPECT_TRUE(cell(28)->isHidden());
    EXPECT_EQ(calendar->container()->frame().height, 228 + 60);
    EXPECT_EQ(calendar->view()->frame().height, 228 + 60);
    EXPECT_EQ(calendar->verticalBars().at(5)->frame().maxY(), 228);

    // August 2026 starts on a Saturday: July's last days lead, six rows and the last line.
    show(2026, 8);
    EXPECT_EQ(grid(), "(26) (27) (28) (29) (30) (31) " + days(1, 31) + days(1, 5, false));
    EXPECT_FALSE(calendar->lastBar()->isHidden());
    EXPECT_EQ(calendar->clearButton()->frame().y, 308 + 19);
    // Days across the clock changes: the phone's grid tests, on the same month grid.
}

TEST_F(IpadCalendar, NextAndPreviousKeepTheDayNumberEvenPastTheMonthsEnd) {
    open(LocalCalendar::dateFrom(2026, 1, 31));
    // January 2026 starts on a Thursday; the selected day is blue.
    EXPECT_EQ(cell(34)->currentTitleColor(), Color::blue());
    calendar->onNext();
    // February has no 31st: the calendar runs on into March.
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "March");
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2026, 3, 3}));

    show(2026, 12, 10);
    calendar->onNext();
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2027, 1, 10}));
    calendar->onPrevious();
    calendar->onPrevious();
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2026, 11, 10}));
}

TEST_F(IpadCalendar, ShowsOnlyMonthsWhoseDaysTheDataFileHolds) {
    // The file's dates run from 13 December 1932 to 19 January 2069.
    open(LocalCalendar::dateFrom(2068, 12, 31));
    EXPECT_TRUE(calendar->previousButton()->isEnabled());
    EXPECT_FALSE(calendar->nextButton()->isEnabled());
    calendar->onNext();
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2068, 12, 31}));

    show(1933, 2, 28);
    calendar->onPrevious();
    calendar->onPrevious();
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{1933, 1, 28}));
    EXPECT_FALSE(calendar->previousButton()->isEnabled());
    // A year beyond them shows the nearest month, and its days are kept as picked.
    show(1950, 3, 5);
    tapView(calendar->yearButton());
    calendar->picker()->tableViewDidSelectRowAtIndexPath(*calendar->picker()->table(), {0, 0});
    EXPECT_EQ(calendar->yearButton()->currentTitle(), "1933");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "January");
    tapView(day("5"));
    EXPECT_EQ(wizard().test()->date(), LocalCalendar::dateFrom(1933, 1, 5));
}

TEST_F(IpadCalendar, ADayComesBackAtNoonClearEmptiesAndATapOutsideKeepsTheDate) {
    open();
    // The tablet scripts pin the picked day on the form; its hour shows only here.
    tapView(day("9"));
    EXPECT_EQ(LocalCalendar::description(*wizard().test()->date()), "2026-03-09 12:00:00 -0400");

    const Date ides = LocalCalendar::dateFrom(2026, 3, 15);
    open(ides);
    calendar->onNext();
    window->tap({900, 700});
    EXPECT_FALSE(wizard().calendarPicker());
    EXPECT_EQ(dateRow(), "Mar 15, 2026");
    EXPECT_EQ(wizard().test()->date(), ides);

    open(ides);
    tapView(calendar->clearButton());
    EXPECT_EQ(dateRow(), "");
    EXPECT_FALSE(wizard().test()->date());
}

TEST_F(IpadCalendar, MonthAndYearListsOpenBesideItAndCloseBeforeARotation) {
    open(LocalCalendar::dateFrom(2024, 2, 29));
    tapView(calendar->monthButton());
    auto list = calendar->picker();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->checkedValue(), "February");
    const Rect popover = calendar->view()->frame();
    const Rect box = calendar->container()->frame();
    EXPECT_EQ(list->view()->frame().x, popover.x + box.x + box.width);
    EXPECT_EQ(list->view()->frame().y, popover.y + box.y);
    list->tableViewDidSelectRowAtIndexPath(*list->table(), {0, 4});
    EXPECT_FALSE(calendar->picker());
    EXPECT_FLOAT_EQ(list->view()->alpha(), 0);
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2024, 5, 29}));

    tapView(calendar->yearButton());
    list = calendar->picker();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->choices(), CalendarPickerController::yearChoices());
    EXPECT_EQ(list->checkedValue(), "2024");
    rotate(1);
    EXPECT_FALSE(calendar->picker());
    EXPECT_TRUE(wizard().calendarPicker());

    // In portrait the list lies over the calendar, just inside its corner.
    tapView(calendar->monthButton());
    list = calendar->picker();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->view()->frame().x, popover.x + box.x + 8);
    EXPECT_EQ(list->view()->frame().y, popover.y + box.y + 8);
    // A day (here under the list) closes the list with the calendar.
    calendar->onDateSelected(*day("1"));
    EXPECT_FLOAT_EQ(list->view()->alpha(), 0);
    EXPECT_EQ(dateRow(), "May 1, 2024");
}

} // namespace
} // namespace mevara
