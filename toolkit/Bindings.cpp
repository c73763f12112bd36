#include "toolkit/Bindings.h"

namespace mevara {

void Bindings::action(const std::string& name, std::function<void()> call) {
    actions_[name] = [call = std::move(call)](const std::any&) { call(); };
}

void Bindings::actionWithArgument(const std::string& name,
                                  std::function<void(const std::any&)> call) {
    actions_[name] = std::move(call);
}

bool Bindings::setOutlet(const std::string& name, const std::shared_ptr<View>& view) const {
    auto it = outlets_.find(name);
    return it != outlets_.end() && it->second(view);
}

bool Bindings::perform(const std::string& name, const std::any& argument) const {
    auto it = actions_.find(name);
    if (it == actions_.end()) return false;
    // A copy: the action may rebind the controller's names.
    auto call = it->second;
    call(argument);
    return true;
}

std::vector<std::string> Bindings::outletNames() const {
    std::vector<std::string> names;
    for (const auto& entry : outlets_)
        names.push_back(entry.first);
    return names;
}

std::vector<std::string> Bindings::actionNames() const {
    std::vector<std::string> names;
    for (const auto& entry : actions_)
        names.push_back(entry.first);
    return names;
}

} // namespace mevara
