#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"

#include <functional>
#include <memory>
#include <string>

namespace mevara {

class Label;
class TableViewCell;

constexpr Color rowBlue = Color::rgb(0.071f, 0.329f, 0.635f);

// A label of a list row: clear, white when the row is selected.
std::shared_ptr<Label> makeRowLabel(Rect frame, const std::string& text, const char* font,
                                    float size, Color color);
class Test;

// Where a tests list puts a row's name and detail line; the dose and its unit stand at
// the same place on every device.
struct TestRowLayout {
    float left = 15;
    float nameHeight = 21;
    float detailWidth = 287;
};

// Shows a dose in mSv on a label; a screen reader says the unit in words.
void showDose(Label& label, std::string text);

// "CT, Head, 1 test on March 14, 2026": the test as a row describes it.
std::string testDescription(const Test& test);

// A recorded test as a row of a tests list: its name, the detail line and the dose with
// its unit, raised beside the name when the detail line would run under it. A tap on the
// dose runs `onDoseTapped`.
std::shared_ptr<TableViewCell> makeTestRow(const Test& test, const TestRowLayout& layout,
                                           std::function<void()> onDoseTapped);

} // namespace mevara
