#pragma once

#include "handset/HelpHandler.h"
#include "toolkit/WebView.h"

#include <filesystem>
#include <memory>
#include <string>

namespace mevara {

class Button;
class Label;
class View;

// One shipped information page under its title. On the phone it slides in with a back
// button that always leads to the More menu; on the tablet it is a sheet closed by OK.
class MoreContentController : public HelpHandler, public WebViewDelegate {
public:
    static constexpr const char* informationTitle = "Important Information";
    static constexpr const char* informationFile = "Information.html";
    static constexpr Rect titleFrameWithBack{78, 11, 193, 28};
    static constexpr Rect titleFrameAlone{64, 11, 193, 28};

    MoreContentController();
    std::string className() const override { return "MoreContentController"; }

    // Where the shipped pages and their stylesheet live.
    static std::filesystem::path pagesDirectory();
    // The base address pages resolve their links against, written the way the device's
    // file addresses were built: slashes doubled, spaces escaped.
    static std::string baseAddressForDirectory(const std::filesystem::path& directory);
    // Shows the shipped page `file` in `webView` on a clear background; a missing file
    // leaves it empty.
    static void loadShippedPage(WebView& webView, const std::string& file);
    // The sheet background the tablet puts behind a page or the settings.
    static void addSheetBackground(View& view);

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    const std::string& pageTitle() const { return pageTitle_; }
    void setPageTitle(std::string title);
    const std::string& file() const { return file_; }
    void setFile(std::string file) { file_ = std::move(file); }
    bool showBackButton() const { return showBackButton_; }
    // Also places the title and shows or hides the back button once the view exists.
    void setShowBackButton(bool show);

    void onBack();
    void onOK();
    void webViewDidFailLoadWithError(WebView& view, const std::string& error) override;

    const std::shared_ptr<WebView>& webView() const { return webView_; }
    const std::shared_ptr<Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<Button>& okButton() const { return okButton_; }
    const std::shared_ptr<Button>& backButton() const { return backButton_; }

protected:
    void bind(Bindings& bindings) override;
    std::optional<HelpBubble> helpBubble() const override;

private:
    std::string pageTitle_;
    std::string file_;
    bool showBackButton_ = true;
    std::shared_ptr<WebView> webView_;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Button> okButton_;
    std::shared_ptr<Button> backButton_;
};

} // namespace mevara
