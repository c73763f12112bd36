#pragma once

#include "handset/HelpHandler.h"
#include "toolkit/AlertView.h"
#include "toolkit/TableView.h"

#include <memory>
#include <string>

namespace mevara {

class Label;
class Test;

// The handset's home screen: the recorded tests between an add row and a delete-all row,
// a footer with the total dose, and the home screen's help bubbles (the welcome bubble on
// first use, with "Tap Here To Start" blinking).
class TestListController : public HelpHandler,
                           public TableViewDataSource,
                           public TableViewDelegate,
                           public AlertViewDelegate {
public:
    static constexpr float rowHeight = 54;
    static constexpr float tableTop = 48;
    static constexpr float tableHeightWithFooter = 265;
    static constexpr float tableHeightWithoutFooter = 349;
    static constexpr double stageDelay = 0.5;
    static constexpr double blinkDuration = 0.4;
    static constexpr double blinkPause = 0.5;
    static const char* const startText;
    static const char* const addText;
    static const char* const deleteAllText;

    TestListController();
    std::string className() const override { return "TestListController"; }

    void viewDidLoad() override;

    void updateTotal();
    void reload();
    void showFooter();

    void showTestFormController();
    void showTestFormControllerStage2();
    void showAboutMeController(bool initialSetup);
    void showAboutMeControllerStage2(bool initialSetup);
    void showComparisons();
    void showComparisonsStage2();
    void showMore();

    void showHelp() override;
    void hideHelp() override;
    void onMsvHelp();
    void showTotalMsvHelp();
    void showInitialHelp();
    void blinkStartHereOff();
    void blinkStartHereOn();

    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath path) override;
    void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override;

    const std::shared_ptr<TableView>& table() const { return table_; }
    const std::shared_ptr<View>& footer() const { return footer_; }
    const std::shared_ptr<Label>& totalExposure() const { return totalExposure_; }
    const std::shared_ptr<Label>& addTestRowLabel() const { return addTestRowLabel_; }
    bool inInitialHelp() const { return inInitialHelp_; }
    int lastSelectedRow() const { return lastSelectedRow_; }

    // The detail line of a test row: "Chest, 2 tests on Mar 15, 2026".
    static std::string detailText(const Test& test);

protected:
    void bind(Bindings& bindings) override;
    Rect restingHelpFrame() const override { return {0, 48, 320, 348}; }
    bool bubbleClosesOnTap() const override { return !inInitialHelp_; }

private:
    // Moves the footer down and lengthens the table, as before opening another screen.
    void hideFooter();
    void blink(float alpha, const char* next);
    // Shows the total and keeps the unit just after it.
    void setTotalText(std::string text);
    std::shared_ptr<TableViewCell> actionCell(const char* icon, const std::string& text,
                                              std::shared_ptr<Label>* labelOut);
    std::shared_ptr<TableViewCell> testCell(const Test& test);

    std::shared_ptr<TableView> table_;
    std::shared_ptr<View> footer_;
    std::shared_ptr<Label> totalExposure_;
    std::shared_ptr<Label> totalUnit_;
    std::shared_ptr<Label> addTestRowLabel_;
    bool inInitialHelp_ = false;
    int lastSelectedRow_ = 0;
};

} // namespace mevara
