#pragma once

#include "Date.h"

#include <optional>
#include <string>

// What LocaleFormat asks of the locale data: ICU on the desktop (icu/), the browser's
// Intl on the web (web/). Locales are named as "de_DE".
namespace mevara::localebackend {

// The environment's own locale, and whether it states no preference (C, POSIX).
std::string defaultLocale();
bool defaultStatesNoPreference();
bool hasData(const std::string& locale);
std::string defaultTimeZone();

// Two fraction digits, halves to even, the locale's grouping and decimal sign.
std::string twoDecimalText(double value, const std::string& locale);
// The locale's medium date style in `zone` (none: the default zone).
std::string mediumDateText(Date date, const std::string& locale,
                           const std::optional<std::string>& zone);

} // namespace mevara::localebackend
