#include "Directories.h"

#include <cstdlib>
#include <optional>
#include <system_error>

namespace mevara {

namespace fs = std::filesystem;

namespace {

std::optional<Directories>& configured() {
    static std::optional<Directories> d;
    return d;
}

fs::path home() {
    const char* h = std::getenv("HOME");
    return h && *h ? fs::path(h) : fs::temp_directory_path();
}

fs::path xdg(const char* variable, const char* fallbackBelowHome) {
    const char* v = std::getenv(variable);
    // The XDG rules ignore relative paths.
    if (v && *v == '/') return fs::path(v);
    return home() / fallbackBelowHome;
}

fs::path executableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path findResources() {
    std::error_code ec;
    fs::path dir = executableDirectory();
    // A test or tool may sit a few folders below the build root.
    for (int up = 0; up < 4 && !dir.empty(); ++up) {
        if (fs::is_directory(dir / "resources", ec)) return dir / "resources";
        if (fs::is_directory(dir / "share/mevara/resources", ec))
            return dir / "share/mevara/resources";
        if (dir == dir.parent_path()) break;
        dir = dir.parent_path();
    }
#ifdef MEVARA_BUILD_RESOURCES
    return fs::path(MEVARA_BUILD_RESOURCES);
#else
    return executableDirectory() / "resources";
#endif
}

} // namespace

Directories Directories::defaults() {
    return Directories{xdg("XDG_DATA_HOME", ".local/share") / "mevara",
                       xdg("XDG_CACHE_HOME", ".cache") / "mevara", findResources()};
}

Directories Directories::current() {
    if (configured()) return *configured();
    // Every catalogue request asks; look the defaults up once.
    static const Directories fallback = defaults();
    return fallback;
}

void Directories::configure(Directories directories) {
    configured() = std::move(directories);
}

void Directories::reset() {
    configured().reset();
}

} // namespace mevara
