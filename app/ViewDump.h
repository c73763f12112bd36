#pragma once

#include "toolkit/VisibleViews.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class View;
class Window;

// The text dump of everything visible at `time`: one view a line, indented by depth, the
// window first. The format is described in the README.
std::string dumpViewTree(const Window& window, double time);

// What a screen reader finds on the window, one element a line in reading order:
// traits, "label", value and hint when there are any, and the frame on screen.
std::string dumpAccessibility(const Window& window);

// `text` in double quotes with line breaks, quotes and backslashes escaped.
std::string quoteText(const std::string& text);

} // namespace mevara
