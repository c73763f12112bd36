#include "TabletFixture.h"
#include "platform/PropertyList.h"
#include "tablet/IpadPicker.h"
#include "toolkit/ImageView.h"
#include "toolkit/TableView.h"

#include <algorithm>

namespace mevara {
namespace {

class TabletWizard : public testsupport::TabletTest {
protected:
    std::shared_ptr<IpadPicker> openPicker(const std::string& row) {
        tapWidget(row);
        advance(0.3);
        auto picker = wizard().picker();
        EXPECT_TRUE(picker) << row;
        return picker;
    }
    void pick(const std::string& row, const std::string& choice) {
        auto picker = openPicker(row);
        if (!picker) return;
        const auto& choices = picker->choices();
        const auto index =
            static_cast<int>(std::find(choices.begin(), choices.end(), choice) - choices.begin());
        ASSERT_LT(index, static_cast<int>(choices.size())) << choice;
        picker->tableViewDidSelectRowAtIndexPath(*picker->table(), {0, index});
        advance(0.3);
    }
    std::string labelText(const std::string& name) { return widget<Label>(name)->text(); }
};

TEST_F(TabletWizard, AboutMeSaveAsksForBothThenMovesOnByTheTestsRecorded) {
    start();
    wizard().directMove("step1");
    EXPECT_EQ(state(), "step1");
    EXPECT_FLOAT_EQ(widget("step1_saveButton")->alpha(), 1);

    pick("step1_genderButton", "Female");
    tapWidget("step1_saveButton");
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "About Me");
    EXPECT_EQ(alert()->message(), "Please set your gender and age before continuing.");
    alert()->dismissWithClickedButtonIndex(0, false);
    EXPECT_TRUE(UserData::instance().gender().empty());

    pick("step1_ageButton", "40 - 49");
    tapWidget("step1_saveButton");
    EXPECT_EQ(state(), "step2");
    EXPECT_EQ(UserData::instance().gender(), "Female");
    // Stored on disk at once.
    UserData::resetInstance();
    EXPECT_EQ(UserData::instance().age(), "40 - 49");

    addTest("Skull", 1, 0.1f);
    wizard().directMove("step1");
    tapWidget("step1_saveButton");
    EXPECT_EQ(state(), "step3");
}

TEST_F(TabletWizard, ARowOpensItsListBesideItAndASecondTapPutsTheStoredValueBack) {
    setProfile("Male", "30 - 39");
    start();
    wizard().directMove("step1");
    auto picker = openPicker("step1_ageButton");
    EXPECT_EQ(picker->title(), "Age");
    EXPECT_EQ(picker->checkedValue(), "30 - 39");
    const Rect row = widget("step1_ageButton")->frame();
    EXPECT_EQ(picker->view()->frame().x, row.x + row.width + 18);
    EXPECT_EQ(picker->view()->frame().y, row.y - 10);
    EXPECT_FLOAT_EQ(widget("step1_helpBalloon")->alpha(), 0);

    picker->tableViewDidSelectRowAtIndexPath(*picker->table(), {0, 6});
    EXPECT_EQ(labelText("step1_age"), "70+");
    EXPECT_FALSE(wizard().picker());

    // Open, then the gender row again: it only closes, putting the stored value back.
    pick("step1_genderButton", "Female");
    openPicker("step1_genderButton");
    tapWidget("step1_genderButton");
    EXPECT_FALSE(wizard().picker());
    EXPECT_EQ(labelText("step1_gender"), "Male");
    EXPECT_EQ(labelText("step1_age"), "70+");
    EXPECT_FLOAT_EQ(widget("step1_helpBalloon")->alpha(), 0);

    // A tap outside the list closes it as well.
    openPicker("step1_genderButton");
    window->tap({900, 700});
    EXPECT_FALSE(wizard().picker());
}

TEST_F(TabletWizard, EveryMoveOfTheStateTable) {
    setProfile("Male", "30 - 39");
    start();
    const auto move = [&](const std::string& control, const std::string& to) {
        tapWidget(control);
        EXPECT_EQ(state(), to) << control;
        advance(0.3);
    };
    wizard().directMove("step2");
    move("step2_editAboutMe", "step1");
    wizard().directMove("step3");
    move("step3_editAboutMe", "step1");
    wizard().directMove("step3");
    move("step3_compareButton", "step4");
    move("step4_myExposureButton", "more_my_exposure");
    move("more_my_exposure_backButton", "step4");
    move("step4_averageBaseButton", "more_avg_exposure");
    move("more_avg_exposure_backButton", "step4");
    move("step4_compareExposureButton", "more_cancer_risk");
    move("more_cancer_risk_backButton", "step4");
    move("step4_editTestsButton", "step3");

    for (const auto& [comparison, page] : std::vector<std::pair<std::string, std::string>>{
             {"Chernobyl Exposure\n\n", "more_chernobyl"},
             {"40 Cross Country Flights\n\n", "more_flights"},
             {"Annual Natural Exposure\n\n", "more_natural_exposure"},
             {"Nuclear Stress Test\n\n", "more_nuclear_stress_test"},
             {"Something else", "step4"}}) {
        wizard().setSelectedComparison(comparison);
        wizard().directMove("step4");
        move("step4_compareExposureButton", page);
    }

    // A phase the state lacks is skipped; the state stays.
    EXPECT_FALSE(wizard().call("step4_dismissModal:"));
    wizard().dismissModal({});
    wizard().validate();
    EXPECT_EQ(state(), "step4");

    root->onHome();
    EXPECT_EQ(state(), "step0");
    EXPECT_FALSE(wizard().widget("step4_editTestsButton"));
}

TEST_F(TabletWizard, TheTestsListDeletesTheRowsTestAndSaves) {
    setProfile("Female", "19 - 29");
    addTest("Skull", 1, 0.1f);
    addTest("Chest (Two Views)", 2, 0.2f);
    addTest("Chest (Single View)", 1, 0.02f);
    start();
    wizard().directMove("step3");
    auto table = widget<TableView>("step3_testListTable");
    ASSERT_EQ(table->numberOfRows(), 3);
    auto cell = table->cellForRowAtIndexPath({0, 1});
    std::shared_ptr<Button> remove;
    std::shared_ptr<Label> detail;
    for (const auto& sub : cell->subviews()) {
        if (sub->name() == "deleteButton") remove = std::dynamic_pointer_cast<Button>(sub);
        if (sub->name() == "detail") detail = std::dynamic_pointer_cast<Label>(sub);
    }
    ASSERT_TRUE(remove && detail);
    EXPECT_EQ(detail->text(), "Chest (Two Views), 2 tests");
    EXPECT_EQ(remove->tag(), 1);
    wizard().onDeleteTest(*remove);
    const auto& tests = UserData::instance().tests();
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[1]->location(), "Chest (Single View)");
    EXPECT_FLOAT_EQ(UserData::instance().total(), 0.12f);
    EXPECT_EQ(table->numberOfRows(), 2);
    UserData::resetInstance();
    EXPECT_EQ(UserData::instance().tests().size(), 2u);

    // "Yes" on the reset confirmation removes everything and asks for the profile again.
    AlertView confirm("", "", {}, "Yes", {"No"});
    wizard().alertViewClickedButtonAtIndex(confirm, 0);
    EXPECT_EQ(state(), "step1");
    EXPECT_TRUE(UserData::instance().tests().empty());
    EXPECT_TRUE(UserData::instance().gender().empty());
}

TEST_F(TabletWizard, RevisitsReplaceTheirWidgetsRatherThanPileThemUp) {
    setProfile("Male", "30 - 39");
    addTest("Skull", 1, 0.1f);
    start();
    wizard().directMove("step3");
    wizard().directMove("step4");
    const auto settled = wizard().view()->subviews().size();
    for (int i = 0; i < 5; ++i) {
        wizard().directMove("step3");
        wizard().directMove("step4");
        advance(1.5);
    }
    EXPECT_EQ(wizard().view()->subviews().size(), settled);
}

// The notice's title, text and button stay inside its box, in the middle of the screen,
// whichever way the tablet is held when it shows and after it turns.
TEST_F(TabletWizard, TheDisclaimerKeepsItsContentInItsBoxEitherWayUp) {
    start(1);
    root->showDisclaimer();
    const auto inWindow = [&](const std::string& name) {
        std::vector<std::shared_ptr<View>> open{root->view()};
        while (!open.empty()) {
            auto view = open.back();
            open.pop_back();
            if (view->name() == name) {
                const Point at = view->convertPointToView({0, 0}, nullptr);
                return Rect{at.x, at.y, view->frame().width, view->frame().height};
            }
            open.insert(open.end(), view->subviews().begin(), view->subviews().end());
        }
        ADD_FAILURE() << name;
        return Rect{};
    };
    const auto check = [&](const char* held) {
        const Rect screen = window->bounds();
        const Rect box = inWindow("disclaimerBox");
        EXPECT_NEAR(box.x + box.width / 2, screen.width / 2, 1) << held;
        EXPECT_NEAR(box.y + box.height / 2, screen.height / 2, 1) << held;
        for (const char* part : {"disclaimerTitle", "disclaimerLabel", "disclaimerButton"}) {
            const Rect r = inWindow(part);
            EXPECT_TRUE(r.x >= box.x && r.y >= box.y && r.maxX() <= box.maxX() &&
                        r.maxY() <= box.maxY())
                << held << ": " << part << " " << stringFromRect(r);
        }
    };
    check("upright");
    rotate(3);
    check("turned sideways");
    rotate(1);
    check("turned upright again");
}

TEST_F(TabletWizard, RotationLaysTheStateOutForTheNewOrientation) {
    start();
    wizard().directMove("step1");
    EXPECT_EQ(widget("step1_bubble")->frame(), (Rect{291, 211, 419, 175}));
    rotate(1);
    EXPECT_EQ(wizard().rootOrientation(), 1);
    EXPECT_EQ(widget("step1_bubble")->frame(), (Rect{178, 296, 339, 342}));
    EXPECT_EQ(root->center()->frame(), (Rect{0, 35, 768, 989}));
    EXPECT_EQ(wizard().view()->frame(), (Rect{0, 0, 768, 989}));
    EXPECT_NE(labelText("step1_bubbleText").find("\n\nAlso, it's a good idea"), std::string::npos);
    rotate(4);
    EXPECT_EQ(widget("step1_saveButton")->frame(), (Rect{20, 121, 292, 37}));
    EXPECT_EQ(labelText("step1_bubbleText").find("Also"), std::string::npos);
}

} // namespace
} // namespace mevara
