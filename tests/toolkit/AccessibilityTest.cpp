#include "toolkit/Accessibility.h"

#include "support/ToolkitFixture.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/Switch.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"

namespace mevara {
namespace {

using AccessibilityTest = testsupport::ToolkitTest;

// "traits \"label\"" for every element a screen reader finds, in order.
std::vector<std::string> read(const Window& window) {
    std::vector<std::string> spoken;
    for (const auto& e : accessibleElements(window))
        spoken.push_back(traitWords(e.traits) + " \"" + e.label + "\"" +
                         (e.value.empty() ? "" : " = " + e.value));
    return spoken;
}

template <class V> std::shared_ptr<V> add(View& parent, Rect frame) {
    auto view = std::make_shared<V>(frame);
    parent.addSubview(view);
    return view;
}

TEST_F(AccessibilityTest, ViewsReadWhatTheyShowAndPicturesOnlyWhenNamed) {
    add<Label>(*window, {0, 0, 100, 20})->setText("  My Imaging\nTests ");
    add<Label>(*window, {0, 20, 100, 20}); // empty: nothing to read
    add<ImageView>(*window, {0, 40, 20, 20});
    add<ImageView>(*window, {20, 40, 20, 20})->setAccessibilityLabel("Doctor");
    auto save = add<Button>(*window, {0, 60, 100, 40});
    save->setTitle("Save");
    save->setSelected(true);
    auto off = add<Button>(*window, {0, 100, 100, 40});
    off->setTitle("Next");
    off->setEnabled(false);
    auto toggle = add<Switch>(*window, {0, 140, 79, 27});
    toggle->setAccessibilityLabel("Save My Data");
    toggle->setOn(true);
    auto hidden = add<Button>(*window, {0, 180, 100, 40});
    hidden->setTitle("Hidden");
    hidden->setHidden(true);
    auto header = add<Label>(*window, {0, 220, 100, 20});
    header->setText("About Me");
    header->setAccessibilityTraits(TraitStaticText | TraitHeader);

    EXPECT_EQ(read(*window), (std::vector<std::string>{
                                 "text \"My Imaging Tests\"", "image \"Doctor\"",
                                 "button selected \"Save\"", "button not-enabled \"Next\"",
                                 "button \"Save My Data\" = on", "header text \"About Me\""}));
}

TEST_F(AccessibilityTest, ARowReadsAsOneSentenceAndKeepsItsButtonsReachable) {
    auto cell = add<TableViewCell>(*window, {0, 0, 320, 53});
    add<Label>(*cell, {10, 5, 100, 20})->setText("CT");
    add<Label>(*cell, {10, 25, 100, 20})->setText("Head, 1 test");
    auto remove = add<Button>(*cell, {280, 10, 30, 30});
    auto picture = add<Button>(*window, {0, 60, 44, 44}); // a picture and no name
    EXPECT_EQ(unnamedTappableViews(*window), (std::vector<std::shared_ptr<View>>{remove, picture}));

    remove->setAccessibilityLabel("Delete CT, Head");
    picture->setAccessibilityLabel("Settings");
    EXPECT_TRUE(unnamedTappableViews(*window).empty());
    EXPECT_EQ(read(*window),
              (std::vector<std::string>{"button \"CT, Head, 1 test\"", "button \"Delete CT, Head\"",
                                        "button \"Settings\""}));
}

TEST_F(AccessibilityTest, AnAlertOrAModalViewHidesEverythingBehindIt) {
    add<Button>(*window, {0, 0, 100, 40})->setTitle("Behind");
    auto sheet = add<View>(*window, {0, 100, 320, 200});
    add<Label>(*sheet, {10, 10, 200, 20})->setText("Before You Begin");
    EXPECT_EQ(read(*window).size(), 2u);

    sheet->setAccessibilityViewIsModal(true);
    EXPECT_EQ(read(*window), (std::vector<std::string>{"text \"Before You Begin\""}));

    sheet->setAccessibilityViewIsModal(false);
    auto alert = std::make_shared<AlertView>("Mevara", "Delete all tests?",
                                             std::weak_ptr<AlertViewDelegate>(), "Cancel",
                                             std::vector<std::string>{"Delete"});
    window->showAlert(alert);
    const auto spoken = read(*window);
    ASSERT_FALSE(spoken.empty());
    for (const auto& line : spoken)
        EXPECT_EQ(line.find("Behind"), std::string::npos) << line;
    EXPECT_EQ(spoken.back(), "button \"Delete\"");
}

} // namespace
} // namespace mevara
