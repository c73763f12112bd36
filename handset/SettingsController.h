#pragma once

#include "toolkit/ViewController.h"

namespace mevara {

// The save-data setting (a stand-in until it is built). Not a help screen, but answers
// the root's help requests by doing nothing.
class SettingsController : public ViewController {
public:
    SettingsController();
    std::string className() const override { return "SettingsController"; }
    void showHelp() {}
    void hideHelp() {}
    void onBackButton();

protected:
    void bind(Bindings& bindings) override;
    void loadView() override;
};

} // namespace mevara
