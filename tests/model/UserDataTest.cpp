#include "model/UserData.h"

#include "model/Test.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>
#include <tuple>

namespace mevara {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using testsupport::TempDirectory;

class UserDataFile : public ::testing::Test {
protected:
    TempDirectory dir;

    void SetUp() override {
        UserData::resetInstance();
        dir.write(dir.useOwnResources() / "testlist.xml",
                  "<t name='CT' location='Chest' milliseverts='7'/>\n"
                  "<t name='X-Ray' location='Lumbar Spine' milliseverts='1.5'/>\n"
                  "<t name='X-Ray' location='Whole Body' milliseverts='1e30'/>\n");
    }
    void TearDown() override { UserData::resetInstance(); }

    static UserData reloaded() {
        UserData data;
        data.load();
        return data;
    }
    static void add(UserData& data, const char* location, const char* name, int count,
                    std::optional<Date> date = std::nullopt) {
        data.tests().push_back(mevara::Test::testWithLocation(location, name, count, 99, date));
    }
};

TEST_F(UserDataFile, SavesAndLoadsWithDosesLookedUpAgain) {
    UserData data;
    data.setGender("Female");
    data.setAge("30 - 39");
    Date date = sys_days{2026y / March / 15} + 12h;
    add(data, "Lumbar Spine", "X-Ray", 2);
    add(data, "Chest", "CT", 1, date);
    add(data, "Knee", "Gone", 1);
    data.save();
    auto file = *PropertyList::readDictionary(UserData::userDataPath());
    EXPECT_EQ(integerValue(file, "test 1 number of tests"), 2);
    EXPECT_FALSE(file.contains("test 1 date"));

    UserData loaded = reloaded();
    EXPECT_EQ(loaded.gender() + "|" + loaded.age(), "Female|30 - 39");
    ASSERT_EQ(loaded.tests().size(), 3u);
    EXPECT_EQ(loaded.tests()[0]->milliseverts(), 3.0f); // the count is inside the dose
    EXPECT_FALSE(loaded.tests()[0]->date());
    EXPECT_EQ(loaded.tests()[1]->date(), date);
    EXPECT_EQ(loaded.tests()[2]->milliseverts(), 0.0f); // no longer in the catalogue
    EXPECT_EQ(loaded.total(), 10.0f);
}

// A browser tab may close without a word, so the page saves after every turn: only what
// changed is written, and a damaged file is still kept aside first.
TEST_F(UserDataFile, SavesIfChangedOnlyAfterAChange) {
    const auto path = UserData::userDataPath();
    UserData data;
    data.load();
    data.saveIfChanged();
    EXPECT_FALSE(fs::exists(path)) << "nothing entered yet";
    data.setGender("Male");
    data.saveIfChanged();
    ASSERT_TRUE(fs::exists(path));
    fs::remove(path);
    data.saveIfChanged();
    EXPECT_FALSE(fs::exists(path)) << "written again without a change";
    add(data, "Chest", "CT", 1);
    data.saveIfChanged();
    EXPECT_EQ(reloaded().tests().size(), 1u);

    dir.write(path, "<plist><dict><key>gender</key><integer>3</integer></dict></plist>");
    data.load();
    data.saveIfChanged();
    EXPECT_FALSE(fs::exists(path.string() + ".damaged")) << "kept as it is until a change";
    data.setAge("30 - 39");
    data.saveIfChanged();
    EXPECT_TRUE(fs::exists(path.string() + ".damaged"));
}

TEST_F(UserDataFile, FilesReadOnlyInPartAreKeptAsideBeforeTheNextSave) {
    const std::string whole = PropertyList::xmlFromDictionary(
        {{"test 1 name", std::string("CT")}, {"test 1 location", std::string("Chest")}});
    auto withTest3 = [](std::optional<PlistValue> name2) {
        PlistDictionary d{{"test 1 name", std::string("CT")},
                          {"test 1 location", std::string("Chest")},
                          {"test 3 name", std::string("CT")},
                          {"test 3 location", std::string("Chest")}};
        if (name2) d["test 2 name"] = *name2;
        return PropertyList::xmlFromDictionary(d);
    };
    std::string oversized = whole;
    oversized.insert(whole.find("<dict>"), UserData::maximumFileSize, ' ');
    std::string changedByte = whole;
    changedByte[changedByte.find("<dict>") + 4] = 'C';
    std::string deep = "<plist version=\"1.0\">";
    for (int i = 0; i < 200'000; ++i)
        deep += i % 2 ? "<dict><key>a</key>" : "<array>";

    const fs::path file = UserData::userDataPath(), kept = file.string() + ".damaged";
    for (const auto& [what, bytes, testsRead] :
         std::vector<std::tuple<const char*, std::string, int>>{
             {"whole", whole, 1},
             {"a gap before test 3", withTest3(std::nullopt), 1},
             {"a name of the wrong type", withTest3(std::int64_t{2}), 1},
             {"an age of the wrong type",
              PropertyList::xmlFromDictionary(
                  {{"age", std::int64_t{30}}, {"test 1 name", std::string("CT")}}),
              1},
             {"one changed byte", changedByte, 0},
             {"a cut end", whole.substr(0, whole.size() / 2), 0},
             {"nested 200,000 deep", deep, 0},
             {"over 16 MB", oversized, 0}}) {
        SCOPED_TRACE(what);
        fs::remove(kept);
        dir.write(file, bytes);
        UserData data = reloaded();
        EXPECT_EQ(data.tests().size(), std::size_t(testsRead));
        testing::internal::CaptureStderr();
        data.save();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(PropertyList::readDictionary(file)); // saved over
        if (std::string_view(what) == "whole") {
            EXPECT_FALSE(fs::exists(kept));
            EXPECT_EQ(said, "");
            continue;
        }
        EXPECT_EQ(TextFile::readBytes(kept), bytes);
        EXPECT_NE(said.find("kept it as " + kept.string() + "\n"), std::string::npos) << said;
    }

    // A second damaged file never replaces the first: it gets the time in its name.
    Clock::setSource([] { return Date{sys_days{2026y / December / 6} + 18h + 15min}; });
    dir.write(file, "second");
    UserData second = reloaded();
    testing::internal::CaptureStderr();
    second.save();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(TextFile::readBytes(kept), oversized);
    EXPECT_EQ(TextFile::readBytes(file.string() + ".damaged-2026-12-06T181500"), "second");

    // Missing is not damaged.
    fs::remove(file);
    reloaded().save();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.documents()), fs::directory_iterator()), 3);
}

TEST_F(UserDataFile, CountsReadAsIntegersAndDosesBeyondTheFloatsAsZero) {
    struct Row {
        const char* location;
        const char* count;
        std::int64_t numberOfTests;
        float milliseverts;
    };
    const std::vector<Row> rows{
        {"Lumbar Spine", "<integer>2</integer>", 2, 3.0f},
        {"Lumbar Spine", "<string> +3 tests</string>", 3, 4.5f},
        {"Lumbar Spine", "<real>3.7</real>", 3, 4.5f}, // truncated toward zero
        {"Lumbar Spine", "<real>-2.5</real>", -2, -3.0f},
        {"Lumbar Spine", "<string>many</string>", 0, 0.0f},
        {"Lumbar Spine", "<real>nan</real>", 0, 0.0f},
        {"Whole Body", "<integer>1</integer>", 1, 1e30f},
        // Products beyond the float range would make every total infinite.
        {"Whole Body", "<real>1e300</real>", INT64_MAX, 0.0f},
        {"Whole Body", "<integer>-10000000000</integer>", -10'000'000'000, 0.0f}};
    std::string xml = "<plist version=\"1.0\"><dict>";
    for (std::size_t i = 1; i <= rows.size(); ++i) {
        const std::string key = "<key>test " + std::to_string(i);
        xml += key + " name</key><string>X-Ray</string>" + key + " location</key><string>" +
               rows[i - 1].location + "</string>" + key + " number of tests</key>" +
               rows[i - 1].count;
    }
    dir.write(UserData::userDataPath(), xml + "</dict></plist>");
    UserData loaded = reloaded();
    ASSERT_EQ(loaded.tests().size(), rows.size());
    float total = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(loaded.tests()[i]->numberOfTests(), rows[i].numberOfTests) << rows[i].count;
        EXPECT_EQ(loaded.tests()[i]->milliseverts(), rows[i].milliseverts) << rows[i].count;
        total += rows[i].milliseverts;
    }
    EXPECT_EQ(loaded.total(), total);
}

TEST_F(UserDataFile, SavingOffWipeAndRemoveAllKeepTheRightThings) {
    UserData data;
    data.setAge("70+");
    add(data, "Chest", "CT", 1);
    add(data, "Chest", "CT", 2);
    EXPECT_EQ(data.calculateTotal(), 198.0f); // the stored doses, not looked up
    data.save();

    data.setSaveData(false);
    data.wipe(); // memory only
    EXPECT_FALSE(data.saveData());
    EXPECT_TRUE(data.tests().empty());
    EXPECT_EQ(reloaded().tests().size(), 2u);
    data.save();
    EXPECT_EQ(PropertyList::readDictionary(UserData::userDataPath())->size(), 1u);
    EXPECT_FALSE(reloaded().saveData());

    UserData other;
    add(other, "Chest", "CT", 1);
    other.setAge("70+");
    other.removeAllData();
    EXPECT_EQ(other.total(), 0.0f);
    EXPECT_EQ(reloaded().age(), "");
    EXPECT_TRUE(reloaded().saveData());
}

TEST(UserDataAge, AverageExposureFollowsTheLeadingNumber) {
    UserData data;
    for (auto [age, expected] : std::vector<std::pair<const char*, float>>{{"", 0},
                                                                           {"0 - 18", 4.5f},
                                                                           {"19 - 29", 12},
                                                                           {"30 - 39", 17.25f},
                                                                           {"60 - 69", 32.25f},
                                                                           {"70+", 37.25f},
                                                                           {"-5", 4.5f},
                                                                           {"abc", 4.5f}}) {
        data.setAge(age);
        EXPECT_EQ(data.averageExposureForAge(), expected) << age;
    }
}

TEST_F(UserDataFile, DisclaimerIsDueOnceAWeekAlsoAfter2038) {
    UserData data;
    std::int64_t now = 0;
    Clock::setSource([&now] { return Date{seconds(now)}; });
    auto stamp = [] { return TextFile::readUtf8(UserData::disclaimerPath()).value_or(""); };

    now = 1'800'000'000;
    EXPECT_TRUE(data.timeForDisclaimer()); // no stamp yet
    EXPECT_EQ(stamp(), "1800604800");
    now = 1'800'604'800;
    EXPECT_FALSE(data.timeForDisclaimer()); // exactly due is not yet
    now = 4'102'444'800;                    // past January 2038
    EXPECT_TRUE(data.timeForDisclaimer());
    EXPECT_EQ(stamp(), "4103049600");
    EXPECT_FALSE(data.timeForDisclaimer());
    EXPECT_EQ(stamp(), "4103049600");
}

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
