#pragma once

#include "handset/StandInScreen.h"

namespace mevara {

// The menu of information pages (a stand-in until the pages are built).
class MoreMenuController : public StandInScreen {
public:
    MoreMenuController() : StandInScreen("More Information") {}
    std::string className() const override { return "MoreMenuController"; }
};

} // namespace mevara
