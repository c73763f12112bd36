#include "ChartText.h"

#include "platform/LocaleFormat.h"
#include "platform/NumberParsing.h"

#include <cmath>

namespace mevara {

std::string ChartText::shortText(double value) {
    return LocaleFormat::shortText(value);
}

std::string ChartText::twoDecimalText(float value) {
    return LocaleFormat::twoDecimalText(value);
}

float ChartText::valueOfText(std::string_view text) {
    return numbers::leadingFloat(text);
}

// Kept as doubles: a huge total must not overflow an integer conversion.
double ChartText::monthsOfNaturalExposure(float total) {
    return std::trunc(static_cast<double>(total) / 9.0 * 36.0 + 0.5);
}

double ChartText::chestXrays(float total) {
    return std::trunc(static_cast<double>(total) / 0.02);
}

} // namespace mevara
