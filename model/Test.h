#pragma once

#include "platform/Date.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

enum class ComparisonResult { Ascending = -1, Same = 0, Descending = 1 };

// One imaging test: either a catalogue entry (one test of a type on a body part
// with its typical dose) or a recorded test (a count, an optional date and the
// dose of all those tests together). Records are shared: a form that edits one
// changes it for every list that holds it.
class Test {
public:
    Test(std::optional<std::string> location, std::optional<std::string> testName,
         std::int64_t numberOfTests, float milliseverts, std::optional<Date> date);

    static std::shared_ptr<Test> testWithLocation(std::optional<std::string> location,
                                                  std::optional<std::string> testName,
                                                  std::int64_t numberOfTests, float milliseverts,
                                                  std::optional<Date> date);

    const std::optional<std::string>& testName() const { return testName_; }
    void setTestName(std::optional<std::string> testName) { testName_ = std::move(testName); }

    const std::optional<std::string>& location() const { return location_; }
    void setLocation(std::optional<std::string> location) { location_ = std::move(location); }

    std::int64_t numberOfTests() const { return numberOfTests_; }
    void setNumberOfTests(std::int64_t numberOfTests) { numberOfTests_ = numberOfTests; }

    float milliseverts() const { return milliseverts_; }
    void setMilliseverts(float milliseverts) { milliseverts_ = milliseverts; }

    const std::optional<Date>& date() const { return date_; }
    void setDate(std::optional<Date> date) { date_ = date; }

    // Orders by test name, then body part, then (with the flag) date. Names
    // compare case-sensitively, canonically equivalent spellings as equal. An
    // absent text or date comes before a present one.
    ComparisonResult compare(const Test& other, bool withDate) const;

    // The dose of all the test's tests, from the catalogue as it is on disk now:
    // the last matching entry's dose times the count, rounded to three decimals.
    // 0 when nothing matches.
    static float millisevertsForTest(const Test& test);

private:
    std::optional<std::string> testName_;
    std::optional<std::string> location_;
    std::int64_t numberOfTests_ = 0;
    float milliseverts_ = 0;
    std::optional<Date> date_;
};

} // namespace mevara
