#include "BarScale.h"

namespace mevara {

float BarScale::scaleFor(float largestValue, float previousScale) {
    for (float s : sequence) {
        if (largestValue <= s) return s;
    }
    // NaN also lands here and keeps the chart as it was.
    return previousScale > 0 ? previousScale : sequence.back();
}

std::array<float, 5> BarScale::tickValues(float scale) {
    return {scale / 5, static_cast<float>((scale + scale) / 5.0),
            static_cast<float>((3 * scale) / 5.0), static_cast<float>((4 * scale) / 5.0), scale};
}

} // namespace mevara
