#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mevara {

// Where a reference on a page leads once resolved against the page's base address.
struct WebTarget {
    enum class Kind {
        // A file on this device.
        Local,
        // A place on the page itself ("#name" or an empty reference).
        SamePage,
        // Anything that would need the network or another program: http, https, "//host",
        // mailto and every other scheme but file.
        Remote,
    };
    Kind kind = Kind::SamePage;
    std::filesystem::path path;
    std::string fragment;
};

// Resolves `reference` against `base`. Both may be written the way the screens build
// addresses ("file:////folder//sub//" with "%20" for spaces) or as plain file addresses;
// repeated slashes collapse and percent escapes decode into the file path.
WebTarget resolveWebReference(std::string_view reference, std::string_view base);

// The folder that relative references on a page at `base` resolve against; empty when the
// base is not on this device.
std::filesystem::path webBaseFolder(std::string_view base);

// "file://" and the escaped path; folders end with "/".
std::string fileURLForPath(const std::filesystem::path& path, bool folder = false);

} // namespace mevara
