#pragma once

#include <filesystem>
#include <string_view>

namespace mevara::testsupport {

// A fresh folder for one test, removed afterwards. While it lives, the
// application's documents and caches folders point into it; resources stay the
// shipped ones unless a test points them elsewhere.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path documents() const { return path_ / "Documents"; }
    std::filesystem::path caches() const { return path_ / "Caches"; }

    // Points the resources folder at an empty folder of this directory.
    std::filesystem::path useOwnResources();

    void write(const std::filesystem::path& file, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

} // namespace mevara::testsupport
