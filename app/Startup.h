#pragma once

#include "app/MevaraAppDelegate.h"

#include <memory>

namespace mevara {

// The program's start-up in the platform's order: the device is set, a window the size of
// the screen is created and given to a new delegate, launch finishes, then the application
// becomes active. The font engine is installed before this by the caller.
std::unique_ptr<MevaraAppDelegate> launchApplication(DeviceIdiom idiom, int orientation,
                                                     AppSettings settings);

} // namespace mevara
