#include "handset/MoreContentController.h"

#include "handset/MevaraViewController.h"
#include "handset/MoreMenuController.h"
#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "platform/Unicode.h"
#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara {
MoreContentController::MoreContentController() : HelpHandler("MoreContentController") {}

std::filesystem::path MoreContentController::pagesDirectory() {
    return Directories::current().resources / "html";
}

std::string MoreContentController::baseAddressForDirectory(const std::filesystem::path& directory) {
    std::string path = directory.generic_string();
    unicode::replaceAll(path, "/", "//");
    unicode::replaceAll(path, " ", "%20");
    return "file:/" + path + "//";
}

void MoreContentController::loadShippedPage(WebView& webView, const std::string& file) {
    const auto folder = pagesDirectory();
    const auto html = TextFile::readUtf8(folder / file);
    webView.setBackgroundColor(Color::clear());
    webView.setOpaque(false);
    webView.loadHTMLString(html.value_or(""), baseAddressForDirectory(folder));
}

void MoreContentController::addSheetBackground(View& view) {
    auto background = std::make_shared<ImageView>(view.bounds());
    background->setName("sheetBackground");
    background->setImage(Image::named("form-bg.png"));
    background->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    view.insertSubview(background, 0);
}

void MoreContentController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("webView", webView_);
    b.outlet("titleLabel", titleLabel_);
    b.outlet("okButton", okButton_);
    b.outlet("backButton", backButton_);
    b.action("onBack", [this] { onBack(); });
    b.action("onOK", [this] { onOK(); });
}

void MoreContentController::setPageTitle(std::string title) {
    pageTitle_ = std::move(title);
    if (titleLabel_) titleLabel_->setText(pageTitle_);
}

void MoreContentController::setShowBackButton(bool show) {
    showBackButton_ = show;
    // Before the view loads there is nothing to place; viewDidLoad applies the flag.
    if (backButton_) backButton_->setHidden(!show);
    if (titleLabel_) titleLabel_->setFrame(show ? titleFrameWithBack : titleFrameAlone);
}

void MoreContentController::viewDidLoad() {
    if (titleLabel_) titleLabel_->setText(pageTitle_);
    if (webView_) {
        webView_->setDelegate(std::static_pointer_cast<MoreContentController>(shared_from_this()));
        loadShippedPage(*webView_, file_);
    }
    if (Application::shared().isTablet()) {
        if (webView_ && okButton_) {
            Rect frame = webView_->frame();
            frame.x += 20;
            frame.y += 20;
            frame.width -= 40;
            frame.height -= 20 + okButton_->frame().height + 20 + 20;
            webView_->setFrame(frame);
        }
        addSheetBackground(*view());
        if (backButton_) backButton_->setHidden(true);
        showBackButton_ = false;
    } else {
        if (okButton_) okButton_->setHidden(true);
        setShowBackButton(showBackButton_);
    }
}

bool MoreContentController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return Application::shared().isTablet() || orientation == OrientationPortrait;
}

std::optional<HelpBubble> MoreContentController::helpBubble() const {
    return HelpBubble{.bubbleFrame = {5, 131, 225, 151},
                      .message = MoreMenuController::helpMessage};
}

void MoreContentController::onBack() {
    if (auto root = MevaraViewController::root())
        root->returnToScreen(std::make_shared<MoreMenuController>());
}

void MoreContentController::onOK() {
    if (auto* parent = parentViewController()) parent->dismissModalViewControllerAnimated(true);
}

void MoreContentController::webViewDidFailLoadWithError(WebView&, const std::string&) {
    std::make_shared<AlertView>("Not Connected",
                                "The page you requested could not be loaded because your device "
                                "is not connected to the Internet.",
                                std::weak_ptr<AlertViewDelegate>{}, "OK")
        ->show();
}

} // namespace mevara
