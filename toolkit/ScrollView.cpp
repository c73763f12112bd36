#include "toolkit/ScrollView.h"

#include "toolkit/RunLoop.h"

#include <algorithm>
#include <cmath>

namespace mevara {
namespace {

constexpr double stepInterval = 1.0 / 60;
constexpr double glideDuration = 0.3;
// The platform's normal deceleration: velocity keeps 0.998 of itself per millisecond.
constexpr double decelerationPerMs = 0.998;
constexpr float stopSpeed = 15;

// Past an edge the content follows the finger at a decreasing rate.
float rubberBand(float overshoot, float dimension) {
    if (dimension <= 0) return 0;
    const float sign = overshoot < 0 ? -1.0f : 1.0f;
    const float x = std::abs(overshoot);
    return sign * (1 - 1 / (x * 0.55f / dimension + 1)) * dimension;
}

} // namespace

ScrollView::ScrollView() {
    setClipsToBounds(true);
}

ScrollView::ScrollView(Rect frame) : View(frame) {
    setClipsToBounds(true);
}

Point ScrollView::maximumOffset() const {
    return {std::max(0.0f, contentSize_.width - frame().width),
            std::max(0.0f, contentSize_.height - frame().height)};
}

Point ScrollView::clamped(Point p) const {
    const Point max = maximumOffset();
    return {std::clamp(p.x, 0.0f, max.x), std::clamp(p.y, 0.0f, max.y)};
}

void ScrollView::setContentSize(Size size) {
    contentSize_ = size;
    changed();
}

void ScrollView::setContentOffset(Point offset, bool animated) {
    ++generation_;
    decelerating_ = false;
    if (!animated) {
        gliding_ = false;
        setBoundsOrigin(offset);
        return;
    }
    gliding_ = true;
    glideFrom_ = contentOffset();
    glideTo_ = offset;
    glideStart_ = RunLoop::main().now();
    RunLoop::main().noteAnimationEnd(glideStart_ + glideDuration);
    scheduleStep();
}

void ScrollView::scheduleStep() {
    std::weak_ptr<View> weak = weak_from_this();
    const unsigned generation = generation_;
    lastStepTime_ = RunLoop::main().now();
    RunLoop::main().performAfterDelay(stepInterval, [weak, generation] {
        if (auto view = std::static_pointer_cast<ScrollView>(weak.lock()))
            if (view->generation_ == generation) view->step();
    });
}

void ScrollView::step() {
    auto& loop = RunLoop::main();
    const double now = loop.now();
    const double dt = std::max(1e-3, now - lastStepTime_);
    if (gliding_) {
        const float k = easeInOut(static_cast<float>((now - glideStart_) / glideDuration));
        setBoundsOrigin({glideFrom_.x + (glideTo_.x - glideFrom_.x) * k,
                         glideFrom_.y + (glideTo_.y - glideFrom_.y) * k});
        if (k >= 1) {
            gliding_ = false;
            return;
        }
    } else if (decelerating_) {
        Point offset = contentOffset();
        offset.x += velocity_.x * static_cast<float>(dt);
        offset.y += velocity_.y * static_cast<float>(dt);
        const float keep = static_cast<float>(std::pow(decelerationPerMs, dt * 1000));
        velocity_ = {velocity_.x * keep, velocity_.y * keep};
        const Point inside = clamped(offset);
        const bool outside = inside.x != offset.x || inside.y != offset.y;
        if (outside && !bounces_) {
            offset = inside;
            velocity_ = {};
        }
        setBoundsOrigin(offset);
        const bool slow = std::hypot(velocity_.x, velocity_.y) < stopSpeed;
        if (outside || slow) {
            decelerating_ = false;
            // Spring back to the edge.
            if (outside) setContentOffset(inside, true);
            return;
        }
    } else {
        return;
    }
    loop.noteAnimationEnd(now + stepInterval);
    scheduleStep();
}

void ScrollView::touchesBegan(const TouchSet& touches) {
    if (touches.empty()) return;
    ++generation_;
    const bool wasMoving = decelerating_ || gliding_;
    decelerating_ = gliding_ = false;
    // A touch that stops moving content is not a tap.
    tracking_ = !wasMoving;
    dragging_ = false;
    dragStartOffset_ = clamped(contentOffset());
    if (wasMoving) setBoundsOrigin(dragStartOffset_);
    velocity_ = {};
    lastMoveTime_ = touches.front()->timestamp;
    if (tracking_) pressedAt(touches.front()->locationInView(this));
}

void ScrollView::touchesMoved(const TouchSet& touches) {
    if (touches.empty()) return;
    const auto& touch = *touches.front();
    const float dx = touch.windowLocation.x - touch.startWindowLocation.x;
    const float dy = touch.windowLocation.y - touch.startWindowLocation.y;
    if (!dragging_ && scrollEnabled_ && std::hypot(dx, dy) >= dragThreshold) {
        dragging_ = true;
        if (tracking_) pressEnded();
        tracking_ = false;
    }
    if (!dragging_) return;
    const Point max = maximumOffset();
    Point offset{dragStartOffset_.x - (contentSize_.width > frame().width ? dx : 0),
                 dragStartOffset_.y - dy};
    auto band = [&](float v, float limit, float dimension) {
        if (v < 0) return bounces_ ? rubberBand(v, dimension) : 0.0f;
        if (v > limit) return bounces_ ? limit + rubberBand(v - limit, dimension) : limit;
        return v;
    };
    offset = {band(offset.x, max.x, frame().width), band(offset.y, max.y, frame().height)};
    const double dt = touch.timestamp - lastMoveTime_;
    const Point before = contentOffset();
    if (dt > 1e-4)
        velocity_ = {static_cast<float>((offset.x - before.x) / dt),
                     static_cast<float>((offset.y - before.y) / dt)};
    lastMoveTime_ = touch.timestamp;
    setBoundsOrigin(offset);
}

void ScrollView::touchesEnded(const TouchSet& touches) {
    if (touches.empty()) return;
    if (!dragging_) {
        if (tracking_) {
            tracking_ = false;
            pressEnded();
            tappedAt(touches.front()->locationInView(this));
        }
        return;
    }
    dragging_ = false;
    // A finger that rested before lifting throws nothing.
    if (touches.front()->timestamp - lastMoveTime_ > 0.1) velocity_ = {};
    const Point inside = clamped(contentOffset());
    if (inside.x != contentOffset().x || inside.y != contentOffset().y) {
        setContentOffset(inside, true);
        return;
    }
    if (std::hypot(velocity_.x, velocity_.y) >= stopSpeed) {
        decelerating_ = true;
        ++generation_;
        scheduleStep();
    }
}

void ScrollView::touchesCancelled(const TouchSet&) {
    if (tracking_) pressEnded();
    tracking_ = dragging_ = false;
    setContentOffset(clamped(contentOffset()), false);
}

} // namespace mevara
