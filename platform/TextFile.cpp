#include "TextFile.h"

#include "Unicode.h"

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

    std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

} // namespace mevara
