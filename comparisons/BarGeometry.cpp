#include "BarGeometry.h"

namespace mevara {

float HandsetBars::width(float value, float scale) {
    return static_cast<float>((fullLength / scale) * value);
}

Rect HandsetBars::barFrame(const Rect& bar, float value, float scale) {
    return {bar.x, bar.y, width(value, scale), bar.height};
}

Rect HandsetBars::shadowFrame(const Rect& bar) {
    return {bar.x + bar.width, bar.y, shadowWidth, bar.height};
}

float TabletBars::pointsPerMsv(float zeroTickY, float topTickY, float scale) {
    return (zeroTickY - topTickY) / scale;
}

Rect TabletBars::barFrame(const Rect& bar, float value, float pointsPerMsv) {
    float height = value * pointsPerMsv + stub;
    float bottom = bar.y + bar.height;
    return {bar.x, bottom - height, bar.width, height};
}

Rect TabletBars::valueLabelFrame(const Rect& label, float barTop) {
    return {label.x, barTop - labelAboveBar, label.width, label.height};
}

Rect TabletBars::valueContainerFrame(const Rect& container, float barTop) {
    return {container.x, barTop - containerAboveBar, container.width, container.height};
}

} // namespace mevara
