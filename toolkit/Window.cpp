#include "toolkit/Window.h"

#include "toolkit/AlertView.h"
#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/ViewController.h"

#include <algorithm>

namespace mevara {

Window::Window(Rect frame) : View(frame) {
    setBackgroundColor(Color::black());
}

Window::~Window() {
    if (Application::shared().keyWindow() == this) Application::shared().setKeyWindow(nullptr);
}

void Window::setRootViewController(const std::shared_ptr<ViewController>& controller) {
    if (root_ && root_->isViewLoaded()) root_->view()->removeFromSuperview();
    root_ = controller;
    if (!root_) return;
    // The root's view fills the window, whatever size its layout was drawn at.
    auto rootView = root_->view();
    rootView->setFrame(bounds());
    insertSubview(rootView, 0);
}

void Window::makeKeyAndVisible() {
    Application::shared().setKeyWindow(this);
    setHidden(false);
    // The key window is laid out (its tables loaded) at the end of every turn of the loop,
    // whichever host drives it.
    RunLoop::main().setEndOfTurn([weak = weak_from_this()] {
        if (auto window = weak.lock()) window->layoutIfNeeded();
    });
}

void Window::sendTouch(int id, TouchPhase phase, Point location) {
    const double now = RunLoop::main().now();
    if (phase == TouchPhase::Began) {
        layoutIfNeeded();
        auto touch = std::make_shared<Touch>();
        touch->id = id;
        touch->windowLocation = touch->previousWindowLocation = touch->startWindowLocation =
            location;
        touch->timestamp = now;
        auto hit = hitTest(location);
        if (!hit) return;
        touch->view = hit;
        touches_[id] = touch;
        hit->touchesBegan({touch});
        return;
    }
    auto it = touches_.find(id);
    if (it == touches_.end()) return;
    auto touch = it->second;
    touch->phase = phase;
    touch->previousWindowLocation = touch->windowLocation;
    touch->windowLocation = location;
    touch->timestamp = now;
    if (phase != TouchPhase::Moved) touches_.erase(it);
    auto view = touch->view.lock();
    if (!view) return;
    switch (phase) {
    case TouchPhase::Moved:
        view->touchesMoved({touch});
        break;
    case TouchPhase::Ended:
        view->touchesEnded({touch});
        break;
    default:
        view->touchesCancelled({touch});
        break;
    }
}

void Window::tap(Point location) {
    sendTouch(0, TouchPhase::Began, location);
    sendTouch(0, TouchPhase::Ended, location);
}

bool Window::rotate(int orientation, double duration) {
    auto& app = Application::shared();
    if (!root_ || !root_->shouldAutorotateToInterfaceOrientation(orientation)) return false;
    const int from = app.orientation();
    root_->willRotateToInterfaceOrientation(orientation, duration);
    app.setOrientation(orientation);
    const Size size = app.screenSize();
    auto& loop = RunLoop::main();
    loop.beginAnimations("rotation");
    loop.setAnimationDuration(duration);
    setFrame({0, 0, size.width, size.height});
    if (root_->isViewLoaded()) root_->view()->setFrame({0, 0, size.width, size.height});
    for (auto& sheet : sheets_) {
        sheet.dim->setFrame({0, 0, size.width, size.height});
        sheet.container->setFrame(sheetFrame());
    }
    for (auto& dim : alertDims_)
        dim->setFrame({0, 0, size.width, size.height});
    for (auto& alert : alerts_)
        alert->layoutIn(size);
    loop.commitAnimations();
    root_->didRotateFromInterfaceOrientation(from);
    return true;
}

void Window::raiseAlerts() {
    for (std::size_t i = 0; i < alerts_.size(); ++i) {
        bringSubviewToFront(alertDims_[i].get());
        bringSubviewToFront(alerts_[i].get());
    }
}

void Window::showAlert(const std::shared_ptr<AlertView>& alert) {
    if (!alert || std::find(alerts_.begin(), alerts_.end(), alert) != alerts_.end()) return;
    auto dim = std::make_shared<View>(bounds());
    dim->setName("alertDim");
    dim->setBackgroundColor(Color::white(0, 0.4f));
    addSubview(dim);
    alert->layoutIn({frame().width, frame().height});
    addSubview(alert);
    alerts_.push_back(alert);
    alertDims_.push_back(dim);
    auto& loop = RunLoop::main();
    dim->setAlpha(0);
    alert->setAlpha(0);
    loop.beginAnimations("alertIn");
    dim->setAlpha(1);
    alert->setAlpha(1);
    loop.commitAnimations();
}

void Window::removeAlert(const AlertView* alert) {
    for (std::size_t i = 0; i < alerts_.size(); ++i) {
        if (alerts_[i].get() != alert) continue;
        auto keep = alerts_[i];
        alertDims_[i]->removeFromSuperview();
        keep->removeFromSuperview();
        alerts_.erase(alerts_.begin() + static_cast<std::ptrdiff_t>(i));
        alertDims_.erase(alertDims_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

Rect Window::sheetFrame() const {
    const Rect b = bounds();
    if (!Application::shared().isTablet()) return {0, 0, b.width, b.height};
    return {(b.width - 540) / 2, (b.height - 620) / 2, 540, 620};
}

void Window::presentSheet(const std::shared_ptr<ViewController>& controller, bool animated) {
    Sheet sheet{controller, std::make_shared<View>(bounds()), std::make_shared<View>(sheetFrame())};
    sheet.dim->setName("sheetDim");
    sheet.dim->setBackgroundColor(Color::white(0, 0.4f));
    sheet.container->setName("sheet");
    sheet.container->setClipsToBounds(true);
    // While it shows, a screen reader finds nothing behind it; Escape puts it away.
    sheet.container->setAccessibilityViewIsModal(true);
    std::weak_ptr<ViewController> weak = controller;
    sheet.container->setAccessibilityEscape([weak] {
        if (auto shown = weak.lock()) shown->dismissModalViewControllerAnimated(true);
    });
    auto content = controller->view();
    content->setFrame({0, 0, sheet.container->frame().width, sheet.container->frame().height});
    content->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    sheet.container->addSubview(content);
    addSubview(sheet.dim);
    addSubview(sheet.container);
    raiseAlerts();
    if (animated) {
        const Rect target = sheet.container->frame();
        sheet.container->setFrame({target.x, frame().height, target.width, target.height});
        sheet.dim->setAlpha(0);
        auto& loop = RunLoop::main();
        loop.beginAnimations("presentSheet");
        loop.setAnimationDuration(0.4);
        sheet.container->setFrame(target);
        sheet.dim->setAlpha(1);
        loop.commitAnimations();
    }
    sheets_.push_back(std::move(sheet));
}

void Window::dismissSheet(const std::shared_ptr<ViewController>& controller, bool animated) {
    auto it = std::find_if(sheets_.begin(), sheets_.end(),
                           [&](const Sheet& s) { return s.controller == controller; });
    if (it == sheets_.end()) return;
    Sheet sheet = std::move(*it);
    sheets_.erase(it);
    auto remove = [dim = sheet.dim, container = sheet.container] {
        dim->removeFromSuperview();
        container->removeFromSuperview();
    };
    if (!animated) {
        remove();
        return;
    }
    auto& loop = RunLoop::main();
    const Rect f = sheet.container->frame();
    loop.beginAnimations("dismissSheet");
    loop.setAnimationDuration(0.4);
    sheet.container->setFrame({f.x, frame().height, f.width, f.height});
    sheet.dim->setAlpha(0);
    loop.commitAnimations();
    // The sheet takes no touches while it slides away.
    sheet.dim->setUserInteractionEnabled(false);
    sheet.container->setUserInteractionEnabled(false);
    loop.performAfterDelay(0.4, remove, controller);
}

} // namespace mevara
