#include "model/Test.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono;
using testsupport::TempDirectory;
// Inside a test body, Test names the test framework's base class.
using Record = mevara::Test;

class DoseLookup : public ::testing::Test {
protected:
    TempDirectory dir;

    void SetUp() override {
        dir.write(dir.useOwnResources() / "testlist.xml",
                  "<tests>\n"
                  "<t name='CT' location='Chest' milliseverts='2.5'/>\n"
                  "<t name='X-Ray' location='Knee' milliseverts='0.005'/>\n"
                  "<t name='X-Ray' location='Hand' milliseverts='0.0001'/>\n"
                  "<t name='PET' location='Heart' milliseverts='4'/>\n"
                  "<t name='PET' location='Heart' milliseverts='5'/>\n"
                  "<t name='R\u00f6ntgen' location='Brust' milliseverts='0.1'/>\n"
                  "<t name='Odd' location='Value' milliseverts='0.0625'/>\n"
                  "</tests>\n");
    }

    static float dose(const char* name, const char* location, std::int64_t count) {
        return mevara::Test::millisevertsForTest(
            mevara::Test(location, name, count, 0, std::nullopt));
    }
};

TEST_F(DoseLookup, MultipliesTheMatchingEntryByTheCount) {
    EXPECT_FLOAT_EQ(dose("CT", "Chest", 3), 7.5f);
    EXPECT_FLOAT_EQ(dose("CT", "Chest", 1), 2.5f);
    EXPECT_EQ(dose("CT", "Chest", 0), 0.0f);
    // The later of two entries for the same test decides.
    EXPECT_FLOAT_EQ(dose("PET", "Heart", 2), 10.0f);
}

TEST_F(DoseLookup, MatchesExactlyButForCanonicalEquivalence) {
    EXPECT_EQ(dose("ct", "Chest", 1), 0.0f);
    EXPECT_EQ(dose("CT", "chest", 1), 0.0f);
    EXPECT_EQ(dose("MRI", "Chest", 1), 0.0f);
    EXPECT_FLOAT_EQ(dose("Ro\u0308ntgen", "Brust", 1), 0.1f);
    // A record without a body part matches no entry rather than every one.
    EXPECT_EQ(
        mevara::Test::millisevertsForTest(mevara::Test(std::nullopt, "CT", 1, 0, std::nullopt)),
        0.0f);
}

TEST_F(DoseLookup, RoundsToThreeDecimalsHalvesAwayFromZero) {
    EXPECT_FLOAT_EQ(dose("X-Ray", "Knee", 3), 0.015f);
    EXPECT_EQ(dose("X-Ray", "Hand", 4), 0.0f); // 0.0004 rounds to 0
    EXPECT_FLOAT_EQ(dose("X-Ray", "Hand", 6), 0.001f);
    EXPECT_FLOAT_EQ(dose("Odd", "Value", 1), 0.063f); // exactly 62.5 thousandths
    EXPECT_FLOAT_EQ(dose("X-Ray", "Knee", 1'000'000'000'000), 5e9f);
}

TEST_F(DoseLookup, EmptyOrMissingCatalogueGivesZero) {
    dir.write(dir.path() / "Resources/testlist.xml", "");
    EXPECT_EQ(dose("CT", "Chest", 1), 0.0f);
}

TEST(TestRecord, ComparesByNameThenLocationThenDate) {
    Date early = sys_days{2020y / January / 1};
    Date late = sys_days{2021y / January / 1};
    Record a("Chest", "CT", 1, 0, late);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 5, 9, early), false), ComparisonResult::Same);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 1, 0, early), true), ComparisonResult::Descending);
    EXPECT_EQ(a.compare(Record("Chest", "MRI", 1, 0, early), true), ComparisonResult::Ascending);
    EXPECT_EQ(a.compare(Record("Abdomen", "CT", 1, 0, early), false), ComparisonResult::Descending);
    EXPECT_EQ(a.compare(Record("Chest", "CT", 1, 0, std::nullopt), true),
              ComparisonResult::Descending);

    auto shared = Record::testWithLocation("Chest", "CT", 2, 5.0f, std::nullopt);
    auto alias = shared;
    alias->setNumberOfTests(3);
    EXPECT_EQ(shared->numberOfTests(), 3);
}

} // namespace
} // namespace mevara
