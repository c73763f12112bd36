#include "app/Controllers.h"
#include "platform/Directories.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/ViewController.h"

#include <gtest/gtest.h>
#include <set>

namespace mevara {
namespace {

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

} // namespace
} // namespace mevara
