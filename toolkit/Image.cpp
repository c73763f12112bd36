#include "toolkit/Image.h"

#include "platform/Directories.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace mevara {

bool pngSize(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 24> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
    static constexpr std::array<unsigned char, 8> signature{0x89, 'P',  'N',  'G',
                                                            '\r', '\n', 0x1A, '\n'};
    if (!std::equal(signature.begin(), signature.end(), header.begin())) return false;
    auto be32 = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    width = be32(16);
    height = be32(20);
    return width > 0 && height > 0;
}

std::shared_ptr<const Image> Image::named(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos) return nullptr;
    std::string file(name);
    if (std::filesystem::path(file).extension().empty()) file += ".png";
    return fromFile((Directories::current().resources / "images" / file).string());
}

std::shared_ptr<const Image> Image::fromFile(const std::string& path) {
    int w = 0, h = 0;
    if (!pngSize(path, w, h)) return nullptr;
    auto image = std::make_shared<Image>();
    const std::filesystem::path file(path);
    image->name_ = file.filename().string();
    image->path_ = path;
    image->size_ = {static_cast<float>(w), static_cast<float>(h)};
    const auto twice = (file.parent_path() / (file.stem().string() + "@2x.png")).string();
    int w2 = 0, h2 = 0;
    if (pngSize(twice, w2, h2) && w2 == 2 * w && h2 == 2 * h) image->path2x_ = twice;
    return image;
}

std::shared_ptr<const Image> Image::stretchableImage(int leftCapWidth, int topCapHeight) const {
    auto copy = std::make_shared<Image>(*this);
    copy->leftCap_ = std::max(0, leftCapWidth);
    copy->topCap_ = std::max(0, topCapHeight);
    return copy;
}

Rect Image::stretchRegion(Size size, const Rect& contentStretch) const {
    Rect region{0, 0, size.width, size.height};
    if (isStretchable()) {
        if (leftCap_ > 0) {
            region.x = std::min<float>(static_cast<float>(leftCap_), size.width - 1);
            region.width = 1;
        }
        if (topCap_ > 0) {
            region.y = std::min<float>(static_cast<float>(topCap_), size.height - 1);
            region.height = 1;
        }
        return region;
    }
    const float cx = std::clamp(contentStretch.x, 0.0f, 1.0f);
    const float cy = std::clamp(contentStretch.y, 0.0f, 1.0f);
    return {cx * size.width, cy * size.height,
            std::clamp(contentStretch.width, 0.0f, 1 - cx) * size.width,
            std::clamp(contentStretch.height, 0.0f, 1 - cy) * size.height};
}

} // namespace mevara
