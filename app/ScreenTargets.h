#pragma once

#include "platform/Geometry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class TableView;
class View;
class Window;

// Where a person would touch what a script or a browser test names, by the values as set
// (what touches go by).

// The front-most visible view that passes `test`, with its part on screen.
std::shared_ptr<View> frontMostView(const Window& window,
                                    const std::function<bool(const View&)>& test,
                                    Rect* onScreen = nullptr);
// The view named `wanted`, or with `byText` the label or button reading it.
std::shared_ptr<View> viewToTouch(const Window& window, const std::string& wanted, bool byText,
                                  Rect* onScreen);
// The middle of `view`, or of what shows of it when that is off screen.
Point touchPoint(const View& view, const Rect& onScreen);
// The visible part of row `row` of `table`, scrolled into view when it is not; empty when
// it cannot be brought on screen. The table stops moving first, as a person's earlier
// touch would have stopped it.
Rect rowOnScreen(TableView& table, int row, const Rect& tableOnScreen);
Point middle(const Rect& r);

// Escape: presses the front-most Back button a person could tap, as a finger would. False
// when the screen has none.
bool pressBackButton(const Window& window);

} // namespace mevara
