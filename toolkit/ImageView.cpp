#include "toolkit/ImageView.h"

#include "toolkit/Painter.h"

#include <algorithm>
#include <cmath>

namespace mevara {

ImageView::ImageView() {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(Rect frame) : View(frame) {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(std::shared_ptr<const Image> image) : image_(std::move(image)) {
    setUserInteractionEnabled(false);
    if (image_) setFrame({0, 0, image_->size().width, image_->size().height});
}

void ImageView::setImage(std::shared_ptr<const Image> image) {
    image_ = std::move(image);
    changed();
}

void ImageView::setContentMode(ContentMode mode) {
    mode_ = mode;
    changed();
}

void ImageView::setContentStretch(const Rect& stretch) {
    stretch_ = stretch;
    changed();
}

void ImageView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    if (!image_) return;
    const Size natural = image_->size();
    Rect dest = bounds;
    if (mode_ == ContentMode::Center) {
        dest = {std::round((bounds.width - natural.width) / 2),
                std::round((bounds.height - natural.height) / 2), natural.width, natural.height};
    } else if (mode_ == ContentMode::ScaleAspectFit && natural.width > 0 && natural.height > 0) {
        const float k = std::min(bounds.width / natural.width, bounds.height / natural.height);
        dest = {(bounds.width - natural.width * k) / 2, (bounds.height - natural.height * k) / 2,
                natural.width * k, natural.height * k};
    }
    painter.drawImage(*image_, dest, stretch_);
}

} // namespace mevara
