#include "toolkit/Switch.h"

#include "toolkit/Painter.h"
#include "toolkit/RunLoop.h"
#include "toolkit/View.h"

#include <algorithm>

namespace mevara {
namespace {
constexpr double flipDuration = 0.2;
}

Switch::Switch() : Control({0, 0, size.width, size.height}) {}

Switch::Switch(Rect frame) : Control({frame.x, frame.y, size.width, size.height}) {}

void Switch::setOn(bool on, bool animated) {
    if (on_ == on) return;
    on_ = on;
    auto& loop = RunLoop::main();
    flippedAt_ = animated ? loop.now() : -1;
    if (animated) loop.noteAnimationEnd(loop.now() + flipDuration);
    changed();
}

void Switch::tapped() {
    setOn(!on_, true);
    sendActions(ControlEvent::ValueChanged);
}

void Switch::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    float k = on_ ? 1.0f : 0.0f;
    if (flippedAt_ >= 0 && time < flippedAt_ + flipDuration) {
        const float t = easeInOut(static_cast<float>((time - flippedAt_) / flipDuration));
        k = on_ ? t : 1 - t;
    }
    const float radius = bounds.height / 2;
    const Color off = Color::white(0.85f);
    const Color on = Color::rgb(0.2f, 0.47f, 0.86f);
    const Color track{off.r + (on.r - off.r) * k, off.g + (on.g - off.g) * k,
                      off.b + (on.b - off.b) * k, 1};
    painter.fillRoundedRect(bounds, radius, Color::white(0.6f));
    painter.fillRoundedRect({bounds.x + 1, bounds.y + 1, bounds.width - 2, bounds.height - 2},
                            radius - 1, track);
    const float knob = bounds.height - 4;
    const float x = bounds.x + 2 + (bounds.width - knob - 4) * k;
    painter.fillRoundedRect({x, bounds.y + 2, knob, knob}, knob / 2, Color::white(1));
    if (!isEnabled()) painter.fillRoundedRect(bounds, radius, Color::white(1, 0.5f));
}

} // namespace mevara
