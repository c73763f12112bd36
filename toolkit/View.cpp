#include "toolkit/View.h"

#include "toolkit/Painter.h"
#include "toolkit/RunLoop.h"
#include "toolkit/ViewController.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mevara {
namespace {

Rect mix(const Rect& a, const Rect& b, float k) {
    return {a.x + (b.x - a.x) * k, a.y + (b.y - a.y) * k, a.width + (b.width - a.width) * k,
            a.height + (b.height - a.height) * k};
}
float mix(float a, float b, float k) {
    return a + (b - a) * k;
}
Transform mix(const Transform& a, const Transform& b, float k) {
    return interpolate(a, b, k);
}

} // namespace

float easeInOut(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

Rect rectFromString(std::string_view text) {
    float values[4] = {0, 0, 0, 0};
    int found = 0;
    std::size_t i = 0;
    while (i < text.size() && found < 4) {
        const char ch = text[i];
        if ((ch >= '0' && ch <= '9') || ch == '-' || ch == '+' || ch == '.') {
            std::string number(text.substr(i, text.find_first_of(",} ", i) - i));
            values[found++] = std::strtof(number.c_str(), nullptr);
            i += std::max<std::size_t>(1, number.size());
        } else {
            ++i;
        }
    }
    return {values[0], values[1], values[2], values[3]};
}

std::string stringFromRect(const Rect& r) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "{{%g, %g}, {%g, %g}}", r.x, r.y, r.width, r.height);
    return buffer;
}

bool rectContainsPoint(const Rect& r, Point p) {
    return p.x >= r.x && p.y >= r.y && p.x < r.x + r.width && p.y < r.y + r.height;
}

View::View(Rect frame) : frame_(frame) {}

View::~View() {
    for (auto& sub : subviews_)
        sub->superview_ = nullptr;
}

void View::changed() const {
    RunLoop::main().markChanged();
}

template <class T> T View::present(const Animated<T>& a, const T& model, double time) const {
    if (!a.active) return model;
    if (time <= a.start) return a.from;
    if (a.duration <= 0 || time >= a.start + a.duration) return a.to;
    return mix(a.from, a.to, easeInOut(static_cast<float>((time - a.start) / a.duration)));
}

template <class T> void View::animate(Animated<T>& a, const T& from, const T& to) {
    auto& loop = RunLoop::main();
    auto self = weak_from_this().lock();
    if (!loop.inAnimationBlock() || !self) {
        a = {};
        return;
    }
    a.from = from;
    a.to = to;
    a.pending = true;
    a.active = true;
    // Until the block commits the new value is not drawn.
    a.start = 1e300;
    loop.recordAnimation(self);
}

void View::startPendingAnimations(double start, double duration) {
    auto settle = [&](auto& a) {
        if (!a.pending) return;
        a.pending = false;
        a.start = start;
        a.duration = duration;
        if (duration <= 0) a.active = false;
    };
    settle(frameAnimation_);
    settle(transformAnimation_);
    settle(alphaAnimation_);
}

Rect View::presentationFrame(double time) const {
    return present(frameAnimation_, frame_, time);
}

Transform View::presentationTransform(double time) const {
    return present(transformAnimation_, transform_, time);
}

float View::presentationAlpha(double time) const {
    return present(alphaAnimation_, alpha_, time);
}

bool View::isAnimating(double time) const {
    auto running = [time](const auto& a) {
        return a.active && (a.pending || time < a.start + a.duration);
    };
    return running(frameAnimation_) || running(transformAnimation_) || running(alphaAnimation_);
}

bool View::isAnimatingBelow(double time) const {
    if (isAnimating(time)) return true;
    return std::any_of(subviews_.begin(), subviews_.end(),
                       [time](const auto& sub) { return sub->isAnimatingBelow(time); });
}

void View::setFrame(const Rect& frame) {
    const double now = RunLoop::main().now();
    animate(frameAnimation_, presentationFrame(now), frame);
    const Size old{frame_.width, frame_.height};
    frame_ = frame;
    if (old.width != frame.width || old.height != frame.height) resizeSubviews(old);
    changed();
}

void View::setCenter(Point c) {
    setFrame({c.x - frame_.width / 2, c.y - frame_.height / 2, frame_.width, frame_.height});
}

namespace {

// With both margins flexible they share the change in proportion to their sizes, so a
// centred view stays centred.
float shareOfMargin(float before, float after, float change, bool otherFlexible) {
    if (!otherFlexible) return change;
    const float both = before + after;
    return both > 0 ? change * before / both : change / 2;
}

} // namespace

void View::resizeSubviews(Size old) {
    const float dw = frame_.width - old.width;
    const float dh = frame_.height - old.height;
    for (auto& sub : std::vector(subviews_)) {
        const unsigned mask = sub->autoresizing_;
        if (!(mask & (FlexibleWidth | FlexibleHeight | FlexibleLeftMargin | FlexibleTopMargin)))
            continue;
        Rect f = sub->frame_;
        if (mask & FlexibleWidth)
            f.width += dw;
        else if (mask & FlexibleLeftMargin)
            f.x += shareOfMargin(f.x, old.width - f.x - f.width, dw, mask & FlexibleRightMargin);
        if (mask & FlexibleHeight)
            f.height += dh;
        else if (mask & FlexibleTopMargin)
            f.y += shareOfMargin(f.y, old.height - f.y - f.height, dh, mask & FlexibleBottomMargin);
        sub->setFrame(f);
    }
    layoutSubviews();
}

void View::setBoundsOrigin(Point origin) {
    boundsOrigin_ = origin;
    changed();
}

void View::setTransform(const Transform& transform) {
    animate(transformAnimation_, presentationTransform(RunLoop::main().now()), transform);
    transform_ = transform;
    changed();
}

void View::setAlpha(float alpha) {
    alpha = std::clamp(alpha, 0.0f, 1.0f);
    animate(alphaAnimation_, presentationAlpha(RunLoop::main().now()), alpha);
    alpha_ = alpha;
    changed();
}

void View::setHidden(bool hidden) {
    if (hidden_ == hidden) return;
    hidden_ = hidden;
    changed();
}

void View::setBackgroundColor(std::optional<Color> color) {
    background_ = color;
    changed();
}

void View::setClipsToBounds(bool clips) {
    clips_ = clips;
    changed();
}

void View::addSubview(const std::shared_ptr<View>& view) {
    insertSubview(view, subviews_.size());
}

void View::insertSubview(const std::shared_ptr<View>& view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOf(view.get())) return;
    auto keep = view;
    if (view->superview_) view->removeFromSuperview();
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), keep);
    keep->superview_ = this;
    changed();
}

void View::removeFromSuperview() {
    View* parent = superview_;
    if (!parent) return;
    auto keep = shared_from_this();
    auto& list = parent->subviews_;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [this](const std::shared_ptr<View>& v) { return v.get() == this; }),
               list.end());
    superview_ = nullptr;
    changed();
}

void View::removeAllSubviews() {
    for (auto& sub : std::vector(subviews_))
        sub->removeFromSuperview();
}

bool View::isAccessibilityElement() const {
    return accessibility_.element.value_or(defaultIsAccessibilityElement());
}

std::string View::accessibilityLabel() const {
    const std::string raw =
        accessibility_.label ? *accessibility_.label : defaultAccessibilityLabel();
    // Spoken, a title's line breaks and padding are only spaces.
    std::string spoken;
    for (char ch : raw) {
        const bool space = ch == ' ' || ch == '\n' || ch == '\t' || ch == '\r';
        if (space && (spoken.empty() || spoken.back() == ' ')) continue;
        spoken += space ? ' ' : ch;
    }
    if (!spoken.empty() && spoken.back() == ' ') spoken.pop_back();
    return spoken;
}

std::string View::accessibilityValue() const {
    return accessibility_.value ? *accessibility_.value : defaultAccessibilityValue();
}

unsigned View::accessibilityTraits() const {
    return accessibility_.traits.value_or(defaultAccessibilityTraits());
}

bool View::accessibilityPerformEscape() {
    if (!accessibility_.escape) return false;
    // The action may drop the view; it is kept until the action returns.
    auto keep = shared_from_this();
    auto action = accessibility_.escape;
    action();
    return true;
}

void View::layoutIfNeeded() {
    for (auto& sub : std::vector(subviews_))
        sub->layoutIfNeeded();
}

void View::bringSubviewToFront(const View* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [view](const std::shared_ptr<View>& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(it, it + 1, subviews_.end());
    changed();
}

void View::sendSubviewToBack(const View* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [view](const std::shared_ptr<View>& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(subviews_.begin(), it, it + 1);
    changed();
}

bool View::isDescendantOf(const View* ancestor) const {
    for (const View* v = this; v; v = v->superview_)
        if (v == ancestor) return true;
    return false;
}

std::shared_ptr<View> View::viewWithTag(int tag) {
    if (tag_ == tag) return shared_from_this();
    for (auto& sub : subviews_)
        if (auto found = sub->viewWithTag(tag)) return found;
    return nullptr;
}

Window* View::window() const {
    const View* top = this;
    while (top->superview_)
        top = top->superview_;
    return dynamic_cast<Window*>(const_cast<View*>(top));
}

Point View::convertPointFromSuperview(Point p) const {
    const Point c = center();
    Point q = transform_.isIdentity() ? Point{p.x - c.x, p.y - c.y}
                                      : transform_.inverted().apply({p.x - c.x, p.y - c.y});
    return {q.x + frame_.width / 2 + boundsOrigin_.x, q.y + frame_.height / 2 + boundsOrigin_.y};
}

Point View::convertPointToSuperview(Point p) const {
    const Point local{p.x - boundsOrigin_.x - frame_.width / 2,
                      p.y - boundsOrigin_.y - frame_.height / 2};
    const Point q = transform_.apply(local);
    const Point c = center();
    return {q.x + c.x, q.y + c.y};
}

Point View::convertPointFromView(Point p, const View* from) const {
    // Up from `from` to the window, then down to this view.
    for (const View* v = from; v && v->superview_; v = v->superview_)
        p = v->convertPointToSuperview(p);
    std::vector<const View*> chain;
    for (const View* v = this; v && v->superview_; v = v->superview_)
        chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        p = (*it)->convertPointFromSuperview(p);
    return p;
}

Point View::convertPointToView(Point p, const View* to) const {
    for (const View* v = this; v && v->superview_; v = v->superview_)
        p = v->convertPointToSuperview(p);
    return to ? to->convertPointFromView(p, nullptr) : p;
}

bool View::pointInside(Point p) const {
    return rectContainsPoint(bounds(), p);
}

bool View::acceptsTouches() const {
    return interaction_ && !hidden_ && alpha_ >= 0.01f;
}

std::shared_ptr<View> View::hitTest(Point p) {
    if (hidden_ || alpha_ < 0.01f || !interaction_ || !pointInside(p)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        auto sub = *it;
        if (auto hit = sub->hitTest(sub->convertPointFromSuperview(p))) return hit;
    }
    return acceptsTouches() ? shared_from_this() : nullptr;
}

void View::setViewController(const std::weak_ptr<ViewController>& controller) {
    controller_ = controller;
}

Responder* View::nextResponder() const {
    if (auto controller = controller_.lock()) return controller.get();
    return superview_;
}

void View::draw(Painter& painter, const Rect& bounds, double) const {
    if (background_ && background_->a > 0) painter.fillRect(bounds, *background_);
}

void View::render(Painter& painter, double time) const {
    if (hidden_) return;
    const float alpha = presentationAlpha(time);
    if (alpha <= 0.001f) return;
    const Rect f = presentationFrame(time);
    const Transform t = presentationTransform(time);
    painter.save();
    painter.translate(f.x + f.width / 2, f.y + f.height / 2);
    if (!t.isIdentity()) {
        painter.translate(t.tx, t.ty);
        painter.scale(t.a, t.d);
    }
    painter.translate(-f.width / 2, -f.height / 2);
    painter.multiplyAlpha(alpha);
    // Content follows the size on screen; subviews keep their own (animated) frames.
    draw(painter, {0, 0, f.width, f.height}, time);
    if (clips_) painter.clip({0, 0, f.width, f.height});
    painter.translate(-boundsOrigin_.x, -boundsOrigin_.y);
    for (const auto& sub : subviews_)
        sub->render(painter, time);
    painter.restore();
}

} // namespace mevara
