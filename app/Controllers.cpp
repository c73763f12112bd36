#include "app/Controllers.h"

#include "app/GalleryController.h"
#include "handset/AboutMeController.h"
#include "handset/CalendarPickerController.h"
#include "handset/ExposureComparisonController.h"
#include "handset/MevaraViewController.h"
#include "handset/MoreContentController.h"
#include "handset/MoreMenuController.h"
#include "handset/Picker.h"
#include "handset/SettingsController.h"
#include "handset/TestFormController.h"
#include "handset/TestListController.h"
#include "tablet/IpadCalendarPicker.h"
#include "tablet/IpadPicker.h"
#include "tablet/RootController.h"

namespace mevara {

const std::map<std::string, ControllerFactory>& controllerFactories() {
    static const std::map<std::string, ControllerFactory> factories{
        {"GalleryController", [] { return std::make_shared<GalleryController>(); }},
        {"GallerySheetController", [] { return std::make_shared<GallerySheetController>(); }},
        {"MevaraViewController", [] { return std::make_shared<MevaraViewController>(); }},
        {"TestListController", [] { return std::make_shared<TestListController>(); }},
        {"AboutMeController", [] { return std::make_shared<AboutMeController>(); }},
        {"Picker", [] { return std::make_shared<Picker>(); }},
        {"CalendarPickerController", [] { return std::make_shared<CalendarPickerController>(); }},
        {"TestFormController", [] { return std::make_shared<TestFormController>(); }},
        {"ExposureComparisonController",
         [] { return std::make_shared<ExposureComparisonController>(); }},
        {"MoreMenuController", [] { return std::make_shared<MoreMenuController>(); }},
        {"MoreContentController", [] { return std::make_shared<MoreContentController>(); }},
        {"SettingsController", [] { return std::make_shared<SettingsController>(); }},
        {"RootController", [] { return std::make_shared<RootController>(); }},
        {"IpadPicker", [] { return std::make_shared<IpadPicker>(); }},
        {"IpadCalendarPicker", [] { return std::make_shared<IpadCalendarPicker>(); }},
    };
    return factories;
}

std::shared_ptr<ViewController> makeController(const std::string& layoutName) {
    const auto& factories = controllerFactories();
    auto it = factories.find(layoutName);
    return it == factories.end() ? nullptr : it->second();
}

} // namespace mevara
