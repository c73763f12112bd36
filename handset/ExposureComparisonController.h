#pragma once

#include "handset/StandInScreen.h"

namespace mevara {

// The chart of the user's dose beside the references (a stand-in until it is built).
class ExposureComparisonController : public StandInScreen {
public:
    ExposureComparisonController() : StandInScreen("Compare") {}
    std::string className() const override { return "ExposureComparisonController"; }
};

} // namespace mevara
