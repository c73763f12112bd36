#pragma once

#include "toolkit/Image.h"
#include "toolkit/View.h"

#include <memory>

namespace mevara {

enum class ContentMode { ScaleToFill, ScaleAspectFit, Center };

// A picture in a frame, scaled to fill it unless told otherwise. Takes no touches unless
// a screen enables them.
class ImageView : public View {
public:
    ImageView();
    explicit ImageView(Rect frame);
    explicit ImageView(std::shared_ptr<const Image> image);
    std::string className() const override { return "ImageView"; }

    const std::shared_ptr<const Image>& image() const { return image_; }
    void setImage(std::shared_ptr<const Image> image);
    ContentMode contentMode() const { return mode_; }
    void setContentMode(ContentMode mode);
    // The part of the picture that stretches, as fractions; (0, 0, 1, 1) is the whole.
    const Rect& contentStretch() const { return stretch_; }
    void setContentStretch(const Rect& stretch);

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;
    // A picture is read only when its layout names it; the others are decoration.
    bool defaultIsAccessibilityElement() const override { return hasAccessibilityLabel(); }
    unsigned defaultAccessibilityTraits() const override { return TraitImage; }

private:
    std::shared_ptr<const Image> image_;
    ContentMode mode_ = ContentMode::ScaleToFill;
    Rect stretch_{0, 0, 1, 1};
};

} // namespace mevara
