#include "handset/CalendarPickerController.h"

#include "handset/MevaraViewController.h"
#include "platform/LocalCalendar.h"
#include "platform/LocaleFormat.h"
#include "platform/NumberParsing.h"
#include "platform/PropertyList.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

#include <algorithm>
#include <iostream>

namespace mevara {

namespace {

constexpr int firstListedYear = 1900;
constexpr int lastListedYear = 2098;
constexpr Color dayTitleColor = Color::black();
constexpr Color highlightedDayTitleColor = Color::blue();

// Noon on `day` of the month, or on its last day when it has fewer.
Date noonOn(CalendarMonth month, int day) {
    day = std::clamp(day, 1, std::max(1, LocalCalendar::daysInMonth(month.year, month.month)));
    return LocalCalendar::dateFrom(month.year, month.month, day);
}

} // namespace

const char* const CalendarPickerController::monthPrompt = "Month";
const char* const CalendarPickerController::yearPrompt = "Year";
const std::array<const char*, 12> CalendarPickerController::englishMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

CalendarPickerController::CalendarPickerController() : HelpHandler("CalendarPickerController") {}

void CalendarPickerController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("monthButton", monthButton_);
    b.outlet("yearButton", yearButton_);
    b.outlet("previousButton", previousButton_);
    b.outlet("nextButton", nextButton_);
    b.outlet("background", background_);
    b.outlet("lastBar", lastBar_);
    b.outlet("clearButton", clearButton_);
    for (std::size_t i = 0; i < verticalBarOutlets_.size(); ++i)
        b.outlet("verticalBar" + std::to_string(i + 1), verticalBarOutlets_[i]);
    for (std::size_t i = 0; i < weekdayLabels_.size(); ++i)
        b.outlet("weekday" + std::to_string(i + 1), weekdayLabels_[i]);
    b.action("onPrevious", [this] { onPrevious(); });
    b.action("onNext", [this] { onNext(); });
    b.action("onMonth", [this] { onMonth(); });
    b.action("onYear", [this] { onYear(); });
    b.action("onClear", [this] { onClear(); });
    b.action("onBack", [this] { onBack(); });
    b.actionWithArgument("onDateSelected", [this](const std::any& sender) {
        std::shared_ptr<View> view;
        if (auto* v = std::any_cast<std::shared_ptr<View>>(&sender))
            view = *v;
        else if (auto* button = std::any_cast<std::shared_ptr<Button>>(&sender))
            view = *button;
        if (auto button = std::dynamic_pointer_cast<Button>(view)) onDateSelected(*button);
    });
}

void CalendarPickerController::viewDidLoad() {
    verticalBars_.clear();
    for (const auto& bar : verticalBarOutlets_)
        if (bar) verticalBars_.push_back(bar);
    if (background_) {
        auto box = Image::named("form-box.png");
        background_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
    populate();
}

bool CalendarPickerController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return orientation == OrientationPortrait;
}

void CalendarPickerController::setDelegate(std::shared_ptr<CalendarPickerDelegate> delegate) {
    delegate_ = std::move(delegate);
}

void CalendarPickerController::setSelectedDate(std::optional<Date> date) {
    if (date == selectedDate_) return;
    selectedDate_ = date;
    displayedDate_ = date;
    if (date) populate();
}

void CalendarPickerController::createCells() {
    auto blue = Image::named("button-blue.png");
    auto pressed = blue ? blue->stretchableImage(12, 12) : nullptr;
    std::weak_ptr<ViewController> target = weak_from_this();
    for (int index = 0; index < cellCount; ++index) {
        const float x = gridLeft + static_cast<float>(index % columns) * cellSize;
        const float y = gridTop + static_cast<float>(index / columns) * cellSize;
        auto cell = std::make_shared<Button>(Rect{x, y, cellSize, cellSize});
        cell->setName("dayCell" + std::to_string(index));
        cell->setTitleFont(Font::boldSystemFont(17));
        cell->setBackgroundImage(pressed, ControlState::Highlighted);
        cell->setTitleColor(Color::white(), ControlState::Highlighted);
        // Only the displayed month's days are enabled, so only they report.
        cell->addTarget(ControlEvent::TouchUpInside, [target](Control& sender) {
            if (auto controller = target.lock())
                controller->perform("onDateSelected",
                                    std::static_pointer_cast<View>(sender.shared_from_this()));
        });
        view()->addSubview(cell);
        calendarCells_.push_back(std::move(cell));
    }
}

std::string CalendarPickerController::spokenDay(const CalendarDay& shown, int day) {
    return LocaleFormat::mediumDateText(LocalCalendar::dateFrom(shown.year, shown.month, day));
}

void CalendarPickerController::populate() {
    if (!displayedDate_ || !isViewLoaded()) return;
    displayedDate_ = withinOfferedMonths(*displayedDate_);
    const MonthGrid grid = LocalCalendar::monthGrid(*displayedDate_, selectedDate_);
    const CalendarDay shown = grid.shown;
    if (monthButton_) monthButton_->setTitle(LocalCalendar::monthName(shown.month));
    if (yearButton_) yearButton_->setTitle(std::to_string(shown.year));
    const CalendarMonth month{shown.year, shown.month};
    const auto [earliest, latest] = offeredMonths();
    if (previousButton_) previousButton_->setEnabled(month > earliest);
    if (nextButton_) nextButton_->setEnabled(month < latest);
    const auto weekdays = LocalCalendar::shortWeekdayNames();
    for (std::size_t i = 0; i < weekdayLabels_.size() && i < weekdays.size(); ++i)
        if (weekdayLabels_[i]) weekdayLabels_[i]->setText(weekdays[i]);
    if (calendarCells_.empty()) createCells();

    for (int index = 0; index <= grid.lastCell; ++index) {
        const auto& entry = grid.cells[static_cast<std::size_t>(index)];
        const bool inMonth = entry.kind == MonthGrid::Kind::InMonth;
        const Color color = !inMonth                           ? dimTitleColor
                            : entry.day == grid.highlightedDay ? highlightedDayTitleColor
                                                               : dayTitleColor;
        const auto& cell = calendarCells_[static_cast<std::size_t>(index)];
        const std::string title = std::to_string(entry.day);
        cell->setTitle(title, ControlState::Normal);
        cell->setTitle(title, ControlState::Highlighted);
        cell->setAccessibilityLabel(inMonth ? spokenDay(shown, entry.day) : title);
        cell->setTitleColor(color, ControlState::Normal);
        cell->setEnabled(inMonth);
    }

    const int last = grid.lastCell;
    const float bottom = calendarCells_[static_cast<std::size_t>(last)]->frame().maxY();
    auto reachBottom = [bottom](View& view) {
        Rect frame = view.frame();
        frame.height = bottom - frame.y;
        view.setFrame(frame);
    };
    if (background_) reachBottom(*background_);
    for (const auto& bar : verticalBars_)
        reachBottom(*bar);
    if (clearButton_) {
        Rect frame = clearButton_->frame();
        frame.y = bottom + clearGap;
        clearButton_->setFrame(frame);
    }
    if (lastBar_) lastBar_->setHidden(last < cellCount - 1);
    for (int i = 4 * columns; i < cellCount; ++i)
        calendarCells_[static_cast<std::size_t>(i)]->setHidden(i > last);
}

void CalendarPickerController::displayMonth(int year, int month) {
    const int day = displayedDate_ ? LocalCalendar::dayOf(*displayedDate_).day : 1;
    displayedDate_ = withinOfferedMonths(noonOn({year, month}, day));
}

void CalendarPickerController::onNext() {
    if (!displayedDate_) return;
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    const CalendarMonth next = CalendarMonth{shown.year, shown.month}.next();
    if (next > offeredMonths().second) return;
    displayMonth(next.year, next.month);
    std::clog << "New displayed date is " << LocalCalendar::description(*displayedDate_) << '\n';
    populate();
}

void CalendarPickerController::onPrevious() {
    if (!displayedDate_) return;
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    const CalendarMonth previous = CalendarMonth{shown.year, shown.month}.previous();
    if (previous < offeredMonths().first) return;
    displayMonth(previous.year, previous.month);
    std::clog << "New displayed date is " << LocalCalendar::description(*displayedDate_) << '\n';
    populate();
}

std::vector<std::string> CalendarPickerController::yearChoices() {
    std::vector<std::string> years;
    for (int year = firstListedYear; year <= lastListedYear; ++year)
        years.push_back(std::to_string(year));
    return years;
}

std::pair<CalendarMonth, CalendarMonth> CalendarPickerController::offeredMonths() {
    return LocalCalendar::wholeMonthsWithin(PropertyList::earliestDate(),
                                            PropertyList::latestDate());
}

Date CalendarPickerController::withinOfferedMonths(Date date) {
    const CalendarDay day = LocalCalendar::dayOf(date);
    const CalendarMonth month{day.year, day.month};
    const auto [first, last] = offeredMonths();
    if (month < first) return noonOn(first, day.day);
    if (month > last) return noonOn(last, day.day);
    return date;
}

void CalendarPickerController::onMonth() {
    std::optional<std::string> checked;
    if (displayedDate_)
        checked = LocalCalendar::monthName(LocalCalendar::dayOf(*displayedDate_).month);
    auto self = std::dynamic_pointer_cast<PickerDelegate>(shared_from_this());
    auto picker = Picker::pickerWithPrompt(
        monthPrompt, {englishMonthNames.begin(), englishMonthNames.end()}, checked, self);
    if (auto root = MevaraViewController::root()) root->openScreen(picker);
}

void CalendarPickerController::onYear() {
    std::optional<std::string> checked;
    if (displayedDate_) checked = std::to_string(LocalCalendar::dayOf(*displayedDate_).year);
    auto self = std::dynamic_pointer_cast<PickerDelegate>(shared_from_this());
    auto picker = Picker::pickerWithPrompt(yearPrompt, yearChoices(), checked, self);
    if (auto root = MevaraViewController::root()) root->openScreen(picker);
}

void CalendarPickerController::pickerPickedValue(Picker& picker, const std::string& value) {
    if (displayedDate_) {
        const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
        if (picker.prompt() == monthPrompt) {
            auto found = std::find(englishMonthNames.begin(), englishMonthNames.end(), value);
            if (found != englishMonthNames.end()) {
                displayMonth(shown.year, static_cast<int>(found - englishMonthNames.begin()) + 1);
                populate();
            }
        } else if (const auto year = numbers::leadingInteger(value); year > 0 && year < 10000) {
            displayMonth(static_cast<int>(year), shown.month);
            populate();
        }
    }
    if (auto root = MevaraViewController::root()) root->returnToScreen(shared_from_this());
}

void CalendarPickerController::onDateSelected(const Button& sender) {
    if (!displayedDate_) return;
    const auto day =
        numbers::leadingInteger(sender.titleForState(ControlState::Normal).value_or(""));
    const CalendarDay shown = LocalCalendar::dayOf(*displayedDate_);
    report(LocalCalendar::dateFrom(shown.year, shown.month, static_cast<int>(day)));
}

void CalendarPickerController::onClear() {
    report(std::nullopt);
}

void CalendarPickerController::onBack() {
    report(selectedDate_);
}

void CalendarPickerController::report(std::optional<Date> date) {
    // The delegate usually drops us as it slides itself back in.
    auto self = shared_from_this();
    if (delegate_) delegate_->calendarPickerPickedDate(*this, date);
}

} // namespace mevara
