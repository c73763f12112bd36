#pragma once

#include "platform/Geometry.h"

namespace mevara {

// Horizontal bars on the handset: 267 points stand for the whole scale.
class HandsetBars {
public:
    static constexpr double fullLength = 267.0;
    static constexpr float shadowWidth = 10;

    static float width(float value, float scale);
    // The bar keeps its x, y and height; only the width follows the value.
    static Rect barFrame(const Rect& bar, float value, float scale);
    // The shadow sits at the bar's end, as tall as the bar.
    static Rect shadowFrame(const Rect& bar);
};

// Vertical bars on the tablet, growing up from a fixed bottom edge, with an
// 18-point stub standing for 0.
class TabletBars {
public:
    static constexpr float stub = 18;
    static constexpr float labelAboveBar = 25;
    static constexpr float containerAboveBar = 29;

    static float pointsPerMsv(float zeroTickY, float topTickY, float scale);
    static Rect barFrame(const Rect& bar, float value, float pointsPerMsv);
    // The value label and the bubble behind it move with the bar's top.
    static Rect valueLabelFrame(const Rect& label, float barTop);
    static Rect valueContainerFrame(const Rect& container, float barTop);
};

} // namespace mevara
