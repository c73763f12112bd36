#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mevara {

class View;

// A controller's names: outlets a layout may fill and actions a layout or a delayed call
// may name. Each controller lists its own in one binding function.
class Bindings {
public:
    template <class T> void outlet(const std::string& name, std::shared_ptr<T>& slot) {
        outlets_[name] = [&slot](const std::shared_ptr<View>& view) {
            auto typed = std::dynamic_pointer_cast<T>(view);
            if (!typed) return false;
            slot = std::move(typed);
            return true;
        };
    }
    void action(const std::string& name, std::function<void()> call);
    // An action that takes the sender or another argument (may be empty).
    void actionWithArgument(const std::string& name, std::function<void(const std::any&)> call);

    bool hasOutlet(const std::string& name) const { return outlets_.count(name) > 0; }
    bool hasAction(const std::string& name) const { return actions_.count(name) > 0; }
    // False when the name is unknown or the view is of the wrong kind.
    bool setOutlet(const std::string& name, const std::shared_ptr<View>& view) const;
    // Calls the action if there is one; false otherwise.
    bool perform(const std::string& name, const std::any& argument = {}) const;
    std::vector<std::string> outletNames() const;
    std::vector<std::string> actionNames() const;

private:
    std::map<std::string, std::function<bool(const std::shared_ptr<View>&)>> outlets_;
    std::map<std::string, std::function<void(const std::any&)>> actions_;
};

} // namespace mevara
