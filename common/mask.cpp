#include "common/mask.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/number.h"

namespace fenmark::common {

namespace {

// The decimal digits of a whole, non-negative double (which may exceed any
// integer type).
std::string wholeDigits(double magnitude) {
    // Below 2^63 the integer conversion is exact and far cheaper than printf.
    if (magnitude < 9.2e18) {
        char digits[32];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(magnitude)).ptr;
        return std::string(digits, end);
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
    return buffer;
}

bool isPlace(char c) { return c == '#' || c == '0'; }

std::string formatGrouped(const std::string& digits, std::string_view mask) {
    std::size_t forced = 0;
    for (char c : mask) {
        if (c == '0') ++forced;
    }
    std::string shown = digits == "0" ? std::string() : digits;
    while (shown.size() < forced) shown.insert(shown.begin(), '0');
    std::string out;
    const std::size_t n = shown.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out.push_back(',');
        out.push_back(shown[i]);
    }
    return out;
}

std::string formatTemplate(const std::string& digits, std::string_view mask) {
    std::string out;
    std::size_t next = digits.size();  // digits still to place, taken from the right
    for (std::size_t m = mask.size(); m-- > 0;) {
        const char c = mask[m];
        if (!isPlace(c)) {
            out.insert(out.begin(), c);
            continue;
        }
        if (next > 0) {
            out.insert(out.begin(), digits[--next]);
        } else if (c == '0') {
            out.insert(out.begin(), '0');
        }
    }
    out.insert(0, digits.substr(0, next));
    return out;
}

}  // namespace

std::string formatNumber(double value, std::string_view mask) {
    if (!std::isfinite(value)) return {};
    // std::round, not floor(x + 0.5): the largest double below one half plus
    // one half rounds up to 1 in binary, and would show -0.49999… as "-1".
    const double magnitude = std::round(std::fabs(value));
    const std::string digits = wholeDigits(magnitude);
    const bool grouped = mask.find(',') != std::string_view::npos;
    std::string out = grouped ? formatGrouped(digits, mask) : formatTemplate(digits, mask);
    if (value < 0 && magnitude > 0) out.insert(out.begin(), '-');
    return out;
}

std::string formatText(std::string_view text, std::string_view mask) {
    if (!isNumber(text)) return std::string(text);
    const double value = leadingNumber(text);
    if (!std::isfinite(value)) return std::string(text);
    return formatNumber(value, mask);
}

}  // namespace fenmark::common
