#pragma once

#include "toolkit/ViewController.h"

#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;
class View;
class WelcomeController;

// The tablet's root: the header with its home, settings, information and help controls,
// the container that holds the wizard, and the disclaimer overlay. Rotation passes on
// to the wizard; settings and the important information open as form sheets.
class RootController : public ViewController {
public:
    static constexpr float headerHeight = 35;

    RootController();
    std::string className() const override { return "RootController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
    void willRotateToInterfaceOrientation(int orientation, double duration) override;

    void loadWelcome(const std::shared_ptr<View>& container);
    void onHome();
    void forceHome();
    void onSettings();
    void onInformation();
    void onHelp();
    void showDisclaimer();
    void onDisclaimerButton();

    const std::shared_ptr<WelcomeController>& currentViewController() const { return wizard_; }
    const std::shared_ptr<View>& center() const { return center_; }
    const std::shared_ptr<Button>& helpButton() const { return helpButton_; }
    const std::shared_ptr<View>& disclaimer() const { return disclaimer_; }
    const std::shared_ptr<View>& disclaimerBackground() const { return disclaimerBackground_; }
    bool inModal() const { return false; }

protected:
    void bind(Bindings& bindings) override;

private:
    std::shared_ptr<ImageView> header_;
    std::shared_ptr<View> left_, center_, right_;
    std::shared_ptr<WelcomeController> wizard_;
    std::shared_ptr<Button> helpButton_;
    std::shared_ptr<View> disclaimer_, disclaimerBackground_;
    std::shared_ptr<ImageView> disclaimerBox_;
    std::shared_ptr<Label> disclaimerLabel_;
    std::shared_ptr<Button> disclaimerButton_;
};

} // namespace mevara
