#include "app/MevaraAppDelegate.h"
#include "app/Startup.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/Clock.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"
#include "support/CatalogueServer.h"
#include "support/TempDirectory.h"
#include "toolkit/RunLoop.h"
#include "toolkit/ViewController.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono_literals;
using testsupport::CatalogueServer;
using testsupport::TempDirectory;

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
