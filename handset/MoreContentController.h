#pragma once

#include "handset/StandInScreen.h"

#include <string>

namespace mevara {

// One information page under its title (a stand-in until the pages are built).
class MoreContentController : public StandInScreen {
public:
    static constexpr const char* informationTitle = "Important Information";
    static constexpr const char* informationFile = "Information.html";

    MoreContentController() : StandInScreen("") {}
    std::string className() const override { return "MoreContentController"; }

    const std::string& pageTitle() const { return title(); }
    void setPageTitle(std::string title) { setTitle(std::move(title)); }
    const std::string& file() const { return file_; }
    void setFile(std::string file) { file_ = std::move(file); }
    bool showBackButton() const { return showBackButton_; }
    void setShowBackButton(bool show) { showBackButton_ = show; }

private:
    std::string file_;
    bool showBackButton_ = true;
};

} // namespace mevara
