#pragma once

#include "handset/HelpHandler.h"

#include <memory>
#include <string>

namespace mevara {

class ImageView;

// The menu of the six information pages, opened by the root's More button.
class MoreMenuController : public HelpHandler {
public:
    // What the menu and every page explain when asked for help.
    static constexpr const char* helpMessage =
        "Use Mevara to estimate the radiation dose from your medical tests.";

    MoreMenuController();
    std::string className() const override { return "MoreMenuController"; }

    void viewDidLoad() override;

    void whatIsRadiation();
    void imagingTests();
    void alternatives();
    void questionsToAsk();
    void whatAreMilliseverts();
    void references();
    void onBackButton();

    const std::shared_ptr<ImageView>& tableBackground() const { return tableBackground_; }

protected:
    void bind(Bindings& bindings) override;
    std::optional<HelpBubble> helpBubble() const override;

private:
    void openPage(const char* title, const char* file);

    std::shared_ptr<ImageView> tableBackground_;
};

} // namespace mevara
