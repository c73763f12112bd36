#include "Test.h"

#include "model/TestData.h"
#include "platform/Unicode.h"

#include <cmath>

namespace mevara {

Test::Test(std::optional<std::string> location, std::optional<std::string> testName,
           std::int64_t numberOfTests, float milliseverts, std::optional<Date> date)
    : testName_(std::move(testName)), location_(std::move(location)), numberOfTests_(numberOfTests),
      milliseverts_(milliseverts), date_(date) {}

std::shared_ptr<Test> Test::testWithLocation(std::optional<std::string> location,
                                             std::optional<std::string> testName,
                                             std::int64_t numberOfTests, float milliseverts,
                                             std::optional<Date> date) {
    return std::make_shared<Test>(std::move(location), std::move(testName), numberOfTests,
                                  milliseverts, date);
}

namespace {

ComparisonResult resultOf(int order) {
    return order < 0   ? ComparisonResult::Ascending
           : order > 0 ? ComparisonResult::Descending
                       : ComparisonResult::Same;
}

template <typename T, typename Compare>
int compareOptional(const std::optional<T>& a, const std::optional<T>& b, Compare compare) {
    if (!a || !b) return static_cast<int>(a.has_value()) - static_cast<int>(b.has_value());
    return compare(*a, *b);
}

int compareText(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return compareOptional(a, b, [](const std::string& x, const std::string& y) {
        return unicode::compareCanonical(x, y);
    });
}

} // namespace

ComparisonResult Test::compare(const Test& other, bool withDate) const {
    if (int order = compareText(testName_, other.testName_)) return resultOf(order);
    int order = compareText(location_, other.location_);
    if (order != 0 || !withDate) return resultOf(order);
    return resultOf(
        compareOptional(date_, other.date_, [](Date x, Date y) { return (x > y) - (x < y); }));
}

float Test::millisevertsForTest(const Test& test) {
    float result = 0.0f;
    const auto catalogue = TestData::catalogue();
    if (const Test* entry = catalogue->find(test))
        result = entry->milliseverts() * static_cast<float>(test.numberOfTests());
    // A count or dose too large for a float would make every total and chart infinite.
    if (!std::isfinite(result)) return 0.0f;
    // std::round takes halves away from zero.
    return static_cast<float>(std::round(static_cast<double>(result) * 1000.0) / 1000.0);
}

} // namespace mevara
