#include "comparisons/BarGeometry.h"
#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"
#include "platform/LocaleFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace mevara {
namespace {

TEST(BarScale, ChoosesTheSmallestMemberAtOrAboveTheLargestValue) {
    EXPECT_EQ(BarScale::scaleFor(0, 50), 10);
    EXPECT_EQ(BarScale::scaleFor(-3, 50), 10);
    EXPECT_EQ(BarScale::scaleFor(10, 50), 10);
    EXPECT_EQ(BarScale::scaleFor(10.5f, 50), 20);
    EXPECT_EQ(BarScale::scaleFor(17.25f, 50), 20);
    EXPECT_EQ(BarScale::scaleFor(200, 50), 200);
    EXPECT_EQ(BarScale::scaleFor(200.01f, 50), 1000);
    EXPECT_EQ(BarScale::scaleFor(5000, 50), 5000);
    EXPECT_EQ(BarScale::scaleFor(5000.5f, 50), 10000);
    EXPECT_EQ(BarScale::scaleFor(500000, 50), 500000);
}

TEST(BarScale, BeyondTheSequenceKeepsThePreviousScaleOrUsesTheTop) {
    EXPECT_EQ(BarScale::scaleFor(600000, 50), 50);
    EXPECT_EQ(BarScale::scaleFor(600000, 20), 20);
    EXPECT_EQ(BarScale::scaleFor(600000, 0), 500000); // no chart has set one yet
    EXPECT_EQ(BarScale::scaleFor(std::numeric_limits<float>::infinity(), 0), 500000);
}

TEST(BarScale, TicksAreFifthsOfTheScale) {
    using Ticks = std::array<float, 5>;
    EXPECT_EQ(BarScale::tickValues(10), (Ticks{2, 4, 6, 8, 10}));
    EXPECT_EQ(BarScale::tickValues(20), (Ticks{4, 8, 12, 16, 20}));
    EXPECT_EQ(BarScale::tickValues(150), (Ticks{30, 60, 90, 120, 150}));
    EXPECT_EQ(BarScale::tickValues(200), (Ticks{40, 80, 120, 160, 200}));
    std::vector<std::string> texts;
    for (float t : BarScale::tickValues(50))
        texts.push_back(ChartText::shortText(t));
    EXPECT_EQ(texts, (std::vector<std::string>{"10", "20", "30", "40", "50"}));
}

TEST(HandsetBars, WidthsFollow267PointsForTheScale) {
    // Total 12.5, age 30 - 39, flights: the scale is 20.
    float scale = BarScale::scaleFor(std::max({12.5f, 17.25f, 1.0f}), 50);
    ASSERT_EQ(scale, 20);
    EXPECT_EQ(HandsetBars::width(12.5f, scale), 166.875f);
    EXPECT_EQ(HandsetBars::width(17.25f, scale), 230.2875f);
    EXPECT_EQ(HandsetBars::width(1.0f, scale), 13.35f);
    EXPECT_EQ(HandsetBars::width(0, 10), 0.0f);

    Rect bar = HandsetBars::barFrame({20, 100, 5, 24}, 12.5f, scale);
    EXPECT_EQ(bar, (Rect{20, 100, 166.875f, 24}));
    EXPECT_EQ(HandsetBars::shadowFrame(bar), (Rect{186.875f, 100, 10, 24}));
}

TEST(TabletBars, GrowUpFromTheBottomWithAStub) {
    float ppm = TabletBars::pointsPerMsv(500, 100, 20); // 20 points per mSv
    EXPECT_EQ(ppm, 20);
    Rect bar{300, 470, 60, 30}; // bottom edge at 500
    EXPECT_EQ(TabletBars::barFrame(bar, 0, ppm), (Rect{300, 482, 60, 18}));
    Rect full = TabletBars::barFrame(bar, 20, ppm);
    EXPECT_EQ(full, (Rect{300, 82, 60, 418}));
    EXPECT_EQ(TabletBars::valueLabelFrame({290, 0, 80, 21}, full.y), (Rect{290, 57, 80, 21}));
    EXPECT_EQ(TabletBars::valueContainerFrame({285, 0, 90, 30}, full.y), (Rect{285, 53, 90, 30}));
}

TEST(ChartText, WritesTotalsAndEquivalents) {
    LocaleFormat::setLocale("en_US");
    EXPECT_EQ(ChartText::twoDecimalText(7.5f), "7.50");
    EXPECT_EQ(ChartText::twoDecimalText(1234.5f), "1,234.50");
    LocaleFormat::setLocale("de_DE");
    EXPECT_EQ(ChartText::twoDecimalText(1234.5f), "1.234,50");
    LocaleFormat::setLocale(std::nullopt);

    EXPECT_EQ(ChartText::monthsOfNaturalExposure(7.5f), 30);
    EXPECT_EQ(ChartText::chestXrays(7.5f), 375);
    EXPECT_EQ(ChartText::monthsOfNaturalExposure(1.3f), 5);
    EXPECT_EQ(ChartText::chestXrays(1.3f), 64);               // just below 65 in single precision
    EXPECT_EQ(ChartText::monthsOfNaturalExposure(0.125f), 1); // half up
    EXPECT_EQ(ChartText::shortText(ChartText::chestXrays(0)), "0");
    EXPECT_EQ(ChartText::monthsOfNaturalExposure(std::numeric_limits<float>::max()),
              std::trunc(double(std::numeric_limits<float>::max()) / 9.0 * 36.0 + 0.5));
}

TEST(Comparisons, ReferencesReadBackFromTheirTexts) {
    for (const auto& ref : ComparisonReferences::all) {
        EXPECT_EQ(ChartText::valueOfText(ref.valueText), ref.milliseverts.value_or(0));
        if (ref.milliseverts) {
            EXPECT_EQ(ChartText::shortText(*ref.milliseverts), ref.valueText);
        }
    }
    EXPECT_EQ(ComparisonReferences::reference(Comparison::NuclearStressTest).pageScale, 20);
    EXPECT_EQ(ChartText::valueOfText(""), 0);
}

} // namespace
} // namespace mevara
