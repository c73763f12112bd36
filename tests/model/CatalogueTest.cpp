#include "model/TestData.h"
#include "platform/TextFile.h"
#include "platform/Unicode.h"
#include "support/TempDirectory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace mevara {
namespace {

using testsupport::TempDirectory;

std::vector<std::string> csvFields(const std::string& row) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        char c = row[i];
        if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(CatalogueParser, ReadsAttributesInAnyOrderAndCase) {
    auto catalogue =
        TestData::parse("<tests>\n"
                        "<test location='Chest' name='CT' milliseverts='7'/>\n"
                        "<test MilliSeverts='  2.5 mSv' NAME='X-Ray' LOCATION='Lumbar Spine'/>\n"
                        "<t milliseverts='abc' name='MRI' location='head'/>\n"
                        "<t name='Ultrasound' location='Heart'/>\n"
                        "</tests>\n");
    ASSERT_EQ(catalogue.size(), 4u);
    EXPECT_EQ(catalogue[0]->testName(), "CT");
    EXPECT_EQ(catalogue[0]->location(), "Chest");
    EXPECT_FLOAT_EQ(catalogue[0]->milliseverts(), 7.0f);
    EXPECT_EQ(catalogue[1]->testName(), "X-Ray");
    EXPECT_EQ(catalogue[1]->location(), "Lumbar Spine");
    EXPECT_FLOAT_EQ(catalogue[1]->milliseverts(), 2.5f);
    EXPECT_EQ(catalogue[2]->location(), "head"); // values keep their case
    EXPECT_EQ(catalogue[2]->milliseverts(), 0.0f);
    EXPECT_EQ(catalogue[3]->milliseverts(), 0.0f);
    for (const auto& entry : catalogue) {
        EXPECT_EQ(entry->numberOfTests(), 1);
        EXPECT_FALSE(entry->date());
    }
}

TEST(CatalogueParser, SplitsLinesAndSkipsShortOrBrokenOnes) {
    // "name='a'location='b'" is 20 units; the shortest entry line is 11.
    EXPECT_EQ(TestData::parse("name='a' location='b'\r\nname='c' location='d'").size(), 2u);
    EXPECT_EQ(TestData::parse("name='a' location='b'\u2028name='c' location='d'\u0085").size(), 2u);
    // Eleven UTF-16 units make a line even when the name is a single letter...
    EXPECT_EQ(TestData::parse("name='\u00e9'location='x'").size(), 1u);
    // ...but bytes do not count: this line is 10 units long.
    EXPECT_EQ(TestData::parse("name=''\U0001F600\U0001F600location=''").size(), 1u);
    EXPECT_EQ(
        TestData::parse("\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d\u4e2d").size(), 0u);
    // Lines without a name or body part, or with an unclosed value, are skipped.
    EXPECT_TRUE(TestData::parse("<?xml version='1.0' encoding='UTF-8'?>").empty());
    EXPECT_TRUE(TestData::parse("<test location='Chest' milliseverts='7'/>").empty());
    EXPECT_TRUE(TestData::parse("<test location='Chest' name='CT/>").empty());
    EXPECT_TRUE(TestData::parse("<test location='Chest' name='CT' milliseverts='7/>").empty());
    // The first occurrence of a key counts, also inside another attribute's name.
    auto first = TestData::parse("<t testname='A' name='B' location='L'/>");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]->testName(), "A");
}

class CatalogueFiles : public ::testing::Test {
protected:
    TempDirectory dir;
    std::filesystem::path resources = dir.useOwnResources();

    void ship(const std::string& text) { dir.write(resources / "testlist.xml", text); }
    void cache(const std::string& text) { dir.write(dir.caches() / "tests.xml", text); }
};

TEST_F(CatalogueFiles, PrefersTheCacheAndFallsBackToTheShippedCopy) {
    EXPECT_TRUE(TestData::testArray().empty());
    ship("<t name='CT' location='Head' milliseverts='2'/>");
    EXPECT_EQ(TestData::testArray().at(0)->location(), "Head");
    cache("<t name='CT' location='Neck' milliseverts='3'/>");
    EXPECT_EQ(TestData::testArray().at(0)->location(), "Neck");
    cache("<t name='CT' location='N\xe4"
          "ck' milliseverts='3'/>"); // not UTF-8
    EXPECT_EQ(TestData::testArray().at(0)->location(), "Head");
}

TEST_F(CatalogueFiles, ListsDistinctNamesAndBodyPartsSortedIgnoringCase) {
    ship("<t name='X-Ray' location='Chest' milliseverts='0.02'/>\n"
         "<t name='CT' location='Chest' milliseverts='7'/>\n"
         "<t name='CT' location='abdomen' milliseverts='8'/>\n"
         "<t name='CT' location='Chest' milliseverts='7'/>\n"
         "<t name='bone Density' location='Hip' milliseverts='0.001'/>\n");
    using Names = std::vector<std::string>;
    EXPECT_EQ(TestData::testNamesForLocation(""), (Names{"bone Density", "CT", "X-Ray"}));
    EXPECT_EQ(TestData::testNamesForLocation(std::nullopt), TestData::testNamesForLocation(""));
    EXPECT_EQ(TestData::testNamesForLocation("Chest"), (Names{"CT", "X-Ray"}));
    EXPECT_EQ(TestData::testNamesForLocation("chest"), Names{});
    EXPECT_EQ(TestData::testNamesForLocation("Knee"), Names{});
    EXPECT_EQ(TestData::bodyPartsForTest("CT"), (Names{"abdomen", "Chest"}));
    EXPECT_EQ(TestData::bodyPartsForTest(""), (Names{"abdomen", "Chest", "Hip"}));
}

// Every entry of the shipped catalogue parses and has its source on record.
TEST(ShippedCatalogue, ParsesWhollyAndEveryDoseIsSourced) {
    TempDirectory dir;
    auto text = TextFile::readUtf8(TestData::shippedPath());
    ASSERT_TRUE(text);
    auto catalogue = TestData::testArray();
    std::size_t lines = 0;
    for (auto line : unicode::splitLines(*text))
        lines += line.find("milliseverts='") != line.npos;
    EXPECT_GE(catalogue.size(), 60u);
    EXPECT_EQ(catalogue.size(), lines);

    std::ifstream csv(TestData::shippedPath().parent_path() / "catalogue-sources.csv");
    std::string row;
    std::getline(csv, row);
    EXPECT_EQ(row, "name,location,milliseverts,source");
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& entry : catalogue) {
        ASSERT_TRUE(std::getline(csv, row)) << "no source for " << *entry->testName();
        auto fields = csvFields(row);
        ASSERT_EQ(fields.size(), 4u) << row;
        EXPECT_EQ(fields[0], *entry->testName());
        EXPECT_EQ(fields[1], *entry->location());
        EXPECT_FLOAT_EQ(std::stof(fields[2]), entry->milliseverts()) << row;
        EXPECT_FALSE(fields[3].empty()) << row;
        EXPECT_TRUE(seen.emplace(*entry->testName(), *entry->location()).second)
            << "duplicate " << row;
        EXPECT_GE(entry->milliseverts(), 0.0f);
    }
    // The figures the information texts quote.
    auto dose = [&](const std::string& name, const std::string& location) {
        for (const auto& e : catalogue)
            if (e->testName() == name && e->location() == location) return e->milliseverts();
        return -1.0f;
    };
    EXPECT_FLOAT_EQ(dose("X-Ray", "Chest (Single View)"), 0.02f);
    EXPECT_FLOAT_EQ(dose("Nuclear Medicine", "Heart (Stress Test, MPI)"), 15.6f);
}

} // namespace
} // namespace mevara
