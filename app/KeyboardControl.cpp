#include "app/KeyboardControl.h"

#include "app/ScreenTargets.h"
#include "toolkit/Accessibility.h"
#include "toolkit/AlertView.h"
#include "toolkit/Painter.h"
#include "toolkit/Window.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mevara {
namespace {

constexpr Color ringColour = Color::rgb(0.16f, 0.47f, 1.0f);
constexpr float ringWidth = 3;

// The focus ring: an outline over everything, taking no touches.
class FocusRing : public View {
public:
    FocusRing() {
        setUserInteractionEnabled(false);
        setIsAccessibilityElement(false);
    }
    std::string className() const override { return "FocusRing"; }

protected:
    void draw(Painter& painter, const Rect& b, double) const override {
        painter.fillRect({b.x, b.y, b.width, ringWidth}, ringColour);
        painter.fillRect({b.x, b.maxY() - ringWidth, b.width, ringWidth}, ringColour);
        painter.fillRect({b.x, b.y, ringWidth, b.height}, ringColour);
        painter.fillRect({b.maxX() - ringWidth, b.y, ringWidth, b.height}, ringColour);
    }
};

// What a person could activate: buttons, switches and rows.
std::vector<AccessibleElement> focusable(const Window& window) {
    auto all = accessibleElements(window);
    std::erase_if(all, [](const AccessibleElement& e) {
        return !(e.traits & TraitButton) || (e.traits & TraitNotEnabled) ||
               !e.view->acceptsTouches();
    });
    return all;
}

Point centre(const Rect& r) {
    return {r.x + r.width / 2, r.y + r.height / 2};
}

} // namespace

KeyboardControl::KeyboardControl(Window& window)
    : window_(window), ring_(std::make_shared<FocusRing>()) {
    ring_->setName("focusRing");
}

KeyboardControl::~KeyboardControl() {
    ring_->removeFromSuperview();
}

std::shared_ptr<View> KeyboardControl::focused() const {
    auto view = focused_.lock();
    if (!view) return nullptr;
    for (const auto& e : focusable(window_))
        if (e.view == view) return view;
    return nullptr;
}

bool KeyboardControl::handle(Key key) {
    if (key == Key::Escape) {
        bool done = false;
        const auto& alerts = window_.alerts();
        if (!alerts.empty()) {
            const auto alert = alerts.back();
            if (alert->cancelButtonIndex() < 0) return false;
            alert->dismissWithClickedButtonIndex(alert->cancelButtonIndex(), true);
            done = true;
        } else {
            // The front-most modal view may act on Escape (a popover, a sheet); else Back.
            const auto front = frontModalView(window_);
            done = (front && front->accessibilityPerformEscape()) || pressBackButton(window_);
        }
        // Back from a popover or an alert, the ring returns to what opened it.
        showRing();
        return done;
    }
    if (key == Key::Activate) {
        const auto view = focused();
        if (!view) return false;
        const auto elements = focusable(window_);
        const auto it = std::find_if(elements.begin(), elements.end(),
                                     [&view](const auto& e) { return e.view == view; });
        const Point at = middle(it->frame);
        window_.sendTouch(0, TouchPhase::Began, at);
        window_.sendTouch(0, TouchPhase::Ended, at);
        showRing();
        return true;
    }
    const bool moved = move(key);
    showRing();
    return moved;
}

bool KeyboardControl::move(Key key) {
    const auto elements = focusable(window_);
    if (elements.empty()) return false;
    const auto current = focused();
    const auto here = std::find_if(elements.begin(), elements.end(),
                                   [&current](const auto& e) { return e.view == current; });
    if (here == elements.end()) {
        // Nothing focused yet: the first element, or the last going back.
        focused_ = (key == Key::BackTab || key == Key::Up || key == Key::Left)
                       ? elements.back().view
                       : elements.front().view;
        return true;
    }
    const auto index = static_cast<std::size_t>(here - elements.begin());
    if (key == Key::Tab || key == Key::BackTab) {
        const std::size_t n = elements.size();
        focused_ = elements[key == Key::Tab ? (index + 1) % n : (index + n - 1) % n].view;
        return true;
    }
    // The nearest element that way: its middle further that way, and the least sideways
    // gap between the two (a wide row right under a small button has none).
    const bool vertical = key == Key::Down || key == Key::Up;
    const Rect& a = here->frame;
    const Point from = centre(a);
    const AccessibleElement* best = nullptr;
    float bestScore = 0;
    for (const auto& e : elements) {
        if (e.view == current) continue;
        const Rect& b = e.frame;
        const Point to = centre(b);
        const float along = key == Key::Down    ? to.y - from.y
                            : key == Key::Up    ? from.y - to.y
                            : key == Key::Right ? to.x - from.x
                                                : from.x - to.x;
        const float gap = vertical ? std::max({0.0f, b.x - a.maxX(), a.x - b.maxX()})
                                   : std::max({0.0f, b.y - a.maxY(), a.y - b.maxY()});
        if (along <= 0.5f || gap > along) continue;
        const float score = along + 3 * gap;
        if (!best || score < bestScore) {
            best = &e;
            bestScore = score;
        }
    }
    if (!best) return false;
    focused_ = best->view;
    return true;
}

void KeyboardControl::showRing() {
    const auto view = focused();
    if (!view) {
        ring_->removeFromSuperview();
        return;
    }
    Rect frame;
    for (const auto& e : focusable(window_))
        if (e.view == view) frame = e.frame;
    // Around the element, but on the screen: a row as wide as the screen keeps its sides.
    const Rect screen = window_.bounds();
    const float x0 = std::max(screen.x, frame.x - ringWidth);
    const float y0 = std::max(screen.y, frame.y - ringWidth);
    const float x1 = std::min(screen.maxX(), frame.maxX() + ringWidth);
    const float y1 = std::min(screen.maxY(), frame.maxY() + ringWidth);
    ring_->setFrame({x0, y0, x1 - x0, y1 - y0});
    // Always the front-most of the window's views.
    if (ring_->superview() != &window_)
        window_.addSubview(ring_);
    else
        window_.bringSubviewToFront(ring_.get());
}

} // namespace mevara
