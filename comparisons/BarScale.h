#pragma once

#include <array>

namespace mevara {

// The end value of a chart's axis, chosen from a fixed sequence, and the values
// of its five ticks above zero.
class BarScale {
public:
    static constexpr std::array<float, 12> sequence{10,   20,   50,    100,   150,    200,
                                                    1000, 5000, 10000, 50000, 100000, 500000};

    // The smallest member of the sequence at or above the largest value (10 for
    // anything up to 10). Beyond the sequence the previous scale stays; when
    // there is none yet (0) the top of the sequence is used.
    static float scaleFor(float largestValue, float previousScale);

    // k * scale / 5 for k = 1 to 5, computed in the precisions the charts have
    // always used so that the tick texts stay the same.
    static std::array<float, 5> tickValues(float scale);
};

} // namespace mevara
