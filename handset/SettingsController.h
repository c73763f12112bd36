#pragma once

#include "toolkit/ViewController.h"

#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Switch;
class WebView;

// The one setting: whether the user's data may be kept on the device, with a page that
// explains it. Not a help screen, but answers the root's help requests by doing nothing.
class SettingsController : public ViewController {
public:
    static constexpr const char* pageFile = "settings.html";

    SettingsController();
    std::string className() const override { return "SettingsController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    void showHelp() {}
    void hideHelp() {}
    void onSaveDataChanged();
    void onClose();

    const std::shared_ptr<Switch>& saveData() const { return saveData_; }
    const std::shared_ptr<ImageView>& tableBackground() const { return tableBackground_; }
    const std::shared_ptr<WebView>& webView() const { return webView_; }
    const std::shared_ptr<Button>& save() const { return save_; }

protected:
    void bind(Bindings& bindings) override;

private:
    std::shared_ptr<Switch> saveData_;
    std::shared_ptr<ImageView> tableBackground_;
    std::shared_ptr<WebView> webView_;
    std::shared_ptr<Button> save_;
};

} // namespace mevara
