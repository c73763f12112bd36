#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <vector>

namespace mevara {

class View;

enum class TouchPhase { Began, Moved, Ended, Cancelled };

// One finger (or the mouse) on the screen, in window points.
struct Touch {
    int id = 0;
    TouchPhase phase = TouchPhase::Began;
    Point windowLocation;
    Point previousWindowLocation;
    Point startWindowLocation;
    double timestamp = 0;
    std::weak_ptr<View> view;

    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;
};

using TouchSet = std::vector<std::shared_ptr<Touch>>;

// Something that takes touches. What it does not handle travels up the chain: a view,
// its controller when it is a controller's root view, then the superview.
class Responder {
public:
    virtual ~Responder() = default;
    virtual Responder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(const TouchSet& touches);
    virtual void touchesMoved(const TouchSet& touches);
    virtual void touchesEnded(const TouchSet& touches);
    virtual void touchesCancelled(const TouchSet& touches);
};

} // namespace mevara
