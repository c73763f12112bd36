#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <string>
#include <vector>

namespace mevara {

class View;
class Window;

// One thing a screen reader stops at.
struct AccessibleElement {
    std::shared_ptr<View> view;
    // What shows of it, in window points.
    Rect frame;
    std::string label, value, hint;
    unsigned traits = 0;
};

// The elements a person could reach on the window now, in reading order (the order the
// screens draw them); while a modal view shows, only those inside the front-most one.
std::vector<AccessibleElement> accessibleElements(const Window& window);

// The views a person could tap (buttons, switches, table rows) on the window now that a
// screen reader could not name: none of them should be.
std::vector<std::shared_ptr<View>> unnamedTappableViews(const Window& window);

// The front-most modal view showing (an alert, a sheet, the disclaimer, a popover), or null.
std::shared_ptr<View> frontModalView(const Window& window);

// The element that speaks for `view` (itself or the nearest element around it), or null.
std::shared_ptr<View> accessibleElementFor(const std::shared_ptr<View>& view);

// The traits as words: "button selected", "text header", "" for none.
std::string traitWords(unsigned traits);

} // namespace mevara
