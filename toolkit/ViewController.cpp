#include "toolkit/ViewController.h"

#include "toolkit/Application.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"
#include "toolkit/Window.h"

#include <iostream>

namespace mevara {

ViewController::ViewController(std::optional<std::string> layoutName)
    : layoutName_(std::move(layoutName)) {}

ViewController::~ViewController() = default;

std::string ViewController::layoutName() const {
    return layoutName_ ? *layoutName_ : className();
}

std::shared_ptr<View> ViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) setView(std::make_shared<View>());
        viewDidLoad();
    }
    return view_;
}

void ViewController::setView(std::shared_ptr<View> view) {
    if (view_) view_->setViewController({});
    view_ = std::move(view);
    if (view_) view_->setViewController(weak_from_this());
}

void ViewController::loadView() {
    const Size screen = Application::shared().screenSize();
    const auto name = layoutName();
    if (!name.empty() && LayoutLoader::exists(name)) {
        try {
            setView(LayoutLoader::load(*this, name));
            return;
        } catch (const LayoutError& error) {
            // A broken shipped layout is a programming error the layout test catches;
            // here the screen still comes up, without the broken part.
            std::cerr << "layout " << name << ": " << error.what() << "\n";
        }
    }
    setView(std::make_shared<View>(Rect{0, 0, screen.width, screen.height}));
}

const Bindings& ViewController::bindings() {
    if (!bindings_) {
        bindings_ = std::make_unique<Bindings>();
        bind(*bindings_);
    }
    return *bindings_;
}

bool ViewController::perform(const std::string& name, const std::any& argument) {
    return bindings().perform(name, argument);
}

bool ViewController::respondsTo(const std::string& name) {
    return bindings().hasAction(name);
}

void ViewController::performAfterDelay(const std::string& name, double delay, std::any argument) {
    std::weak_ptr<ViewController> weak = weak_from_this();
    auto self = shared_from_this();
    RunLoop::main().performAfterDelay(
        delay,
        [weak, name, argument = std::move(argument)] {
            if (auto controller = weak.lock()) controller->perform(name, argument);
        },
        self, name);
}

void ViewController::cancelPreviousPerformRequests() {
    RunLoop::main().cancelCalls(this);
}

void ViewController::cancelPreviousPerformRequests(const std::string& name) {
    RunLoop::main().cancelCalls(this, &name);
}

bool ViewController::hasPendingPerform(const std::string& name) const {
    return RunLoop::main().hasCall(this, name);
}

void ViewController::presentModalViewController(const std::shared_ptr<ViewController>& controller,
                                                bool animated) {
    if (!controller || modal_) return;
    modal_ = controller;
    controller->parent_ = this;
    auto* window = view()->window();
    if (!window) window = Application::shared().keyWindow();
    if (window) window->presentSheet(controller, animated);
}

void ViewController::dismissModalViewControllerAnimated(bool animated) {
    // Sent to the sheet itself, it goes to the controller that presented it.
    if (!modal_ && parent_) {
        parent_->dismissModalViewControllerAnimated(animated);
        return;
    }
    if (!modal_) return;
    auto sheet = std::move(modal_);
    modal_.reset();
    sheet->parent_ = nullptr;
    auto* window = sheet->isViewLoaded() ? sheet->view()->window() : nullptr;
    if (!window) window = Application::shared().keyWindow();
    if (window) window->dismissSheet(sheet, animated);
}

bool ViewController::shouldAutorotateToInterfaceOrientation(int orientation) {
    return orientation == OrientationPortrait;
}

int ViewController::interfaceOrientation() const {
    return Application::shared().orientation();
}

Responder* ViewController::nextResponder() const {
    return view_ ? view_->superview() : nullptr;
}

} // namespace mevara
