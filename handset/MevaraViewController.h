#pragma once

#include "toolkit/ViewController.h"

#include <memory>
#include <optional>
#include <string>

namespace mevara {

class Button;
class Image;
class ImageView;
class Label;
class TestListController;
class View;

// The handset's root screen: header and menu bars, one screen at a time between them,
// horizontal slides from screen to screen with a background crossfade, the menu
// highlight and the disclaimer overlay.
class MevaraViewController : public ViewController {
public:
    static constexpr float screenWidth = 320;
    static constexpr float screenHeight = 480;
    static constexpr double transitionDuration = 0.5;

    enum class MenuButton { Home, AboutMe, Help, More, Compare };

    MevaraViewController();
    std::string className() const override { return "MevaraViewController"; }

    // The root of the key window, as every handset screen reaches it.
    static std::shared_ptr<MevaraViewController> root();

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    void loadTestListInView(const std::shared_ptr<View>& container);
    void slideInFromRight(const std::shared_ptr<ViewController>& controller);
    void slideInFromLeft(const std::shared_ptr<ViewController>& controller);
    void crossfadeBackground(std::shared_ptr<const Image> image);
    void forceHome();
    // Another screen over the form background: forward from the right, or back from the
    // left (a form taking over again from its picker).
    void openScreen(const std::shared_ptr<ViewController>& controller);
    void returnToScreen(const std::shared_ptr<ViewController>& controller);
    // Slides the home screen back in from the left and brings its footer back, as every
    // screen does when it is done; `reload` first rebuilds the rows and the total.
    void returnToTestList(bool reload);

    void onHome();
    void onAboutMe();
    void onHelp();
    void onMore();
    void onCompare();
    void onSettings();
    void onInformation();
    void showAboutMeControllerStage2();
    void showMoreControllerStage2();
    void showComparisonsStage2();
    void onSettingsStage2();
    void onInformationStage2();

    void showDisclaimer();
    void hideDisclaimer();
    void onDisclaimerButton();

    // Gives the highlight picture to `button` only; none clears all five.
    void highlightMenuButton(std::optional<MenuButton> button);
    bool isMenuButtonHighlighted(MenuButton button) const;

    const std::shared_ptr<TestListController>& testListController() const {
        return testListController_;
    }
    void setTestListController(std::shared_ptr<TestListController> list);
    const std::shared_ptr<ViewController>& currentViewController() const { return current_; }
    void setCurrentViewController(std::shared_ptr<ViewController> controller);

    const std::shared_ptr<View>& left() const { return left_; }
    const std::shared_ptr<View>& center() const { return center_; }
    const std::shared_ptr<View>& right() const { return right_; }
    const std::shared_ptr<View>& headerBar() const { return headerBar_; }
    const std::shared_ptr<View>& menuBar() const { return menuBar_; }
    const std::shared_ptr<ImageView>& backgroundView() const { return backgroundView_; }
    const std::shared_ptr<ImageView>& newBackgroundView() const { return newBackgroundView_; }
    std::shared_ptr<Button> menuButton(MenuButton button) const;
    const std::shared_ptr<View>& disclaimer() const { return disclaimer_; }
    const std::shared_ptr<View>& disclaimerBackground() const { return disclaimerBackground_; }
    const std::shared_ptr<Label>& disclaimerLabel() const { return disclaimerLabel_; }

protected:
    void bind(Bindings& bindings) override;

private:
    void finishSlideInFromRight();
    void finishSlideInFromLeft();
    void finishSlide(const std::shared_ptr<View>& incoming);
    void finishPendingSlide();
    // Calls off the deferred steps a newer navigation replaces.
    void cancelStaleSteps();
    void finishCrossfade();
    void beginSlide(const std::shared_ptr<ViewController>& controller,
                    const std::shared_ptr<View>& container);
    // Moves the list's footer away first when it shows, then runs `stage2`.
    void leaveHome(const std::string& stage2);
    void showScreen(const std::shared_ptr<ViewController>& controller,
                    std::optional<MenuButton> highlight);
    void showHomeButtons();
    template <class T> bool currentIs() const;

    std::shared_ptr<View> left_, center_, right_;
    std::shared_ptr<View> headerBar_, menuBar_;
    std::shared_ptr<TestListController> testListController_;
    std::shared_ptr<ViewController> current_;
    std::shared_ptr<ImageView> backgroundView_, newBackgroundView_;
    std::shared_ptr<Button> homeButton_, aboutMeButton_, helpButton_, moreButton_, compareButton_;
    std::shared_ptr<View> disclaimer_, disclaimerBackground_;
    std::shared_ptr<ImageView> disclaimerBox_;
    std::shared_ptr<Label> disclaimerLabel_;
    std::shared_ptr<Button> disclaimerButton_;
};

} // namespace mevara
