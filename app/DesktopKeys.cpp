#include "app/DesktopKeys.h"

#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/LocalCalendar.h"
#include "report/DoseReport.h"
#include "toolkit/AlertView.h"
#include "toolkit/Window.h"

#include <cstdio>

namespace mevara {

namespace {

// "2026-12-06": the device's day, for file names that sort by date.
std::string localDay(Date date) {
    const CalendarDay day = LocalCalendar::dayOf(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

} // namespace

std::optional<std::filesystem::path> saveRecordToDocuments(Date now) {
    const auto path = Directories::userDocuments() / ("Mevara record " + localDay(now) + ".pdf");
    const auto error = DoseReport::write(UserData::instance(), path, now);
    const std::string message =
        error ? "The record could not be written: " + *error + "."
              : "Your record for the doctor is saved as " + path.string() + ".";
    std::make_shared<AlertView>("Mevara", message, std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
    if (error) return std::nullopt;
    return path;
}

} // namespace mevara
