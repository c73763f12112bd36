#pragma once

#include "toolkit/ScrollView.h"

#include <memory>
#include <optional>
#include <string>

namespace mevara {

class WebView;
class WebViewEngine;

class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    virtual void webViewDidFinishLoad(WebView& /*view*/) {}
    // A load that failed: the page or something in it needed the network, or a linked
    // page could not be read.
    virtual void webViewDidFailLoadWithError(WebView& /*view*/, const std::string& /*error*/) {}
};

// An HTML page (laid out by the build's engine: litehtml with the shipped master
// stylesheet on the desktop, the browser itself in the browser build). Relative links and
// pictures resolve against the base address; a tapped local link opens in the view;
// anything that would need the network fails and reaches the delegate (not held).
class WebView : public View {
public:
    WebView();
    explicit WebView(Rect frame);
    ~WebView() override;
    std::string className() const override { return "WebView"; }

    void setDelegate(std::weak_ptr<WebViewDelegate> delegate) { delegate_ = std::move(delegate); }
    void loadHTMLString(std::string html, std::string baseURL);
    const std::string& html() const { return html_; }
    const std::string& baseURL() const { return baseURL_; }
    // The address of the page shown: the base address, or the link last followed.
    const std::string& currentURL() const { return currentURL_; }
    // The page's text as a person reads it, for dumps and tests.
    std::string visibleText() const;
    // The scroll view that holds the page; screens turn its bouncing off.
    ScrollView& scrollView();
    // Follows a link as a tap on it would.
    void followLink(const std::string& href);

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;
    void layoutSubviews() override;

private:
    // Tells the delegate how the current load went, after the present call returns.
    void report(std::optional<std::string> error);

    std::weak_ptr<WebViewDelegate> delegate_;
    std::string html_, baseURL_, currentURL_;
    std::unique_ptr<WebViewEngine> engine_;
};

} // namespace mevara
