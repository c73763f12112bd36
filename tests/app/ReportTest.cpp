// The record for the doctor read back as a PDF reader sees it: every figure the screens
// show, in the chosen locale, on as many pages as the tests need.
#include "app/DesktopKeys.h"
#include "comparisons/ChartText.h"
#include "model/UserData.h"
#include "platform/LocaleFormat.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "report/DoseReport.h"
#include "support/ProgramFixture.h"
#include "support/TempDirectory.h"
#include "toolkit/Application.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

// What pdftotext reads from the file, in reading order.
std::string pdfText(const fs::path& pdf) {
    std::string text;
    const std::string command = "pdftotext -layout '" + pdf.string() + "' - 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class Report : public ::testing::Test {
protected:
    testsupport::TempDirectory dir;
    const Date made = sys_days{2026y / December / 6} + 15h;
    const fs::path pdf = dir.path() / "record.pdf";

    void SetUp() override {
        UserData::resetInstance();
        Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    }
    void TearDown() override {
        UserData::resetInstance();
        Application::reset();
        LocaleFormat::setLocale(std::nullopt);
    }
    void store(PlistDictionary file) const {
        ASSERT_TRUE(PropertyList::writeDictionary(UserData::userDataPath(), file));
    }
};

TEST_F(Report, HoldsEveryFigureTheScreensShowInTheChosenLocale) {
    store({{"gender", std::string("Female")},
           {"age", std::string("40 - 49")},
           {"test 1 name", std::string("CT")},
           {"test 1 location", std::string("Abdomen and Pelvis")},
           {"test 1 number of tests", std::int64_t{2}},
           {"test 1 date", Date{sys_days{2026y / March / 14} + 12h}},
           {"test 2 name", std::string("X-Ray")},
           {"test 2 location", std::string("Hand or Foot")}, // saved under its old name
           {"test 2 number of tests", std::int64_t{3}},
           {"test 3 name", std::string("Nuclear Medicine")},
           {"test 3 location", std::string("Heart (Thallium Stress Test)")},
           {"test 3 number of tests", std::int64_t{30}}});
    for (const char* locale : {"en_US", "de_DE"}) {
        SCOPED_TRACE(locale);
        LocaleFormat::setLocale(locale);
        UserData::resetInstance();
        const UserData& data = UserData::instance();
        ASSERT_EQ(DoseReport::write(data, pdf, made), std::nullopt);
        const std::string text = pdfText(pdf);
        ASSERT_FALSE(text.empty()) << "pdftotext missing or the file unreadable";
        const float total = data.total();
        for (const std::string& expected :
             {std::string("Gender: Female"), std::string("Age range: 40 - 49"),
              LocaleFormat::mediumDateText(made),
              LocaleFormat::mediumDateText(data.tests()[0]->date().value()),
              std::string("Hand, Arm, Foot or Leg"), ChartText::twoDecimalText(20),
              ChartText::twoDecimalText(1230), ChartText::twoDecimalText(total) + " mSv",
              ChartText::shortText(data.averageExposureForAge()) + " mSv",
              ChartText::shortText(ChartText::monthsOfNaturalExposure(total)) + " months",
              ChartText::shortText(ChartText::chestXrays(total)) + " single-view",
              std::string("Flights"), ChartText::shortText(15.6) + " mSv", std::string("200 mSv"),
              std::string("1 extra chance in 1,000"), std::string("Mettler"),
              std::string("talk with your doctor"), std::string("page 1 of 2")})
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

TEST_F(Report, ManyTestsRunOnWithTheirColumnHeadsAndNoProfileMakesNoFile) {
    PlistDictionary file{{"test 1 name", std::string("CT")},
                         {"test 1 location", std::string("Chest")},
                         {"test 1 number of tests", std::int64_t{1}}};
    store(file);
    // Without a gender and an age range nothing is written, and a file already there stays.
    dir.write(pdf, "earlier");
    EXPECT_NE(DoseReport::write(UserData::instance(), pdf, made), std::nullopt);
    EXPECT_EQ(*TextFile::readUtf8(pdf), "earlier");

    file["gender"] = std::string("Male");
    file["age"] = std::string("70+");
    for (int i = 2; i <= 70; ++i) {
        const std::string key = "test " + std::to_string(i);
        file[key + " name"] = std::string("Dental X-Ray");
        file[key + " location"] = std::string("Panoramic");
        file[key + " number of tests"] = std::int64_t{1};
    }
    store(file);
    UserData::resetInstance();
    ASSERT_EQ(DoseReport::write(UserData::instance(), pdf, made), std::nullopt);
    const std::string text = pdfText(pdf);
    EXPECT_EQ(occurrences(text, "Panoramic"), 69u);
    EXPECT_GE(occurrences(text, "Dose (mSv)"), 2u) << "the continued table has its heads";
    EXPECT_NE(text.find("page 3 of "), std::string::npos) << text;
}

// Ctrl+P in the window: the record lands in the documents folder and an alert says where,
// or why not.
class RecordKey : public testsupport::ProgramTest {};

TEST_F(RecordKey, SavesInTheDocumentsFolderAndSaysWhere) {
    const fs::path home = dir.path() / "home";
    fs::create_directories(home / "Documents");
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    launch(DeviceIdiom::Phone, OrientationPortrait);
    const Date made = sys_days{2026y / December / 6} + 15h;

    EXPECT_EQ(saveRecordToDocuments(made), std::nullopt) << "no profile yet";
    ASSERT_EQ(window->alerts().size(), 1u);
    EXPECT_NE(window->alerts()[0]->message().find("About Me"), std::string::npos);
    window->alerts()[0]->dismissWithClickedButtonIndex(0, false);

    setProfile("Male", "30 - 39");
    const auto saved = saveRecordToDocuments(made);
    const fs::path expected = home / "Documents" / "Mevara record 2026-12-06.pdf";
    EXPECT_EQ(saved, expected);
    EXPECT_TRUE(fs::is_regular_file(expected));
    ASSERT_FALSE(window->alerts().empty());
    EXPECT_NE(window->alerts().back()->message().find(expected.string()), std::string::npos);
    setenv("HOME", oldHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace mevara
