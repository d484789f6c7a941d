#include "common/exact.h"

#include <cstddef>

#include "common/number.h"

namespace fenmark::common {

void Exact::overflow() { throw OverflowError("オーバーフローしました。"); }

std::int64_t Exact::nearestWide() const {
    // Halves away from zero: floor(|x| + 1/2) with the sign put back.
    const Int128 m = num_ < 0 ? -num_ : num_;
    const Int128 q = (2 * m + den_) / (2 * den_);
    return num_ < 0 ? -narrow(q) : narrow(q);
}

double Exact::approximate() const { return static_cast<double>(num_) / static_cast<double>(den_); }

Exact readDecimal(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Up to 18 whole and 18 fraction digits, each part held in 64 bits.
    std::int64_t whole = 0;
    int wholeDigits = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        any = true;
        if (whole != 0 || text[i] != '0') ++wholeDigits;
        if (wholeDigits > 18) throw OverflowError("オーバーフローしました。");
        whole = whole * 10 + (text[i] - '0');
    }
    std::int64_t fraction = 0;
    std::int64_t scale = 1;
    if (i + 1 < text.size() && text[i] == '.' && text[i + 1] >= '0' && text[i + 1] <= '9') {
        int fractionDigits = 0;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            any = true;
            if (fractionDigits == 18) continue;
            ++fractionDigits;
            fraction = fraction * 10 + (text[i] - '0');
            scale *= 10;
        }
    }
    if (!any) return Exact(0);
    const Int128 units = static_cast<Int128>(whole) * scale + fraction;
    return Exact::ratio(negative ? -units : units, scale);
}

}  // namespace fenmark::common
