#include "SideCopy.h"

#include "Clock.h"
#include "FilesBackend.h"

#include <chrono>
#include <ctime>
#include <string>
#include <system_error>

namespace mevara {

namespace fs = std::filesystem;

namespace {

constexpr int maximumSameSecond = 99;

std::string localStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(Clock::now()));
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%dT%H%M%S", &local);
    return text;
}

} // namespace

std::optional<fs::path> SideCopy::keep(const fs::path& file, std::string_view label) {
    const std::string base = file.string() + "." + std::string(label);
    const std::string stamped = base + "-" + localStamp();
    for (int attempt = 0; attempt <= maximumSameSecond; ++attempt) {
        const fs::path candidate = attempt == 0 ? fs::path(base)
                                   : attempt == 1
                                       ? fs::path(stamped)
                                       : fs::path(stamped + "-" + std::to_string(attempt));
        std::error_code ec;
        if (fs::exists(fs::symlink_status(candidate, ec))) continue;
        // Without overwrite the copy fails rather than replace a file made meanwhile.
        if (fs::copy_file(file, candidate, fs::copy_options::none, ec)) {
            filesbackend::changed();
            return candidate;
        }
        if (ec != std::errc::file_exists) {
            std::error_code ignored;
            fs::remove(candidate, ignored);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace mevara
