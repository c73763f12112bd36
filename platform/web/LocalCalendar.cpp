#include "platform/LocalCalendar.h"

#include "platform/LocaleFormat.h"
#include "platform/web/JsText.h"

#include <cmath>
#include <cstdlib>
#include <emscripten.h>

// The calendar's primitives on the browser's Intl: fields of a moment in any time zone,
// and the moment of a wall time found from the zone's offsets, with ICU's choices where
// a wall time repeats (the later) or is skipped (read with the offset before the change).
namespace mevara {

namespace {

// clang-format off
EM_JS(double, mevara_calendar, (int what, const char* zoneText, double ms, int y, int m, int d,
                                int h, int mi, int s), {
    const zone = UTF8ToString(zoneText);
    const utc = (year, month, day, hour, minute, second) => {
        const t = new Date(0);
        t.setUTCFullYear(year, month - 1, day);
        t.setUTCHours(hour, minute, second, 0);
        return t.getTime();
    };
    if (!Module.mevaraFields || Module.mevaraFieldsZone !== zone) {
        let format;
        try {
            format = new Intl.DateTimeFormat("en-US", {timeZone: zone, hourCycle: "h23",
                era: "short", year: "numeric", month: "numeric", day: "numeric",
                hour: "numeric", minute: "numeric", second: "numeric", weekday: "short"});
        } catch (e) {
            format = new Intl.DateTimeFormat("en-US", {timeZone: "UTC", hourCycle: "h23",
                era: "short", year: "numeric", month: "numeric", day: "numeric",
                hour: "numeric", minute: "numeric", second: "numeric", weekday: "short"});
        }
        const days = {Mon: 1, Tue: 2, Wed: 3, Thu: 4, Fri: 5, Sat: 6, Sun: 7};
        Module.mevaraFieldsZone = zone;
        Module.mevaraFields = (t) => {
            const f = {};
            for (const part of format.formatToParts(new Date(t))) f[part.type] = part.value;
            const year = Number(f.year);
            return {year: f.era === "BC" ? 1 - year : year, month: Number(f.month),
                    day: Number(f.day), hour: Number(f.hour), minute: Number(f.minute),
                    second: Number(f.second), weekday: days[f.weekday]};
        };
    }
    const fields = Module.mevaraFields;
    const offset = (t) => {
        const f = fields(t);
        return utc(f.year, f.month, f.day, f.hour, f.minute, f.second) - Math.floor(t / 1000) * 1000;
    };
    const at = (year, month, day, hour, minute, second) => {
        const wall = utc(year, month, day, hour, minute, second);
        const early = wall - offset(wall - 86400000), late = wall - offset(wall + 86400000);
        const shows = (t) => utc(...Object.values(fields(t)).slice(0, 6)) === wall;
        if (shows(early) && shows(late)) return Math.max(early, late);
        if (shows(late)) return late;
        return early;
    };
    if (what == 0) return at(y, m, d, h, mi, s);
    const f = fields(ms);
    if (what == 1) return f.year;
    if (what == 2) return f.month;
    if (what == 3) return f.day;
    if (what == 4) return f.weekday;
    if (what == 5) return offset(ms) / 60000;
    if (what == 6) {
        const whole = Math.floor(ms / 1000) * 1000;
        return at(f.year, f.month, f.day + d, f.hour, f.minute, f.second) + (ms - whole);
    }
    if (what == 7) return f.hour * 3600 + f.minute * 60 + f.second;
    return 0;
});

// 1 for Monday to 7 for Sunday: the locale's first day of the week.
EM_JS(int, mevara_firstWeekday, (const char* localeText), {
    try {
        const locale = new Intl.Locale(UTF8ToString(localeText).replace("_", "-"));
        const info = locale.getWeekInfo ? locale.getWeekInfo() : locale.weekInfo;
        return info && info.firstDay ? info.firstDay : 7;
    } catch (e) {
        return 7;
    }
});

// A weekday's (1 Monday to 7 Sunday) short name or a month's (1 to 12) name, each as it
// stands alone.
EM_JS(char*, mevara_calendarName, (const char* localeText, int weekday, int month), {
    let s = "";
    try {
        const tag = UTF8ToString(localeText).replace("_", "-");
        const options = weekday ? {weekday: "short", timeZone: "UTC"} : {month: "long", timeZone: "UTC"};
        const date = weekday ? new Date(Date.UTC(2024, 0, weekday)) : new Date(Date.UTC(2024, month - 1, 15));
        s = new Intl.DateTimeFormat(tag, options).format(date);
    } catch (e) {
        s = "";
    }
    return mevaraTextOut(s);
});
// clang-format on

double ask(int what, double ms = 0, int y = 0, int m = 0, int d = 0, int h = 0, int mi = 0,
           int s = 0) {
    return mevara_calendar(what, LocaleFormat::timeZone().c_str(), ms, y, m, d, h, mi, s);
}

double millis(Date date) {
    return static_cast<double>(date.time_since_epoch().count()) / 1000.0;
}

Date fromMillis(double ms) {
    return Date(std::chrono::microseconds(std::llround(ms * 1000.0)));
}

std::string name(int weekday, int month) {
    return web::takeJsText(mevara_calendarName(LocaleFormat::locale().c_str(), weekday, month));
}

} // namespace

CalendarDay LocalCalendar::dayOf(Date date) {
    const double ms = millis(date);
    return {static_cast<int>(ask(1, ms)), static_cast<int>(ask(2, ms)),
            static_cast<int>(ask(3, ms))};
}

Date LocalCalendar::dateFrom(int year, int month, int day, int hour, int minute, int second) {
    return fromMillis(ask(0, 0, year, month, day, hour, minute, second));
}

Date LocalCalendar::addingDays(Date date, int days) {
    // Keep the sub-millisecond part the calendar cannot carry.
    const auto below = date - std::chrono::floor<std::chrono::milliseconds>(date);
    return fromMillis(std::floor(ask(6, millis(date), 0, 0, days))) + below;
}

int LocalCalendar::daysInMonth(int year, int month) {
    const CalendarDay last = dayOf(addingDays(dateFrom(year, month + 1, 1), -1));
    return last.day;
}

int LocalCalendar::localWeekday(Date date) {
    const int iso = static_cast<int>(ask(4, millis(date)));
    const int first = mevara_firstWeekday(LocaleFormat::locale().c_str());
    return (iso - first + 7) % 7 + 1;
}

std::vector<std::string> LocalCalendar::shortWeekdayNames() {
    const int first = mevara_firstWeekday(LocaleFormat::locale().c_str());
    std::vector<std::string> names;
    for (int i = 0; i < 7; ++i)
        names.push_back(name((first - 1 + i) % 7 + 1, 0));
    return names;
}

std::string LocalCalendar::monthName(int month) {
    if (month < 1 || month > 12) return {};
    return name(0, month);
}

std::string LocalCalendar::description(Date date) {
    const double ms = millis(date);
    const CalendarDay day = dayOf(date);
    const int seconds = static_cast<int>(ask(7, ms));
    const int offset = static_cast<int>(ask(5, ms));
    const int size = std::abs(offset);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d %c%02d%02d", day.year,
                  day.month, day.day, seconds / 3600, seconds / 60 % 60, seconds % 60,
                  offset < 0 ? '-' : '+', size / 60, size % 60);
    return text;
}

} // namespace mevara
