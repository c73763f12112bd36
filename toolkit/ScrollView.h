#pragma once

#include "toolkit/View.h"

namespace mevara {

// Content larger than the frame, moved by dragging. A drag that ends moving keeps going
// and slows down; past the edges it stretches (with bounce on) and springs back.
class ScrollView : public View {
public:
    ScrollView();
    explicit ScrollView(Rect frame);
    std::string className() const override { return "ScrollView"; }

    Point contentOffset() const { return {bounds().x, bounds().y}; }
    void setContentOffset(Point offset, bool animated = false);
    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }
    // The largest offset that keeps the content inside the frame.
    Point maximumOffset() const;

    void touchesBegan(const TouchSet& touches) override;
    void touchesMoved(const TouchSet& touches) override;
    void touchesEnded(const TouchSet& touches) override;
    void touchesCancelled(const TouchSet& touches) override;

    // Movement smaller than this is still a tap.
    static constexpr float dragThreshold = 10;

protected:
    // A touch that ended without scrolling, at `location` in content coordinates.
    virtual void tappedAt(Point /*location*/) {}
    virtual void pressedAt(Point /*location*/) {}
    virtual void pressEnded() {}

private:
    Point clamped(Point p) const;
    void step();
    void scheduleStep();

    Size contentSize_;
    bool bounces_ = true;
    bool scrollEnabled_ = true;
    bool tracking_ = false;
    bool dragging_ = false;
    bool decelerating_ = false;
    Point dragStartOffset_;
    Point velocity_;
    double lastMoveTime_ = 0;
    double lastStepTime_ = 0;
    // Set by an animated move: where it goes.
    bool gliding_ = false;
    Point glideFrom_, glideTo_;
    double glideStart_ = 0;
    unsigned generation_ = 0;
};

} // namespace mevara
