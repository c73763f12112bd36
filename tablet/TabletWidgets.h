#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"

#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;

// The wizard's widgets are built in code; these give them the common looks.
std::shared_ptr<Label> makeTabletLabel(const std::string& text, const char* font, float size,
                                       Color color);
// A picture stretched through the region given as fractions of its size.
std::shared_ptr<ImageView> makeStretchedImage(const char* picture, Rect stretch);
std::shared_ptr<ImageView> makeImage(const char* picture);
// A custom button with a background stretched with the given caps and a white bold title.
std::shared_ptr<Button> makeTabletButton(const std::string& title, const char* background,
                                         float leftCap, float topCap, float fontSize);

} // namespace mevara
