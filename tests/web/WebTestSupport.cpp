#include "WebTestSupport.h"

#include <algorithm>
#include <regex>

namespace mevara::webtest {

void RecordingPainter::clip(const Rect& rect) {
    const Rect r = moved(rect);
    const Rect& c = state_.clip;
    const float left = std::max(r.x, c.x), top = std::max(r.y, c.y);
    state_.clip = {left, top, std::max(0.0f, std::min(r.maxX(), c.maxX()) - left),
                   std::max(0.0f, std::min(r.maxY(), c.maxY()) - top)};
}

const RecordingPainter::Text* RecordingPainter::find(const std::string& word) const {
    auto it =
        std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == word; });
    return it == texts.end() ? nullptr : &*it;
}

std::string screenBaseURL(const std::filesystem::path& folder) {
    std::string doubled;
    for (char ch : folder.generic_string()) {
        if (ch == '/')
            doubled += "//";
        else if (ch == ' ')
            doubled += "%20";
        else
            doubled += ch;
    }
    return "file:/" + doubled + "//";
}

std::string firstHeading(const std::string& html) {
    std::smatch match;
    if (!std::regex_search(html, match, std::regex("<h[1-6][^>]*>([\\s\\S]*?)</h[1-6]>")))
        return {};
    std::string text = std::regex_replace(match[1].str(), std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("&nbsp;"), " ");
    text = std::regex_replace(text, std::regex("&amp;"), "&");
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    return text;
}

} // namespace mevara::webtest
