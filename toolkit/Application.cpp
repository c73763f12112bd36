#include "toolkit/Application.h"

namespace mevara {
namespace {

std::unique_ptr<Application>& slot() {
    static std::unique_ptr<Application> app;
    return app;
}

} // namespace

Application& Application::shared() {
    auto& app = slot();
    if (!app) app = std::make_unique<Application>();
    return *app;
}

void Application::reset() {
    slot().reset();
}

Size Application::screenSize() const {
    if (idiom_ != DeviceIdiom::Tablet) return {320, 480};
    return isPortrait(orientation_) ? Size{768, 1024} : Size{1024, 768};
}

void Application::setFontEngine(std::shared_ptr<const FontEngine> engine) {
    if (engine) fonts_ = std::move(engine);
}

} // namespace mevara
