#include "LocaleFormat.h"

#include <charconv>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/timezone.h>
#include <unicode/ures.h>

namespace mevara {

namespace {

const char* const fallbackLocale = "en_US";

std::optional<std::string>& overrideLocale() {
    static std::optional<std::string> locale;
    return locale;
}

std::optional<std::string>& overrideTimeZone() {
    static std::optional<std::string> zone;
    return zone;
}

icu::Locale icuLocale() {
    return icu::Locale(LocaleFormat::locale().c_str());
}

} // namespace

std::string LocaleFormat::locale() {
    if (overrideLocale()) return *overrideLocale();
    return icu::Locale::getDefault().getName();
}

void LocaleFormat::setLocale(std::optional<std::string> locale) {
    overrideLocale() = std::move(locale);
}

bool LocaleFormat::hasData(const std::string& locale) {
    const icu::Locale wanted(locale.c_str());
    if (wanted.isBogus() || *wanted.getLanguage() == '\0') return false;
    UErrorCode status = U_ZERO_ERROR;
    // Opening the locale's bundle falls back to the default locale when its language has
    // no data at all, and says so.
    std::unique_ptr<UResourceBundle, decltype(&ures_close)> bundle(
        ures_open(nullptr, wanted.getBaseName(), &status), &ures_close);
    return bundle && U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
}

std::optional<std::string> LocaleFormat::useLocale(const std::optional<std::string>& requested) {
    const std::string wanted = requested.value_or(icu::Locale::getDefault().getName());
    // The C and POSIX environments state no preference; their stand-in formats numbers
    // without grouping, which nobody reading doses expects.
    if (!requested && std::string(icu::Locale::getDefault().getVariant()) == "POSIX") {
        setLocale(fallbackLocale);
        return std::nullopt;
    }
    if (hasData(wanted)) {
        setLocale(requested);
        return std::nullopt;
    }
    setLocale(fallbackLocale);
    return "unknown locale \"" + wanted + "\"; using " + fallbackLocale;
}

std::string LocaleFormat::timeZone() {
    if (overrideTimeZone()) return *overrideTimeZone();
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    icu::UnicodeString id;
    std::string text;
    return zone ? zone->getID(id).toUTF8String(text) : "UTC";
}

void LocaleFormat::setTimeZone(std::optional<std::string> zone) {
    overrideTimeZone() = std::move(zone);
}

std::string LocaleFormat::twoDecimalText(double value) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    FormattedNumber formatted = NumberFormatter::withLocale(icuLocale())
                                    .precision(Precision::fixedFraction(2))
                                    .roundingMode(UNUM_ROUND_HALFEVEN)
                                    .formatDouble(value, status);
    std::string text;
    if (U_SUCCESS(status)) text = formatted.toString(status).toUTF8String(text);
    return U_SUCCESS(status) ? text : std::string();
}

std::string LocaleFormat::shortText(double value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

std::string LocaleFormat::mediumDateText(Date date, const std::optional<std::string>& timeZone) {
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, icuLocale()));
    if (!format) return {};
    const auto& zone = timeZone ? timeZone : overrideTimeZone();
    if (zone) format->adoptTimeZone(icu::TimeZone::createTimeZone(zone->c_str()));
    auto millis = static_cast<UDate>(date.time_since_epoch().count()) / 1000.0;
    icu::UnicodeString out;
    format->format(millis, out);
    std::string text;
    return out.toUTF8String(text);
}

} // namespace mevara
