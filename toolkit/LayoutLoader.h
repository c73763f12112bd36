#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mevara {

class View;
class ViewController;

struct LayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Builds a controller's static widgets from resources/layouts/<name>.json, binds each
// widget with an "outlet" to the controller's outlet of that name and wires each button's
// "action" to the controller's action. Unknown classes, keys, outlets or actions are
// errors, so a layout cannot silently drift from its controller.
class LayoutLoader {
public:
    static std::filesystem::path path(const std::string& name);
    static bool exists(const std::string& name);
    static std::shared_ptr<View> load(ViewController& owner, const std::string& name);
    static std::shared_ptr<View> fromText(ViewController& owner, std::string_view json);
};

} // namespace mevara
