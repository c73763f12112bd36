#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace mevara {

class ViewController;

using ControllerFactory = std::function<std::shared_ptr<ViewController>()>;

// Every screen with a layout in resources/layouts, by layout name: the one list the
// layout check walks, so no layout ships without the controller that binds it.
const std::map<std::string, ControllerFactory>& controllerFactories();

// A new controller for a layout name, or null when none is registered.
std::shared_ptr<ViewController> makeController(const std::string& layoutName);

} // namespace mevara
