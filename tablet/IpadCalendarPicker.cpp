#include "tablet/IpadCalendarPicker.h"

#include "handset/CalendarPickerController.h"
#include "platform/LocalCalendar.h"
#include "platform/NumberParsing.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"

#include <algorithm>
#include <cstdio>

namespace mevara {

namespace {

constexpr float clearGap = 19;
// The box and the container reach this far below the last row of days.
constexpr float formBoxBelowGrid = 40;
constexpr float containerBelowGrid = 60;
// A month list in portrait lies over the calendar, just inside its corner.
constexpr float portraitListInset = 8;

void setHeight(View& view, float height) {
    Rect frame = view.frame();
    frame.height = height;
    view.setFrame(frame);
}

} // namespace

const char* const IpadCalendarPicker::monthTitle = "Month";
const char* const IpadCalendarPicker::yearTitle = "Year";
const std::array<const char*, 12> IpadCalendarPicker::monthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::shared_ptr<IpadCalendarPicker>
IpadCalendarPicker::calendarPickerWithDelegate(std::weak_ptr<IpadCalendarPickerDelegate> delegate) {
    auto picker = std::make_shared<IpadCalendarPicker>();
    picker->delegate_ = std::move(delegate);
    return picker;
}

IpadCalendarPicker::IpadCalendarPicker() : ViewController("IpadCalendarPicker") {}

void IpadCalendarPicker::bind(Bindings& b) {
    b.outlet("monthButton", monthButton_);
    b.outlet("yearButton", yearButton_);
    b.outlet("previousButton", previousButton_);
    b.outlet("nextButton", nextButton_);
    b.outlet("clearButton", clearButton_);
    b.outlet("container", container_);
    b.outlet("formBox", formBox_);
    b.outlet("lastBar", lastBar_);
    b.outlet("bottomRule", bottomRule_);
    for (std::size_t i = 0; i < verticalBarOutlets_.size(); ++i)
        b.outlet("verticalBar" + std::to_string(i + 1), verticalBarOutlets_[i]);
    for (std::size_t i = 0; i < weekdayLabels_.size(); ++i)
        b.outlet("weekday" + std::to_string(i + 1), weekdayLabels_[i]);
    b.action("onPrevious", [this] { onPrevious(); });
    b.action("onNext", [this] { onNext(); });
    b.action("onMonth", [this] { onMonth(); });
    b.action("onYear", [this] { onYear(); });
    b.action("onClear", [this] { onClear(); });
}

void IpadCalendarPicker::viewDidLoad() {
    // An open popover is all a screen reader finds until it closes.
    view()->setAccessibilityViewIsModal(true);
    verticalBars_.clear();
    for (const auto& bar : verticalBarOutlets_)
        if (bar) verticalBars_.push_back(bar);
    const auto weekdays = LocalCalendar::shortWeekdayNames();
    for (std::size_t i = 0; i < weekdayLabels_.size() && i < weekdays.size(); ++i)
        if (weekdayLabels_[i]) weekdayLabels_[i]->setText(weekdays[i]);
}

void IpadCalendarPicker::setSelectedDate(std::optional<Date> date) {
    if (date == selectedDate_) return;
    selectedDate_ = date;
    displayedDate_ = date;
    if (date) populate();
}

void IpadCalendarPicker::createCells() {
    auto blue = Image::named("button-blue.png");
    auto pressed = blue ? blue->stretchableImage(12, 12) : nullptr;
    std::weak_ptr<ViewController> weak = weak_from_this();
    for (int index = 0; index < cellCount; ++index) {
        const float x = gridLeft + static_cast<float>(index % columns) * cellSize;
        const float y = gridTop + static_cast<float>(index / columns) * cellSize;
        auto cell = std::make_shared<Button>(Rect{x, y, cellSize, cellSize});
        cell->setName("dayCell" + std::to_string(index));
        cell->setBackgroundImage(pressed, ControlState::Highlighted);
        cell->setTitleColor(Color::white(), ControlState::Highlighted);
        // Only the displayed month's days are enabled, so only they report.
        cell->addTarget(ControlEvent::TouchUpInside, [weak](Control& sender) {
            auto self = std::static_pointer_cast<IpadCalendarPicker>(weak.lock());
            if (auto* button = dynamic_cast<Button*>(&sender); self && button)
                self->onDateSelected(*button);
        });
        view()->addSubview(cell);
        calendarCells_.push_back(std::move(cell));
    }
}

void IpadCalendarPicker::populate() {
    if (!displayedDate_ || !isViewLoaded()) return;
    displayedDate_ = CalendarPickerController::withinOfferedMonths(*displayedDate_);
    const MonthGrid grid = LocalCalendar::monthGrid(*displayedDate_, selectedDate_);
    if (monthButton_) monthButton_->setTitle(LocalCalendar::monthName(grid.shown.month));
    if (yearButton_) yearButton_->setTitle(std::to_string(grid.shown.year));
    const CalendarMonth shown{grid.shown.year, grid.shown.month};
    const auto [earliest, latest] = CalendarPickerController::offeredMonths();
    if (previousButton_) previousButton_->setEnabled(shown > earliest);
    if (nextButton_) nextButton_->setEnabled(shown < latest);
    if (calendarCells_.empty()) createCells();

    for (int index = 0; index <= grid.lastCell; ++index) {
        const auto& entry = grid.cells[static_cast<std::size_t>(index)];
        const bool inMonth = entry.kind == MonthGrid::Kind::InMonth;
        // The month before shows its days as two digits, as the grid always has.
        char leading[4];
        std::snprintf(leading, sizeof leading, "%02d", entry.day);
        const std::string title =
            entry.kind == MonthGrid::Kind::Before ? leading : std::to_string(entry.day);
        const Color color = !inMonth                           ? dimDayColor
                            : entry.day == grid.highlightedDay ? Color::blue()
                                                               : Color::black();
        const auto& cell = calendarCells_[static_cast<std::size_t>(index)];
        cell->setTitle(title, ControlState::Normal);
        cell->setTitle(title, ControlState::Highlighted);
        cell->setAccessibilityLabel(
            inMonth ? CalendarPickerController::spokenDay(grid.shown, entry.day) : title);
        cell->setTitleColor(color, ControlState::Normal);
        cell->setTitleFont(inMonth ? Font::boldSystemFont(17) : Font::systemFont(17));
        cell->setEnabled(inMonth);
    }

    // Four, five or six weeks: the rows after the last filled one go, and the box follows.
    const int last = grid.lastCell;
    const bool sixRows = last >= 5 * columns;
    if (lastBar_) lastBar_->setHidden(!sixRows);
    for (int i = 4 * columns; i < cellCount; ++i)
        calendarCells_[static_cast<std::size_t>(i)]->setHidden(i > last);

    const float bottom = calendarCells_[static_cast<std::size_t>(last)]->frame().maxY();
    const float top = container_ ? container_->frame().y : 0;
    const float height = bottom - top;
    for (const auto& bar : verticalBars_)
        setHeight(*bar, bottom - bar->frame().y);
    if (bottomRule_) {
        // Closes the grid under whichever row is last.
        Rect frame = bottomRule_->frame();
        frame.y = bottom;
        bottomRule_->setFrame(frame);
    }
    if (clearButton_) {
        Rect frame = clearButton_->frame();
        frame.y = bottom + clearGap;
        clearButton_->setFrame(frame);
    }
    if (formBox_) setHeight(*formBox_, height + formBoxBelowGrid);
    if (container_) {
        setHeight(*container_, height + containerBelowGrid);
        // A tap just below a shorter month lies outside the calendar, as it looks.
        setHeight(*view(), container_->frame().maxY());
    }
}

void IpadCalendarPicker::display(int year, int month, int day) {
    displayedDate_ =
        CalendarPickerController::withinOfferedMonths(LocalCalendar::dateFrom(year, month, day));
}

void IpadCalendarPicker::onNext() {
    if (!displayedDate_) return;
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    const CalendarMonth next = CalendarMonth{shown.year, shown.month}.next();
    if (next > CalendarPickerController::offeredMonths().second) return;
    display(next.year, next.month, shown.day);
    populate();
}

void IpadCalendarPicker::onPrevious() {
    if (!displayedDate_) return;
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    const CalendarMonth previous = CalendarMonth{shown.year, shown.month}.previous();
    if (previous < CalendarPickerController::offeredMonths().first) return;
    display(previous.year, previous.month, shown.day);
    populate();
}

void IpadCalendarPicker::onMonth() {
    if (picker_) {
        closeList();
        return;
    }
    std::optional<std::string> checked;
    if (displayedDate_)
        checked =
            monthNames[static_cast<std::size_t>(LocalCalendar::dayOf(*displayedDate_).month - 1)];
    openList(monthTitle, {monthNames.begin(), monthNames.end()}, checked);
}

void IpadCalendarPicker::onYear() {
    if (picker_) {
        closeList();
        return;
    }
    std::optional<std::string> checked;
    if (displayedDate_) checked = std::to_string(LocalCalendar::dayOf(*displayedDate_).year);
    openList(yearTitle, CalendarPickerController::yearChoices(), checked);
}

void IpadCalendarPicker::openList(const char* title, std::vector<std::string> choices,
                                  std::optional<std::string> checked) {
    auto* superview = view()->superview();
    if (!superview) return;
    auto self = std::static_pointer_cast<IpadCalendarPicker>(shared_from_this());
    picker_ = IpadPicker::pickerWithTitle(title, std::move(choices), std::move(checked),
                                          std::weak_ptr<IpadPickerDelegate>(self));
    auto list = picker_->view();
    list->setAlpha(0);
    const Rect own = view()->frame();
    const Rect box = container_ ? container_->frame() : Rect{};
    const Rect size = list->frame();
    Point at{own.x + box.x, own.y + box.y};
    const Rect space = superview->bounds();
    if (space.width < space.height) {
        at.x += portraitListInset;
        at.y += portraitListInset;
    } else {
        at.x += box.width;
    }
    list->setFrame({at.x, at.y, size.width, size.height});
    superview->addSubview(list);
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    list->setAlpha(1);
    loop.commitAnimations();
}

void IpadCalendarPicker::closeList() {
    if (!picker_) return;
    // The list reports its checked value, which changes nothing and lets it go.
    auto list = picker_;
    list->dismiss();
    if (picker_ == list) picker_ = nullptr;
}

void IpadCalendarPicker::dismissOpenList() {
    closeList();
}

void IpadCalendarPicker::pickerPickedValue(IpadPicker& picker, const std::string& value) {
    if (displayedDate_) {
        const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
        std::optional<CalendarDay> chosen;
        if (picker.title() != monthTitle) {
            const auto year = numbers::leadingInteger(value);
            if (year > 0 && year < 10000)
                chosen = CalendarDay{static_cast<int>(year), shown.month, shown.day};
        } else if (auto found = std::find(monthNames.begin(), monthNames.end(), value);
                   found != monthNames.end()) {
            chosen = CalendarDay{shown.year, static_cast<int>(found - monthNames.begin()) + 1,
                                 shown.day};
        }
        if (chosen && *chosen != shown) {
            display(chosen->year, chosen->month, chosen->day);
            populate();
        }
    }
    auto& loop = RunLoop::main();
    loop.beginAnimations("hidepicker");
    picker.view()->setAlpha(0);
    loop.commitAnimations();
    if (picker_.get() == &picker) picker_ = nullptr;
}

void IpadCalendarPicker::onDateSelected(const Button& sender) {
    if (!displayedDate_) return;
    const auto day =
        numbers::leadingInteger(sender.titleForState(ControlState::Normal).value_or(""));
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    report(LocalCalendar::dateFrom(shown.year, shown.month, static_cast<int>(day)));
}

void IpadCalendarPicker::onClear() {
    report(std::nullopt);
}

void IpadCalendarPicker::dismiss() {
    report(selectedDate_);
}

void IpadCalendarPicker::report(std::optional<Date> date) {
    // The delegate drops its hold on us while answering.
    auto self = shared_from_this();
    // The list lies beside the calendar, not in it, so it would outlive the answer.
    closeList();
    if (auto delegate = delegate_.lock()) delegate->calendarPickerPickedDate(*this, date);
}

} // namespace mevara
