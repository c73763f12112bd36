#pragma once

#include "toolkit/Control.h"

namespace mevara {

// An on/off switch. Value-changed fires when a person flips it, not when code sets it.
class Switch : public Control {
public:
    Switch();
    explicit Switch(Rect frame);
    std::string className() const override { return "Switch"; }

    bool isOn() const { return on_; }
    void setOn(bool on, bool animated = false);

    static constexpr Size size{79, 27};

protected:
    void tapped() override;
    std::string defaultAccessibilityValue() const override { return on_ ? "on" : "off"; }
    void draw(Painter& painter, const Rect& bounds, double time) const override;

private:
    bool on_ = false;
    double flippedAt_ = -1;
};

} // namespace mevara
