#include "toolkit/WebView.h"

#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "toolkit/RunLoop.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebPage.h"

#include <algorithm>
#include <functional>

namespace mevara {

// The page itself, as large as it lays out, inside the scroll view.
class WebView::Content : public View {
public:
    using View::View;
    std::string className() const override { return "WebContent"; }

    std::shared_ptr<WebPage> page;

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override {
        View::draw(painter, bounds, time);
        if (!page) return;
        // Only what the scroll view shows: litehtml skips the boxes outside it.
        Rect visible = bounds;
        if (const View* scroll = superview()) {
            const Rect shown = scroll->bounds();
            const float left = std::max(shown.x, bounds.x);
            const float top = std::max(shown.y, bounds.y);
            visible = {left, top, std::max(0.0f, std::min(shown.maxX(), bounds.maxX()) - left),
                       std::max(0.0f, std::min(shown.maxY(), bounds.maxY()) - top)};
        }
        if (visible.width > 0 && visible.height > 0) page->draw(painter, visible);
    }
};

// Hands taps that did not scroll to the web view, in page coordinates.
class WebView::Scroller : public ScrollView {
public:
    using ScrollView::ScrollView;
    std::function<void(Point)> onTap;

protected:
    void tappedAt(Point location) override {
        if (onTap) onTap(location);
    }
};

WebView::WebView() : WebView(Rect{}) {}

WebView::WebView(Rect frame) : View(frame) {
    auto scroll = std::make_shared<Scroller>(Rect{0, 0, frame.width, frame.height});
    scroll->onTap = [this](Point location) { tapped(location); };
    scroll->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    scroll_ = scroll;
    addSubview(scroll_);
    content_ = std::make_shared<Content>(Rect{});
    // Touches belong to the scroll view, which tells taps from drags.
    content_->setUserInteractionEnabled(false);
    scroll_->addSubview(content_);
}

WebView::~WebView() {
    // Someone may still hold the scroll view.
    static_cast<Scroller&>(*scroll_).onTap = nullptr;
}

void WebView::loadHTMLString(std::string html, std::string baseURL) {
    html_ = std::move(html);
    baseURL_ = std::move(baseURL);
    currentURL_ = baseURL_;
    if (!context_) {
        context_ = std::make_unique<litehtml::context>();
        const auto master =
            TextFile::readUtf8(Directories::current().resources / "web" / "master.css");
        context_->load_master_stylesheet(master ? master->c_str() : "");
    }
    auto page = std::make_shared<WebPage>(*context_, baseURL_);
    page->load(html_);
    page_ = page;
    content_->page = page;
    laidOutWidth_ = -1;
    scroll_->setContentOffset({0, 0});
    layoutPage();
    changed();
    report(page->failure());
}

std::string WebView::visibleText() const {
    return page_ ? page_->visibleText() : std::string();
}

void WebView::followLink(const std::string& href) {
    const std::string base = page_ ? page_->baseURL() : baseURL_;
    const WebTarget target = resolveWebReference(href, base);
    switch (target.kind) {
    case WebTarget::Kind::SamePage:
        scrollToFragment(target.fragment);
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
    scrollToFragment(target.fragment);
}

void WebView::scrollToFragment(const std::string& fragment) {
    if (!page_ || fragment.empty()) return;
    if (auto top = page_->anchorTop(fragment))
        scroll_->setContentOffset({0, std::min(*top, scroll_->maximumOffset().y)});
}

void WebView::tapped(Point location) {
    if (!page_) return;
    if (auto href = page_->linkAt(location)) followLink(*href);
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

void WebView::layoutPage() {
    const float width = frame().width;
    if (!page_ || width <= 0 || width == laidOutWidth_) return;
    laidOutWidth_ = width;
    const Size size = page_->layout(width, frame().height);
    content_->setFrame({0, 0, size.width, size.height});
    scroll_->setContentSize(size);
    const Point offset = scroll_->contentOffset();
    const Point most = scroll_->maximumOffset();
    if (offset.x > most.x || offset.y > most.y)
        scroll_->setContentOffset({std::min(offset.x, most.x), std::min(offset.y, most.y)});
}

void WebView::layoutSubviews() {
    layoutPage();
}

void WebView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
}

} // namespace mevara
