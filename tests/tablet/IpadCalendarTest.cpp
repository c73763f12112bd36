#include "TabletFixture.h"
#include "handset/CalendarPickerController.h"
#include "platform/Clock.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "support/CalendarGrid.h"
#include "support/ToolkitFixture.h"
#include "tablet/IpadCalendarPicker.h"
#include "tablet/IpadPicker.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <string>
#include <vector>

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

class Listener : public IpadPickerDelegate {
public:
    void pickerPickedValue(IpadPicker& picker, const std::string& value) override {
        heard.push_back(picker.title() + "=" + value);
    }
    std::vector<std::string> heard;
};

std::vector<std::string> counts(int last) {
    std::vector<std::string> all;
    for (int i = 1; i <= last; ++i)
        all.push_back(std::to_string(i));
    return all;
}

class IpadPickerTest : public testsupport::ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    }
    // Shows the picker in the window's top left corner, as the wizard shows it beside a row.
    std::shared_ptr<IpadPicker> open(std::vector<std::string> choices,
                                     std::optional<std::string> checked = {}) {
        auto picker =
            IpadPicker::pickerWithTitle("Age", std::move(choices), std::move(checked), listener);
        window->addSubview(picker->view());
        window->layoutIfNeeded();
        return picker;
    }
    void tapRow(const IpadPicker& picker, int row) {
        const Rect r = picker.table()->rectForRowAtIndexPath({0, row});
        window->tap(picker.table()->convertPointToView({r.x + 40, r.y + r.height / 2}, nullptr));
    }
    static std::shared_ptr<Label> label(const IpadPicker& picker, int row) {
        auto cell = picker.table()->cellForRowAtIndexPath({0, row});
        for (const auto& sub : cell->subviews())
            if (sub->name() == "choice") return std::dynamic_pointer_cast<Label>(sub);
        return nullptr;
    }
    static bool checked(const IpadPicker& picker, int row) {
        const auto& subs = picker.table()->cellForRowAtIndexPath({0, row})->subviews();
        const bool marked = std::any_of(subs.begin(), subs.end(), [](const auto& sub) {
            auto check = std::dynamic_pointer_cast<ImageView>(sub);
            return check && check->image() && check->image()->name() == "checkmark.png" &&
                   check->frame() == Rect{254, 13, 11, 15};
        });
        EXPECT_EQ(label(picker, row)->textColor(), marked ? Color::blue() : Color::black()) << row;
        return marked;
    }

    std::shared_ptr<Listener> listener = std::make_shared<Listener>();
};

TEST_F(IpadPickerTest, FewChoicesFitTheBoxAndManyScroll) {
    for (int n : {2, 7, 9}) {
        auto picker = open(counts(n));
        const Rect frame = picker->tableFrame()->frame();
        const float rows = 42.0f * static_cast<float>(n);
        EXPECT_EQ(frame.height, rows + 8) << n;
        EXPECT_EQ(picker->tableBackground()->frame().height, rows + 28) << n;
        EXPECT_EQ(picker->table()->frame(),
                  (Rect{frame.x + 1, frame.y + 4, frame.width - 2, rows - 1}));
        EXPECT_EQ(picker->view()->frame().height, picker->tableBackground()->frame().maxY());
        EXPECT_EQ(picker->table()->contentOffset().y, 0);
        picker->view()->removeFromSuperview();
    }
    auto picker = open(counts(99));
    EXPECT_EQ(picker->table()->rowHeight(), 42);
    EXPECT_EQ(picker->table()->numberOfRows(), 99);
    const Rect table = picker->table()->frame();
    // Between nine and ten rows show, so the cut row tells that the list goes on.
    EXPECT_GT(table.height, 9 * 42);
    EXPECT_LT(table.height, 10 * 42);
    EXPECT_LE(table.maxY(), picker->tableFrame()->frame().maxY());
    EXPECT_LE(picker->tableFrame()->frame().maxY(), picker->tableBackground()->frame().maxY());
    EXPECT_EQ(picker->view()->frame().height, picker->tableBackground()->frame().maxY());
}

TEST_F(IpadPickerTest, TheCheckedRowIsCentredAndMarked) {
    auto choices = counts(99);
    choices[79] = "50";
    auto picker = open(choices, "50");
    auto table = picker->table();
    const Rect row = table->rectForRowAtIndexPath({0, 49});
    EXPECT_FLOAT_EQ(table->contentOffset().y + table->bounds().height / 2, row.y + row.height / 2);
    EXPECT_TRUE(checked(*picker, 49));
    EXPECT_TRUE(checked(*picker, 79));
    EXPECT_FALSE(checked(*picker, 48));

    picker = open({"Male", "Female"}, "Other");
    EXPECT_FALSE(checked(*picker, 0));
    EXPECT_FALSE(checked(*picker, 1));
}

TEST_F(IpadPickerTest, OnlyShortCountsAreCentred) {
    const std::vector<std::string> choices{"1", "99", "No", "0", "70+", "100", "-5"};
    auto picker = open(choices);
    for (int i = 0; i < static_cast<int>(choices.size()); ++i) {
        auto text = label(*picker, i);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->textAlignment(), i < 2 ? TextAlignment::Center : TextAlignment::Left)
            << text->text();
        EXPECT_EQ(text->frame(), (Rect{17, 10, 229, 21}));
    }
}

TEST_F(IpadPickerTest, ARowOrDismissalAnswersTheDelegateWhileItLives) {
    auto picker = open({"0 - 18", "19 - 29", "70+"}, "70+");
    tapRow(*picker, 1);
    picker->dismiss();
    open({"Male", "Female"})->dismiss();
    EXPECT_EQ(listener->heard, (std::vector<std::string>{"Age=19 - 29", "Age=70+", "Age="}));

    picker = open({"Male", "Female"}, "Male");
    listener.reset();
    tapRow(*picker, 1);
    picker->dismiss();
}

} // namespace
} // namespace mevara
