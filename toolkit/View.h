#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"
#include "toolkit/Responder.h"
#include "toolkit/Transform.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mevara {

class Painter;
class ViewController;
class Window;

// What a screen reader says a view is; several may hold at once.
enum AccessibilityTrait : unsigned {
    TraitNone = 0,
    TraitButton = 1,
    TraitHeader = 2,
    TraitStaticText = 4,
    TraitImage = 8,
    TraitSelected = 16,
    TraitNotEnabled = 32,
    TraitAdjustable = 64,
};

enum Autoresizing : unsigned {
    AutoresizingNone = 0,
    FlexibleLeftMargin = 1,
    FlexibleWidth = 2,
    FlexibleRightMargin = 4,
    FlexibleTopMargin = 8,
    FlexibleHeight = 16,
    FlexibleBottomMargin = 32,
};

// Parses the platform's textual rectangle "{{x, y}, {w, h}}"; missing numbers read as 0.
Rect rectFromString(std::string_view text);
std::string stringFromRect(const Rect& rect);
bool rectContainsPoint(const Rect& rect, Point p);

// A rectangle on screen with subviews. Frame, transform and alpha set inside an animation
// block change at once for every reader; what is drawn moves from the old value to the
// new one (see presentation*). The frame is kept as set, untransformed; the transform
// applies about the centre when drawing and hit testing.
class View : public Responder, public std::enable_shared_from_this<View> {
public:
    View() = default;
    explicit View(Rect frame);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    virtual std::string className() const { return "View"; }
    // The outlet or widget name, for dumps and scripts.
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    Rect frame() const { return frame_; }
    void setFrame(const Rect& frame);
    Rect bounds() const { return {boundsOrigin_.x, boundsOrigin_.y, frame_.width, frame_.height}; }
    Point center() const { return {frame_.x + frame_.width / 2, frame_.y + frame_.height / 2}; }
    void setCenter(Point center);
    const Transform& transform() const { return transform_; }
    void setTransform(const Transform& transform);
    float alpha() const { return alpha_; }
    void setAlpha(float alpha);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    const std::optional<Color>& backgroundColor() const { return background_; }
    void setBackgroundColor(std::optional<Color> color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    unsigned autoresizingMask() const { return autoresizing_; }
    void setAutoresizingMask(unsigned mask) { autoresizing_ = mask; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isUserInteractionEnabled() const { return interaction_; }
    void setUserInteractionEnabled(bool enabled) { interaction_ = enabled; }
    bool clipsToBounds() const { return clips_; }
    void setClipsToBounds(bool clips);

    View* superview() const { return superview_; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
    void addSubview(const std::shared_ptr<View>& view);
    void insertSubview(const std::shared_ptr<View>& view, std::size_t index);
    void removeFromSuperview();
    void removeAllSubviews();
    void bringSubviewToFront(const View* view);
    void sendSubviewToBack(const View* view);
    bool isDescendantOf(const View* ancestor) const;
    std::shared_ptr<View> viewWithTag(int tag);
    Window* window() const;

    // Point conversion; a null view means the window.
    Point convertPointFromSuperview(Point p) const;
    Point convertPointToSuperview(Point p) const;
    Point convertPointFromView(Point p, const View* from) const;
    Point convertPointToView(Point p, const View* to) const;
    bool pointInside(Point p) const;
    // Whether this view itself may take a touch (visible, interaction on, enabled).
    virtual bool acceptsTouches() const;
    // The deepest view under `p` (in this view's coordinates) that takes touches.
    virtual std::shared_ptr<View> hitTest(Point p);

    // What is on screen at `time`.
    Rect presentationFrame(double time) const;
    Transform presentationTransform(double time) const;
    float presentationAlpha(double time) const;
    bool isAnimating(double time) const;
    // This view or one below it still moves at `time`.
    bool isAnimatingBelow(double time) const;
    // Called when the animation block that changed this view commits.
    void startPendingAnimations(double start, double duration);

    // Brings content that loads on first display up to date, down the tree (a table asks
    // its data source for the first time). The window runs it before touches, drawing
    // and dumps.
    virtual void layoutIfNeeded();

    // Draws this view and its subviews as they are at `time`.
    void render(Painter& painter, double time) const;

    // What a screen reader finds: whether the view is one element (its subviews are then
    // not), its name, value, hint and traits. What is not set comes from the class: a label
    // reads its text, a button its title; plain views and pictures are not elements.
    bool isAccessibilityElement() const;
    void setIsAccessibilityElement(bool element) { accessibility_.element = element; }
    std::string accessibilityLabel() const;
    void setAccessibilityLabel(std::string label) { accessibility_.label = std::move(label); }
    std::string accessibilityValue() const;
    void setAccessibilityValue(std::string value) { accessibility_.value = std::move(value); }
    bool hasAccessibilityLabel() const { return accessibility_.label.has_value(); }
    std::string accessibilityHint() const { return accessibility_.hint.value_or(""); }
    void setAccessibilityHint(std::string hint) { accessibility_.hint = std::move(hint); }
    unsigned accessibilityTraits() const;
    void setAccessibilityTraits(unsigned traits) { accessibility_.traits = traits; }
    // While it shows, a screen reader finds nothing outside this view (an alert, a sheet,
    // the disclaimer, a popover).
    bool accessibilityViewIsModal() const { return accessibility_.modal; }
    void setAccessibilityViewIsModal(bool modal) { accessibility_.modal = modal; }
    // What Escape (or a screen reader's scrub) does while this view is the front-most one
    // with such an action: a popover closes as a tap beside it closes it.
    void setAccessibilityEscape(std::function<void()> action) {
        accessibility_.escape = std::move(action);
    }
    bool accessibilityPerformEscape();

    // The controller whose root view this is, if any.
    void setViewController(const std::weak_ptr<ViewController>& controller);
    std::shared_ptr<ViewController> viewController() const { return controller_.lock(); }
    Responder* nextResponder() const override;

protected:
    // The view's own content within `bounds` (its size on screen at `time`), before the
    // subviews. The base fills the background colour.
    virtual void draw(Painter& painter, const Rect& bounds, double time) const;
    virtual void layoutSubviews() {}
    // Scroll views move their content by the bounds origin.
    void setBoundsOrigin(Point origin);
    void changed() const;
    // The class's accessibility when nothing is set.
    virtual bool defaultIsAccessibilityElement() const { return false; }
    virtual std::string defaultAccessibilityLabel() const { return {}; }
    virtual std::string defaultAccessibilityValue() const { return {}; }
    virtual unsigned defaultAccessibilityTraits() const { return TraitNone; }

private:
    template <class T> struct Animated {
        T from{};
        T to{};
        double start = 0;
        double duration = 0;
        bool pending = false;
        bool active = false;
    };
    template <class T> T present(const Animated<T>& a, const T& model, double time) const;
    template <class T> void animate(Animated<T>& a, const T& from, const T& to);
    void resizeSubviews(Size old);

    struct Accessibility {
        std::optional<bool> element;
        std::optional<std::string> label, value, hint;
        std::optional<unsigned> traits;
        bool modal = false;
        std::function<void()> escape;
    };

    std::string name_;
    Rect frame_;
    Point boundsOrigin_;
    Transform transform_;
    float alpha_ = 1;
    bool hidden_ = false;
    std::optional<Color> background_;
    bool opaque_ = true;
    unsigned autoresizing_ = AutoresizingNone;
    int tag_ = 0;
    bool interaction_ = true;
    bool clips_ = false;
    View* superview_ = nullptr;
    std::vector<std::shared_ptr<View>> subviews_;
    std::weak_ptr<ViewController> controller_;
    Animated<Rect> frameAnimation_;
    Animated<Transform> transformAnimation_;
    Animated<float> alphaAnimation_;
    Accessibility accessibility_;
};

// Ease-in-out over 0...1.
float easeInOut(float t);

} // namespace mevara
