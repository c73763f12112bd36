#pragma once

#include "toolkit/View.h"

#include <functional>
#include <vector>

namespace mevara {

enum class ControlEvent { TouchUpInside, ValueChanged };

// A view that turns touches into actions. Disabled controls take no touches.
class Control : public View {
public:
    using Action = std::function<void(Control& sender)>;

    Control() = default;
    explicit Control(Rect frame) : View(frame) {}

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    void addTarget(ControlEvent event, Action action);
    void removeAllTargets() { targets_.clear(); }
    void sendActions(ControlEvent event);

    bool acceptsTouches() const override { return enabled_ && View::acceptsTouches(); }
    void touchesBegan(const TouchSet& touches) override;
    void touchesMoved(const TouchSet& touches) override;
    void touchesEnded(const TouchSet& touches) override;
    void touchesCancelled(const TouchSet& touches) override;

protected:
    // A tap that began here and ended inside.
    virtual void tapped() { sendActions(ControlEvent::TouchUpInside); }
    bool defaultIsAccessibilityElement() const override { return true; }
    unsigned defaultAccessibilityTraits() const override;

private:
    bool inside(const TouchSet& touches) const;

    bool enabled_ = true;
    bool highlighted_ = false;
    bool selected_ = false;
    bool tracking_ = false;
    std::vector<std::pair<ControlEvent, Action>> targets_;
};

} // namespace mevara
