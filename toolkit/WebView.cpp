#include "toolkit/WebView.h"

#include "platform/TextFile.h"
#include "toolkit/RunLoop.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebViewEngine.h"

namespace mevara {

void PageScroller::tappedAt(Point location) {
    if (onTap) onTap(location);
}

WebView::WebView() : WebView(Rect{}) {}

WebView::WebView(Rect frame) : View(frame), engine_(makeWebViewEngine(*this)) {}

WebView::~WebView() = default;

ScrollView& WebView::scrollView() {
    return engine_->scrollView();
}

void WebView::loadHTMLString(std::string html, std::string baseURL) {
    html_ = std::move(html);
    baseURL_ = std::move(baseURL);
    currentURL_ = baseURL_;
    auto failure = engine_->load(html_, baseURL_);
    engine_->layout({frame().width, frame().height});
    changed();
    report(std::move(failure));
}

std::string WebView::visibleText() const {
    return engine_->visibleText();
}

void WebView::followLink(const std::string& href) {
    const std::string page = engine_->pageBaseURL();
    const WebTarget target = resolveWebReference(href, page.empty() ? baseURL_ : page);
    switch (target.kind) {
    case WebTarget::Kind::SamePage:
        engine_->scrollToFragment(target.fragment);
        return;
    case WebTarget::Kind::Remote:
        report("The link " + href + " needs the network.");
        return;
    case WebTarget::Kind::Local:
        break;
    }
    auto text = TextFile::readUtf8(target.path);
    if (!text) {
        report("The page " + target.path.string() + " could not be read.");
        return;
    }
    loadHTMLString(std::move(*text), fileURLForPath(target.path.parent_path(), true));
    currentURL_ = fileURLForPath(target.path);
    engine_->scrollToFragment(target.fragment);
}

void WebView::report(std::optional<std::string> error) {
    // A view not held by a shared_ptr has no one to keep it alive until then; it stays quiet.
    std::weak_ptr<View> weak = weak_from_this();
    auto self = weak.lock();
    if (!self) return;
    RunLoop::main().performAfterDelay(
        0,
        [weak, error = std::move(error)] {
            auto view = std::static_pointer_cast<WebView>(weak.lock());
            if (!view) return;
            auto delegate = view->delegate_.lock();
            if (!delegate) return;
            if (error)
                delegate->webViewDidFailLoadWithError(*view, *error);
            else
                delegate->webViewDidFinishLoad(*view);
        },
        self);
}

void WebView::layoutSubviews() {
    engine_->layout({frame().width, frame().height});
}

void WebView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    engine_->draw(painter, bounds);
}

} // namespace mevara
