#include "common/number.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace fenmark::common {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` (0 when there is none).
std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t fraction = 0;
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    return digits == 0 ? 0 : i;
}

std::string_view skipLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return text.substr(i);
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    text = skipLeadingBlanks(text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

double leadingNumber(std::string_view text) {
    text = skipLeadingBlanks(text);
    const std::size_t length = numberLength(text);
    if (length == 0) return 0.0;
    // from_chars reads independently of the C locale (a Qt program sets it from
    // the environment) and takes no leading '+'.
    std::string_view digits = text.substr(0, length);
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range either way: beyond the largest double when the whole
        // part has a digit other than 0, else below the smallest, which is 0.
        const std::string_view whole = digits.substr(0, digits.find('.'));
        value = whole.find_first_not_of('0') != std::string_view::npos
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> wholeNumber(double value) {
    if (!std::isfinite(value) || value != std::floor(value)) return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool isNumber(std::string_view text) {
    text = trimBlanks(text);
    return !text.empty() && numberLength(text) == text.size();
}

std::string numberText(double value) {
    if (!std::isfinite(value)) return {};
    // Whole numbers, nearly all there are, without the cost of printf.
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char digits[32];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
        return std::string(digits, end);
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace fenmark::common
