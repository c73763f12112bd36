#include "platform/LocalCalendar.h"

#include "platform/LocaleFormat.h"

#include <cmath>
#include <memory>
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace mevara {

namespace {

icu::Locale icuLocale() {
    return icu::Locale(LocaleFormat::locale().c_str());
}

icu::TimeZone* deviceZone() {
    const auto id = LocaleFormat::timeZone();
    return icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(id));
}

// Always Gregorian, whatever calendar the locale prefers: the year list and the stored
// dates are Gregorian. The locale still decides the first day of the week.
std::unique_ptr<icu::Calendar> calendar() {
    UErrorCode status = U_ZERO_ERROR;
    auto cal = std::make_unique<icu::GregorianCalendar>(deviceZone(), icuLocale(), status);
    if (U_FAILURE(status)) return nullptr;
    cal->setLenient(true);
    return cal;
}

UDate toUDate(Date date) {
    return static_cast<UDate>(date.time_since_epoch().count()) / 1000.0;
}

Date fromUDate(UDate millis) {
    return Date(std::chrono::microseconds(std::llround(millis * 1000.0)));
}

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    return text.toUTF8String(out);
}

} // namespace

CalendarDay LocalCalendar::dayOf(Date date) {
    auto cal = calendar();
    if (!cal) return {};
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(toUDate(date), status);
    // The extended year runs on through year 0, where the era's year would count down.
    const CalendarDay day{cal->get(UCAL_EXTENDED_YEAR, status), cal->get(UCAL_MONTH, status) + 1,
                          cal->get(UCAL_DATE, status)};
    return U_SUCCESS(status) ? day : CalendarDay{};
}

Date LocalCalendar::dateFrom(int year, int month, int day, int hour, int minute, int second) {
    auto cal = calendar();
    if (!cal) return {};
    cal->clear();
    cal->set(UCAL_EXTENDED_YEAR, year);
    cal->set(UCAL_MONTH, month - 1);
    cal->set(UCAL_DATE, day);
    cal->set(UCAL_HOUR_OF_DAY, hour);
    cal->set(UCAL_MINUTE, minute);
    cal->set(UCAL_SECOND, second);
    UErrorCode status = U_ZERO_ERROR;
    const UDate millis = cal->getTime(status);
    return U_SUCCESS(status) ? fromUDate(millis) : Date{};
}

Date LocalCalendar::addingDays(Date date, int days) {
    auto cal = calendar();
    if (!cal) return date;
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(toUDate(date), status);
    cal->add(UCAL_DATE, days, status);
    const UDate millis = cal->getTime(status);
    if (U_FAILURE(status)) return date;
    // Keep the sub-millisecond part the calendar cannot carry.
    const auto below = date - std::chrono::floor<std::chrono::milliseconds>(date);
    return fromUDate(std::floor(millis)) + below;
}

int LocalCalendar::daysInMonth(int year, int month) {
    auto cal = calendar();
    if (!cal) return 0;
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(toUDate(dateFrom(year, month, 1)), status);
    const int days = cal->getActualMaximum(UCAL_DATE, status);
    return U_SUCCESS(status) ? days : 0;
}

int LocalCalendar::localWeekday(Date date) {
    auto cal = calendar();
    if (!cal) return 1;
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(toUDate(date), status);
    const int weekday = cal->get(UCAL_DOW_LOCAL, status);
    return U_SUCCESS(status) ? weekday : 1;
}

std::vector<std::string> LocalCalendar::shortWeekdayNames() {
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(icuLocale(), status);
    auto cal = calendar();
    if (U_FAILURE(status) || !cal) return {};
    int32_t count = 0;
    // Indexed by the calendar's day numbers: 1 is Sunday, 7 Saturday.
    const icu::UnicodeString* names = symbols.getWeekdays(count, icu::DateFormatSymbols::STANDALONE,
                                                          icu::DateFormatSymbols::ABBREVIATED);
    const int first = cal->getFirstDayOfWeek(status);
    if (U_FAILURE(status) || count < 8 || first < 1 || first > 7) return {};
    std::vector<std::string> result;
    for (int i = 0; i < 7; ++i)
        result.push_back(utf8(names[(first - 1 + i) % 7 + 1]));
    return result;
}

std::string LocalCalendar::monthName(int month) {
    if (month < 1 || month > 12) return {};
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(icuLocale(), status);
    if (U_FAILURE(status)) return {};
    int32_t count = 0;
    // The stand-alone form: languages that inflect month names ("марта" in a Russian
    // date, which is what "MMMM" gives) name the month on its own in the nominative
    // ("март"), and a title shows the month on its own. English is the same either way.
    const icu::UnicodeString* names =
        symbols.getMonths(count, icu::DateFormatSymbols::STANDALONE, icu::DateFormatSymbols::WIDE);
    return month <= count ? utf8(names[month - 1]) : std::string();
}

std::string LocalCalendar::description(Date date) {
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat format(icu::UnicodeString("yyyy-MM-dd HH:mm:ss Z"),
                                 icu::Locale("en_US_POSIX"), status);
    auto cal = calendar();
    if (U_FAILURE(status) || !cal) return {};
    format.adoptCalendar(cal.release());
    icu::UnicodeString out;
    format.format(toUDate(date), out);
    return utf8(out);
}

} // namespace mevara
