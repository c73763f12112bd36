// Every picture and page the screens name ships with the program, rendered for
// both screen densities, and the pages work offline and name their sources.
#include "platform/Directories.h"
#include "platform/TextFile.h"

#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace mevara {
namespace {

namespace fs = std::filesystem;

fs::path resources() {
    return Directories::defaults().resources;
}

// Width and height from a PNG's header, or nothing when it is no PNG.
std::optional<std::array<uint32_t, 2>> pngSize(const fs::path& file) {
    auto bytes = TextFile::readBytes(file);
    if (!bytes || bytes->size() < 24 || bytes->compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return std::nullopt;
    auto be32 = [&](std::size_t at) {
        uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v << 8 | static_cast<unsigned char>((*bytes)[at + i]);
        return v;
    };
    return std::array<uint32_t, 2>{be32(16), be32(20)};
}

// Every picture or page name quoted in the screens' code and layout files, and from
// shipped-names.txt the ones they name without an extension, which the scan cannot see.
std::set<std::string> shippedNames() {
    std::set<std::string> names;
    std::ifstream known(fs::path(MEVARA_SOURCE_DIR) / "tests/resources/shipped-names.txt");
    for (std::string line; std::getline(known, line);)
        if (!line.empty()) names.insert(line);
    const std::regex quoted(R"re("([A-Za-z0-9_@-]+\.(png|html))")re");
    for (const char* folder : {"app", "handset", "tablet", "resources/layouts"}) {
        fs::path dir = fs::path(MEVARA_SOURCE_DIR) / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            auto text = TextFile::readUtf8(entry.path());
            if (!text) continue;
            for (std::sregex_iterator m(text->begin(), text->end(), quoted), end; m != end; ++m)
                names.insert((*m)[1]);
        }
    }
    return names;
}

TEST(Resources, EveryPictureShipsAtBothDensities) {
    for (std::string name : shippedNames()) {
        if (!name.ends_with(".png")) continue;
        name.resize(name.size() - 4);
        auto one = pngSize(resources() / "images" / (name + ".png"));
        auto two = pngSize(resources() / "images" / (name + "@2x.png"));
        ASSERT_TRUE(one && two) << name << " is missing or not a PNG";
        EXPECT_EQ((*two)[0], 2 * (*one)[0]) << name;
        EXPECT_EQ((*two)[1], 2 * (*one)[1]) << name;
    }
}

TEST(Resources, EveryPageShipsWorksOfflineAndNamesItsSources) {
    const std::regex network(R"((src|href)\s*=\s*["']?\s*(https?:|//))", std::regex::icase);
    for (const auto& name : shippedNames()) {
        if (!name.ends_with(".html")) continue;
        auto html = TextFile::readUtf8(resources() / "html" / name);
        ASSERT_TRUE(html) << name << " is missing or not UTF-8";
        EXPECT_EQ(html->find("<script"), std::string::npos) << name;
        EXPECT_FALSE(std::regex_search(*html, network)) << name << " needs the network";
        // A reader finds where the figures come from at the end of each page; the
        // settings page describes the app itself and quotes none.
        if (name == "settings.html") continue;
        const std::string marker = "<p class=\"cited\">Sources: ";
        const auto line = html->rfind(marker), close = html->rfind("</p>"),
                   body = html->rfind("</body>");
        EXPECT_TRUE(line != std::string::npos && close > line + marker.size() &&
                    html->find("<p", line + 1) == std::string::npos &&
                    html->find_first_not_of(" \t\r\n", close + 4) == body)
            << name << " does not end with its sources";
    }
}

} // namespace
} // namespace mevara
