#include "toolkit/Control.h"

namespace mevara {

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) highlighted_ = tracking_ = false;
    changed();
}

void Control::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    changed();
}

void Control::setSelected(bool selected) {
    selected_ = selected;
    changed();
}

void Control::addTarget(ControlEvent event, Action action) {
    targets_.emplace_back(event, std::move(action));
}

void Control::sendActions(ControlEvent event) {
    auto keep = weak_from_this().lock();
    // A copy: an action may remove this control or its targets.
    auto targets = targets_;
    for (auto& [kind, action] : targets)
        if (kind == event) action(*this);
}

bool Control::inside(const TouchSet& touches) const {
    return !touches.empty() && pointInside(touches.front()->locationInView(this));
}

void Control::touchesBegan(const TouchSet&) {
    if (!enabled_) return;
    tracking_ = true;
    setHighlighted(true);
}

void Control::touchesMoved(const TouchSet& touches) {
    if (tracking_) setHighlighted(inside(touches));
}

void Control::touchesEnded(const TouchSet& touches) {
    if (!tracking_) return;
    tracking_ = false;
    setHighlighted(false);
    if (enabled_ && inside(touches)) tapped();
}

void Control::touchesCancelled(const TouchSet&) {
    tracking_ = false;
    setHighlighted(false);
}

unsigned Control::defaultAccessibilityTraits() const {
    return TraitButton | (selected_ ? TraitSelected : TraitNone) |
           (enabled_ ? TraitNone : TraitNotEnabled);
}

} // namespace mevara
