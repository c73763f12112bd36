#include "LocaleFormat.h"

#include "LocaleBackend.h"

#include <charconv>
#include <cstdio>

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

} // namespace

std::string LocaleFormat::locale() {
    if (overrideLocale()) return *overrideLocale();
    return localebackend::defaultLocale();
}

void LocaleFormat::setLocale(std::optional<std::string> locale) {
    overrideLocale() = std::move(locale);
}

bool LocaleFormat::hasData(const std::string& locale) {
    return localebackend::hasData(locale);
}

std::optional<std::string> LocaleFormat::useLocale(const std::optional<std::string>& requested) {
    const std::string wanted = requested.value_or(localebackend::defaultLocale());
    // The C and POSIX environments state no preference; their stand-in formats numbers
    // without grouping, which nobody reading doses expects.
    if (!requested && localebackend::defaultStatesNoPreference()) {
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
    return localebackend::defaultTimeZone();
}

void LocaleFormat::setTimeZone(std::optional<std::string> zone) {
    overrideTimeZone() = std::move(zone);
}

std::string LocaleFormat::twoDecimalText(double value) {
    return localebackend::twoDecimalText(value, locale());
}

std::string LocaleFormat::shortText(double value) {
    char buffer[64];
#ifdef __cpp_lib_to_chars
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
#else
    // The same text (to_chars' general form is printf's %g); the browser's C library has
    // no floating to_chars, and the program never leaves the "C" numeric locale.
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return buffer;
#endif
}

std::string LocaleFormat::mediumDateText(Date date, const std::optional<std::string>& timeZone) {
    return localebackend::mediumDateText(date, locale(), timeZone ? timeZone : overrideTimeZone());
}

} // namespace mevara
