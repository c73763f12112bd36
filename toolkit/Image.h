#pragma once

#include "platform/Geometry.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace mevara {

// A picture from resources/images, known by name and size; the backend decodes pixels.
// The platform's caps: the column at x = leftCapWidth and the row at y = topCapHeight
// stretch; 0 stretches the whole picture in that direction.
class Image {
public:
    // Without an extension the name gets ".png". A missing picture is null.
    static std::shared_ptr<const Image> named(std::string_view name);
    // A PNG anywhere (pages' pictures); its name is the file name.
    static std::shared_ptr<const Image> fromFile(const std::string& path);

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    // The @2x file beside it, or empty.
    const std::string& path2x() const { return path2x_; }
    Size size() const { return size_; }
    int leftCapWidth() const { return leftCap_; }
    int topCapHeight() const { return topCap_; }
    bool isStretchable() const { return leftCap_ > 0 || topCap_ > 0; }

    std::shared_ptr<const Image> stretchableImage(int leftCapWidth, int topCapHeight) const;

    // The part that stretches when the picture, `size` points large, is drawn larger, in
    // picture points: the column and row at the caps for a stretchable picture (a cap of 0
    // stretches all of that direction), else `contentStretch` (fractions of the picture).
    Rect stretchRegion(Size size, const Rect& contentStretch) const;

private:
    std::string name_, path_, path2x_;
    Size size_;
    int leftCap_ = 0, topCap_ = 0;
};

// Reads a PNG's width and height from its header; false when it is not a PNG.
bool pngSize(const std::string& path, int& width, int& height);

} // namespace mevara
