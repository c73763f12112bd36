#include "model/Test.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono;
using testsupport::TempDirectory;
// Inside a test body, Test names the test framework's base class.
using Record = mevara::Test;

float dose(std::optional<std::string> name, std::optional<std::string> location,
           std::int64_t count) {
    return Record::millisevertsForTest(Record(location, name, count, 0, std::nullopt));
}

TEST(DoseLookup, MultipliesTheLastMatchingEntryAndRoundsToThousandths) {
    TempDirectory dir;
    dir.write(dir.useOwnResources() / "testlist.xml",
              "<t name='CT' location='Chest' milliseverts='2.5'/>\n"
              "<t name='X-Ray' location='Hand' milliseverts='0.0001'/>\n"
              "<t name='PET' location='Heart' milliseverts='4'/>\n"
              "<t name='PET' location='Heart' milliseverts='5'/>\n"
              "<t name='R\u00f6ntgen' location='Brust' milliseverts='0.1'/>\n"
              "<t name='Half' location='Way' milliseverts='0.0625'/>\n");
    EXPECT_EQ(dose("CT", "Chest", 3), 7.5f);
    EXPECT_EQ(dose("CT", "Chest", 0), 0.0f);
    EXPECT_EQ(dose("PET", "Heart", 2), 10.0f); // the later entry decides
    EXPECT_EQ(dose("Half", "Way", 1), 0.063f); // exactly 62.5 thousandths: away from zero
    EXPECT_EQ(dose("X-Ray", "Hand", 4), 0.0f); // under half a thousandth
    EXPECT_EQ(dose("X-Ray", "Hand", 6), 0.001f);
    EXPECT_EQ(dose("Ro\u0308ntgen", "Brust", 1), 0.1f); // canonically equal spelling

    EXPECT_EQ(dose("ct", "Chest", 1), 0.0f);
    EXPECT_EQ(dose("CT", "chest", 1), 0.0f);
    // A record without a body part matches no entry rather than every one.
    EXPECT_EQ(dose("CT", std::nullopt, 1), 0.0f);
    dir.write(dir.path() / "Resources/testlist.xml", "");
    EXPECT_EQ(dose("CT", "Chest", 1), 0.0f);
}

TEST(TestRecord, ComparesByNameThenLocationThenDate) {
    Date early = sys_days{2020y / January / 1}, late = sys_days{2021y / January / 1};
    Record a("Chest", "CT", 1, 0, late);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 5, 9, early), false), ComparisonResult::Same);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 1, 0, early), true), ComparisonResult::Descending);
    EXPECT_EQ(a.compare(Record("Chest", "MRI", 1, 0, early), true), ComparisonResult::Ascending);
    EXPECT_EQ(a.compare(Record("Abdomen", "CT", 1, 0, early), false), ComparisonResult::Descending);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 1, 0, std::nullopt), true),
              ComparisonResult::Descending);
}

} // namespace
} // namespace mevara
