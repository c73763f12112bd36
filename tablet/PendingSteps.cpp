// The test entry, results and detail states in their simplest form: a titled box with a
// control for each way on, so every move of the wizard already works.
#include "tablet/RootController.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/TableView.h"

#include <string>
#include <utility>
#include <vector>

namespace mevara {
namespace {

using Phases = std::vector<std::pair<std::string, WelcomeController::Phase>>;

struct Exit {
    std::string title;
    std::string action;
    // The state it leads to; empty: the action decides.
    std::string to;
};

constexpr Color headingBlue = Color::rgb(0.071f, 0.329f, 0.635f);
constexpr float boxWidth = 520;
constexpr float buttonHeight = 44;

// The test entry steps build the information bar hidden and show the header's help
// control while they are on screen.
Phases pendingState(const std::string& state, const std::string& title, std::vector<Exit> exits,
                    bool testEntry = false, bool withTestList = false) {
    const auto name = [state](const std::string& widget) { return state + "_" + widget; };
    auto names = std::make_shared<std::vector<std::string>>();
    Phases phases;
    phases.emplace_back(name("setup"), [=](WelcomeController& w, const std::any&) {
        names->clear();
        const auto add = [&](const std::string& widget, std::shared_ptr<View> view) {
            w.addWidget(name(widget), view);
            names->push_back(name(widget));
        };
        auto box = makeImage("form-box.png");
        if (auto picture = Image::named("form-box.png"))
            box->setImage(picture->stretchableImage(16, 16));
        add("box", box);
        auto heading = makeTabletLabel(title, "Helvetica-Bold", 24, headingBlue);
        heading->setTextAlignment(TextAlignment::Center);
        add("title", heading);
        auto note = makeTabletLabel("This step comes with the next version for tablets.",
                                    "Helvetica", 16, Color::white(0.3f));
        note->setTextAlignment(TextAlignment::Center);
        add("note", note);
        for (const auto& exit : exits) {
            auto button = makeTabletButton(exit.title, "button-blue.png", 18, 12, 17);
            w.connect(*button, name(exit.action));
            add(exit.action + "Button", button);
        }
        if (withTestList) {
            auto table = std::make_shared<TableView>();
            table->setRowHeight(54);
            auto self = std::static_pointer_cast<WelcomeController>(w.shared_from_this());
            table->setDataSource(std::weak_ptr<TableViewDataSource>(self));
            table->setDelegate(std::weak_ptr<TableViewDelegate>(self));
            add("testListTable", table);
        }
        if (testEntry) {
            w.call("MenuBar_setup");
            w.call("MenuBar_hide:", false);
        }
    });
    const auto layout = [=](WelcomeController& w, float width) {
        const float x = (width - boxWidth) / 2;
        float y = 60;
        w.setFrame(name("title"), {x + 20, y + 20, boxWidth - 40, 30});
        w.setFrame(name("note"), {x + 20, y + 56, boxWidth - 40, 22});
        y += 96;
        if (withTestList) {
            w.setFrame(name("testListTable"), {x + (boxWidth - 320) / 2, y, 320, 270});
            y += 280;
        }
        for (const auto& exit : exits) {
            w.setFrame(name(exit.action + "Button"), {x + 110, y, boxWidth - 220, buttonHeight});
            y += buttonHeight + 10;
        }
        w.setFrame(name("box"), {x, 60, boxWidth, y - 60 + 10});
    };
    phases.emplace_back(name("landscape"), [=](WelcomeController& w, const std::any&) {
        layout(w, 1024);
        if (testEntry) w.call("MenuBar_landscape");
    });
    phases.emplace_back(name("portrait"), [=](WelcomeController& w, const std::any&) {
        layout(w, 768);
        if (testEntry) w.call("MenuBar_portrait");
    });
    const auto fade = [=](WelcomeController& w, float alpha) {
        for (const auto& widget : *names)
            if (auto view = w.widget(widget)) view->setAlpha(alpha);
        if (!testEntry) return;
        if (auto root = w.rootController(); root && root->helpButton())
            root->helpButton()->setAlpha(alpha);
        w.call(alpha > 0 ? "MenuBar_transitionIn" : "MenuBar_transitionOut");
    };
    phases.emplace_back(name("transitionIn"),
                        [=](WelcomeController& w, const std::any&) { fade(w, 1); });
    phases.emplace_back(name("transitionOut"),
                        [=](WelcomeController& w, const std::any&) { fade(w, 0); });
    phases.emplace_back(name("populate"), [=](WelcomeController& w, const std::any&) {
        if (auto table = w.widget<TableView>(name("testListTable"))) table->reloadData();
    });
    phases.emplace_back(name("release"), [=](WelcomeController& w, const std::any&) {
        for (const auto& widget : *names)
            w.setWidget(widget, nullptr);
        names->clear();
        if (testEntry) w.call("MenuBar_release");
    });
    for (const auto& exit : exits) {
        if (exit.to.empty()) continue;
        phases.emplace_back(
            name(exit.action),
            [to = exit.to](WelcomeController& w, const std::any&) { w.directMove(to); });
    }
    return phases;
}

Phases detailPage(const std::string& state, const std::string& title) {
    auto phases = pendingState(state, title, {{"Back", "onBack", "step4"}});
    phases.emplace_back(state + "_validate", [](WelcomeController&, const std::any&) {});
    return phases;
}

// The comparison detail goes by the comparison the results show.
void onMoreCompareExposure(WelcomeController& w, const std::any&) {
    static const std::pair<const char*, const char*> pages[] = {
        {"Cancer Risk\n\n\n", "more_cancer_risk"},
        {"Chernobyl Exposure\n\n", "more_chernobyl"},
        {"40 Cross Country Flights\n\n", "more_flights"},
        {"Annual Natural Exposure\n\n", "more_natural_exposure"},
        {"Nuclear Stress Test\n\n", "more_nuclear_stress_test"},
    };
    auto label = w.widget<Label>("step4_compareExposureBaseLabel");
    if (!label) return;
    for (const auto& [text, page] : pages)
        if (label->text() == text) {
            w.directMove(page);
            return;
        }
}

Phases resultsStep() {
    auto phases = pendingState("step4", "My Results",
                               {{"Edit Tests", "onEditTests", "step3"},
                                {"My Exposure", "onMoreMyExposure", "more_my_exposure"},
                                {"Average Exposure", "onMoreAverageExposure", "more_avg_exposure"},
                                {"Comparison", "onMoreCompareExposure", ""}});
    auto setup = phases.front().second;
    phases.front().second = [setup](WelcomeController& w, const std::any& argument) {
        setup(w, argument);
        // Names the comparison the results compare with, as the full step will.
        auto label = makeTabletLabel(w.selectedComparison(), "Helvetica", 12, Color::clear());
        label->setHidden(true);
        w.addWidget("step4_compareExposureBaseLabel", label);
    };
    phases.emplace_back("step4_onMoreCompareExposure", onMoreCompareExposure);
    phases.emplace_back("step4_validate", [](WelcomeController&, const std::any&) {});
    phases.emplace_back("step4_release",
                        [release = phases[6].second](WelcomeController& w, const std::any& a) {
                            release(w, a);
                            w.setWidget("step4_compareExposureBaseLabel", nullptr);
                        });
    return phases;
}

Phases concat(std::vector<Phases> groups) {
    Phases all;
    for (auto& group : groups)
        for (auto& phase : group)
            all.push_back(std::move(phase));
    return all;
}

const WelcomeController::StateGroup pendingSteps{concat({
    resultsStep(),
    detailPage("more_my_exposure", "My Exposure"),
    detailPage("more_avg_exposure", "Average Exposure"),
    detailPage("more_cancer_risk", "Cancer Risk"),
    detailPage("more_chernobyl", "Chernobyl Workers"),
    detailPage("more_flights", "Cross Country Flights"),
    detailPage("more_natural_exposure", "Natural Exposure"),
    detailPage("more_nuclear_stress_test", "Nuclear Stress Test"),
})};

} // namespace
} // namespace mevara
