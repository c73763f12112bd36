#include "TextFile.h"

#include "FilesBackend.h"
#include "Unicode.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace mevara {

namespace fs = std::filesystem;

std::optional<std::string> TextFile::readBytes(const fs::path& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::string> TextFile::readUtf8(const fs::path& path) {
    auto bytes = readBytes(path);
    if (!bytes || !unicode::isValidUtf8(*bytes)) return std::nullopt;
    return bytes;
}

namespace {

// ".userdata.dat.a1B2c3": hidden, beside the file, mkstemp's six letters and digits.
constexpr std::string_view temporaryLetters = "XXXXXX";

std::string temporaryPrefix(const fs::path& path) {
    return "." + path.filename().string() + ".";
}

bool isTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + temporaryLetters.size() || !name.starts_with(prefix))
        return false;
    return std::all_of(
        name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        });
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

bool TextFile::writeAtomically(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    fs::path folder = path.parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);

    std::string temporary =
        (folder / (temporaryPrefix(path) + std::string(temporaryLetters))).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    if (ok) filesbackend::changed();
    return ok;
}

void TextFile::removeLeftovers(const fs::path& path) {
    const std::string prefix = temporaryPrefix(path);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ec;
    bool removed = false;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (isTemporaryOf(it->path().filename().string(), prefix) &&
            fs::is_regular_file(it->symlink_status(ignored)))
            removed = fs::remove(it->path(), ignored) || removed;
    }
    if (removed) filesbackend::changed();
}

} // namespace mevara
