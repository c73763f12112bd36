#pragma once

#include "toolkit/Application.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

// What the command line asks for.
struct Options {
    DeviceIdiom device = DeviceIdiom::Phone;
    // None: portrait on a phone, landscape on a tablet.
    std::optional<int> orientation;
    std::optional<std::string> locale;
    std::optional<std::string> timeZone;
    std::optional<std::filesystem::path> dataDirectory;
    std::string catalogueUrl;
    // None: 2 on a phone, 1 on a tablet, so either fits a desktop screen.
    std::optional<float> zoom;
    bool gallery = false;
    bool headless = false;
    std::optional<std::filesystem::path> script;
    std::filesystem::path outputDirectory = ".";
    // Write the record for the doctor from the stored data to this PDF and exit.
    std::optional<std::filesystem::path> report;
    bool help = false;
    bool version = false;

    int effectiveOrientation() const;
    float effectiveZoom() const;
};

struct ParsedOptions {
    std::optional<Options> options;
    // Set when the command line cannot be used; the program then exits with status 2.
    std::string error;
};

// Reads the arguments after the program name. `environment` looks a variable up (the
// catalogue address falls back to MEVARA_CATALOGUE_URL).
ParsedOptions
parseOptions(const std::vector<std::string>& arguments,
             const std::function<std::optional<std::string>(const char*)>& environment);

// The help text, listing every option and the rotation key.
std::string usageText();

// The key that turns the tablet between portrait and landscape on the desktop.
constexpr char rotateKey = 'r';
// With Ctrl, writes the record for the doctor to the documents folder.
constexpr char reportKey = 'p';

} // namespace mevara
