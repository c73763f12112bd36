#include "HandsetFixture.h"
#include "handset/CalendarPickerController.h"
#include "handset/Picker.h"
#include "platform/Clock.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "support/CalendarGrid.h"

#include <sstream>

namespace mevara {
namespace {

using namespace std::chrono;

// Stands where the test form will: hears what the calendar reports.
struct Answers : CalendarPickerDelegate {
    std::vector<std::optional<Date>> dates;
    void calendarPickerPickedDate(CalendarPickerController&, std::optional<Date> date) override {
        dates.push_back(date);
    }
};

class HandsetCalendar : public testsupport::HandsetTest {
protected:
    std::shared_ptr<Answers> answers = std::make_shared<Answers>();
    std::shared_ptr<CalendarPickerController> calendar;
    // The diagnostic log, kept off the test output.
    std::ostringstream log;
    std::streambuf* savedLog = nullptr;

    void SetUp() override {
        HandsetTest::SetUp();
        savedLog = std::clog.rdbuf(log.rdbuf());
        LocaleFormat::setLocale("en_US");
        LocaleFormat::setTimeZone("America/New_York");
        start();
    }
    // The temporary folder puts the locale, the zone and the clock back.
    void TearDown() override {
        calendar.reset();
        std::clog.rdbuf(savedLog);
        HandsetTest::TearDown();
    }

    // Opens the calendar the way the test form does: the date is given before and again
    // after the slide starts, then the grid is built.
    void open(std::optional<Date> selected) {
        calendar = std::make_shared<CalendarPickerController>();
        calendar->setDelegate(answers);
        auto give = [&] {
            if (selected)
                calendar->setSelectedDate(selected);
            else
                calendar->setDisplayedDate(Clock::now());
        };
        give();
        root->openScreen(calendar);
        give();
        calendar->populate();
        advance(1.0);
        ASSERT_EQ(root->currentViewController(), calendar);
    }
    // Shows the month of that moment.
    void show(int year, int month, int day = 15, int hour = 12, int minute = 0) {
        calendar->setDisplayedDate(LocalCalendar::dateFrom(year, month, day, hour, minute));
        calendar->populate();
    }

    std::shared_ptr<Button> cellReading(const std::string& day) const {
        return testsupport::dayCell(calendar->calendarCells(), day);
    }
    std::string grid() const { return testsupport::gridText(calendar->calendarCells()); }
};

using testsupport::days;

TEST_F(HandsetCalendar, TheGridFollowsTheLocalesWeekAndTheMonthsLength) {
    open(LocalCalendar::dateFrom(2026, 3, 15));
    ASSERT_EQ(calendar->calendarCells().size(), 42u);
    EXPECT_EQ(calendar->weekdayLabels()[0]->text(), "Sun");
    EXPECT_EQ(calendar->weekdayLabels()[6]->text(), "Sat");
    struct Month {
        const char* locale;
        int year, month;
        std::string grid;
        int rows;
    };
    for (const Month& m : {
             // March 2026 starts on a Sunday: no leading days; five rows, ending on Tuesday.
             Month{"en_US", 2026, 3, days(1, 31) + days(1, 4, false), 5},
             // A 28-day February starting on Sunday fills exactly four rows.
             Month{"en_US", 2026, 2, days(1, 28), 4},
             // August 2026 starts on Saturday: July's last days lead, and six rows show.
             Month{"en_US", 2026, 8, days(26, 31, false) + days(1, 31) + days(1, 5, false), 6},
             // In Germany the week starts on Monday: February 2021 fills four rows there,
             // and March 2026 begins with Monday the 23rd of February.
             Month{"de_DE", 2021, 2, days(1, 28), 4},
             Month{"de_DE", 2026, 3, days(23, 28, false) + days(1, 31) + days(1, 5, false), 6},
         }) {
        SCOPED_TRACE(std::string(m.locale) + " " + std::to_string(m.month));
        LocaleFormat::setLocale(m.locale);
        show(m.year, m.month);
        EXPECT_EQ(grid(), m.grid);
        // The box ends below the last row shown, Clear 10 further down.
        const float bottom = 120 + 40.0f * static_cast<float>(m.rows);
        EXPECT_EQ(calendar->lastBar()->isHidden(), m.rows < 6);
        EXPECT_EQ(calendar->background()->frame().maxY(), bottom);
        EXPECT_EQ(calendar->clearButton()->frame().y, bottom + 10);
        ASSERT_EQ(calendar->verticalBars().size(), 6u);
        for (const auto& bar : calendar->verticalBars())
            EXPECT_EQ(bar->frame().maxY(), bottom);
        // Only the selected day is blue, and only in its own month.
        const bool selectedMonth = m.year == 2026 && m.month == 3;
        for (const auto& cell : calendar->calendarCells()) {
            if (cell->isHidden()) continue;
            const auto expected = !cell->isEnabled() ? CalendarPickerController::dimTitleColor
                                  : selectedMonth && cell->currentTitle() == "15" ? Color::blue()
                                                                                  : Color::black();
            EXPECT_EQ(cell->currentTitleColor(), expected) << cell->currentTitle();
        }
    }
    EXPECT_EQ(calendar->weekdayLabels()[0]->text().substr(0, 2), "Mo");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "M\u00e4rz");
}

TEST_F(HandsetCalendar, EveryDayShowsOnceAcrossDaylightSavingChanges) {
    open(LocalCalendar::dateFrom(2026, 3, 15));
    struct Case {
        const char* zone;
        int year, month;
        std::string expected;
    };
    const std::vector<Case> cases{
        // Clocks go forward on 8 March and back on 1 November.
        {"America/New_York", 2026, 3, days(1, 31) + days(1, 4, false)},
        {"America/New_York", 2026, 11, days(1, 30) + days(1, 5, false)},
        // These changes happen at midnight, so 4 November 2018 and 12 August 2018 have no
        // 00:00, and 16 February 2019 and 12 May 2018 have two 23:00s.
        {"America/Sao_Paulo", 2018, 11, days(28, 31, false) + days(1, 30) + days(1, 1, false)},
        {"America/Sao_Paulo", 2019, 2, days(27, 31, false) + days(1, 28) + days(1, 2, false)},
        {"America/Santiago", 2018, 8, days(29, 31, false) + days(1, 31) + days(1, 1, false)},
        {"America/Santiago", 2018, 5, days(29, 30, false) + days(1, 31) + days(1, 2, false)},
    };
    for (const auto& c : cases) {
        LocaleFormat::setTimeZone(c.zone);
        // Near either end of a day and of the month, where 24-hour steps go wrong.
        for (int day : {1, 15, 28})
            for (auto [hour, minute] : {std::pair{0, 30}, std::pair{12, 0}, std::pair{23, 30}}) {
                show(c.year, c.month, day, hour, minute);
                EXPECT_EQ(grid(), c.expected)
                    << c.zone << " " << c.year << "-" << c.month << "-" << day << " " << hour;
            }
    }
    // No midnight on 4 November 2018 in São Paulo: the day starts at 01:00.
    LocaleFormat::setTimeZone("America/Sao_Paulo");
    EXPECT_EQ(LocalCalendar::dateFrom(2018, 11, 4, 0, 0, 0), sys_days{2018y / November / 4} + 3h);
}

TEST_F(HandsetCalendar, ArrowsStepOneMonthAndLogTheNewDate) {
    open(LocalCalendar::dateFrom(2026, 1, 31));
    tapOnScreen("nextButton");
    // From the 31st, the next month is February, not March.
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "February");
    EXPECT_EQ(log.str(), "New displayed date is 2026-02-28 12:00:00 -0500\n");

    show(2026, 1);
    tapOnScreen("previousButton");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "December");
    EXPECT_EQ(calendar->yearButton()->currentTitle(), "2025");
    tapOnScreen("nextButton");
    tapOnScreen("nextButton");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "February");
    EXPECT_EQ(calendar->yearButton()->currentTitle(), "2026");
    EXPECT_TRUE(answers->dates.empty());
}

TEST_F(HandsetCalendar, ShowsOnlyMonthsWhoseDaysTheDataFileHolds) {
    // The file's dates run from 13 December 1932 to 19 January 2069: the calendar stops at
    // the whole months inside, and a year picked beyond them shows the nearest.
    open(LocalCalendar::dateFrom(2068, 11, 30));
    tapOnScreen("nextButton");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "December");
    EXPECT_FALSE(calendar->nextButton()->isEnabled());
    log.str("");
    calendar->onNext();
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2068, 12, 30}));
    EXPECT_EQ(log.str(), "");

    // A date kept from a file but beyond them opens on the nearest month.
    open(LocalCalendar::dateFrom(1920, 5, 31));
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{1933, 1, 31}));
    EXPECT_FALSE(calendar->previousButton()->isEnabled());
    EXPECT_TRUE(calendar->nextButton()->isEnabled());
    tapOnScreen("nextButton");
    EXPECT_TRUE(calendar->previousButton()->isEnabled());

    pick("yearButton", "2090");
    EXPECT_EQ(LocalCalendar::dayOf(*calendar->displayedDate()), (CalendarDay{2068, 12, 28}));
    EXPECT_FALSE(calendar->nextButton()->isEnabled());
    tapView(cellReading("31"));
    EXPECT_EQ(answers->dates.back(), LocalCalendar::dateFrom(2068, 12, 31));
}

TEST_F(HandsetCalendar, DaysClearAndBackReportToTheForm) {
    const Date selected = LocalCalendar::dateFrom(2026, 3, 15, 9, 41);
    open(selected);
    // A greyed day of the next month takes no tap.
    tapView(calendar->calendarCells()[32]);
    EXPECT_TRUE(answers->dates.empty());

    tapView(cellReading("20"));
    ASSERT_EQ(answers->dates.size(), 1u);
    // Noon on 20 March in New York, daylight saving time.
    EXPECT_EQ(answers->dates[0], sys_days{2026y / March / 20} + 16h);
    tapOnScreen("clearButton");
    ASSERT_EQ(answers->dates.size(), 2u);
    EXPECT_EQ(answers->dates[1], std::nullopt);
    // Back gives the old date, even after moving to another month.
    tapOnScreen("nextButton");
    tapOnScreen("backButton");
    ASSERT_EQ(answers->dates.size(), 3u);
    EXPECT_EQ(answers->dates[2], selected);

    // A test without a date opens on today (the phone scripts show it); Back reports none.
    open(std::nullopt);
    tapOnScreen("backButton");
    EXPECT_EQ(answers->dates.back(), std::nullopt);

    // Help here: HandsetHelp.EachScreenTogglesItsOwnBubbleOrHasNone.
    // Built without a date, the grid stays empty until there is one.
    auto blank = std::make_shared<CalendarPickerController>();
    blank->populate();
    blank->view();
    blank->populate();
    EXPECT_TRUE(blank->calendarCells().empty());
}

TEST_F(HandsetCalendar, MonthAndYearListsChangeTheDisplayedMonth) {
    open(LocalCalendar::dateFrom(2024, 3, 31));
    auto picker = openWith<Picker>("monthButton");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->prompt(), "Month");
    EXPECT_EQ(picker->choices().front(), "January");
    EXPECT_EQ(checkedRows(*picker), std::vector<std::string>{"March"});
    tapRow(picker->table(), 1);
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), calendar);
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "February");

    picker = openWith<Picker>("yearButton");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->prompt(), "Year");
    EXPECT_EQ(picker->choices().front(), "1900");
    EXPECT_EQ(picker->choices().back(), "2098");
    EXPECT_EQ(picker->choices().size(), 199u);
    EXPECT_EQ(checkedRows(*picker), std::vector<std::string>{"2024"});
    // 29 February 2024 has no match in 2023: the grid shows February 2023 all the same.
    tapRow(picker->table(), 2023 - 1900);
    advance(1.0);
    EXPECT_EQ(calendar->yearButton()->currentTitle(), "2023");
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "February");

    // German month names are not in the English list: no check mark, but picking works.
    LocaleFormat::setLocale("de_DE");
    calendar->populate();
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "Februar");
    picker = openWith<Picker>("monthButton");
    ASSERT_TRUE(picker);
    EXPECT_TRUE(checkedRows(*picker).empty());
    tapRow(picker->table(), 2);
    advance(1.0);
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "März");
    // Back from the list leaves the month alone.
    picker = openWith<Picker>("monthButton");
    ASSERT_TRUE(picker);
    tapView(find("backButton", picker->view()));
    advance(1.0);
    EXPECT_EQ(root->currentViewController(), calendar);
    EXPECT_EQ(calendar->monthButton()->currentTitle(), "März");
    EXPECT_TRUE(answers->dates.empty());
}

// The weeks and names of en_US and de_DE show in the grids above.
TEST(LocalCalendar, NamesAndDatesComeFromTheLocaleAndTheDevicesZone) {
    const Date sunday = sys_days{2026y / March / 15} + 12h;
    // A month on its own is named in the nominative, not as inside a date ("марта").
    LocaleFormat::setLocale("ru_RU");
    EXPECT_EQ(LocalCalendar::monthName(3), "март");
    // Dates are written in the device's zone unless one is given.
    LocaleFormat::setLocale("en_US");
    LocaleFormat::setTimeZone("Pacific/Auckland");
    EXPECT_EQ(LocaleFormat::mediumDateText(sunday), "Mar 16, 2026");
    LocaleFormat::setLocale(std::nullopt);
    LocaleFormat::setTimeZone(std::nullopt);
}

} // namespace
} // namespace mevara
