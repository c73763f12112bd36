#pragma once

#include "tablet/IpadCalendarPicker.h"
#include "tablet/IpadPicker.h"
#include "toolkit/AlertView.h"
#include "toolkit/TableView.h"
#include "toolkit/ViewController.h"

#include <any>
#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace mevara {

class Button;
class RootController;
class Test;

// The tablet's wizard: one screen whose content is the current state, a group of
// phases named after it ("step3_setup", "step3_transitionIn", ...). The generic
// operations build a phase's name from the current state and run it when the state has
// it, so a state is added by writing its group's file, which registers its phases.
class WelcomeController : public ViewController,
                          public TableViewDataSource,
                          public TableViewDelegate,
                          public IpadPickerDelegate,
                          public IpadCalendarPickerDelegate,
                          public AlertViewDelegate {
public:
    using Phase = std::function<void(WelcomeController&, const std::any&)>;

    // A state group's phases, registered by a static object in the group's file.
    struct StateGroup {
        StateGroup(std::vector<std::pair<std::string, Phase>> phases);
    };
    static const std::map<std::string, Phase>& phases();

    static constexpr std::array<const char*, 12> stateNames{"step0",
                                                            "step1",
                                                            "step2",
                                                            "step3",
                                                            "step4",
                                                            "more_my_exposure",
                                                            "more_avg_exposure",
                                                            "more_cancer_risk",
                                                            "more_chernobyl",
                                                            "more_flights",
                                                            "more_natural_exposure",
                                                            "more_nuclear_stress_test"};
    static const char* const cancerRiskComparison;

    WelcomeController();
    ~WelcomeController() override;
    std::string className() const override { return "WelcomeController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
    void willRotateToInterfaceOrientation(int orientation, double duration) override;

    // Runs `name` when some state group registered it; false when none did.
    bool call(const std::string& name, const std::any& argument = {});
    // Runs the current state's `phase` ("setup" runs "<state>_setup") when it has one.
    bool callPhase(const std::string& phase, const std::any& argument = {});

    void setup();
    void transitionIn();
    void transitionOut();
    void portrait();
    void landscape();
    void populate();
    void validate();
    void position();
    void dismissModal(const std::any& argument);

    // From the welcome step's start button (`fadeOut` is the old state's own fade-out) or
    // from Home (the generic fade-out with its release).
    void welcomeMove(const std::string& to, bool fromHome);
    void directMove(const std::string& to);
    void goHome();

    static bool isPortrait(int orientation) { return orientation == 1 || orientation == 2; }
    bool isPortrait() const { return isPortrait(rootOrientation_); }

    const std::string& currentState() const { return currentState_; }
    void setCurrentState(std::string state) { currentState_ = std::move(state); }
    int rootOrientation() const { return rootOrientation_; }
    void setRootOrientation(int orientation) { rootOrientation_ = orientation; }
    std::shared_ptr<RootController> rootController() const { return rootController_.lock(); }
    void setRootController(std::weak_ptr<RootController> root) {
        rootController_ = std::move(root);
    }

    const std::shared_ptr<IpadPicker>& picker() const { return picker_; }
    // An open popover closes on Escape as on a tap beside it.
    void setPicker(std::shared_ptr<IpadPicker> picker);
    const std::shared_ptr<IpadCalendarPicker>& calendarPicker() const { return calendarPicker_; }
    void setCalendarPicker(std::shared_ptr<IpadCalendarPicker> picker);
    // Fades an open popover away and drops it; it reports its value as it goes.
    void dismissPicker();
    void dismissCalendarPicker();
    // Fades every open popover away and forgets it without a report: the form it was
    // opened for is gone or holds another test by now.
    void closePopovers();

    const std::shared_ptr<Test>& test() const { return test_; }
    void setTest(std::shared_ptr<Test> test) { test_ = std::move(test); }
    const std::shared_ptr<Test>& editingTest() const { return editingTest_; }
    void setEditingTest(std::shared_ptr<Test> test) { editingTest_ = std::move(test); }
    const std::string& selectedComparison() const { return selectedComparison_; }
    void setSelectedComparison(std::string comparison) {
        selectedComparison_ = std::move(comparison);
    }
    bool inModal() const { return inModal_; }
    void setInModal(bool inModal) { inModal_ = inModal; }
    float scale() const { return scale_; }
    void setScale(float scale) { scale_ = scale; }

    // The state's widgets, by property name ("step0_startButton"); none when released.
    template <class T = View> std::shared_ptr<T> widget(const std::string& name) const {
        auto it = widgets_.find(name);
        return it == widgets_.end() ? nullptr : std::dynamic_pointer_cast<T>(it->second);
    }
    // Keeps `view` as the property `name` (also its name in dumps) and adds it to the
    // wizard view, fully transparent, in place of the widget that had the name.
    void addWidget(const std::string& name, const std::shared_ptr<View>& view);
    void setWidget(const std::string& name, std::shared_ptr<View> view);
    void releaseWidgets(std::initializer_list<const char*> names);
    void setAlpha(std::initializer_list<const char*> names, float alpha);
    void setFrame(const std::string& name, Rect frame);
    // A button built in code that runs the phase `name` on touch up.
    void connect(Button& button, const std::string& name);

    void pickerPickedValue(IpadPicker& picker, const std::string& value) override;
    void calendarPickerPickedDate(IpadCalendarPicker& picker, std::optional<Date> date) override;

    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath path) override;
    void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) override;
    void onDeleteTest(const Button& sender);
    // The reset confirmation's "Yes" (index 0) in the tests step.
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override;
    void touchesBegan(const TouchSet& touches) override;

protected:
    void bind(Bindings& bindings) override;

private:
    std::string currentState_;
    int rootOrientation_ = 3;
    std::weak_ptr<RootController> rootController_;
    std::shared_ptr<IpadPicker> picker_;
    std::shared_ptr<IpadCalendarPicker> calendarPicker_;
    std::shared_ptr<Test> test_;
    std::shared_ptr<Test> editingTest_;
    std::string selectedComparison_;
    bool inModal_ = false;
    float scale_ = 0;
    std::map<std::string, std::shared_ptr<View>> widgets_;
};

} // namespace mevara
