#include "TempDirectory.h"

#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/LocaleFormat.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace mevara::testsupport {

namespace fs = std::filesystem;

TempDirectory::TempDirectory() {
    std::string pattern = (fs::temp_directory_path() / "mevara-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    Directories d = Directories::defaults();
    Directories::configure({documents(), caches(), d.resources});
}

TempDirectory::~TempDirectory() {
    Directories::reset();
    Clock::reset();
    LocaleFormat::setLocale(std::nullopt);
    LocaleFormat::setTimeZone(std::nullopt);
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path TempDirectory::useOwnResources() {
    fs::path resources = path_ / "Resources";
    fs::create_directories(resources);
    Directories::configure({documents(), caches(), resources});
    return resources;
}

void TempDirectory::write(const fs::path& file, std::string_view bytes) const {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace mevara::testsupport
