#include "model/UserData.h"

#include "platform/Clock.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono;
using testsupport::TempDirectory;

class UserDataFile : public ::testing::Test {
protected:
    TempDirectory dir;

    void SetUp() override {
        UserData::resetInstance();
        dir.write(dir.useOwnResources() / "testlist.xml",
                  "<t name='CT' location='Chest' milliseverts='7'/>\n"
                  "<t name='X-Ray' location='Lumbar Spine' milliseverts='1.5'/>\n");
    }
    void TearDown() override { UserData::resetInstance(); }

    static UserData reloaded() {
        UserData data;
        data.load();
        return data;
    }
};

TEST_F(UserDataFile, WithoutAFileStartsEmptyAndSaving) {
    UserData& data = UserData::instance();
    EXPECT_TRUE(data.saveData());
    EXPECT_EQ(data.gender(), "");
    EXPECT_EQ(data.age(), "");
    EXPECT_TRUE(data.tests().empty());
    EXPECT_EQ(data.total(), 0.0f);
    EXPECT_EQ(&data, &UserData::instance());
}

TEST_F(UserDataFile, SavesAndLoadsProfileAndTestsWithFreshDoses) {
    UserData data;
    data.setGender("Female");
    data.setAge("30 - 39");
    Date date = sys_days{2026y / March / 15} + 12h;
    data.tests().push_back(
        mevara::Test::testWithLocation("Lumbar Spine", "X-Ray", 2, 99, std::nullopt));
    data.tests().push_back(mevara::Test::testWithLocation("Chest", "CT", 1, 99, date));
    data.tests().push_back(mevara::Test::testWithLocation("Knee", "Gone", 1, 99, std::nullopt));
    data.save();

    UserData loaded = reloaded();
    EXPECT_EQ(loaded.gender(), "Female");
    EXPECT_EQ(loaded.age(), "30 - 39");
    ASSERT_EQ(loaded.tests().size(), 3u);
    // Doses come from the catalogue again, the count inside them.
    EXPECT_FLOAT_EQ(loaded.tests()[0]->milliseverts(), 3.0f);
    EXPECT_FALSE(loaded.tests()[0]->date());
    EXPECT_EQ(loaded.tests()[1]->date(), date);
    EXPECT_EQ(loaded.tests()[2]->milliseverts(), 0.0f); // no longer in the catalogue
    EXPECT_FLOAT_EQ(loaded.total(), 10.0f);

    auto dict = PropertyList::readDictionary(UserData::userDataPath());
    ASSERT_TRUE(dict);
    EXPECT_EQ(integerValue(*dict, "test 1 number of tests"), 2);
    EXPECT_FALSE(dict->contains("test 1 date"));
    EXPECT_TRUE(dict->contains("test 2 date"));
}

TEST_F(UserDataFile, SavingOffKeepsOnlyTheFlag) {
    UserData data;
    data.setGender("Male");
    data.tests().push_back(mevara::Test::testWithLocation("Chest", "CT", 1, 7, std::nullopt));
    data.setSaveData(false);
    data.save();
    EXPECT_EQ(PropertyList::readDictionary(UserData::userDataPath())->size(), 1u);
    UserData loaded = reloaded();
    EXPECT_FALSE(loaded.saveData());
    EXPECT_EQ(loaded.gender(), "");
    EXPECT_TRUE(loaded.tests().empty());
}

TEST_F(UserDataFile, LoadStopsAtTheFirstMissingNameAndToleratesOddValues) {
    PlistDictionary d{
        {"save", true},
        {"gender", std::int64_t{3}}, // wrong type: reads as not chosen
        {"test 1 name", std::string("CT")},
        {"test 1 location", std::string("Chest")},
        {"test 1 number of tests", std::int64_t{2}},
        {"test 2 name", std::int64_t{1}},
        {"test 3 name", std::string("CT")},
        {"test 3 location", std::string("Chest")},
    };
    PropertyList::writeDictionary(UserData::userDataPath(), d);
    UserData loaded = reloaded();
    EXPECT_EQ(loaded.gender(), "");
    ASSERT_EQ(loaded.tests().size(), 1u);
    EXPECT_FLOAT_EQ(loaded.total(), 14.0f);

    // A file that is no property list loads as empty.
    dir.write(UserData::userDataPath(), "<plist><dict><key>save</key>");
    EXPECT_TRUE(reloaded().saveData());
    EXPECT_TRUE(reloaded().tests().empty());
}

TEST_F(UserDataFile, WipeAndRemoveKeepTheRightThings) {
    UserData data;
    data.setGender("Male");
    data.setAge("70+");
    data.tests().push_back(mevara::Test::testWithLocation("Chest", "CT", 1, 7, std::nullopt));
    data.tests().push_back(mevara::Test::testWithLocation("Chest", "CT", 2, 14, std::nullopt));
    EXPECT_FLOAT_EQ(data.calculateTotal(), 21.0f);
    data.save();

    data.setSaveData(false);
    data.wipe();
    EXPECT_FALSE(data.saveData());
    EXPECT_TRUE(data.tests().empty());
    EXPECT_EQ(data.total(), 0.0f);
    EXPECT_EQ(reloaded().tests().size(), 2u); // the file is untouched

    UserData other = reloaded();
    other.removeAllData();
    EXPECT_EQ(other.total(), 0.0f);
    UserData after = reloaded();
    EXPECT_EQ(after.age(), "");
    EXPECT_TRUE(after.tests().empty());
}

TEST(UserDataAge, AverageExposureFollowsTheLeadingNumber) {
    UserData data;
    std::vector<std::pair<std::string, float>> cases{{"", 0},
                                                     {"0 - 18", 4.5f},
                                                     {"19 - 29", 12.0f},
                                                     {"30 - 39", 17.25f},
                                                     {"40 - 49", 22.25f},
                                                     {"50 - 59", 27.25f},
                                                     {"60 - 69", 32.25f},
                                                     {"70+", 37.25f},
                                                     {"-5", 4.5f},
                                                     {"abc", 4.5f},
                                                     {"120", 37.25f}};
    for (const auto& [age, expected] : cases) {
        data.setAge(age);
        EXPECT_EQ(data.averageExposureForAge(), expected) << age;
    }
}

class Disclaimer : public UserDataFile {
protected:
    void at(std::int64_t seconds) {
        Clock::setSource([seconds] { return Date{std::chrono::seconds(seconds)}; });
    }
    static std::string stamp() {
        return TextFile::readUtf8(UserData::disclaimerPath()).value_or("");
    }
};

TEST_F(Disclaimer, ShowsOnceAWeekAndStampsAfter2038) {
    UserData data;
    at(1'800'000'000);
    EXPECT_TRUE(data.timeForDisclaimer()); // no stamp yet
    EXPECT_EQ(stamp(), "1800604800");
    EXPECT_FALSE(data.timeForDisclaimer());
    at(1'800'604'800);
    EXPECT_FALSE(data.timeForDisclaimer()); // exactly due is not yet
    at(1'800'604'801);
    EXPECT_TRUE(data.timeForDisclaimer());

    // Past January 2038 the seconds no longer fit 32 bits.
    at(4'102'444'800);
    EXPECT_TRUE(data.timeForDisclaimer());
    EXPECT_EQ(stamp(), "4103049600");
    EXPECT_FALSE(data.timeForDisclaimer());
    EXPECT_EQ(stamp(), "4103049600");

    dir.write(UserData::disclaimerPath(), "garbage");
    EXPECT_TRUE(data.timeForDisclaimer());
}

} // namespace
} // namespace mevara
