#include "toolkit/WebView.h"

namespace mevara {

// Placeholder until the litehtml page lands.
class WebView::Page {};

WebView::WebView() : WebView(Rect{}) {}

WebView::WebView(Rect frame) : View(frame) {
    scroll_ = std::make_shared<ScrollView>(Rect{0, 0, frame.width, frame.height});
    scroll_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    addSubview(scroll_);
}

WebView::~WebView() = default;

void WebView::loadHTMLString(std::string html, std::string baseURL) {
    html_ = std::move(html);
    baseURL_ = std::move(baseURL);
    currentURL_ = baseURL_;
    if (auto delegate = delegate_.lock()) delegate->webViewDidFinishLoad(*this);
}

std::string WebView::visibleText() const { return {}; }

void WebView::followLink(const std::string&) {}

void WebView::failLoad(const std::string& error) {
    if (auto delegate = delegate_.lock()) delegate->webViewDidFailLoadWithError(*this, error);
}

void WebView::layoutPage() {}

void WebView::layoutSubviews() { layoutPage(); }

void WebView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
}

} // namespace mevara
