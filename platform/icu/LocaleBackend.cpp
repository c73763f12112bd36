#include "platform/LocaleBackend.h"

#include <memory>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/timezone.h>
#include <unicode/ures.h>

namespace mevara::localebackend {

std::string defaultLocale() {
    return icu::Locale::getDefault().getName();
}

bool defaultStatesNoPreference() {
    return std::string(icu::Locale::getDefault().getVariant()) == "POSIX";
}

bool hasData(const std::string& locale) {
    const icu::Locale wanted(locale.c_str());
    if (wanted.isBogus() || *wanted.getLanguage() == '\0') return false;
    UErrorCode status = U_ZERO_ERROR;
    // Opening the locale's bundle falls back to the default locale when its language has
    // no data at all, and says so.
    std::unique_ptr<UResourceBundle, decltype(&ures_close)> bundle(
        ures_open(nullptr, wanted.getBaseName(), &status), &ures_close);
    return bundle && U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
}

std::string defaultTimeZone() {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    icu::UnicodeString id;
    std::string text;
    return zone ? zone->getID(id).toUTF8String(text) : "UTC";
}

std::string twoDecimalText(double value, const std::string& locale) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    FormattedNumber formatted = NumberFormatter::withLocale(icu::Locale(locale.c_str()))
                                    .precision(Precision::fixedFraction(2))
                                    .roundingMode(UNUM_ROUND_HALFEVEN)
                                    .formatDouble(value, status);
    std::string text;
    if (U_SUCCESS(status)) text = formatted.toString(status).toUTF8String(text);
    return U_SUCCESS(status) ? text : std::string();
}

std::string mediumDateText(Date date, const std::string& locale,
                           const std::optional<std::string>& zone) {
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, icu::Locale(locale.c_str())));
    if (!format) return {};
    if (zone) format->adoptTimeZone(icu::TimeZone::createTimeZone(zone->c_str()));
    auto millis = static_cast<UDate>(date.time_since_epoch().count()) / 1000.0;
    icu::UnicodeString out;
    format->format(millis, out);
    std::string text;
    return out.toUTF8String(text);
}

} // namespace mevara::localebackend
