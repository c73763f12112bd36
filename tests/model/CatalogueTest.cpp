#include "model/CatalogueRenames.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace mevara {
namespace {

using testsupport::TempDirectory;
using Names = std::vector<std::string>;
// Inside a test body, Test names the test framework's base class.
using Record = mevara::Test;

Names namesOf(const TestData::Catalogue& catalogue) {
    Names names;
    for (const auto& e : catalogue)
        names.push_back(*e->testName() + "|" + *e->location());
    return names;
}

TEST(CatalogueParser, ReadsAttributesInAnyOrderAndCase) {
    auto catalogue =
        TestData::parse("<tests>\n"
                        "<test location='Chest' name='CT' milliseverts='7'/>\n"
                        "<test MilliSeverts='  2.5 mSv' NAME='X-Ray' LOCATION='Knee'/>\n"
                        "<t milliseverts='abc' name='MRI' location='head'/>\n"
                        "<t testname='A' name='B' location='Hip'/>\n"
                        "</tests>\n");
    EXPECT_EQ(namesOf(catalogue), (Names{"CT|Chest", "X-Ray|Knee", "MRI|head", "A|Hip"}));
    EXPECT_EQ(catalogue[0]->milliseverts(), 7.0f);
    EXPECT_EQ(catalogue[1]->milliseverts(), 2.5f);
    EXPECT_EQ(catalogue[2]->milliseverts(), 0.0f);
    EXPECT_EQ(catalogue[3]->milliseverts(), 0.0f);
    EXPECT_EQ(catalogue[3]->numberOfTests(), 1);
}

TEST(CatalogueParser, CountsLineLengthsInUtf16AndSkipsBrokenLines) {
    EXPECT_EQ(TestData::parse("name='a' location='b'\r\nname='c' location='d'\u2028").size(), 2u);
    // 11 units make an entry line, whatever the bytes: the first line is 10
    // units in 14 bytes, the second 11 units in 12 bytes.
    EXPECT_EQ(TestData::parse("name=''\U0001F600location='").size(), 0u);
    EXPECT_EQ(TestData::parse("name='\u00e9'location=''").size(), 1u);
    for (const char* broken :
         {"<?xml version='1.0' encoding='UTF-8'?>", "<test location='Chest' milliseverts='7'/>",
          "<test location='Chest' name='CT/>",
          "<test location='Chest' name='CT' milliseverts='7/>"})
        EXPECT_TRUE(TestData::parse(broken).empty()) << broken;
}

TEST(CatalogueFiles, PrefersTheCacheAndListsDistinctSortedValues) {
    TempDirectory dir;
    auto resources = dir.useOwnResources();
    EXPECT_TRUE(TestData::testArray().empty());
    dir.write(resources / "testlist.xml",
              "<t name='X-Ray' location='Chest' milliseverts='0.02'/>\n"
              "<t name='CT' location='Chest' milliseverts='7'/>\n"
              "<t name='CT' location='abdomen' milliseverts='8'/>\n"
              "<t name='CT' location='Chest' milliseverts='7'/>\n"
              "<t name='bone Density' location='Hip' milliseverts='0.001'/>\n");
    EXPECT_EQ(TestData::testNamesForLocation(""), (Names{"bone Density", "CT", "X-Ray"}));
    EXPECT_EQ(TestData::testNamesForLocation(std::nullopt), TestData::testNamesForLocation(""));
    EXPECT_EQ(TestData::testNamesForLocation("Chest"), (Names{"CT", "X-Ray"}));
    EXPECT_EQ(TestData::testNamesForLocation("chest"), Names{});
    EXPECT_EQ(TestData::bodyPartsForTest("CT"), (Names{"abdomen", "Chest"}));

    dir.write(dir.caches() / "tests.xml", "<t name='PET' location='Heart' milliseverts='5'/>");
    EXPECT_EQ(TestData::testNamesForLocation(""), Names{"PET"});
    dir.write(dir.caches() / "tests.xml", "<t name='PET' location='H\xe9"
                                          "art'/>"); // not UTF-8
    EXPECT_EQ(TestData::testArray().size(), 5u);
}

TEST(CatalogueFiles, ParsesAFileOnceUntilTheFileInUseChanges) {
    namespace fs = std::filesystem;
    using namespace std::chrono_literals;
    TempDirectory dir;
    const fs::path cached = dir.caches() / "tests.xml";
    auto entry = [](const char* dose) {
        return std::string("<t name='CT' location='Chest' milliseverts='") + dose + "'/>";
    };
    auto rewriteKeepingTime = [&](const fs::path& file, const std::string& text) {
        auto time = fs::last_write_time(file);
        dir.write(file, text);
        fs::last_write_time(file, time);
    };
    auto dose = [] {
        return Record::millisevertsForTest(Record("Chest", "CT", 1, 0, std::nullopt));
    };
    dir.write(cached, entry("1"));
    ASSERT_EQ(dose(), 1.0f);

    // Each step shows whether the next request read the file again.
    const std::vector<std::tuple<const char*, std::function<void()>, float>> steps{
        {"same inode, size and time: the kept parse",
         [&] { rewriteKeepingTime(cached, entry("2")); }, 1},
        {"new time", [&] { fs::last_write_time(cached, fs::last_write_time(cached) + 1ms); }, 2},
        {"new size", [&] { rewriteKeepingTime(cached, entry("33")); }, 33},
        {"new inode",
         [&] {
             auto time = fs::last_write_time(cached);
             TextFile::writeAtomically(cached, entry("44"));
             fs::last_write_time(cached, time);
         },
         44},
        {"reset",
         [&] {
             rewriteKeepingTime(cached, entry("55"));
             TestData::resetTestArray();
         },
         55},
    };
    for (const auto& [what, change, expected] : steps) {
        change();
        EXPECT_EQ(dose(), expected) << what;
    }
}

std::vector<std::string> csvFields(const std::string& row) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '"' && quoted && i + 1 < row.size() && row[i + 1] == '"')
            fields.back() += row[++i];
        else if (row[i] == '"')
            quoted = !quoted;
        else if (row[i] == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += row[i];
    }
    return fields;
}

TEST(ShippedCatalogue, ParsesWhollyAndEveryDoseIsSourced) {
    TempDirectory dir;
    auto catalogue = TestData::testArray();
    std::ifstream xml(TestData::shippedPath());
    std::size_t entryLines = 0;
    for (std::string line; std::getline(xml, line);)
        entryLines += line.size() >= 11;
    EXPECT_GE(catalogue.size(), 60u);
    EXPECT_EQ(catalogue.size(), entryLines);

    std::ifstream csv(TestData::shippedPath().parent_path() / "catalogue-sources.csv");
    std::string row;
    std::getline(csv, row);
    std::set<std::string> seen;
    for (const auto& entry : catalogue) {
        ASSERT_TRUE(std::getline(csv, row)) << "no source for " << *entry->testName();
        auto fields = csvFields(row);
        ASSERT_EQ(fields.size(), 4u) << row;
        EXPECT_EQ(fields[0] + "|" + fields[1], *entry->testName() + "|" + *entry->location());
        EXPECT_EQ(std::stof(fields[2]), entry->milliseverts()) << row;
        EXPECT_FALSE(fields[3].empty()) << row;
        EXPECT_TRUE(seen.insert(fields[0] + "|" + fields[1]).second) << "twice: " << row;
        // The figures the information texts quote.
        EXPECT_TRUE(fields[1] != "Chest (Single View)" || entry->milliseverts() == 0.02f);
        EXPECT_TRUE(fields[1] != "Heart (Stress Test, MPI)" || entry->milliseverts() == 15.6f);
    }
}

TEST(ShippedCatalogue, ARenamedBodyPartStillGivesAStoredTestItsDose) {
    for (const auto& rename : catalogueRenames()) {
        const std::string name(rename.testName), former(rename.formerLocation),
            current(rename.location);
        SCOPED_TRACE(former + " -> " + current);
        TempDirectory dir;
        UserData::resetInstance();
        auto catalogue = TestData::catalogue();
        const Record* entry = catalogue->find(Record(current, name, 1, 0, std::nullopt));
        ASSERT_TRUE(entry) << "the new name is not in the shipped catalogue";
        EXPECT_EQ(std::ranges::count(TestData::bodyPartsForTest(name), former), 0)
            << "the old name is still offered";

        // A file saved under the old name: the test takes the new name and its dose.
        PropertyList::writeDictionary(UserData::userDataPath(),
                                      {{"test 1 name", name},
                                       {"test 1 location", former},
                                       {"test 1 number of tests", std::int64_t{3}}});
        UserData& data = UserData::instance();
        ASSERT_EQ(data.tests().size(), 1u);
        EXPECT_EQ(data.tests()[0]->location(), current);
        EXPECT_FLOAT_EQ(data.tests()[0]->milliseverts(), 3 * entry->milliseverts());
        EXPECT_GT(data.total(), 0.0f);

        // A catalogue cached before the rename still prices a test under the new name.
        dir.write(dir.caches() / "tests.xml",
                  "<t name='" + name + "' location='" + former + "' milliseverts='2'/>\n");
        EXPECT_EQ(Record::millisevertsForTest(Record(current, name, 2, 0, std::nullopt)), 4.0f);
        UserData::resetInstance();
    }
}

} // namespace
} // namespace mevara
