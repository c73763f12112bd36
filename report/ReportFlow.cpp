#include "report/ReportFlow.h"

#include "toolkit/Label.h"
#include "toolkit/View.h"

namespace mevara {
namespace {

constexpr float footerHeight = 14;

} // namespace

ReportFlow::ReportFlow(Size page, float margin) : page_(page), margin_(margin) {
    newPage();
}

void ReportFlow::newPage() {
    auto page = std::make_shared<View>(Rect{0, 0, page_.width, page_.height});
    page->setBackgroundColor(Color::white());
    pages_.push_back(page);
    y_ = margin_;
}

void ReportFlow::add(std::shared_ptr<View> block, const Header& repeat) {
    const float bottom = page_.height - margin_ - footerHeight - 6;
    const float height = block->frame().height;
    const bool fresh = y_ == margin_;
    if (!fresh && y_ + height > bottom) {
        newPage();
        if (repeat) add(repeat());
    }
    block->setFrame({margin_, y_, width(), height});
    pages_.back()->addSubview(block);
    y_ += height;
}

void ReportFlow::space(float points) {
    // Space at the top of a page is no use.
    if (y_ > margin_) y_ += points;
}

std::vector<std::shared_ptr<View>> ReportFlow::finish(const std::string& footer) {
    const std::size_t count = pages_.size();
    for (std::size_t i = 0; i < count; ++i) {
        auto label = std::make_shared<Label>(
            Rect{margin_, page_.height - margin_ - footerHeight, width(), footerHeight});
        label->setText(footer + " \u00b7 page " + std::to_string(i + 1) + " of " +
                       std::to_string(count));
        label->setFont(Font::systemFont(8));
        label->setTextColor(Color::white(0.45f));
        label->setTextAlignment(TextAlignment::Right);
        pages_[i]->addSubview(label);
    }
    return std::move(pages_);
}

} // namespace mevara
