// Web views in the browser build: the browser shows the page itself, in an iframe over the
// canvas, with its own text layout, scrolling, links and accessibility. Without a document
// (tests under Node) the page is kept but nothing is shown.
#include "toolkit/WebViewEngine.h"

#include "platform/web/JsText.h"
#include "toolkit/ScrollView.h"
#include "toolkit/WebAddress.h"
#include "toolkit/WebView.h"

#include <emscripten.h>
#include <regex>

namespace mevara {

namespace {

// clang-format off
// Creates or fills the iframe `id` with the page; relative references resolve against
// `base`.
EM_JS(void, mevara_frameLoad, (int id, const char* htmlText, const char* baseText), {
    if (typeof document === "undefined") return;
    let frame = document.getElementById("mevara-page-" + id);
    if (!frame) {
        frame = document.createElement("iframe");
        frame.id = "mevara-page-" + id;
        frame.style.position = "absolute";
        frame.style.border = "0";
        frame.style.display = "none";
        document.body.appendChild(frame);
    }
    const base = "<base href=\"" + UTF8ToString(baseText).split('"').join("&quot;") + "\">";
    frame.srcdoc = base + UTF8ToString(htmlText);
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
    explicit FrameEngine(WebView& view) : id_(++count()) {
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
        mevara_frameLoad(id_, html.c_str(), baseURL.c_str());
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

    // The canvas backend places and sizes the iframe as it draws the view.
    void layout(Size) override {}
    void draw(Painter&, const Rect&) const override {}

    ScrollView& scrollView() override { return *scroll_; }

private:
    static int& count() {
        static int made = 0;
        return made;
    }

    int id_;
    std::string html_, baseURL_;
    std::shared_ptr<ScrollView> scroll_;
};

} // namespace

std::unique_ptr<WebViewEngine> makeWebViewEngine(WebView& view) {
    return std::make_unique<FrameEngine>(view);
}

} // namespace mevara
