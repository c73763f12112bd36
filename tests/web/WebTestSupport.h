#pragma once

#include "toolkit/Painter.h"
#include "toolkit/WebView.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mevara::webtest {

// Hears a web view's load reports.
struct LoadRecorder : WebViewDelegate {
    int finished = 0;
    std::vector<std::string> failures;
    void webViewDidFinishLoad(WebView&) override { ++finished; }
    void webViewDidFailLoadWithError(WebView&, const std::string& error) override {
        failures.push_back(error);
    }
};

// A painter that keeps every line of text and filled rectangle, in window points, with the
// clip that was in force.
class RecordingPainter : public Painter {
public:
    struct Text {
        std::string text;
        Font font;
        Color color;
        Point origin;
        Rect clip;
    };
    struct Fill {
        Rect rect;
        Color color;
    };

    std::vector<Text> texts;
    std::vector<Fill> fills;

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
    void clip(const Rect& rect) override;
    void multiplyAlpha(float) override {}
    void multiplyBrightness(float) override {}
    void fillRect(const Rect& rect, Color color) override { fills.push_back({moved(rect), color}); }
    void fillRoundedRect(const Rect& rect, float, Color color) override {
        fills.push_back({moved(rect), color});
    }
    void drawImage(const Image&, const Rect&, const Rect&) override {}
    void drawText(std::string_view utf8, const Font& font, Color color, Point origin) override {
        texts.push_back({std::string(utf8),
                         font,
                         color,
                         {origin.x + state_.dx, origin.y + state_.dy},
                         state_.clip});
    }
    const FontEngine& fonts() const override { return engine_; }

    // The first word drawn that equals `word`, or null.
    const Text* find(const std::string& word) const;

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

// The address the screens build for a folder: "file:/" + the path with every "/" doubled
// and spaces escaped + "//".
std::string screenBaseURL(const std::filesystem::path& folder);

// The text of the first h1...h6 in an HTML file, tags stripped and spaces collapsed.
std::string firstHeading(const std::string& html);

} // namespace mevara::webtest
