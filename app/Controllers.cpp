#include "app/Controllers.h"

#include "app/GalleryController.h"

namespace mevara {

const std::map<std::string, ControllerFactory>& controllerFactories() {
    static const std::map<std::string, ControllerFactory> factories{
        {"GalleryController", [] { return std::make_shared<GalleryController>(); }},
        {"GallerySheetController", [] { return std::make_shared<GallerySheetController>(); }},
    };
    return factories;
}

std::shared_ptr<ViewController> makeController(const std::string& layoutName) {
    const auto& factories = controllerFactories();
    auto it = factories.find(layoutName);
    return it == factories.end() ? nullptr : it->second();
}

} // namespace mevara
