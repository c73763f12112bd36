#include "handset/MoreMenuController.h"

#include "handset/MevaraViewController.h"
#include "handset/MoreContentController.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"

namespace mevara {

MoreMenuController::MoreMenuController() : HelpHandler("MoreMenuController") {}

void MoreMenuController::bind(Bindings& b) {
    HelpHandler::bind(b);
    b.outlet("tableBackground", tableBackground_);
    b.action("whatIsRadiation", [this] { whatIsRadiation(); });
    b.action("imagingTests", [this] { imagingTests(); });
    b.action("alternatives", [this] { alternatives(); });
    b.action("questionsToAsk", [this] { questionsToAsk(); });
    b.action("whatAreMilliseverts", [this] { whatAreMilliseverts(); });
    b.action("references", [this] { references(); });
    b.action("onBackButton", [this] { onBackButton(); });
}

void MoreMenuController::viewDidLoad() {
    if (tableBackground_) {
        auto box = Image::named("form-box.png");
        tableBackground_->setImage(box ? box->stretchableImage(16, 16) : nullptr);
    }
}

std::optional<HelpBubble> MoreMenuController::helpBubble() const {
    return HelpBubble{.bubbleFrame = {5, 131, 225, 151}, .message = helpMessage};
}

void MoreMenuController::openPage(const char* title, const char* file) {
    auto page = std::make_shared<MoreContentController>();
    page->setPageTitle(title);
    page->setFile(file);
    if (auto root = MevaraViewController::root()) root->openScreen(page);
}

void MoreMenuController::whatIsRadiation() {
    openPage("What is Radiation?", "WhatIsRadiation.html");
}

void MoreMenuController::imagingTests() {
    openPage("Imaging Tests", "ImagingTests.html");
}

void MoreMenuController::alternatives() {
    openPage("Alternatives", "Alternatives.html");
}

void MoreMenuController::questionsToAsk() {
    openPage("Questions to Ask", "QuestionsToAsk.html");
}

void MoreMenuController::whatAreMilliseverts() {
    openPage("What are Millisieverts?", "WhatareMillisieverts.html");
}

void MoreMenuController::references() {
    openPage("References", "References.html");
}

void MoreMenuController::onBackButton() {
    if (auto root = MevaraViewController::root()) root->returnToTestList(true);
}

} // namespace mevara
