#pragma once

#include "toolkit/Bindings.h"
#include "toolkit/Responder.h"

#include <any>
#include <memory>
#include <optional>
#include <string>

namespace mevara {

class View;

enum class ModalPresentationStyle { FullScreen, FormSheet };

// A screen: a view loaded on first use (from the layout resource named at creation, or by
// the class's name when none is given), `viewDidLoad` once then, named outlets and
// actions, modal presentation, and the rotation questions.
class ViewController : public Responder, public std::enable_shared_from_this<ViewController> {
public:
    // `layoutName` none: the class's name; an empty string: no layout at all.
    explicit ViewController(std::optional<std::string> layoutName = std::nullopt);
    ~ViewController() override;
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    virtual std::string className() const { return "ViewController"; }
    std::string layoutName() const;

    std::shared_ptr<View> view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(std::shared_ptr<View> view);
    virtual void viewDidLoad() {}

    const Bindings& bindings();
    bool perform(const std::string& name, const std::any& argument = {});
    bool respondsTo(const std::string& name);
    // The platform's delayed perform: runs the named action later, keeping this alive.
    void performAfterDelay(const std::string& name, double delay, std::any argument = {});
    // Cancels this controller's waiting delayed performs: all of them, or those of `name`.
    void cancelPreviousPerformRequests();
    void cancelPreviousPerformRequests(const std::string& name);
    bool hasPendingPerform(const std::string& name) const;

    // Modal presentation; a form sheet is 540 x 620 centred over a dimmed screen on a
    // tablet, the whole screen on a phone.
    void presentModalViewController(const std::shared_ptr<ViewController>& controller,
                                    bool animated);
    void dismissModalViewControllerAnimated(bool animated);
    std::shared_ptr<ViewController> modalViewController() const { return modal_; }
    ViewController* parentViewController() const { return parent_; }
    ModalPresentationStyle modalPresentationStyle() const { return style_; }
    void setModalPresentationStyle(ModalPresentationStyle style) { style_ = style; }

    virtual bool shouldAutorotateToInterfaceOrientation(int orientation);
    virtual void willRotateToInterfaceOrientation(int /*orientation*/, double /*duration*/) {}
    virtual void didRotateFromInterfaceOrientation(int /*from*/) {}
    int interfaceOrientation() const;

    Responder* nextResponder() const override;

protected:
    // The one place a controller lists its outlets and actions.
    virtual void bind(Bindings& /*bindings*/) {}
    // Builds the view: the layout when there is one, else a plain screen-sized view.
    virtual void loadView();

private:
    std::optional<std::string> layoutName_;
    std::shared_ptr<View> view_;
    std::unique_ptr<Bindings> bindings_;
    std::shared_ptr<ViewController> modal_;
    ViewController* parent_ = nullptr;
    ModalPresentationStyle style_ = ModalPresentationStyle::FullScreen;
};

} // namespace mevara
