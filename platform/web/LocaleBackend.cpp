#include "platform/LocaleBackend.h"

#include "platform/web/JsText.h"

#include <cstdlib>
#include <emscripten.h>

// The browser's Intl: the page's language unless one is set, and its time zones.
namespace mevara::localebackend {

namespace {

// clang-format off
EM_JS(char*, mevara_intl, (int what, const char* locale, double number, const char* zone), {
    const tag = UTF8ToString(locale).replace("_", "-");
    const timeZone = zone ? UTF8ToString(zone) : undefined;
    let s = "";
    try {
        if (what == 0) {
            s = (typeof navigator !== "undefined" && navigator.language) ||
                Intl.DateTimeFormat().resolvedOptions().locale;
            s = s.replace("-", "_");
        } else if (what == 1) {
            s = Intl.DateTimeFormat().resolvedOptions().timeZone || "UTC";
        } else if (what == 2) {
            s = new Intl.NumberFormat(tag, {minimumFractionDigits: 2, maximumFractionDigits: 2,
                                            roundingMode: "halfEven"}).format(number);
        } else if (what == 3) {
            s = new Intl.DateTimeFormat(tag, {dateStyle: "medium", timeZone}).format(new Date(number));
        } else if (what == 4) {
            const supported = Intl.NumberFormat.supportedLocalesOf([tag]);
            s = supported.length > 0 && new Intl.Locale(tag).language ? "1" : "";
        }
    } catch (e) {
        s = "";
    }
    return mevaraTextOut(s);
});
// clang-format on

std::string ask(int what, const std::string& locale = "", double number = 0,
                const std::optional<std::string>& zone = std::nullopt) {
    return web::takeJsText(
        mevara_intl(what, locale.c_str(), number, zone ? zone->c_str() : nullptr));
}

} // namespace

std::string defaultLocale() {
    return ask(0);
}

bool defaultStatesNoPreference() {
    return false;
}

bool hasData(const std::string& locale) {
    return !ask(4, locale).empty();
}

std::string defaultTimeZone() {
    return ask(1);
}

std::string twoDecimalText(double value, const std::string& locale) {
    return ask(2, locale, value);
}

std::string mediumDateText(Date date, const std::string& locale,
                           const std::optional<std::string>& zone) {
    return ask(3, locale, static_cast<double>(date.time_since_epoch().count()) / 1000.0, zone);
}

} // namespace mevara::localebackend
