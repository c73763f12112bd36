#include "app/Options.h"

#include <charconv>
#include <cmath>

namespace mevara {

int Options::effectiveOrientation() const {
    if (orientation) return *orientation;
    return device == DeviceIdiom::Tablet ? OrientationLandscapeLeft : OrientationPortrait;
}

float Options::effectiveZoom() const {
    if (zoom) return *zoom;
    return device == DeviceIdiom::Tablet ? 1.0f : 2.0f;
}

std::string usageText() {
    return std::string(
               "Usage: mevara [options]\n"
               "\n"
               "  --device phone|tablet           the device to be (default phone)\n"
               "  --orientation portrait|landscape\n"
               "                                  how it is held (default portrait on a phone,\n"
               "                                  landscape on a tablet)\n"
               "  --locale L                      number and date formats, such as de_DE\n"
               "                                  (default: the system's; en_US for one\n"
               "                                  without data)\n"
               "  --time-zone Z                   the device's time zone, such as\n"
               "                                  America/New_York (default: the system's)\n"
               "  --data-dir DIR                  keep documents in DIR/Documents and caches in\n"
               "                                  DIR/Caches (default: the XDG folders)\n"
               "  --catalogue-url URL             the catalogue service (default:\n"
               "                                  $MEVARA_CATALOGUE_URL; none: no refresh)\n"
               "  --zoom Z                        window pixels per point (default 2 on a phone,\n"
               "                                  1 on a tablet)\n"
               "  --gallery                       show the toolkit gallery\n"
               "  --headless --script FILE        run a script without a window\n"
               "  --output DIR                    where a script's snapshots go (default .)\n"
               "  --report FILE.pdf               write the record for your doctor from the\n"
               "                                  stored data, then exit\n"
               "  --help                          this text\n"
               "  --version                       the version\n"
               "\n"
               "Keys: '") +
           rotateKey +
           "' turns a tablet between portrait and landscape; Tab and Shift+Tab move\n"
           "a focus ring through what can be pressed, Enter or Space presses it, the arrows\n"
           "move within lists and the calendar; Escape closes an alert, a popover or a sheet,\n"
           "or goes back where a screen has a Back button; Ctrl+P writes the record for\n"
           "your doctor to the documents folder; Ctrl+Q quits, saving as closing the window\n"
           "does.\n"
           "Without --zoom the window takes the largest zoom, in halves, that fits the screen.\n";
}

ParsedOptions
parseOptions(const std::vector<std::string>& arguments,
             const std::function<std::optional<std::string>(const char*)>& environment) {
    Options options;
    bool urlGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        auto needs = [&](const std::string& what) {
            return ParsedOptions{{}, name + " needs " + what};
        };
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--gallery") {
            options.gallery = true;
        } else if (name == "--headless") {
            options.headless = true;
        } else if (name == "--device") {
            const auto v = value();
            if (v == "phone")
                options.device = DeviceIdiom::Phone;
            else if (v == "tablet")
                options.device = DeviceIdiom::Tablet;
            else
                return needs("phone or tablet");
        } else if (name == "--orientation") {
            const auto v = value();
            if (v == "portrait")
                options.orientation = OrientationPortrait;
            else if (v == "landscape")
                options.orientation = OrientationLandscapeLeft;
            else
                return needs("portrait or landscape");
        } else if (name == "--locale") {
            const auto v = value();
            if (!v || v->empty()) return needs("a locale such as en_US");
            options.locale = *v;
        } else if (name == "--time-zone") {
            const auto v = value();
            if (!v || v->empty()) return needs("a time zone such as Europe/Berlin");
            options.timeZone = *v;
        } else if (name == "--data-dir") {
            const auto v = value();
            if (!v || v->empty()) return needs("a folder");
            options.dataDirectory = *v;
        } else if (name == "--catalogue-url") {
            const auto v = value();
            if (!v) return needs("an address");
            options.catalogueUrl = *v;
            urlGiven = true;
        } else if (name == "--zoom") {
            const auto v = value();
            float zoom = 0;
            if (!v) return needs("a number");
            auto [end, error] = std::from_chars(v->data(), v->data() + v->size(), zoom);
            if (error != std::errc() || end != v->data() + v->size() || !std::isfinite(zoom) ||
                zoom < 0.25f || zoom > 8)
                return needs("a number from 0.25 to 8");
            options.zoom = zoom;
        } else if (name == "--script") {
            const auto v = value();
            if (!v || v->empty()) return needs("a file");
            options.script = *v;
        } else if (name == "--report") {
            const auto v = value();
            if (!v || v->empty()) return needs("a file such as record.pdf");
            options.report = *v;
        } else if (name == "--output") {
            const auto v = value();
            if (!v || v->empty()) return needs("a folder");
            options.outputDirectory = *v;
        } else {
            return {{}, "unknown option " + name};
        }
    }
    if (options.help || options.version) return {options, {}};
    if (options.device == DeviceIdiom::Phone && options.orientation &&
        !isPortrait(*options.orientation))
        return {{}, "the phone screens stand upright only: landscape needs --device tablet"};
    if (options.report && (options.headless || options.gallery))
        return {{}, "--report writes a file and opens no screen"};
    if (options.headless && !options.script) return {{}, "--headless needs --script FILE"};
    if (options.script && !options.headless) return {{}, "--script works only with --headless"};
    if (!urlGiven) options.catalogueUrl = environment("MEVARA_CATALOGUE_URL").value_or("");
    return {options, {}};
}

} // namespace mevara
