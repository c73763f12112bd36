// Web views in the browser build: the browser shows the page itself, in an iframe over the
// canvas, with its own text layout, scrolling, links and accessibility. Without a document
// (tests under Node) the page is kept but nothing is shown.
#include "toolkit/WebViewEngine.h"

#include "platform/web/JsText.h"
#include "toolkit/ScrollView.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebView.h"
#include "toolkit/web/CanvasPainter.h"

#include <emscripten.h>
#include <regex>

namespace mevara {

namespace {

// clang-format off
// Creates or fills the iframe `id` with the page; relative references resolve against
// `base`, where the program's resources (file:///resources/) are the site's. A tapped
// link goes to the view (`engine`), which decides where it leads.
EM_JS(void, mevara_frameLoad, (int id, const char* htmlText, const char* baseText, void* engine), {
    if (typeof document === "undefined") return;
    let frame = document.getElementById("mevara-page-" + id);
    if (!frame) {
        frame = document.createElement("iframe");
        frame.id = "mevara-page-" + id;
        frame.className = "mevara-page";
        frame.style.position = "absolute";
        frame.style.border = "0";
        frame.style.display = "none";
        frame.style.background = "transparent";
        frame.addEventListener("load", () => {
            const doc = frame.contentDocument;
            if (!doc) return;
            doc.addEventListener("click", (event) => {
                const link = event.target.closest && event.target.closest("a[href]");
                if (!link) return;
                event.preventDefault();
                const href = link.getAttribute("href");
                const text = mevaraTextOut(href);
                Module["_mevara_frame_link"](frame.mevaraEngine, text);
                _free(text);
            });
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

EM_JS(char*, mevara_frameText, (int id), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const body = frame && frame.contentDocument && frame.contentDocument.body;
    return mevaraTextOut(body ? body.innerText : "");
});

EM_JS(void, mevara_frameScroll, (int id, const char* fragmentText), {
    const frame = typeof document !== "undefined" && document.getElementById("mevara-page-" + id);
    const doc = frame && frame.contentDocument;
    const target = doc && (doc.getElementById(UTF8ToString(fragmentText)) ||
                           doc.getElementsByName(UTF8ToString(fragmentText))[0]);
    if (target) target.scrollIntoView();
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
        // Kept for the screens that set its bouncing; the iframe scrolls the page itself.
        scroll_ = std::make_shared<ScrollView>(Rect{0, 0, frame.width, frame.height});
        scroll_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        scroll_->setUserInteractionEnabled(false);
        view.addSubview(scroll_);
    }
    ~FrameEngine() override { mevara_frameRemove(id_); }

    std::optional<std::string> load(const std::string& html, const std::string& baseURL) override {
        html_ = html;
        baseURL_ = baseURL;
        mevara_frameLoad(id_, html.c_str(), baseURL.c_str(), this);
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
        if (!fragment.empty()) mevara_frameScroll(id_, fragment.c_str());
    }

    void layout(Size) override {}
    // The canvas places and clips the iframe where the view draws.
    void draw(Painter& painter, const Rect& bounds) const override {
        if (auto* canvas = dynamic_cast<web::CanvasPainter*>(&painter))
            canvas->placePage(id_, bounds);
    }

    void followLink(const std::string& href) { view_.followLink(href); }

    ScrollView& scrollView() override { return *scroll_; }

private:
    static int& count() {
        static int made = 0;
        return made;
    }

    WebView& view_;
    int id_;
    std::string html_, baseURL_;
    std::shared_ptr<ScrollView> scroll_;
};

} // namespace

std::unique_ptr<WebViewEngine> makeWebViewEngine(WebView& view) {
    return std::make_unique<FrameEngine>(view);
}

// A link tapped in a page's iframe.
extern "C" EMSCRIPTEN_KEEPALIVE void mevara_frame_link(void* engine, const char* href) {
    if (engine && href) static_cast<FrameEngine*>(engine)->followLink(href);
}

} // namespace mevara
