#include "NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace kova {
namespace {

template <typename T> T ParseInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned long long value = 0;
    constexpr unsigned long long kLimit =
        static_cast<unsigned long long>(std::numeric_limits<T>::max()) + 1;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const auto digit = static_cast<unsigned long long>(text[i] - '0');
        // Past the limit the value saturates; the digits are still consumed.
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    if (negative)
        return value >= kLimit ? std::numeric_limits<T>::min()
                               : static_cast<T>(-static_cast<long long>(value));
    return value >= kLimit ? std::numeric_limits<T>::max() : static_cast<T>(value);
}

} // namespace

int ParseInt(const std::string& text) {
    return ParseInteger<int>(text);
}
long ParseLong(const std::string& text) {
    return ParseInteger<long>(text);
}

double ParseDouble(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && text[i] == '-') return 0.0; // "+-1" is no number
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value unset; strtod gives +-HUGE_VAL or 0.
        bool tiny = false;
        for (const char* p = first; p < result.ptr; ++p)
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 < result.ptr && p[1] == '-';
                break;
            }
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string FormatInt(long value) {
    return std::to_string(value);
}

std::string FormatFixed(double value, int decimals) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[400];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::string FormatFixed6(double value) {
    return FormatFixed(value, 6);
}

} // namespace kova
