#include "app/Controllers.h"
#include "app/MevaraAppDelegate.h"
#include "app/Options.h"
#include "app/Startup.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "support/CatalogueServer.h"
#include "support/TempDirectory.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/RunLoop.h"
#include "toolkit/ViewController.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <tuple>

namespace mevara {
namespace {

using namespace std::chrono_literals;
using testsupport::CatalogueServer;
using testsupport::TempDirectory;

ParsedOptions parse(std::vector<std::string> arguments,
                    std::map<std::string, std::string> environment = {}) {
    return parseOptions(arguments, [&](const char* name) -> std::optional<std::string> {
        auto it = environment.find(name);
        return it == environment.end() ? std::nullopt : std::optional(it->second);
    });
}

TEST(Options, DefaultsFollowTheDeviceAndTheEnvironment) {
    const std::map<std::string, std::string> env{{"MEVARA_CATALOGUE_URL", "http://env:1"}};
    const auto phone = parse({}, env);
    ASSERT_TRUE(phone.options);
    EXPECT_EQ(phone.options->effectiveOrientation(), OrientationPortrait);
    EXPECT_EQ(phone.options->catalogueUrl, "http://env:1");
    const auto tablet = parse({"--device", "tablet", "--zoom", "1.5", "--catalogue-url", ""}, env);
    ASSERT_TRUE(tablet.options);
    EXPECT_EQ(tablet.options->effectiveOrientation(), OrientationLandscapeLeft);
    EXPECT_FLOAT_EQ(tablet.options->effectiveZoom(), 1.5f);
    // Given empty on purpose, the address stays empty: no refresh.
    EXPECT_EQ(tablet.options->catalogueUrl, "");
}

TEST(Options, MistakesAreReported) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"--frobnicate"},
                                               {"--device", "watch"},
                                               {"--device"},
                                               {"--orientation", "sideways"},
                                               {"--orientation", "landscape"},
                                               {"--zoom", "abc"},
                                               {"--zoom", "0"},
                                               {"--headless"},
                                               {"--script", "demo.script"},
                                               {"--data-dir"}}) {
        const auto parsed = parse(arguments);
        EXPECT_FALSE(parsed.options) << arguments.front();
        EXPECT_FALSE(parsed.error.empty()) << arguments.front();
    }
    const std::string usage = usageText();
    for (const char* option : {"--device", "--orientation", "--locale", "--time-zone", "--data-dir",
                               "--catalogue-url", "--zoom", "--gallery", "--headless", "--script",
                               "--output", "--help", "--version", "'r'"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

// The program itself, run as a person would, beside this test in the build tree.
class Program : public ::testing::Test {
protected:
    testsupport::TempDirectory dir;
    std::filesystem::path program =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "../../app/mevara";

    void SetUp() override {
        if (!std::filesystem::exists(program)) GTEST_SKIP() << "no program at " << program;
    }
    int run(const std::string& arguments, std::string* output = nullptr,
            const std::string& environment = "") {
        return runTool(program, arguments, output, environment);
    }
    // A tool that wrongly starts serving is stopped rather than left to hang the suite.
    static int runTool(const std::filesystem::path& tool, const std::string& arguments,
                       std::string* output = nullptr, const std::string& environment = "") {
        const std::string command =
            "env " + environment + "timeout 30 " + tool.string() + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return -1;
        char buffer[4096];
        std::string text;
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        const int status = pclose(pipe);
        if (output) *output = text;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST_F(Program, AnswersHelpAndRefusesUnknownOptions) {
    std::string output;
    EXPECT_EQ(run("--version", &output), 0);
    EXPECT_NE(output.find("mevara"), std::string::npos);
    const auto server = program.parent_path() / "../tools/catalogue-server";
    for (const auto& [tool, option] :
         {std::pair{program, "--device"}, std::pair{server, "--port"}}) {
        SCOPED_TRACE(tool.filename().string());
        EXPECT_EQ(runTool(tool, "--help", &output), 0);
        EXPECT_NE(output.find(option), std::string::npos);
        EXPECT_EQ(runTool(tool, "--no-such-option", &output), 2);
        EXPECT_NE(output.find("--no-such-option"), std::string::npos);
    }
}

TEST_F(Program, EndsCleanlyWhenTheCatalogueCannotBeReached) {
    const auto script = dir.path() / "check.script";
    dir.write(script, "wait 1\nresign\nactivate\n");
    for (const char* device : {"phone", "tablet"}) {
        std::string output;
        EXPECT_EQ(run(std::string("--device ") + device + " --headless --script " +
                          script.string() + " --data-dir " + dir.path().string() +
                          " --catalogue-url http://127.0.0.1:1",
                      &output),
                  0)
            << device << ": " << output;
    }
}

TEST_F(Program, AnUnknownLocaleFallsBackToEnUsWithAWarning) {
    const auto script = dir.path() / "dump.script";
    dir.write(script, "wait 1\ndump\n");
    PlistDictionary data{
        {"test 1 name", std::string("CT")},
        {"test 1 location", std::string("Chest")},
        {"test 1 number of tests", std::int64_t{1}},
        {"test 1 date",
         Date{std::chrono::sys_days{std::chrono::year{2025} / 7 / 4} + std::chrono::hours{12}}}};
    ASSERT_TRUE(PropertyList::writeDictionary(dir.documents() / "userdata.dat", data));
    const std::string headless =
        " --headless --script " + script.string() + " --data-dir " + dir.path().string();
    for (const auto& [environment, locale, named] : {std::tuple{"", " --locale xx_YY", "\"xx_YY\""},
                                                     std::tuple{"LANG= LC_ALL= ", "", "\"\""}}) {
        SCOPED_TRACE(named);
        std::string output;
        EXPECT_EQ(run(std::string(locale) + headless, &output, environment), 0);
        EXPECT_NE(output.find(std::string("mevara: unknown locale ") + named + "; using en_US\n"),
                  std::string::npos)
            << output;
        EXPECT_NE(output.find("on Jul 4, 2025"), std::string::npos);
    }
}

TEST(Layouts, EveryLayoutLoadsAgainstItsRegisteredController) {
    Directories::reset();
    const auto folder = Directories::current().resources / "layouts";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    std::set<std::string> seen;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".json") continue;
        const std::string name = entry.path().stem().string();
        seen.insert(name);
        auto controller = makeController(name);
        if (!controller) {
            ADD_FAILURE() << name << ".json has no controller in app/Controllers.cpp";
            continue;
        }
        EXPECT_EQ(controller->layoutName(), name);
        try {
            LayoutReport report;
            LayoutLoader::load(*controller, name, &report);
            for (const auto& picture : report.missingPictures)
                ADD_FAILURE() << name << ".json names a picture that is not shipped: " << picture;
        } catch (const LayoutError& error) {
            ADD_FAILURE() << error.what();
        }
    }
    for (const auto& [name, factory] : controllerFactories())
        EXPECT_TRUE(seen.count(name)) << name << " is registered but has no layout";
}

// A root that counts what the shell sends it by name.
class RecordingRoot : public ViewController {
public:
    explicit RecordingRoot(Interface interface) : ViewController(""), interface(interface) {}
    Interface interface;
    int disclaimers = 0;
    int homes = 0;

protected:
    void bind(Bindings& b) override {
        b.action("showDisclaimer", [this] { ++disclaimers; });
        b.action("forceHome", [this] { ++homes; });
    }
};

class Lifecycle : public ::testing::Test {
protected:
    TempDirectory dir;
    std::int64_t now = 1'700'000'000;

    void SetUp() override {
        reset();
        Clock::setSource([this] { return Date{std::chrono::seconds(now)}; });
    }
    void TearDown() override {
        reset();
        Clock::reset();
    }
    static void reset() {
        UserData::resetInstance();
        RunLoop::reset();
        Application::reset();
    }

    static AppSettings recording(std::string url = {}) {
        AppSettings settings;
        settings.catalogueUrl = std::move(url);
        settings.makeRoot = [](Interface interface) {
            return std::make_shared<RecordingRoot>(interface);
        };
        return settings;
    }
    static RecordingRoot& root(MevaraAppDelegate& delegate) {
        return dynamic_cast<RecordingRoot&>(*delegate.viewController);
    }
};

TEST_F(Lifecycle, ResignSavesAndWithSavingOffAlsoWipesAndGoesHome) {
    auto delegate = launchApplication(DeviceIdiom::Phone, OrientationPortrait, recording());
    auto& data = UserData::instance();
    data.setGender("Female");
    delegate->applicationWillResignActive();
    const auto saved = PropertyList::readDictionary(UserData::userDataPath());
    ASSERT_TRUE(saved);
    EXPECT_EQ(*stringValue(*saved, "gender"), "Female");
    EXPECT_EQ(root(*delegate).homes, 0);

    data.setSaveData(false);
    delegate->applicationWillResignActive();
    EXPECT_EQ(data.gender(), "");
    EXPECT_EQ(root(*delegate).homes, 1);
}

TEST_F(Lifecycle, LeftoversOfCutShortWritesGoAtLaunchAndWhenSavingIsOff) {
    const std::vector<std::filesystem::path> ours{dir.documents() / ".userdata.dat.a1B2c3",
                                                  dir.documents() / ".disclaimershown.dat.ZZZZZZ",
                                                  dir.caches() / ".tests.xml.000000"};
    const std::vector<std::filesystem::path> others{
        dir.documents() / ".userdata.dat.a1B2c", dir.documents() / ".userdata.dat.a1B2c3d",
        dir.documents() / ".notes.txt.a1B2c3", dir.documents() / "userdata.dat.damaged"};
    for (const auto& file : ours)
        dir.write(file, "profile");
    for (const auto& file : others)
        dir.write(file, "other");
    auto delegate = launchApplication(DeviceIdiom::Phone, OrientationPortrait, recording());
    for (const auto& file : ours)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    for (const auto& file : others)
        EXPECT_TRUE(std::filesystem::exists(file)) << file;

    // A save killed before its rename, then saving switched off.
    dir.write(ours[0], "tests entered later");
    UserData::instance().setSaveData(false);
    UserData::instance().save();
    EXPECT_FALSE(std::filesystem::exists(ours[0]));
}

TEST_F(Lifecycle, AnActivationShowsTheDisclaimerOnlyWhenItIsDue) {
    auto delegate = launchApplication(DeviceIdiom::Phone, OrientationPortrait, recording());
    EXPECT_EQ(root(*delegate).disclaimers, 1);
    now += 3600;
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(root(*delegate).disclaimers, 1);
    now += 7 * 86400;
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(root(*delegate).disclaimers, 2);
}

TEST_F(Lifecycle, EveryActivationRefreshesTheCatalogue) {
    CatalogueServer server;
    auto catalogue = [](const std::string& name) {
        return "<tests>\n<test name='" + name + "' location='Chest' milliseverts='1'/>\n</tests>\n";
    };
    server.answer(200, catalogue("First"));
    auto delegate =
        launchApplication(DeviceIdiom::Phone, OrientationPortrait, recording(server.url()));
    delegate->refresher().waitForAll();
    EXPECT_EQ(TestData::testArray().at(0)->testName(), "First");

    server.answer(200, catalogue("Second"));
    delegate->applicationDidBecomeActive();
    delegate->refresher().waitForAll();
    EXPECT_EQ(TestData::testArray().at(0)->testName(), "Second");
    EXPECT_EQ(delegate->refresher().startedCount(), 2u);
}

TEST_F(Lifecycle, ASilentServerDoesNotHoldUpTheExit) {
    CatalogueServer server;
    server.setMode(CatalogueServer::Mode::Hang);
    auto delegate =
        launchApplication(DeviceIdiom::Phone, OrientationPortrait, recording(server.url()));
    delegate->applicationDidBecomeActive();
    // Let both requests reach the server and wait there.
    for (int i = 0; i < 200 && server.lastTarget().empty(); ++i)
        std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(delegate->refresher().runningCount(), 2u);
    const auto start = std::chrono::steady_clock::now();
    delegate.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(TextFile::readBytes(TestData::cachedPath()));
}

TEST_F(Lifecycle, WithoutAnIdiomTheHandsetInterfaceIsChosen) {
    Application::shared().setIdiom(std::nullopt);
    MevaraAppDelegate delegate(recording());
    EXPECT_TRUE(delegate.applicationDidFinishLaunchingWithOptions());
    EXPECT_EQ(root(delegate).interface, Interface::Handset);
}

} // namespace
} // namespace mevara
