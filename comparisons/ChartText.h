#pragma once

#include <string>
#include <string_view>

namespace mevara {

// The number texts of the charts and the equivalents derived from a total.
class ChartText {
public:
    // "10", "4.5", "17.25": general notation, seven significant digits at most.
    static std::string shortText(double value);
    // "7.50", "1,234.50": the locale's decimal style with two fraction digits.
    static std::string twoDecimalText(float value);
    // A label's text read back as a number; an empty text is 0.
    static float valueOfText(std::string_view text);

    // The total at 0.25 mSv a month, rounded half up.
    static double monthsOfNaturalExposure(float total);
    // The total at 0.02 mSv a chest x-ray, truncated.
    static double chestXrays(float total);
};

} // namespace mevara
