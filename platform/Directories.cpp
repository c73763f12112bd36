#include "Directories.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
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

// XDG_DOCUMENTS_DIR="$HOME/Documents" from user-dirs.dirs, with $HOME expanded.
std::optional<fs::path> userDirsDocuments() {
    std::ifstream file(xdg("XDG_CONFIG_HOME", ".config") / "user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(file, line);) {
        if (!line.starts_with(key) || !line.ends_with('"')) continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME")) return home() / fs::path(value.substr(5)).relative_path();
        if (value.starts_with('/')) return fs::path(value);
    }
    return std::nullopt;
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

fs::path Directories::userDocuments() {
    std::error_code ec;
    if (auto listed = userDirsDocuments(); listed && fs::is_directory(*listed, ec)) return *listed;
    if (fs::is_directory(home() / "Documents", ec)) return home() / "Documents";
    return home();
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
