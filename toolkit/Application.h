#pragma once

#include "platform/Geometry.h"
#include "toolkit/Font.h"

#include <memory>
#include <optional>

namespace mevara {

class ViewController;
class Window;

enum class DeviceIdiom { Phone = 0, Tablet = 1 };

// The platform's interface orientations.
enum InterfaceOrientation : int {
    OrientationPortrait = 1,
    OrientationPortraitUpsideDown = 2,
    OrientationLandscapeLeft = 3,
    OrientationLandscapeRight = 4,
};

inline bool isPortrait(int orientation) {
    return orientation == 1 || orientation == 2;
}

// The device as the screens see it, the key window and the font engine.
class Application {
public:
    static Application& shared();
    static void reset();

    // None: the device does not answer the idiom query.
    std::optional<DeviceIdiom> idiom() const { return idiom_; }
    void setIdiom(std::optional<DeviceIdiom> idiom) { idiom_ = idiom; }
    bool isTablet() const { return idiom_ == DeviceIdiom::Tablet; }

    int orientation() const { return orientation_; }
    void setOrientation(int orientation) { orientation_ = orientation; }
    // 320 x 480 on a phone; 1024 x 768 or 768 x 1024 on a tablet.
    Size screenSize() const;

    Window* keyWindow() const { return keyWindow_; }
    void setKeyWindow(Window* window) { keyWindow_ = window; }

    // The application delegate's root controller. Screens reach their root through it,
    // also while launch is still running and no window is key yet.
    std::shared_ptr<ViewController> rootViewController() const { return root_.lock(); }
    void setRootViewController(std::weak_ptr<ViewController> root) { root_ = std::move(root); }

    const FontEngine& fonts() const { return *fonts_; }
    void setFontEngine(std::shared_ptr<const FontEngine> engine);

private:
    std::optional<DeviceIdiom> idiom_ = DeviceIdiom::Phone;
    int orientation_ = OrientationPortrait;
    Window* keyWindow_ = nullptr;
    std::weak_ptr<ViewController> root_;
    std::shared_ptr<const FontEngine> fonts_ = std::make_shared<EstimatingFontEngine>();
};

} // namespace mevara
