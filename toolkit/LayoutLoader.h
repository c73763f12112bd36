#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mevara {

class View;
class ViewController;

struct LayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a layout named that the program does not ship. The screen still comes up, as on
// the device, with those pictures empty.
struct LayoutReport {
    std::vector<std::string> missingPictures;
};

// Builds a controller's static widgets from resources/layouts/<name>.json, binds each
// widget with an "outlet" to the controller's outlet of that name and wires each button's
// "action" (and a table's "dataSource"/"delegate": true) to the controller. Unknown
// classes, keys, fonts, outlets or actions are errors, so a layout cannot silently drift
// from its controller. Missing pictures go to `report`, or to the error stream without one.
class LayoutLoader {
public:
    static std::filesystem::path path(const std::string& name);
    static bool exists(const std::string& name);
    static std::shared_ptr<View> load(ViewController& owner, const std::string& name,
                                      LayoutReport* report = nullptr);
    static std::shared_ptr<View> fromText(ViewController& owner, std::string_view json,
                                          LayoutReport* report = nullptr);
};

} // namespace mevara
