#pragma once

#include "Date.h"

#include <functional>

namespace mevara {

// The wall-clock time. Tests replace the source so that time is an input.
class Clock {
public:
    using Source = std::function<Date()>;

    static Date now();
    static void setSource(Source source);
    static void reset();
};

} // namespace mevara
