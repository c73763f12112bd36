// The two test entry steps. Both show the profile with an Edit button and a four-row test
// form whose rows open popovers beside them; the first-test step (step2) stores its test
// and moves on, the tests step (step3) adds the list of recorded tests with the total, the
// way on to the comparisons and a reset, and loads a tapped row into the form for editing.
// Both build the information bar hidden until the header's help control reveals it.
#include "comparisons/ChartText.h"
#include "handset/TestRow.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/Clock.h"
#include "tablet/IpadCalendarPicker.h"
#include "tablet/IpadPicker.h"
#include "tablet/RootController.h"
#include "tablet/TabletText.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"

#include <string>
#include <utility>
#include <vector>

namespace mevara {
namespace {

using W = WelcomeController;
using Phases = std::vector<std::pair<std::string, W::Phase>>;

const char* const firstTestHelp =
    "Next, select data about your first test(s) and then tap &lquot;Add Tests.&rquot;  (Note: "
    "This calculator excludes radiation used to treat cancer, typically referred to as "
    "radiation oncology.)";
const char* const furtherTestsHelp =
    "Continue to use this tool until you have entered all of your test types";
const char* const compareHelp = "View comparisons once you have added all of your tests";
const char* const msvExplanation =
    "Millisieverts (mSv) is the unit of measurement for radiation received from a medical "
    "imaging procedure.\n\nNote:  A test that shows &lquot;0&rquot; mSv indicates it gives off "
    "no radiation.  Examples include MRIs and Ultrasounds.\n\nA note about millisievert "
    "amounts:\nThe millisieverts (mSv) listed on this site are estimates derived from various "
    "sources which include the scientific literature as well as the published dose tables "
    "listed under References.   There are various factors that "
    "impact the actual patient dose received during a specific procedure.  These include age, "
    "body size, and technical factors, such as the type of test, distance to the body part, "
    "length of the procedure as well as the skill and experience of the operator.  This site is "
    "to provide you with general estimates and not to suggest that the amounts shown here are "
    "exact.";
const char* const requiredNote = "  All fields marked with an asterisk are required.";

constexpr Color valueBlue = Color::rgb(0.2f, 0.4f, 0.8f);
constexpr Color dividerBlue = Color::rgb(0.718f, 0.8f, 0.875f);
constexpr Color starRed = Color::rgb(0.85f, 0, 0);
constexpr Rect middleStretch{0.4f, 0.4f, 0.1f, 0.1f};

// The tests step carries the list; the first-test step does not.
struct Step {
    bool tests;
    std::string prefix() const { return tests ? "step3" : "step2"; }
    std::string operator()(const char* widget) const { return prefix() + "_" + widget; }
};

struct Placed {
    std::string name;
    Rect landscape;
    Rect portrait;
};

// Every widget of a step with its frames, in the order they are built.
std::vector<Placed> frames(const Step& s) {
    std::vector<Placed> all;
    const auto both = [&](const char* name, Rect frame) { all.push_back({s(name), frame, frame}); };
    const auto each = [&](const char* name, Rect landscape, Rect portrait) {
        all.push_back({s(name), landscape, portrait});
    };
    both("aboutMeContainer", {5, 13, 317, 42});
    both("aboutMe", {28, 23, 216, 21});
    both("editAboutMe", {261, 19, 51, 30});
    if (s.tests)
        each("testContainer", {5, 67, 317, 583}, {5, 67, 317, 850});
    else
        both("testContainer", {5, 67, 317, 247});
    both("testForm", {15, 77, 297, 176});
    both(s.tests ? "aboutMeDivider" : "divider1", {15, 121, 297, 1});
    both(s.tests ? "aboutMeDivider2" : "divider2", {15, 165, 297, 1});
    both("divider3", {15, 209, 297, 1});
    both("testTypeButton", {15, 77, 297, 44});
    both("bodyPartButton", {15, 121, 297, 44});
    both("numberOfTestsButton", {15, 165, 297, 44});
    both("dateButton", {15, 209, 297, 44});
    both("testTypeLabel", {28, 90, 96, 21});
    both("bodyPartLabel", {28, 132, 96, 21});
    both("numberOfTestsLabel", {28, 174, 137, 21});
    both("dateLabel", {28, 218, 137, 21});
    // Long names shrink to the whole width, so they start clear of the required marks.
    both("test", {124, 90, 149, 21});
    both("bodyPart", {124, 132, 149, 21});
    both("numberOfTests", {177, 174, 96, 21});
    both("date", {160, 218, 113, 21});
    both("testTypeArrow", {289, 93, 11, 15});
    both("bodyPartArrow", {289, 136, 11, 15});
    both("numberOfTestsArrow", {289, 177, 11, 15});
    both("dateArrow", {289, 221, 11, 15});
    both("testTypeStar", {110, 90, 12, 21});
    both("bodyPartStar", {111, 132, 12, 21});
    both("numberOfTestsStar", {164, 174, 12, 21});
    both("addTestsButton", {15, 261, 297, 42});
    both("helpBalloon", s.tests ? Rect{353, 103, 377, 81} : Rect{353, 72, 377, 142});
    both("helpWedge", {333, 128, 26, 29});
    both("helpText", s.tests ? Rect{379, 113, 331, 59} : Rect{379, 84, 331, 111});
    each("avatar", {615, 104, 433, 629}, {425, 360, 433, 629});
    if (!s.tests) return all;
    both("formDivider", {6, 303, 314, 19});
    each("testListContainer", {15, 323, 297, 221}, {15, 323, 297, 477});
    each("testListTable", {16, 330, 295, 205}, {16, 330, 295, 461});
    each("totalLabel", {16, 558, 137, 21}, {28, 807, 137, 21});
    each("totalValue", {177, 557, 96, 21}, {177, 806, 96, 21});
    each("totalUnits", {278, 559, 42, 21}, {278, 808, 42, 21});
    each("msvUnderline", {278, 576, 24, 1}, {278, 824, 24, 1});
    each("msvHelpButton", {273, 551, 39, 37}, {273, 800, 39, 37});
    each("compareButton", {15, 595, 297, 44}, {15, 856, 297, 44});
    each("resetButton", {15, 657, 297, 44}, {15, 925, 297, 44});
    each("help2Balloon", {353, 576, 377, 81}, {353, 837, 377, 81});
    each("help2Wedge", {333, 601, 26, 29}, {333, 862, 26, 29});
    each("help2Text", {379, 586, 249, 59}, {379, 847, 331, 59});
    each("msvHelpBackground", {353, 53, 625, 520}, {353, 97, 395, 632});
    each("msvWedge", {336, 296, 25, 33}, {336, 366, 25, 33});
    each("msvHelpText", {408, 86, 519, 442}, {379, 116, 342, 594});
    return all;
}

const std::vector<Placed>& framesOf(const Step& s) {
    static const std::vector<Placed> first = frames(Step{false});
    static const std::vector<Placed> tests = frames(Step{true});
    return s.tests ? tests : first;
}

const std::initializer_list<const char*> msvBalloon{"step3_msvHelpBackground", "step3_msvWedge",
                                                    "step3_msvHelpText"};

std::shared_ptr<Label> whiteText(const std::string& text, const char* font, float size) {
    auto label = makeTabletLabel(text, font, size, Color::white());
    label->setShadowColor(Color::white(0.333f));
    label->setShadowOffset({0, -1});
    label->setNumberOfLines(0);
    return label;
}

std::shared_ptr<Label> rowTitle(const char* text) {
    return makeTabletLabel(text, "Helvetica-Bold", 17, Color::black());
}

std::shared_ptr<Label> rowValue() {
    auto label = makeTabletLabel("", "Helvetica", 17, valueBlue);
    label->setTextAlignment(TextAlignment::Right);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(10);
    return label;
}

// A row of the form: its name is read out, since what it shows sits beside it.
std::shared_ptr<Button> rowButton(W& w, const std::string& phase, const char* name) {
    auto button = std::make_shared<Button>();
    button->setAccessibilityLabel(name);
    button->setBackgroundColor(Color::clear());
    button->setBackgroundImage(Image::named("bg-blue.png"), ControlState::Highlighted);
    w.connect(*button, phase);
    return button;
}

std::shared_ptr<Button> wideButton(W& w, const std::string& title, const char* picture,
                                   float fontSize, const std::string& phase) {
    auto button = makeTabletButton(title, picture, 18, 12, fontSize);
    button->setTitleShadowColor(std::nullopt);
    w.connect(*button, phase);
    return button;
}

std::shared_ptr<View> line(Color color) {
    auto view = std::make_shared<View>();
    view->setBackgroundColor(color);
    view->setUserInteractionEnabled(false);
    return view;
}

// The first test moves on with the first-test step's bar still held under the bar's
// names; it fades out before the new bar takes them over, or it would stay on screen.
void retirePreviousBar(W& w) {
    if (w.widget("step0_menuBar")) {
        auto& loop = RunLoop::main();
        loop.beginAnimations();
        w.call("MenuBar_transitionOut");
        loop.commitAnimations();
    }
    w.setInModal(false);
}

void setup(W& w, const Step& s) {
    retirePreviousBar(w);
    const auto add = [&](const char* name, const std::shared_ptr<View>& view) {
        w.addWidget(s(name), view);
    };
    add("aboutMeContainer", makeStretchedImage("container-blue.png", middleStretch));
    add("aboutMe", makeTabletLabel("", "Helvetica-Bold", 17, Color::white()));
    add("editAboutMe", wideButton(w, "Edit", "button-blue.png", 12, s("onEditAboutMe")));
    add("testContainer",
        makeStretchedImage("container-light-blue.png",
                           s.tests ? Rect{0.4f, 0.55f, 0.1f, 0.3f} : middleStretch));
    add("testForm", makeStretchedImage("form-box.png", middleStretch));
    add(s.tests ? "aboutMeDivider" : "divider1", line(dividerBlue));
    add(s.tests ? "aboutMeDivider2" : "divider2", line(dividerBlue));
    add("divider3", line(dividerBlue));
    add("testTypeButton", rowButton(w, s("onTestType"), "Test Type"));
    add("bodyPartButton", rowButton(w, s("onBodyPart"), "Test Location"));
    add("numberOfTestsButton", rowButton(w, s("onNumberOfTests"), "Number of Tests"));
    add("dateButton", rowButton(w, s("onDate"), "Date"));
    add("testTypeLabel", rowTitle("Test Type"));
    add("bodyPartLabel", rowTitle("Body Part"));
    add("numberOfTestsLabel", rowTitle("Number of Tests"));
    add("dateLabel", rowTitle("Date Performed"));
    for (const char* value : {"test", "bodyPart", "numberOfTests", "date"})
        add(value, rowValue());
    for (const char* arrow : {"testTypeArrow", "bodyPartArrow", "numberOfTestsArrow", "dateArrow"})
        add(arrow, makeImage("arrow-gray.png"));
    for (const char* star : {"testTypeStar", "bodyPartStar", "numberOfTestsStar"}) {
        // A mark for the eye; the row's name says what it is for.
        auto mark = makeTabletLabel("*", "Helvetica-Bold", 17, starRed);
        mark->setIsAccessibilityElement(false);
        add(star, mark);
    }
    add("addTestsButton",
        wideButton(w, s.tests ? "Add Test" : "Add Tests", "button-blue.png", 15, s("onAddTest")));
    add("helpBalloon", makeStretchedImage("balloon-green.png", middleStretch));
    add("helpWedge", makeImage("balloon-green-point-left.png"));
    add("helpText", s.tests ? whiteText(furtherTestsHelp, "Helvetica", 16)
                            : whiteText(firstTestHelp, "Helvetica-Bold", 17));
    add("avatar", makeImage("doctor-default.png"));

    if (s.tests) {
        add("formDivider", makeImage("step3-squarebreak.png"));
        add("testListContainer", makeStretchedImage("form-box.png", middleStretch));
        auto table = std::make_shared<TableView>();
        table->setRowHeight(54);
        table->setBackgroundColor(Color::white());
        table->setSeparatorStyle(SeparatorStyle::SingleLine);
        table->setBounces(true);
        auto self = std::static_pointer_cast<W>(w.shared_from_this());
        table->setDataSource(std::weak_ptr<TableViewDataSource>(self));
        table->setDelegate(std::weak_ptr<TableViewDelegate>(self));
        add("testListTable", table);
        add("totalLabel", rowTitle("Total Exposure"));
        auto total = makeTabletLabel("", "Helvetica-Bold", 17, Color::black());
        total->setTextAlignment(TextAlignment::Right);
        // Many large doses add up past what 96 points hold at full size.
        total->setAdjustsFontSizeToFitWidth(true);
        total->setMinimumFontSize(9);
        add("totalValue", total);
        // The total says its unit in words.
        auto units = makeTabletLabel("mSv", "Helvetica", 12, Color::white(0.333f));
        units->setIsAccessibilityElement(false);
        add("totalUnits", units);
        add("msvUnderline", line(Color::white(0.667f)));
        auto msvHelp = std::make_shared<Button>();
        msvHelp->setBackgroundColor(Color::clear());
        msvHelp->setAccessibilityLabel("About Millisieverts");
        w.connect(*msvHelp, "step3_onMsvHelp");
        add("msvHelpButton", msvHelp);
        add("compareButton",
            wideButton(w, "View Comparisons", "button-blue.png", 15, "step3_onCompareButton"));
        add("resetButton",
            wideButton(w, "Clear All Data", "button-red.png", 15, "step3_onResetButton"));
        add("help2Balloon", makeStretchedImage("balloon-green.png", middleStretch));
        add("help2Wedge", makeImage("balloon-green-point-left.png"));
        add("help2Text", whiteText(compareHelp, "Helvetica", 16));
        add("msvHelpBackground", makeStretchedImage("balloon-blue.png", middleStretch));
        add("msvWedge", makeImage("balloon-blue-point-left.png"));
        add("msvHelpText", whiteText(msvExplanation, "Helvetica-Bold", 18));
    }

    w.call("MenuBar_setup");
    w.call("MenuBar_hide:", false);
}

void layOut(W& w, const Step& s, bool portrait) {
    if (s.tests) {
        // The avatar stands behind the balloons, and all of them behind the bar.
        if (portrait) {
            if (auto avatar = w.widget("step3_avatar")) w.view()->sendSubviewToBack(avatar.get());
        } else {
            // The lower help balloon reaches over the avatar's coat, so it stays in front.
            for (const char* name :
                 {"step3_avatar", "step3_help2Balloon", "step3_help2Wedge", "step3_help2Text",
                  "step3_msvHelpBackground", "step3_msvWedge", "step3_msvHelpText"})
                if (auto view = w.widget(name)) w.view()->bringSubviewToFront(view.get());
            w.call("bringMenuBarToFront");
            // An open popover stays on top of them all.
            if (w.picker()) w.view()->bringSubviewToFront(w.picker()->view().get());
            if (w.calendarPicker()) w.view()->bringSubviewToFront(w.calendarPicker()->view().get());
        }
    }
    for (const auto& placed : framesOf(s))
        w.setFrame(placed.name, portrait ? placed.portrait : placed.landscape);
    w.call(portrait ? "MenuBar_portrait" : "MenuBar_landscape");
}

void fade(W& w, const Step& s, float alpha) {
    for (const auto& placed : framesOf(s))
        if (auto view = w.widget(placed.name)) view->setAlpha(alpha);
    // The mSv explanation only comes on request.
    if (s.tests && alpha > 0) w.setAlpha(msvBalloon, 0);
    if (auto root = w.rootController(); root && root->helpButton())
        root->helpButton()->setAlpha(alpha);
    w.call(alpha > 0 ? "MenuBar_transitionIn" : "MenuBar_transitionOut");
}

void release(W& w, const Step& s) {
    for (const auto& placed : framesOf(s))
        w.setWidget(placed.name, nullptr);
    w.call("MenuBar_release");
}

void setText(W& w, const std::string& name, const std::string& text) {
    if (auto label = w.widget<Label>(name)) setTabletText(*label, text);
}

std::string labelText(W& w, const std::string& name) {
    auto label = w.widget<Label>(name);
    return label ? label->text() : std::string();
}

void populate(W& w, const Step& s) {
    const auto& data = UserData::instance();
    setText(w, s("aboutMe"), data.gender() + ", " + data.age());
    setText(w, s("test"), "");
    setText(w, s("bodyPart"), "");
    setText(w, s("numberOfTests"), "");
    if (!s.tests) return;
    setText(w, "step3_date", "");
    w.setEditingTest(nullptr);
    w.setTest(Test::testWithLocation(std::string(), std::string(), 0, 0, std::nullopt));
    // Back in adding mode, whatever an edit left on the button.
    if (auto add = w.widget<Button>("step3_addTestsButton")) add->setTitle("Add Test");
    float total = 0;
    for (const auto& test : data.tests())
        total += test->milliseverts();
    if (auto value = w.widget<Label>("step3_totalValue"))
        showDose(*value, ChartText::twoDecimalText(total));
    if (auto table = w.widget<TableView>("step3_testListTable")) table->reloadData();
}

// Every form control first closes an open popover, and does nothing more then.
bool closedPopover(W& w) {
    if (w.picker()) {
        w.dismissPicker();
        return true;
    }
    if (w.calendarPicker()) {
        w.dismissCalendarPicker();
        return true;
    }
    return false;
}

void dismissMsvHelp(W& w, const std::any& = {}) {
    auto text = w.widget("step3_msvHelpText");
    if (!text || text->alpha() <= 0.5f) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    w.setAlpha(msvBalloon, 0);
    loop.commitAnimations();
}

bool guard(W& w, const Step& s) {
    if (closedPopover(w)) return true;
    if (s.tests) dismissMsvHelp(w);
    return false;
}

// Opens beside `placeRow` (the row itself, or for the counts the row above it) and gets
// the bar and the help balloon out of its way for the rest of the visit.
void showPopover(W& w, const Step& s, const std::shared_ptr<View>& popover,
                 const std::string& placeRow) {
    auto row = w.widget(placeRow);
    if (!row) return;
    popover->setAlpha(0);
    const Rect rowFrame = row->frame();
    const Rect own = popover->frame();
    popover->setFrame({rowFrame.maxX() + 18, rowFrame.y - 10, own.width, own.height});
    w.view()->addSubview(popover);
    w.call("MenuBar_hide:", true);
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    for (const char* help : {"helpBalloon", "helpText", "helpWedge"})
        if (auto view = w.widget(s(help))) view->setAlpha(0);
    popover->setAlpha(1);
    loop.commitAnimations();
}

void openChoices(W& w, const Step& s, const char* title, std::vector<std::string> choices,
                 const std::string& checked, const std::string& placeRow) {
    if (guard(w, s)) return;
    auto self = std::static_pointer_cast<W>(w.shared_from_this());
    auto picker = IpadPicker::pickerWithTitle(
        title, std::move(choices), checked.empty() ? std::nullopt : std::optional(checked),
        std::weak_ptr<IpadPickerDelegate>(self));
    w.setPicker(picker);
    showPopover(w, s, picker->view(), placeRow);
}

void onTestType(W& w, const Step& s) {
    const std::string bodyPart = labelText(w, s("bodyPart"));
    openChoices(w, s, "Test Type", TestData::testNamesForLocation(bodyPart),
                labelText(w, s("test")), s("testTypeButton"));
}

void onBodyPart(W& w, const Step& s) {
    const std::string testName = labelText(w, s("test"));
    openChoices(w, s, "Body Part", TestData::bodyPartsForTest(testName),
                labelText(w, s("bodyPart")), s("bodyPartButton"));
}

void onNumberOfTests(W& w, const Step& s) {
    std::vector<std::string> counts;
    for (int n = 1; n <= 99; ++n)
        counts.push_back(std::to_string(n));
    // A long list: it opens a row higher to keep more of it on screen.
    openChoices(w, s, "Number of Tests", std::move(counts), labelText(w, s("numberOfTests")),
                s("bodyPartButton"));
}

void onDate(W& w, const Step& s) {
    if (guard(w, s)) return;
    auto self = std::static_pointer_cast<W>(w.shared_from_this());
    auto calendar = IpadCalendarPicker::calendarPickerWithDelegate(
        std::weak_ptr<IpadCalendarPickerDelegate>(self));
    const std::optional<Date> date = w.test() ? w.test()->date() : std::nullopt;
    const auto give = [&] {
        if (date)
            calendar->setSelectedDate(date);
        else
            calendar->setDisplayedDate(Clock::now());
    };
    give();
    w.setCalendarPicker(calendar);
    showPopover(w, s, calendar->view(), s("dateButton"));
    give();
    calendar->populate();
}

// The form's test, checked in the order of the form; false after telling what is missing.
bool complete(const Test& test) {
    const char* missing = nullptr;
    if (test.testName().value_or("").empty())
        missing = "Please select a test type.";
    else if (test.location().value_or("").empty())
        missing = "Please select a body part.";
    else if (test.numberOfTests() == 0)
        missing = "Please select the number of tests performed.";
    if (!missing) return true;
    std::make_shared<AlertView>("Mevara", std::string(missing) + requiredNote,
                                std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
    return false;
}

void onAddTest(W& w, const Step& s) {
    if (guard(w, s)) return;
    auto test = w.test();
    if (!test || !complete(*test)) return;
    test->setMilliseverts(Test::millisevertsForTest(*test));
    auto& data = UserData::instance();
    if (auto edited = w.editingTest(); edited && s.tests) {
        // The very stored record changes, wherever it is listed.
        edited->setTestName(test->testName());
        edited->setLocation(test->location());
        edited->setNumberOfTests(test->numberOfTests());
        edited->setMilliseverts(test->milliseverts());
        edited->setDate(test->date());
    } else {
        data.tests().push_back(test);
    }
    data.calculateTotal();
    data.save();
    if (s.tests)
        w.populate();
    else
        w.directMove("step3");
}

void onCompareButton(W& w, const std::any&) {
    if (guard(w, Step{true})) return;
    w.directMove("step4");
}

void onResetButton(W& w, const std::any&) {
    if (guard(w, Step{true})) return;
    auto self = std::static_pointer_cast<W>(w.shared_from_this());
    std::make_shared<AlertView>("Mevara", "Are you sure you want to delete all data?",
                                std::weak_ptr<AlertViewDelegate>(self), "Yes",
                                std::vector<std::string>{"No"})
        ->show();
}

void onMsvHelp(W& w, const std::any&) {
    if (closedPopover(w)) return;
    auto& loop = RunLoop::main();
    loop.beginAnimations();
    w.setAlpha({"step3_helpBalloon", "step3_helpText", "step3_helpWedge"}, 0);
    w.setAlpha(msvBalloon, 1);
    loop.commitAnimations();
}

Phases phasesOf(const Step& s) {
    const auto on = [&](const char* name, void (*action)(W&, const Step&)) {
        return std::pair{s(name), W::Phase([s, action](W& w, const std::any&) { action(w, s); })};
    };
    Phases phases{
        on("setup", setup),
        on("landscape", [](W& w, const Step& step) { layOut(w, step, false); }),
        on("portrait", [](W& w, const Step& step) { layOut(w, step, true); }),
        on("transitionIn", [](W& w, const Step& step) { fade(w, step, 1); }),
        on("transitionOut", [](W& w, const Step& step) { fade(w, step, 0); }),
        on("populate", populate),
        on("validate", [](W&, const Step&) {}),
        on("release", release),
        on("onEditAboutMe", [](W& w, const Step&) { w.directMove("step1"); }),
        on("onTestType", onTestType),
        on("onBodyPart", onBodyPart),
        on("onNumberOfTests", onNumberOfTests),
        on("onDate", onDate),
        on("onAddTest", onAddTest),
    };
    if (s.tests) {
        phases.emplace_back("step3_onCompareButton", onCompareButton);
        phases.emplace_back("step3_onResetButton", onResetButton);
        phases.emplace_back("step3_onMsvHelp", onMsvHelp);
        phases.emplace_back("step3_dismissMsvHelp", dismissMsvHelp);
    }
    return phases;
}

Phases bothSteps() {
    Phases all = phasesOf(Step{false});
    for (auto& phase : phasesOf(Step{true}))
        all.push_back(std::move(phase));
    return all;
}

const W::StateGroup testEntrySteps{bothSteps()};

} // namespace
} // namespace mevara
