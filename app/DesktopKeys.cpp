#include "app/DesktopKeys.h"

#include "app/ViewDump.h"
#include "toolkit/Button.h"
#include "toolkit/Window.h"

namespace mevara {

bool pressBackButton(const Window& window) {
    std::shared_ptr<Button> back;
    // The walk goes back to front, so the last one met is the one on top.
    forEachVisibleView(window, std::nullopt, [&](const VisibleView& seen) {
        auto button = std::dynamic_pointer_cast<Button>(seen.view);
        if (!button || !button->acceptsTouches()) return;
        const std::string& name = button->name();
        if (name == "backButton" || name.ends_with("_backButton")) back = button;
    });
    if (!back) return false;
    back->sendActions(ControlEvent::TouchUpInside);
    return true;
}

} // namespace mevara
