#pragma once

#include "toolkit/View.h"

#include <map>
#include <memory>
#include <vector>

namespace mevara {

class AlertView;
class ViewController;

// The device's screen: the root controller's view, modal sheets above it and alerts
// above everything. Input arrives here in window points.
class Window : public View {
public:
    explicit Window(Rect frame);
    ~Window() override;
    std::string className() const override { return "Window"; }

    void setRootViewController(const std::shared_ptr<ViewController>& controller);
    std::shared_ptr<ViewController> rootViewController() const { return root_; }
    void makeKeyAndVisible();

    // One touch's phase; a touch that began on nothing is dropped until it ends.
    void sendTouch(int id, TouchPhase phase, Point location);
    // A whole tap (began and ended at one point).
    void tap(Point location);
    // Asks the root whether it may turn; if so tells it, resizes and reports success.
    bool rotate(int orientation, double duration = 0.4);

    void showAlert(const std::shared_ptr<AlertView>& alert);
    void removeAlert(const AlertView* alert);
    const std::vector<std::shared_ptr<AlertView>>& alerts() const { return alerts_; }

    void presentSheet(const std::shared_ptr<ViewController>& sheet, bool animated);
    void dismissSheet(const std::shared_ptr<ViewController>& sheet, bool animated);
    std::size_t sheetCount() const { return sheets_.size(); }

private:
    struct Sheet {
        std::shared_ptr<ViewController> controller;
        std::shared_ptr<View> dim;
        std::shared_ptr<View> container;
    };
    Rect sheetFrame() const;
    void raiseAlerts();

    std::shared_ptr<ViewController> root_;
    std::map<int, std::shared_ptr<Touch>> touches_;
    std::vector<std::shared_ptr<AlertView>> alerts_;
    std::vector<std::shared_ptr<View>> alertDims_;
    std::vector<Sheet> sheets_;
};

} // namespace mevara
