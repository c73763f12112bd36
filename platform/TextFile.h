#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mevara {

// Reading and atomically replacing whole files.
class TextFile {
public:
    // Larger files are treated as unreadable rather than read into memory.
    static constexpr std::size_t maximumSize = 64 * 1024 * 1024;

    // The file's bytes, or nothing when it is missing, unreadable or larger than `limit`.
    static std::optional<std::string> readBytes(const std::filesystem::path& path,
                                                std::size_t limit = maximumSize);

    // The file's text, or nothing when it is missing, unreadable or not UTF-8.
    static std::optional<std::string> readUtf8(const std::filesystem::path& path);

    // Writes to a temporary file in the same folder, flushes it to disk and
    // renames it over the old file, so readers see the old or the new content
    // whole. Creates the folder when needed. False when anything failed; the old
    // file is then untouched.
    static bool writeAtomically(const std::filesystem::path& path, std::string_view bytes);

    // Removes the temporary files that writes of `path` left in its folder when they
    // were cut short. Also those of a write still running: call it only when none is.
    static void removeLeftovers(const std::filesystem::path& path);
};

} // namespace mevara
