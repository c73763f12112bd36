#include "comparisons/BarGeometry.h"
#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"
#include "platform/LocaleFormat.h"

#include <gtest/gtest.h>
#include <limits>

namespace mevara {
namespace {

TEST(BarScale, ChoosesTheSmallestMemberAtOrAboveTheLargestValue) {
    for (auto [largest, scale] : std::vector<std::pair<float, float>>{{-3, 10},
                                                                      {0, 10},
                                                                      {10, 10},
                                                                      {10.5f, 20},
                                                                      {200, 200},
                                                                      {200.01f, 1000},
                                                                      {5000, 5000},
                                                                      {5000.5f, 10000},
                                                                      {500000, 500000}})
        EXPECT_EQ(BarScale::scaleFor(largest, 50), scale) << largest;
    // Beyond the sequence the previous scale stays, or the top when there is none.
    EXPECT_EQ(BarScale::scaleFor(600000, 20), 20);
    EXPECT_EQ(BarScale::scaleFor(600000, 0), 500000);
    EXPECT_EQ(BarScale::scaleFor(std::numeric_limits<float>::infinity(), 0), 500000);
}

TEST(BarScale, TicksAreFifthsOfTheScale) {
    using Ticks = std::array<float, 5>;
    EXPECT_EQ(BarScale::tickValues(10), (Ticks{2, 4, 6, 8, 10}));
    EXPECT_EQ(BarScale::tickValues(150), (Ticks{30, 60, 90, 120, 150}));
    EXPECT_EQ(BarScale::tickValues(200), (Ticks{40, 80, 120, 160, 200}));
}

TEST(BarGeometry, HandsetWidthsAndTabletHeights) {
    // Total 12.5, age 30 - 39 (17.25), flights (1): the scale is 20.
    float scale = BarScale::scaleFor(std::max({12.5f, 17.25f, 1.0f}), 50);
    Rect bar = HandsetBars::barFrame({20, 100, 5, 24}, 12.5f, scale);
    EXPECT_EQ(bar, (Rect{20, 100, 166.875f, 24}));
    EXPECT_EQ(HandsetBars::width(17.25f, scale), 230.2875f);
    EXPECT_EQ(HandsetBars::width(1.0f, scale), 13.35f);
    EXPECT_EQ(HandsetBars::shadowFrame(bar), (Rect{186.875f, 100, 10, 24}));

    float ppm = TabletBars::pointsPerMsv(500, 100, 20);
    Rect column{300, 470, 60, 30}; // bottom edge at 500
    EXPECT_EQ(TabletBars::barFrame(column, 0, ppm), (Rect{300, 482, 60, 18}));
    Rect full = TabletBars::barFrame(column, 20, ppm);
    EXPECT_EQ(full, (Rect{300, 82, 60, 418}));
    EXPECT_EQ(TabletBars::valueLabelFrame({290, 0, 80, 21}, full.y).y, 57);
    EXPECT_EQ(TabletBars::valueContainerFrame({285, 0, 90, 30}, full.y).y, 53);
}

TEST(ChartText, WritesTotalsEquivalentsAndReferences) {
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(ChartText::twoDecimalText(1234.5f), "1.234,50");
    LocaleFormat::setLocale(std::nullopt);

    EXPECT_EQ(ChartText::monthsOfNaturalExposure(7.5f), 30);
    EXPECT_EQ(ChartText::chestXrays(7.5f), 375);
    EXPECT_EQ(ChartText::monthsOfNaturalExposure(1.3f), 5);
    EXPECT_EQ(ChartText::chestXrays(1.3f), 64);               // just below 65 in single precision
    EXPECT_EQ(ChartText::monthsOfNaturalExposure(0.125f), 1); // half up
    EXPECT_EQ(ChartText::shortText(ChartText::chestXrays(std::numeric_limits<float>::max())),
              "1.701412e+40");

    for (const auto& ref : ComparisonReferences::all)
        EXPECT_EQ(ChartText::valueOfText(ref.valueText), ref.milliseverts.value_or(0));
}

} // namespace
} // namespace mevara
