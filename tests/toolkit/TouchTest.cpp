#include "support/ToolkitFixture.h"
#include "toolkit/Button.h"
#include "toolkit/Switch.h"

namespace mevara {
namespace {

using TouchTest = testsupport::ToolkitTest;

std::shared_ptr<Button> counting(Rect frame, int& taps) {
    auto button = std::make_shared<Button>(frame);
    button->addTarget(ControlEvent::TouchUpInside, [&taps](Control&) { ++taps; });
    return button;
}

TEST_F(TouchTest, TouchUpInsideOnlyWhenTheTouchEndsInside) {
    int taps = 0;
    auto button = counting({10, 10, 100, 40}, taps);
    window->addSubview(button);
    window->sendTouch(1, TouchPhase::Began, {50, 30});
    EXPECT_TRUE(button->isHighlighted());
    window->sendTouch(1, TouchPhase::Moved, {200, 30});
    EXPECT_FALSE(button->isHighlighted()) << "dragged off";
    window->sendTouch(1, TouchPhase::Ended, {200, 30});
    EXPECT_EQ(taps, 0);
    window->sendTouch(1, TouchPhase::Began, {50, 30});
    window->sendTouch(1, TouchPhase::Moved, {200, 30});
    window->sendTouch(1, TouchPhase::Ended, {60, 20});
    EXPECT_EQ(taps, 1) << "dragged back in";
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(TouchTest, HitTestingSkipsWhatAPersonCannotTouch) {
    int below = 0, above = 0;
    window->addSubview(counting({0, 0, 320, 100}, below));
    auto top = counting({0, 0, 320, 100}, above);
    window->addSubview(top);

    top->setHidden(true);
    tap(10, 10);
    top->setHidden(false);
    top->setAlpha(0.005f);
    tap(10, 10);
    top->setAlpha(1);
    top->setEnabled(false);
    tap(10, 10);
    EXPECT_EQ(below, 3);
    EXPECT_EQ(above, 0);
    top->setEnabled(true);
    tap(10, 10);
    EXPECT_EQ(above, 1);

    // A child outside its parent's bounds cannot be touched there.
    auto box = std::make_shared<View>(Rect{0, 200, 50, 50});
    int outside = 0;
    box->addSubview(counting({60, 0, 50, 50}, outside));
    window->addSubview(box);
    tap(80, 220);
    EXPECT_EQ(outside, 0);
}

TEST_F(TouchTest, SwitchReportsOnlyWhenAPersonFlipsIt) {
    auto toggle = std::make_shared<Switch>(Rect{10, 10, 0, 0});
    int changes = 0;
    toggle->addTarget(ControlEvent::ValueChanged, [&](Control&) { ++changes; });
    window->addSubview(toggle);
    toggle->setOn(true);
    EXPECT_EQ(changes, 0);
    tap(20, 20);
    EXPECT_FALSE(toggle->isOn());
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace mevara
