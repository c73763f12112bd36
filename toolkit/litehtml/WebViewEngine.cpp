// Web views on the desktop: the page laid out and drawn by litehtml with the shipped
// master stylesheet, inside a scroll view that tells taps from drags.
#include "toolkit/WebViewEngine.h"

#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "toolkit/ScrollView.h"
#include "toolkit/WebPage.h"
#include "toolkit/WebView.h"

#include <algorithm>
#include <functional>

namespace mevara {

namespace {

// The page itself, as large as it lays out, inside the scroll view.
class Content : public View {
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

class LitehtmlEngine final : public WebViewEngine {
public:
    explicit LitehtmlEngine(WebView& view) : view_(view) {
        const Rect frame = view.frame();
        scroll_ = std::make_shared<PageScroller>(Rect{0, 0, frame.width, frame.height});
        scroll_->onTap = [this](Point location) { tapped(location); };
        scroll_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        view.addSubview(scroll_);
        content_ = std::make_shared<Content>(Rect{});
        // Touches belong to the scroll view, which tells taps from drags.
        content_->setUserInteractionEnabled(false);
        scroll_->addSubview(content_);
    }
    ~LitehtmlEngine() override {
        // Someone may still hold the scroll view.
        scroll_->onTap = nullptr;
    }

    std::optional<std::string> load(const std::string& html, const std::string& baseURL) override {
        if (!context_) {
            context_ = std::make_unique<litehtml::context>();
            const auto master =
                TextFile::readUtf8(Directories::current().resources / "web" / "master.css");
            context_->load_master_stylesheet(master ? master->c_str() : "");
        }
        auto page = std::make_shared<WebPage>(*context_, baseURL);
        page->load(html);
        page_ = page;
        content_->page = page;
        laidOutWidth_ = -1;
        scroll_->setContentOffset({0, 0});
        return page->failure();
    }

    std::string visibleText() const override {
        return page_ ? page_->visibleText() : std::string();
    }

    std::string pageBaseURL() const override { return page_ ? page_->baseURL() : std::string(); }

    void scrollToFragment(const std::string& fragment) override {
        if (!page_ || fragment.empty()) return;
        if (auto top = page_->anchorTop(fragment))
            scroll_->setContentOffset({0, std::min(*top, scroll_->maximumOffset().y)});
    }

    void layout(Size size) override {
        const float width = size.width;
        if (!page_ || width <= 0 || width == laidOutWidth_) return;
        laidOutWidth_ = width;
        const Size laidOut = page_->layout(width, size.height);
        content_->setFrame({0, 0, laidOut.width, laidOut.height});
        scroll_->setContentSize(laidOut);
        const Point offset = scroll_->contentOffset();
        const Point most = scroll_->maximumOffset();
        if (offset.x > most.x || offset.y > most.y)
            scroll_->setContentOffset({std::min(offset.x, most.x), std::min(offset.y, most.y)});
    }

    void draw(Painter&, const Rect&) const override {}

    ScrollView& scrollView() override { return *scroll_; }

private:
    void tapped(Point location) {
        if (!page_) return;
        if (auto href = page_->linkAt(location)) view_.followLink(*href);
    }

    WebView& view_;
    std::shared_ptr<PageScroller> scroll_;
    std::shared_ptr<Content> content_;
    // The master stylesheet, parsed once per view.
    std::unique_ptr<litehtml::context> context_;
    std::shared_ptr<WebPage> page_;
    float laidOutWidth_ = -1;
};

} // namespace

std::unique_ptr<WebViewEngine> makeWebViewEngine(WebView& view) {
    return std::make_unique<LitehtmlEngine>(view);
}

} // namespace mevara
