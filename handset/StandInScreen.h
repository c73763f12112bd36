#pragma once

#include "handset/HelpHandler.h"

#include <functional>
#include <memory>
#include <string>

namespace mevara {

// A plain screen for an area that is not built yet: its title, a short note and a way
// back to the home screen, so every menu action and slide already works.
std::shared_ptr<View> makeStandInView(const std::string& title, std::function<void()> onBack);

class StandInScreen : public HelpHandler {
public:
    explicit StandInScreen(std::string title);
    const std::string& title() const { return title_; }
    void onBackButton();

protected:
    void bind(Bindings& bindings) override;
    void loadView() override;
    void setTitle(std::string title) { title_ = std::move(title); }

private:
    std::string title_;
};

} // namespace mevara
