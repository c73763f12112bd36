#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace mevara {

// What tells one version of a file from another without reading it: a file
// replaced by a rename has a new inode, one rewritten in place a new size or
// modification time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;

    // Nothing when the file cannot be looked at (missing, no permission).
    static std::optional<FileIdentity> of(const std::filesystem::path& path);

    bool operator==(const FileIdentity&) const = default;
};

} // namespace mevara
