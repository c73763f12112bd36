#pragma once

#include <chrono>

namespace mevara {

// A moment in time. Microseconds since the Unix epoch: exact for every date a
// property list can hold, and cheap to compare.
using Date = std::chrono::sys_time<std::chrono::microseconds>;

} // namespace mevara
