#include "toolkit/WebAddress.h"

#include <cctype>
#include <system_error>

namespace mevara {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The scheme before the first ':', if the reference starts with one.
std::string schemeOf(std::string_view s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s.front()))) return {};
    for (std::size_t i = 1; i < s.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(s[i]);
        if (ch == ':') {
            std::string scheme(s.substr(0, i));
            for (auto& c : scheme)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return scheme;
        }
        if (!std::isalnum(ch) && ch != '+' && ch != '-' && ch != '.') return {};
    }
    return {};
}

int hexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexValue(s[i + 1]) >= 0 && hexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(s[i + 1]) * 16 + hexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string collapsedSlashes(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s)
        if (ch != '/' || out.empty() || out.back() != '/') out += ch;
    return out;
}

struct Split {
    std::string_view address;
    std::string fragment;
    bool hadFragment = false;
};

Split splitFragment(std::string_view s) {
    Split split;
    const auto hash = s.find('#');
    if (hash != std::string_view::npos) {
        split.fragment = percentDecoded(s.substr(hash + 1));
        split.hadFragment = true;
        s = s.substr(0, hash);
    }
    // A query means nothing to a file.
    if (const auto query = s.find('?'); query != std::string_view::npos) s = s.substr(0, query);
    split.address = s;
    return split;
}

} // namespace

std::filesystem::path webBaseFolder(std::string_view base) {
    const Split split = splitFragment(trimmed(base));
    const WebTarget target = resolveWebReference(split.address, {});
    if (target.kind != WebTarget::Kind::Local) return {};
    const std::string_view address = split.address;
    std::error_code ec;
    if ((!address.empty() && address.back() == '/') ||
        std::filesystem::is_directory(target.path, ec))
        return target.path;
    return target.path.parent_path();
}

WebTarget resolveWebReference(std::string_view reference, std::string_view base) {
    const Split split = splitFragment(trimmed(reference));
    WebTarget target;
    target.fragment = split.fragment;
    const std::string_view address = split.address;
    if (address.empty()) {
        target.kind = WebTarget::Kind::SamePage;
        return target;
    }
    const std::string scheme = schemeOf(address);
    std::string path;
    if (!scheme.empty()) {
        if (scheme != "file") {
            target.kind = WebTarget::Kind::Remote;
            return target;
        }
        path = "/" + percentDecoded(address.substr(5));
    } else if (address.starts_with("//")) {
        target.kind = WebTarget::Kind::Remote;
        return target;
    } else if (address.front() == '/') {
        path = percentDecoded(address);
    } else {
        if (!trimmed(base).empty()) {
            const WebTarget baseTarget = resolveWebReference(base, {});
            if (baseTarget.kind == WebTarget::Kind::Remote) {
                target.kind = WebTarget::Kind::Remote;
                return target;
            }
            path = webBaseFolder(base).string() + "/";
        }
        path += percentDecoded(address);
    }
    target.kind = WebTarget::Kind::Local;
    target.path = std::filesystem::path(collapsedSlashes(path)).lexically_normal();
    return target;
}

std::string fileURLForPath(const std::filesystem::path& path, bool folder) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char ch : path.generic_string()) {
        if (ch <= ' ' || ch == '%' || ch == '#' || ch == '?' || ch == 0x7F) {
            url += '%';
            url += hex[ch >> 4];
            url += hex[ch & 15];
        } else {
            url += static_cast<char>(ch);
        }
    }
    if (folder && !url.ends_with('/')) url += '/';
    return url;
}

} // namespace mevara
