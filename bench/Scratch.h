#pragma once

#include "platform/Directories.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace mevara::bench {

// Scratch documents and caches beside the shipped resources, so a benchmark never
// touches the person's own data.
struct Scratch {
    std::filesystem::path root;
    Scratch() {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "mevara-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        Directories::configure(
            {root / "Documents", root / "Caches", Directories::defaults().resources});
    }
    ~Scratch() {
        Directories::reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
};

} // namespace mevara::bench
