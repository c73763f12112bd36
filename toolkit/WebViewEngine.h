#pragma once

#include "platform/Geometry.h"
#include "toolkit/ScrollView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class Painter;
class WebView;

// What lays a web view's page out and shows it: litehtml drawing through the painter on
// the desktop (litehtml/), the browser's own page in an iframe in the browser build
// (web/). The web view keeps the addresses, links and the delegate.
class WebViewEngine {
public:
    virtual ~WebViewEngine() = default;

    // Shows `html`; the failure when the page or something in it needs the network.
    virtual std::optional<std::string> load(const std::string& html,
                                            const std::string& baseURL) = 0;
    virtual std::string visibleText() const = 0;
    // The address the shown page resolves its links against.
    virtual std::string pageBaseURL() const = 0;
    virtual void scrollToFragment(const std::string& fragment) = 0;
    // The view's size changed, or a page came.
    virtual void layout(Size size) = 0;
    virtual void draw(Painter& painter, const Rect& bounds) const = 0;
    virtual ScrollView& scrollView() = 0;
};

// The scroll view that holds a page: it tells taps from drags and hands the taps, in page
// coordinates, to the engine.
class PageScroller : public ScrollView {
public:
    using ScrollView::ScrollView;
    std::function<void(Point)> onTap;

protected:
    void tappedAt(Point location) override;
};

// Builds the engine and the subviews it needs inside `view`, which owns it.
std::unique_ptr<WebViewEngine> makeWebViewEngine(WebView& view);

} // namespace mevara
