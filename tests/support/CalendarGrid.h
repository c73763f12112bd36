#pragma once

#include "toolkit/Button.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Reading the month grids of the phone's and the tablet's calendars alike.
namespace mevara::testsupport {

using CalendarCells = std::vector<std::shared_ptr<Button>>;

// "1 2 ... n " for the days `from` to `to`, in brackets when greyed.
inline std::string days(int from, int to, bool enabled = true) {
    std::string text;
    for (int day = from; day <= to; ++day)
        text += (enabled ? std::to_string(day) : "(" + std::to_string(day) + ")") + " ";
    return text;
}

// The titles of the visible cells, written as `days` writes them.
inline std::string gridText(const CalendarCells& cells) {
    std::string text;
    for (const auto& cell : cells) {
        if (cell->isHidden()) continue;
        const auto title = cell->titleForState(ControlState::Normal).value_or("");
        text += (cell->isEnabled() ? title : "(" + title + ")") + " ";
    }
    return text;
}

// The visible cell of the shown month reading `day`.
inline std::shared_ptr<Button> dayCell(const CalendarCells& cells, const std::string& day) {
    for (const auto& cell : cells)
        if (cell->isEnabled() && !cell->isHidden() && cell->currentTitle() == day) return cell;
    ADD_FAILURE() << "no day " << day;
    return nullptr;
}

} // namespace mevara::testsupport
