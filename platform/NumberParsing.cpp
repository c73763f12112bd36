#include "NumberParsing.h"

#include "Unicode.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

namespace mevara::numbers {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t digitsAt(std::string_view s, std::size_t i) {
    std::size_t n = 0;
    while (i + n < s.size() && isDigit(s[i + n]))
        ++n;
    return n;
}

} // namespace

float leadingFloat(std::string_view text) {
    std::string_view s = unicode::afterLeadingWhiteSpace(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t whole = digitsAt(s, i);
    i += whole;
    std::size_t fraction = 0;
    if (i < s.size() && s[i] == '.') {
        fraction = digitsAt(s, i + 1);
        if (whole > 0 || fraction > 0) i += 1 + fraction;
    }
    if (whole == 0 && fraction == 0) return 0.0f;
    // The exponent counts only when digits follow it.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t exponent = digitsAt(s, j);
        if (exponent > 0) i = j + exponent;
    }
    std::string number(s.substr(mantissaStart, i - mantissaStart));
    if (number.front() == '.') number.insert(number.begin(), '0');
    // Underflow is a tiny value, overflow is garbage.
    const float value = exactFloat(number).value_or(0.0f);
    return negative ? -value : value;
}

std::optional<float> exactFloat(std::string_view text) {
    float value = 0.0f;
#ifdef __cpp_lib_to_chars
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) return std::nullopt;
#else
    // The browser's C library has no floating from_chars; strtof reads the same digits in
    // the "C" numeric locale the program never leaves, once what it reads beyond them
    // (space, a plus sign, hexadecimal) is turned away.
    if (text.empty() || text.front() == '+' ||
        std::isspace(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    if (text.find_first_of("xX") != std::string_view::npos) return std::nullopt;
    const std::string copy(text);
    char* stop = nullptr;
    errno = 0;
    value = std::strtof(copy.c_str(), &stop);
    if (errno == ERANGE || stop != copy.c_str() + copy.size()) return std::nullopt;
#endif
    return value;
}

std::int64_t leadingInteger(std::string_view text) {
    std::string_view s = unicode::afterLeadingWhiteSpace(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t n = digitsAt(s, i);
    if (n == 0) return 0;
    // Accumulate towards the sign so that the most negative value fits.
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (std::size_t k = 0; k < n; ++k) {
        int digit = s[i + k] - '0';
        if (negative) {
            if (value < (min + digit) / 10) return min;
            value = value * 10 - digit;
        } else {
            if (value > (max - digit) / 10) return max;
            value = value * 10 + digit;
        }
    }
    return value;
}

} // namespace mevara::numbers
