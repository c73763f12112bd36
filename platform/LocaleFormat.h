#pragma once

#include "Date.h"

#include <optional>
#include <string>

namespace mevara {

// Number and date texts in the device's locale, which tests and the command
// line may override.
class LocaleFormat {
public:
    // The locale in use, such as "en_US" or "de_DE".
    static std::string locale();
    static void setLocale(std::optional<std::string> locale);
    // Whether there are texts for the locale's language: "fr_US" borrows French, while
    // "xx_YY" and the empty root locale have none and would write "2025 M07 4".
    static bool hasData(const std::string& locale);
    // Settles the locale at start-up: `requested`, else the system's, when it has data;
    // otherwise en_US, and the returned line says why.
    static std::optional<std::string> useLocale(const std::optional<std::string>& requested);

    // The device's time zone ("America/New_York"): the override when one is set,
    // else ICU's default (the system's).
    static std::string timeZone();
    static void setTimeZone(std::optional<std::string> zone);

    // Decimal style with exactly two fraction digits, the locale's grouping and
    // marks, halves rounded to even: 1234.5 is "1,234.50" in en_US.
    static std::string twoDecimalText(double value);

    // General notation with at most seven significant digits and no trailing
    // zeros: 10 is "10", 15.6 is "15.6". Locale-neutral, because screens read
    // these texts back as numbers.
    static std::string shortText(double value);

    // Medium date style without time, in the device's time zone (timeZone()) unless
    // one is given ("Mar 15, 2026" in en_US, "15.03.2026" in de_DE).
    static std::string mediumDateText(Date date, const std::optional<std::string>& timeZone = {});
};

} // namespace mevara
