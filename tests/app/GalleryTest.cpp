#include "app/GalleryController.h"
#include "app/ViewDump.h"
#include "support/Pixels.h"
#include "support/ProgramFixture.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/Switch.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/Snapshot.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

std::shared_ptr<View> find(const std::shared_ptr<View>& view, const std::string& name) {
    if (view->name() == name) return view;
    for (const auto& sub : view->subviews())
        if (auto found = find(sub, name)) return found;
    return nullptr;
}

template <class T> std::shared_ptr<T> find(Window& window, const std::string& name) {
    auto found = std::dynamic_pointer_cast<T>(find(window.shared_from_this(), name));
    EXPECT_TRUE(found) << name;
    return found;
}

Rect inWindow(const View& view) {
    const Point origin = view.convertPointToView({0, 0}, nullptr);
    return {origin.x, origin.y, view.frame().width, view.frame().height};
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.x < b.maxX() && b.x < a.maxX() && a.y < b.maxY() && b.y < a.maxY();
}

// The gallery, started as the program starts it with --gallery.
class Gallery : public testsupport::ProgramTest {
protected:
    std::shared_ptr<GalleryController> gallery;

    void TearDown() override {
        gallery.reset();
        ProgramTest::TearDown();
    }
    void open(DeviceIdiom idiom, int orientation = OrientationPortrait) {
        AppSettings settings;
        settings.gallery = true;
        launch(idiom, orientation, false, std::move(settings));
        gallery = std::dynamic_pointer_cast<GalleryController>(delegate->viewController);
        ASSERT_TRUE(gallery);
    }
    void tap(const std::string& name) {
        auto view = find<View>(*window, name);
        const Rect r = inWindow(*view);
        window->tap({r.x + r.width / 2, r.y + r.height / 2});
    }
    std::string text(const std::string& label) { return find<Label>(*window, label)->text(); }
};

TEST_F(Gallery, ARowTapAsksAboutThatRowAndLeavesNoSelection) {
    open(DeviceIdiom::Phone);
    auto table = find<TableView>(*window, "table");
    const Rect row = table->rectForRowAtIndexPath({0, 2});
    window->tap(table->convertPointToView({row.x + 20, row.y + row.height / 2}, nullptr));
    ASSERT_EQ(window->alerts().size(), 1u);
    EXPECT_EQ(window->alerts().back()->title(), "Row 3");
    EXPECT_FALSE(table->indexPathForSelectedRow());
}

TEST_F(Gallery, TheDisclaimerTakesEveryTouchAndGoingHomePutsEverythingBack) {
    open(DeviceIdiom::Phone);
    auto& loop = RunLoop::main();
    loop.advance(1);
    const std::string fresh = dumpViewTree(*window, loop.now());
    ASSERT_TRUE(gallery->perform("showDisclaimer"));
    tap("askButton");
    EXPECT_TRUE(window->alerts().empty()) << "the overlay takes every touch under it";
    ASSERT_TRUE(gallery->perform("forceHome"));

    // Change everything else forceHome puts back.
    find<TableView>(*window, "table")->setContentOffset({0, 120});
    tap("toggle");
    tap("askButton");
    ASSERT_EQ(window->alerts().size(), 1u);
    window->alerts().back()->dismissWithClickedButtonIndex(1, false);
    EXPECT_EQ(text("answerLabel"), "Answer: Yes");
    tap("sheetButton");
    ASSERT_TRUE(gallery->perform("forceHome"));
    loop.advance(1);
    EXPECT_EQ(dumpViewTree(*window, loop.now()), fresh);
}

TEST_F(Gallery, EveryScreenHoldsThePartsApartAndInside) {
    const std::vector<std::string> parts{"header",     "textCard",  "buttonRow", "switchRow",
                                         "tablePanel", "pagePanel", "bubble",    "animatedBox"};
    auto check = [&](const char* screen) {
        const Rect bounds = window->bounds();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Rect a = inWindow(*find<View>(*window, parts[i]));
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.maxX() <= bounds.width &&
                        a.maxY() <= bounds.height)
                << screen << ": " << parts[i] << " " << stringFromRect(a);
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                EXPECT_FALSE(overlaps(a, inWindow(*find<View>(*window, parts[j]))))
                    << screen << ": " << parts[i] << " and " << parts[j];
        }
        const Rect box = inWindow(*find<View>(*window, "disclaimerBox"));
        EXPECT_NEAR(box.x + box.width / 2, bounds.width / 2, 1) << screen;
    };
    open(DeviceIdiom::Phone);
    check("phone");
    EXPECT_FALSE(window->rotate(OrientationLandscapeLeft));

    open(DeviceIdiom::Tablet, OrientationLandscapeLeft);
    check("tablet landscape");
    ASSERT_TRUE(window->rotate(OrientationPortrait));
    RunLoop::main().advance(1);
    check("tablet portrait");
    EXPECT_EQ(find<TableView>(*window, "table")->rowHeight(), GalleryController::tabletRowHeight);
}

// Drawing itself: the sdl tests. Here an alert dims everything behind it.
TEST_F(Gallery, AnAlertDimsTheScreenBehindIt) {
    open(DeviceIdiom::Phone);
    const Rect card = inWindow(*find<View>(*window, "textCard"));
    const auto brightness = [&] {
        auto shot = sdl::renderSurface(*window, RunLoop::main().now());
        const auto p = testsupport::pixel(shot.get(), static_cast<int>(card.x) + 150,
                                          static_cast<int>(card.y) + 4);
        return p.r + p.g + p.b;
    };
    const int before = brightness();
    EXPECT_GT(before, 3 * 235) << "the white box";
    tap("askButton");
    RunLoop::main().advance(0.5);
    EXPECT_LT(brightness(), before - 100);
}

} // namespace
} // namespace mevara
