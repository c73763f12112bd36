#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"

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

TEST(ChartText, WritesTotalsEquivalentsAndReferences) {
    // Totals in the locale's way: LocaleFormat's tests.
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
