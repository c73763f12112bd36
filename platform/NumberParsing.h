#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reading a number from the start of a text, the lenient way the device's
// strings do: leading white space is skipped and reading stops at the first
// character that cannot continue the number. No number reads as 0.
namespace mevara::numbers {

// Optional sign, digits with an optional decimal point, optional exponent.
// A value beyond the float range reads as 0.
float leadingFloat(std::string_view text);

// Optional sign and decimal digits; values beyond the range clamp to its ends.
std::int64_t leadingInteger(std::string_view text);

// The whole text as one float in plain decimal or exponent form (no leading space or
// plus sign), as std::from_chars reads it. Nothing when it is not exactly that, or lies
// beyond the float range.
std::optional<float> exactFloat(std::string_view text);

} // namespace mevara::numbers
