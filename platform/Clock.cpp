#include "Clock.h"

namespace mevara {

namespace {
Clock::Source& source() {
    static Clock::Source s;
    return s;
}
} // namespace

Date Clock::now() {
    if (source()) return source()();
    return std::chrono::time_point_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now());
}

void Clock::setSource(Source s) {
    source() = std::move(s);
}

void Clock::reset() {
    source() = nullptr;
}

} // namespace mevara
