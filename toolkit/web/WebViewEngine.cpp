// Web views in the browser build: the browser shows the page itself, in an iframe under a
// hole in the canvas, with its own text layout and accessibility. Touches stay with the
// screen, so that what is drawn over a page (a close button, a bar, an alert) gets them:
// the view's scroll view scrolls the iframe and hands it taps to look for a link. Without
// a document (tests under Node) the page is kept but nothing is shown.
#include "toolkit/WebViewEngine.h"

#include "platform/web/JsText.h"
#include "toolkit/ScrollView.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebView.h"
#include "toolkit/web/CanvasPainter.h"

#include <algorithm>
#include <emscripten.h>
#include <regex>

namespace mevara {

namespace {

// clang-format off
// Creates or fills the iframe `id` with the page; relative references resolve against
// `base`, where the program's resources (file:///resources/) are the site's. The iframe
// takes no touches: the canvas over it does, and the view scrolls it and follows its links.
// Its height goes to `engine` whenever it changes.
EM_JS(void, mevara_frameLoad, (int id, const char* htmlText, const char* baseText, void* engine), {
    if (typeof document === "undefined") return;
    let frame = document.getElementById("mevara-page-" + id);
    if (!frame) {
        frame = document.createElement("iframe");
        frame.id = "mevara-page-" + id;
        frame.className = "mevara-page";
        const s = frame.style;
        s.position = "absolute";
        s.border = "0";
        s.background = "transparent";
        s.pointerEvents = "none";
        s.zIndex = "1";
        // Hidden, not undisplayed, so that the page lays out at its width before it shows.
        s.visibility = "hidden";
        s.left = "0";
        s.top = "0";
        frame.tabIndex = -1;
        frame.addEventListener("load", () => {
            const doc = frame.contentDocument;
            if (!doc || !doc.documentElement) return;
            const report = () => Module["_mevara_frame_height"](frame.mevaraEngine,
                                                                doc.documentElement.scrollHeight);
            new ResizeObserver(report).observe(doc.documentElement);
            report();
        });
        (document.getElementById("stage") || document.body).appendChild(frame);
    }
    frame.mevaraEngine = engine;
    let base = UTF8ToString(baseText);
    const local = "file:///resources/";
    if (base.startsWith(local))
        base = new URL("resources/" + base.substring(local.length), document.baseURI).href;
    const quoted = base.split(String.fromCharCode(34)).join("&quot;");
    frame.srcdoc = "<base href=" + String.fromCharCode(34) + quoted + String.fromCharCode(34) + ">" +
        UTF8ToString(htmlText);
});

EM_JS(void, mevara_frameSize, (int id, double width, double height), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    if (!frame) return;
    frame.style.width = width + "px";
    frame.style.height = height + "px";
});

EM_JS(void, mevara_frameScrollTo, (int id, double top), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const view = frame && frame.contentWindow;
    if (view && Math.abs(view.scrollY - top) >= 0.5) view.scrollTo(0, top);
});

// The link at a point of the page (CSS pixels from its top), or empty.
EM_JS(char*, mevara_frameLinkAt, (int id, double x, double y), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const doc = frame && frame.contentDocument;
    const view = frame && frame.contentWindow;
    const hit = doc && doc.elementFromPoint(x, y - view.scrollY);
    const link = hit && hit.closest && hit.closest("a[href]");
    return mevaraTextOut(link ? link.getAttribute("href") : "");
});

EM_JS(char*, mevara_frameText, (int id), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const body = frame && frame.contentDocument && frame.contentDocument.body;
    return mevaraTextOut(body ? body.innerText : "");
});

// How far down the page the element `fragment` names starts, or -1.
EM_JS(double, mevara_frameAnchorTop, (int id, const char* fragmentText), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const doc = frame && frame.contentDocument;
    const name = UTF8ToString(fragmentText);
    const target = doc && (doc.getElementById(name) || doc.getElementsByName(name)[0]);
    return target ? target.getBoundingClientRect().top + frame.contentWindow.scrollY : -1;
});

EM_JS(void, mevara_frameRemove, (int id), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    if (frame) frame.remove();
});
// clang-format on

// The first reference that would leave for the network, as the desktop's page reports it.
std::optional<std::string> networkReference(const std::string& html) {
    static const std::regex reference(R"re((src|href)\s*=\s*["']?\s*((https?:)?//[^"'\s>]*))re",
                                      std::regex::icase);
    std::smatch match;
    if (!std::regex_search(html, match, reference)) return std::nullopt;
    return "The page needs the network for " + match[2].str() + ".";
}

class FrameEngine final : public WebViewEngine {
public:
    explicit FrameEngine(WebView& view) : view_(view), id_(++count()) {
        const Rect frame = view.frame();
        scroll_ = std::make_shared<PageScroller>(Rect{0, 0, frame.width, frame.height});
        scroll_->onTap = [this](Point location) { tapped(location); };
        scroll_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        view.addSubview(scroll_);
    }
    ~FrameEngine() override {
        scroll_->onTap = nullptr;
        mevara_frameRemove(id_);
    }

    std::optional<std::string> load(const std::string& html, const std::string& baseURL) override {
        html_ = html;
        baseURL_ = baseURL;
        mevara_frameLoad(id_, html.c_str(), baseURL.c_str(), this);
        size_ = {};
        scroll_->setContentOffset({0, 0});
        return networkReference(html);
    }

    std::string visibleText() const override {
        std::string shown = web::takeJsText(mevara_frameText(id_));
        if (!shown.empty() || html_.empty()) return shown;
        // No document to ask: the text between the tags.
        static const std::regex tags("<[^>]*>");
        return std::regex_replace(html_, tags, " ");
    }

    std::string pageBaseURL() const override { return baseURL_; }

    void scrollToFragment(const std::string& fragment) override {
        if (fragment.empty()) return;
        const double top = mevara_frameAnchorTop(id_, fragment.c_str());
        if (top >= 0)
            scroll_->setContentOffset(
                {0, std::min(static_cast<float>(top), scroll_->maximumOffset().y)});
    }

    // The page lays out at the view's width in CSS pixels, one to a point.
    void layout(Size size) override {
        if (size == size_) return;
        size_ = size;
        mevara_frameSize(id_, size.width, size.height);
    }

    // The canvas places and clips the iframe where the view draws; it shows the page as far
    // down as the scroll view has gone.
    void draw(Painter& painter, const Rect& bounds) const override {
        mevara_frameScrollTo(id_, std::max(0.0f, scroll_->contentOffset().y));
        if (auto* canvas = dynamic_cast<web::CanvasPainter*>(&painter))
            canvas->placePage(id_, bounds);
    }

    ScrollView& scrollView() override { return *scroll_; }

    void pageHeight(float height) {
        scroll_->setContentSize({size_.width, std::max(height, size_.height)});
    }

private:
    void tapped(Point location) {
        const std::string href = web::takeJsText(mevara_frameLinkAt(id_, location.x, location.y));
        if (!href.empty()) view_.followLink(href);
    }

    static int& count() {
        static int made = 0;
        return made;
    }

    WebView& view_;
    int id_;
    std::string html_, baseURL_;
    Size size_;
    std::shared_ptr<PageScroller> scroll_;
};

} // namespace

std::unique_ptr<WebViewEngine> makeWebViewEngine(WebView& view) {
    return std::make_unique<FrameEngine>(view);
}

// A page's height, once it has laid out and whenever it changes.
extern "C" EMSCRIPTEN_KEEPALIVE void mevara_frame_height(void* engine, double height) {
    if (engine) static_cast<FrameEngine*>(engine)->pageHeight(static_cast<float>(height));
}

} // namespace mevara
