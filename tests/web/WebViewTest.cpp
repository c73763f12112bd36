#include "toolkit/WebView.h"

#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"
#include "support/ToolkitFixture.h"
#include "toolkit/Painter.h"
#include "toolkit/RunLoop.h"
#include "toolkit/WebAddress.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace mevara {
namespace {

namespace fs = std::filesystem;

struct LoadRecorder : WebViewDelegate {
    int finished = 0;
    std::vector<std::string> failures;
    void webViewDidFinishLoad(WebView&) override { ++finished; }
    void webViewDidFailLoadWithError(WebView&, const std::string& error) override {
        failures.push_back(error);
    }
};

// Keeps every line of text and filled rectangle, in window points, with the clip in force.
class RecordingPainter : public Painter {
public:
    struct Text {
        std::string text;
        Font font;
        Color color;
        Point origin;
        Rect clip;
    };
    std::vector<Text> texts;
    std::vector<Rect> fills;

    void save() override { stack_.push_back(state_); }
    void restore() override {
        state_ = stack_.back();
        stack_.pop_back();
    }
    void translate(float dx, float dy) override {
        state_.dx += dx;
        state_.dy += dy;
    }
    void scale(float, float) override {}
    void clip(const Rect& rect) override {
        const Rect r = moved(rect), c = state_.clip;
        const float left = std::max(r.x, c.x), top = std::max(r.y, c.y);
        state_.clip = {left, top, std::max(0.0f, std::min(r.maxX(), c.maxX()) - left),
                       std::max(0.0f, std::min(r.maxY(), c.maxY()) - top)};
    }
    void multiplyAlpha(float) override {}
    void multiplyBrightness(float) override {}
    void fillRect(const Rect& rect, Color) override { fills.push_back(moved(rect)); }
    void fillRoundedRect(const Rect& rect, float, Color) override { fills.push_back(moved(rect)); }
    void drawImage(const Image&, const Rect&, const Rect&) override {}
    void drawText(std::string_view utf8, const Font& font, Color color, Point origin) override {
        texts.push_back({std::string(utf8),
                         font,
                         color,
                         {origin.x + state_.dx, origin.y + state_.dy},
                         state_.clip});
    }
    const FontEngine& fonts() const override { return engine_; }

    const Text* find(const std::string& word) const {
        auto it =
            std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == word; });
        return it == texts.end() ? nullptr : &*it;
    }

private:
    struct State {
        float dx = 0, dy = 0;
        Rect clip{-1e6f, -1e6f, 2e6f, 2e6f};
    };
    Rect moved(const Rect& r) const {
        return {r.x + state_.dx, r.y + state_.dy, r.width, r.height};
    }

    EstimatingFontEngine engine_;
    State state_;
    std::vector<State> stack_;
};

// The address the screens build for a folder: every "/" doubled and spaces escaped.
std::string screenBaseURL(const fs::path& folder) {
    std::string doubled;
    for (char ch : folder.generic_string())
        doubled += ch == '/' ? "//" : ch == ' ' ? "%20" : std::string(1, ch);
    return "file:/" + doubled + "//";
}

// The text of an HTML file's first heading, tags stripped and spaces collapsed.
std::string firstHeading(const std::string& html) {
    std::smatch match;
    if (!std::regex_search(html, match, std::regex("<h[1-6][^>]*>([\\s\\S]*?)</h[1-6]>")))
        return {};
    std::string text = std::regex_replace(match[1].str(), std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("&nbsp;"), " ");
    text = std::regex_replace(text, std::regex("&amp;"), "&");
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

fs::path shippedPages() {
    return Directories::current().resources / "html";
}

class WebViewTest : public testsupport::ToolkitTest {
protected:
    std::shared_ptr<WebView> makeView(float width, float height) {
        auto view = std::make_shared<WebView>(Rect{0, 0, width, height});
        view->setDelegate(recorder);
        return view;
    }
    void deliver() { RunLoop::main().advance(0); }
    std::shared_ptr<WebView> information() {
        auto view = makeView(300, 400);
        view->loadHTMLString(*TextFile::readUtf8(shippedPages() / "Information.html"),
                             screenBaseURL(shippedPages()));
        return view;
    }
    // A folder with a space in its name: a long page linking to a second one in a
    // subfolder, whose stylesheet sits in that subfolder too. The view shows the long one.
    std::shared_ptr<WebView> openSite() {
        std::string filler;
        for (int i = 0; i < 40; ++i)
            filler += "<p>Filler paragraph " + std::to_string(i) + "</p>\n";
        const std::string a = "<html><head><title>Page A</title>"
                              "<link rel=\"stylesheet\" href=\"sub/style.css\"></head><body>"
                              "<h1>Alpha page</h1><p class=\"gone\">Styled away</p>"
                              "<p>Go to <a href=\"sub/b.html\">the second page</a>.</p>" +
                              filler + "<p id=\"end\">The end</p></body></html>";
        temp.write(site / "a.html", a);
        temp.write(site / "sub" / "style.css", ".gone { display: none; }");
        temp.write(site / "sub" / "b.html",
                   "<h1>Beta page</h1><p><a href=\"../a.html#end\">Back to the end</a></p>");
        auto view = makeView(320, 480);
        view->loadHTMLString(a, screenBaseURL(site));
        return view;
    }

    testsupport::TempDirectory temp;
    const fs::path site = temp.path() / "my pages";
    std::shared_ptr<LoadRecorder> recorder = std::make_shared<LoadRecorder>();
};

TEST_F(WebViewTest, ShippedPagesLoadAtPhoneAndTabletWidths) {
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(shippedPages())) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        const std::string html = *TextFile::readUtf8(entry.path());
        const std::string heading = firstHeading(html);
        ASSERT_FALSE(heading.empty()) << entry.path();
        for (float width : {300.0f, 621.0f}) {
            SCOPED_TRACE(entry.path().filename().string() + " at " + std::to_string(width));
            recorder = std::make_shared<LoadRecorder>();
            auto view = makeView(width, 400);
            view->loadHTMLString(html, screenBaseURL(shippedPages()));
            deliver();
            EXPECT_EQ(recorder->finished, 1);
            EXPECT_TRUE(recorder->failures.empty());
            const Size size = view->scrollView().contentSize();
            EXPECT_GT(size.height, 100);
            const std::string text = view->visibleText();
            EXPECT_NE(text.find(heading), std::string::npos) << heading;
            EXPECT_EQ(text.find("pages.css"), std::string::npos) << "the head is not shown";
            EXPECT_EQ(text.find("  "), std::string::npos);
        }
    }
    EXPECT_GE(pages, 19);
}

TEST_F(WebViewTest, PageLaysOutAgainWhenTheWidthChanges) {
    auto view = information();
    const Size narrow = view->scrollView().contentSize();
    view->scrollView().setContentOffset({0, narrow.height - 400});

    view->setFrame({0, 0, 621, 700});
    const Size wide = view->scrollView().contentSize();
    EXPECT_EQ(wide.width, 621);
    EXPECT_LT(wide.height, narrow.height) << "longer lines, fewer of them";
    EXPECT_EQ(view->scrollView().frame(), (Rect{0, 0, 621, 700}));
    EXPECT_LE(view->scrollView().contentOffset().y, view->scrollView().maximumOffset().y)
        << "the offset stays inside the shorter page";
}

TEST_F(WebViewTest, AddressesResolveTheScreensWayAndThePlainWay) {
    using Kind = WebTarget::Kind;
    const std::string screens = "file:////tmp//my%20pages//";
    EXPECT_EQ(resolveWebReference("../a.html#end", "file:///tmp/my%20pages/sub/b.html").path,
              fs::path("/tmp/my pages/a.html"));
    EXPECT_EQ(resolveWebReference("../a.html#end", "file:///tmp/x/").fragment, "end");
    EXPECT_EQ(resolveWebReference("/etc//hosts", screens).path, fs::path("/etc/hosts"));
    EXPECT_EQ(resolveWebReference("file:///etc/hosts?x=1", screens).path, fs::path("/etc/hosts"));
    EXPECT_EQ(resolveWebReference("#top", screens).kind, Kind::SamePage);

    for (const char* remote :
         {"http://example.com/a.css", "HTTPS://example.com/", "//cdn.example.com/a.css",
          "mailto:someone@example.com", "data:text/css,p{}"})
        EXPECT_EQ(resolveWebReference(remote, screens).kind, Kind::Remote) << remote;
    EXPECT_EQ(resolveWebReference("a.css", "https://example.com/pages/").kind, Kind::Remote)
        << "relative to a remote page is remote";

    const fs::path spaced = "/tmp/my pages/b #1.html";
    EXPECT_EQ(fileURLForPath(spaced), "file:///tmp/my%20pages/b%20%231.html");
    EXPECT_EQ(resolveWebReference(fileURLForPath(spaced), "").path, spaced);
}

TEST_F(WebViewTest, AScreenBaseWithSpacesFindsTheStylesheetAndLinksOpenByCodeAndByTap) {
    auto view = openSite();
    window->addSubview(view);
    const std::string text = view->visibleText();
    EXPECT_EQ(text.find("Styled away"), std::string::npos) << "sub/style.css was applied";
    EXPECT_EQ(text.rfind("Alpha page\nGo to the second page.\nFiller paragraph 0\n", 0), 0u)
        << text.substr(0, 80);

    view->followLink("sub/b.html");
    EXPECT_TRUE(view->currentURL().ends_with("/my%20pages/sub/b.html")) << view->currentURL();
    EXPECT_EQ(view->visibleText(), "Beta page\nBack to the end");

    RecordingPainter painter;
    window->render(painter, 0);
    const auto* back = painter.find("Back");
    ASSERT_NE(back, nullptr);
    EXPECT_GT(back->color.b, back->color.r) << "links are blue";
    window->tap({back->origin.x + 4, back->origin.y + 6});
    EXPECT_TRUE(view->currentURL().ends_with("/my%20pages/a.html")) << view->currentURL();
    EXPECT_NE(view->visibleText().find("Alpha page"), std::string::npos);
    EXPECT_GT(view->scrollView().contentOffset().y, 400) << "scrolled to #end";

    window->tap({300, 5});
    EXPECT_TRUE(view->currentURL().ends_with("a.html")) << "a tap beside a link does nothing";
    deliver();
    EXPECT_EQ(recorder->finished, 3);
    EXPECT_TRUE(recorder->failures.empty());
}

TEST_F(WebViewTest, NetworkAndMissingTargetsFailOncePerLoad) {
    auto view = openSite();
    const std::string base = screenBaseURL(site);
    deliver();
    ASSERT_EQ(recorder->finished, 1);
    const std::string text = view->visibleText();

    std::size_t expected = 0;
    for (const char* href :
         {"https://example.com/", "http://example.com/a.html", "//example.com/a.html",
          "mailto:someone@example.com", "missing.html"}) {
        view->followLink(href);
        EXPECT_EQ(recorder->failures.size(), expected) << "not before the run loop turns";
        deliver();
        EXPECT_EQ(recorder->failures.size(), ++expected) << href;
        EXPECT_EQ(view->currentURL(), base) << "the page stays";
        EXPECT_EQ(view->visibleText(), text);
    }

    for (const char* page :
         {"<p><img src=\"http://example.com/a.png\"></p>",
          "<link rel=\"stylesheet\" href=\"https://example.com/a.css\"><p>x</p>",
          "<link rel=\"stylesheet\" href=\"//example.com/a.css\">"
          "<img src=\"https://example.com/a.png\"><img src=\"ftp://x/b.png\">"}) {
        view->loadHTMLString(page, base);
        deliver();
        EXPECT_EQ(recorder->failures.size(), ++expected) << page;
    }
    EXPECT_EQ(recorder->finished, 1);
    deliver();
    EXPECT_EQ(recorder->failures.size(), expected) << "each load reports once";
}

TEST_F(WebViewTest, DrawsHeadingsAboveTextAndOnlyWhatIsVisible) {
    auto view = information();
    RecordingPainter top;
    view->render(top, 0);
    const auto* heading = top.find("estimates");
    const auto* body = top.find("Each");
    ASSERT_TRUE(heading && body);
    EXPECT_LT(heading->origin.y + 10, body->origin.y);
    EXPECT_EQ(heading->font.name, "Helvetica-Bold");
    EXPECT_EQ(body->font.name, "Helvetica");
    EXPECT_GT(heading->font.pointSize, body->font.pointSize);
    for (const Rect& fill : top.fills)
        EXPECT_LT(fill.width * fill.height, 300 * 400 / 4)
            << "a clear web view paints no background";

    view->scrollView().setContentOffset({0, 600});
    RecordingPainter scrolled;
    view->render(scrolled, 0);
    EXPECT_GT(scrolled.texts.size(), 20u);
    EXPECT_EQ(scrolled.find("estimates"), nullptr);
    for (const auto& text : scrolled.texts) {
        EXPECT_EQ(text.clip, (Rect{0, 0, 300, 400}));
        EXPECT_GT(text.origin.y + 20, 0) << text.text;
        EXPECT_LT(text.origin.y, 400) << text.text;
    }
}

TEST_F(WebViewTest, VisibleTextFollowsTheMasterStylesheetInResources) {
    auto view = makeView(320, 480);
    view->loadHTMLString("<html><head><title>Hidden</title><style>b { color: red }</style></head>"
                         "<body><p>One   <b>two</b>\n  three</p><ul><li>Four</li><li>Five<br>"
                         "six</li></ul><table><tr><td>Seven</td><td>eight</td></tr></table>"
                         "</body></html>",
                         "");
    EXPECT_EQ(view->visibleText(), "One two three\nFour\nFive\nsix\nSeven eight");

    const fs::path resources = temp.useOwnResources();
    temp.write(resources / "web" / "master.css", "p { display: none; }");
    auto other = makeView(320, 480);
    other->loadHTMLString("<p>Dropped</p><div>Kept</div>", "");
    EXPECT_EQ(other->visibleText(), "Kept");
}

} // namespace
} // namespace mevara
