#pragma once

#include "app/CatalogueRefresher.h"
#include "toolkit/Application.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class ViewController;
class Window;

// The two interfaces: the handset's screens, or the tablet's split screens.
enum class Interface { Handset, Tablet };

// The tablet interface only for a device that says it is not a phone; a device that does
// not answer gets the handset one.
Interface interfaceForIdiom(std::optional<DeviceIdiom> idiom);

struct AppSettings {
    // Scheme, host and port of the catalogue service; empty: refreshes end at once.
    std::string catalogueUrl;
    // Show the toolkit gallery whatever the device.
    bool gallery = false;
    std::chrono::milliseconds refreshTimeout = HttpClient::defaultTimeout;
    // Builds the root for an interface; none: the shipped screens.
    std::function<std::shared_ptr<ViewController>(Interface)> makeRoot;
};

// The program's answers to the platform's life-cycle events: it picks the interface,
// saves and wipes the user's data, shows the disclaimer when due and refreshes the
// catalogue in the background.
class MevaraAppDelegate {
public:
    explicit MevaraAppDelegate(AppSettings settings = {});
    // Cancels and joins every refresh still running.
    ~MevaraAppDelegate();
    MevaraAppDelegate(const MevaraAppDelegate&) = delete;
    MevaraAppDelegate& operator=(const MevaraAppDelegate&) = delete;

    // Created by the program's start-up, sized to the screen, before launch finishes.
    std::shared_ptr<Window> window;
    std::shared_ptr<ViewController> viewController;

    bool applicationDidFinishLaunchingWithOptions();
    void applicationWillResignActive();
    void applicationDidEnterBackground();
    void applicationWillEnterForeground();
    void applicationDidBecomeActive();
    void applicationWillTerminate();

    CatalogueRefresher& refresher() { return refresher_; }

private:
    std::shared_ptr<ViewController> makeRoot(Interface interface) const;

    AppSettings settings_;
    // Last, so it is destroyed first: no refresh runs once the rest is gone.
    CatalogueRefresher refresher_;
};

} // namespace mevara
