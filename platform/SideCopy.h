#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace mevara {

// Keeps a copy of a file beside it before it is replaced, bytes unchanged, never over an
// earlier copy: "name.label"; when that is taken "name.label-2026-12-06T181500" (the
// local time now), then the same with "-2", "-3"... The copy's path, or nothing when
// no copy could be made.
class SideCopy {
public:
    static std::optional<std::filesystem::path> keep(const std::filesystem::path& file,
                                                     std::string_view label);
};

} // namespace mevara
