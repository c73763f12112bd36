#include "model/TestData.h"
#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "support/CatalogueServer.h"
#include "support/TempDirectory.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace mevara {
namespace {

using namespace std::chrono_literals;
using testsupport::CatalogueServer;
using testsupport::TempDirectory;

const std::string goodCatalogue =
    "<tests>\n<test name='CT' location='Chest' milliseverts='7'/>\n</tests>\n";

std::string catalogueOf(const std::string& lines) {
    return "<tests>\n" + lines + "\n</tests>\n";
}

class Refresh : public ::testing::Test {
protected:
    TempDirectory dir;
    CatalogueServer server;

    void SetUp() override {
        dir.write(dir.useOwnResources() / "testlist.xml",
                  "<t name='Shipped' location='Chest' milliseverts='1'/>\n");
    }
    std::optional<std::string> cached() const {
        return TextFile::readBytes(TestData::cachedPath());
    }
};

TEST_F(Refresh, CachesACatalogueAndUsesItAtTheNextRequest) {
    const auto shipped = TextFile::readBytes(Directories::defaults().resources / "testlist.xml");
    ASSERT_TRUE(shipped);
    EXPECT_EQ(TestData::testArray().at(0)->testName(), "Shipped");
    // The shipped file's shape; then with a declaration, CR LF, blank lines,
    // indents and another attribute order.
    for (const std::string& body :
         {*shipped, std::string("<?xml version='1.0' encoding='UTF-8'?>\r\n<tests>\r\n\r\n"
                                "\t<test milliseverts='7' name='CT' location='Chest' />\r\n"
                                "</tests>\r\n")}) {
        server.answer(200, body);
        TestData::loadTestData(server.url());
        EXPECT_EQ(cached(), body);
    }
    EXPECT_EQ(server.lastTarget(), "/kelvox/?op=tl&format=xml");
    EXPECT_EQ(TestData::testArray().at(0)->testName(), "CT");
}

TEST_F(Refresh, KeepsTheCacheWhenTheAnswerIsNoCatalogue) {
    server.answer(200, goodCatalogue);
    TestData::loadTestData(server.url());
    for (auto [status, body] : std::vector<std::pair<int, std::string>>{
             {404, goodCatalogue},
             {200, "<b>Error: location='x' name='y'</b>\n"},
             {200, "<html><body>Service moved to a new address</body></html>"},
             {200, catalogueOf("")},
             {200, catalogueOf("<test name='CT' location='Chest' milliseverts='7'/>\n"
                               "<note text='Doses as of this week'/>")},
             {200, catalogueOf("<test name='CT' location='Chest'/>")},
             {200, catalogueOf("<test name='CT' location='Chest' milliseverts='-1'/>")},
             {200, catalogueOf("<test name='CT' location='Chest' milliseverts='abc'/>")},
             {200, catalogueOf("<test name='CT' location='Chest' milliseverts='inf'/>")},
             // The reader would take the name from inside the location.
             {200, catalogueOf("<test location='rename=' name='CT' milliseverts='7'/>")},
             {200, catalogueOf("<test name='CT' location='Ch\xe9st' milliseverts='7'/>")},
         }) {
        server.answer(status, body);
        TestData::loadTestData(server.url());
        EXPECT_EQ(cached(), goodCatalogue) << status << " " << body;
    }
    server.setMode(CatalogueServer::Mode::Hang);
    TestData::loadTestData(server.url(), 300ms);
    server.setMode(CatalogueServer::Mode::Endless);
    TestData::loadTestData(server.url());
    EXPECT_EQ(cached(), goodCatalogue);
    TestData::loadTestData("http://127.0.0.1:1", 2s);
    TestData::loadTestData("");
    EXPECT_EQ(cached(), goodCatalogue);
}

TEST_F(Refresh, TakesACatalogueOfUpToAMegabyte) {
    constexpr std::size_t megabyte = 1024 * 1024;
    auto ofSize = [](std::size_t size) {
        std::string text = catalogueOf("<test name='CT' location='Chest' milliseverts='7'/>");
        return text.insert(text.size() - 9, size - text.size(), '\n');
    };
    for (std::size_t size : {megabyte + 1, megabyte}) {
        server.answer(200, ofSize(size));
        TestData::loadTestData(server.url());
        EXPECT_EQ(cached().value_or("").size(), size == megabyte ? size : 0) << size;
    }
}

TEST_F(Refresh, AReaderSeesTheOldOrTheNewCatalogueWhole) {
    std::string small = goodCatalogue;
    std::string large = "<tests>\n";
    for (int i = 0; i < 2000; ++i)
        large += "<test name='CT " + std::to_string(i) + "' location='Chest' milliseverts='1'/>\n";
    large += "</tests>\n";

    std::atomic<bool> done{false};
    std::atomic<int> torn{0}, reads{0};
    std::thread reader([&] {
        for (; !done; ++reads) {
            std::size_t n = TestData::testArray().size();
            torn += n != 1 && n != 2000;
        }
    });
    for (int i = 0; i < 40; ++i) {
        server.answer(200, i % 2 ? small : large);
        TestData::loadTestData(server.url());
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(reads, 0);
}

} // namespace
} // namespace mevara
