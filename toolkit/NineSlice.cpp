#include "toolkit/NineSlice.h"

#include <algorithm>
#include <cmath>

namespace mevara {

int snapToPixel(float v) {
    return static_cast<int>(std::floor(v + 0.5f));
}

Span deviceSpan(float origin, float scale, float start, float length) {
    const float a = origin + scale * start;
    const float b = origin + scale * (start + length);
    return a <= b ? Span{a, b, false} : Span{b, a, true};
}

SliceAxis sliceAxis(float pictureSize, float fixedStart, float stretch, float texels,
                    float devStart, float devLength, float devScale) {
    SliceAxis axis;
    fixedStart = std::clamp(fixedStart, 0.0f, pictureSize);
    stretch = std::clamp(stretch, 0.0f, pictureSize - fixedStart);
    const float fixedEnd = pictureSize - fixedStart - stretch;

    const int total = snapToPixel(pictureSize * texels);
    int s1 = std::clamp(snapToPixel(fixedStart * texels), 0, total);
    int s2 = std::clamp(snapToPixel((fixedStart + stretch) * texels), s1, total);
    // A stretching part narrower than a texel still needs one texel to draw.
    if (s2 == s1 && total > 0) {
        if (s2 < total)
            ++s2;
        else
            --s1;
    }
    axis.src[0] = 0;
    axis.src[1] = s1;
    axis.src[2] = s2;
    axis.src[3] = total;

    float head = fixedStart * devScale;
    float tail = fixedEnd * devScale;
    if (head + tail > devLength && head + tail > 0) {
        const float k = devLength / (head + tail);
        head *= k;
        tail *= k;
    }
    const int d0 = snapToPixel(devStart);
    const int d3 = std::max(d0, snapToPixel(devStart + devLength));
    const int d1 = std::clamp(snapToPixel(devStart + head), d0, d3);
    const int d2 = std::clamp(snapToPixel(devStart + devLength - tail), d1, d3);
    axis.dst[0] = d0;
    axis.dst[1] = d1;
    axis.dst[2] = d2;
    axis.dst[3] = d3;
    return axis;
}

} // namespace mevara
