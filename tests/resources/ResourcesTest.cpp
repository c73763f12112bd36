// Every picture and page the screens name ships with the program, rendered for
// both screen densities, and the pages work offline.
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

const std::set<std::string> pictures{"arrow-gray",
                                     "background-behind-icons",
                                     "balloon-blue",
                                     "balloon-blue-point-down",
                                     "balloon-blue-point-left",
                                     "balloon-blue-point-right",
                                     "balloon-green",
                                     "balloon-green-point-down",
                                     "balloon-green-point-left",
                                     "bar-green-ipad",
                                     "bar-orange-ipad",
                                     "bar-red-ipad",
                                     "bg-blue",
                                     "bottom-of-comparisons",
                                     "bottom-of-graph-ipad",
                                     "bubble1",
                                     "bubble2",
                                     "button-back",
                                     "button-blue",
                                     "button-delete",
                                     "button-footer-selected",
                                     "button-green",
                                     "button-more",
                                     "button-red",
                                     "button-screen",
                                     "cancer-risk-gradient",
                                     "cancer-risk-gradient2",
                                     "checkmark",
                                     "container-blue",
                                     "container-for-values",
                                     "container-light-blue",
                                     "content-background",
                                     "doctor-default",
                                     "doctor-female",
                                     "doctor-male",
                                     "form-bg",
                                     "form-box",
                                     "home-bg",
                                     "icon-add",
                                     "icon-chernobyl-ipad",
                                     "icon-earth-ipad",
                                     "icon-heart-ipad",
                                     "icon-heart-large",
                                     "icon-help-ipad",
                                     "icon-home",
                                     "icon-large-chernobyl",
                                     "icon-large-earth",
                                     "icon-large-nuclear",
                                     "icon-large-plane",
                                     "icon-medium-earth",
                                     "icon-medium-x-ray",
                                     "icon-nuclear-ipad",
                                     "icon-plane-ipad",
                                     "icon-remove",
                                     "man1",
                                     "nav-bg-landscape",
                                     "nav-bg-portrait",
                                     "navigation-divider",
                                     "scale-tick-mark",
                                     "selected-icon",
                                     "selected-icon-ipad",
                                     "step3-squarebreak",
                                     "unselected-icon-ipad",
                                     "woman1",
                                     "x"};

const std::set<std::string> pages{
    "Information.html",         "WhatIsRadiation.html",   "ImagingTests.html",
    "Alternatives.html",        "QuestionsToAsk.html",    "WhatareMillisieverts.html",
    "References.html",          "MoreAverage.html",       "MoreAirTravel.html",
    "MoreNaturalExposure.html", "MoreNuclearStress.html", "MoreChernobyl.html",
    "MoreCancerRisk.html",      "settings.html",          "WhatIsRadiationIpad.html",
    "ImagingTestsIpad.html",    "AlternativesIpad.html",  "QuestionsToAskIpad.html",
    "ReferencesIpad.html"};

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

// Picture and page names quoted in the screens' code and layout files.
std::set<std::string> namesInSources() {
    std::set<std::string> names;
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
    std::set<std::string> wanted = pictures;
    for (const auto& name : namesInSources())
        if (name.ends_with(".png")) wanted.insert(name.substr(0, name.size() - 4));
    for (const auto& name : wanted) {
        auto one = pngSize(resources() / "images" / (name + ".png"));
        auto two = pngSize(resources() / "images" / (name + "@2x.png"));
        ASSERT_TRUE(one && two) << name << " is missing or not a PNG";
        EXPECT_EQ((*two)[0], 2 * (*one)[0]) << name;
        EXPECT_EQ((*two)[1], 2 * (*one)[1]) << name;
    }
}

TEST(Resources, EveryPageShipsAndWorksOffline) {
    std::set<std::string> wanted = pages;
    for (const auto& name : namesInSources())
        if (name.ends_with(".html")) wanted.insert(name);
    const std::regex network(R"((src|href)\s*=\s*["']?\s*(https?:|//))", std::regex::icase);
    for (const auto& name : wanted) {
        auto html = TextFile::readUtf8(resources() / "html" / name);
        ASSERT_TRUE(html) << name << " is missing or not UTF-8";
        EXPECT_EQ(html->find("<script"), std::string::npos) << name;
        EXPECT_FALSE(std::regex_search(*html, network)) << name << " needs the network";
    }
}

} // namespace
} // namespace mevara
