#pragma once

#include "platform/Date.h"
#include "toolkit/ViewController.h"

#include <optional>

namespace mevara {

class IpadCalendarPicker;

// How the wizard hears the day picked on the tablet's date popover, or none when cleared.
class IpadCalendarPickerDelegate {
public:
    virtual ~IpadCalendarPickerDelegate() = default;
    virtual void calendarPickerPickedDate(IpadCalendarPicker& picker, std::optional<Date> date) = 0;
};

// The tablet's date popover.
class IpadCalendarPicker : public ViewController {
public:
    using ViewController::ViewController;
    std::string className() const override { return "IpadCalendarPicker"; }
    // Closes its own month or year list if one is open (before a rotation).
    virtual void dismissOpenList() {}
};

} // namespace mevara
