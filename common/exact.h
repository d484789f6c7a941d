#pragma once
// Exact arithmetic on money: whole yen and exact decimal rates. A rate such
// as 0.142 is held as 142 thousandths, never as a binary fraction, and a
// product such as 800,000 x 0.142 x 6/12 is the exact fraction 56,800 until
// the one point where the rules round it.
//
//   const Exact amount = Exact(800000) * readDecimal("0.142") * 6 / 12;
//   amount.ceil() == 56800;  amount.floor() == 56800
//
// Every operation throws OverflowError (common/convert.h) when a value
// leaves the range the rules can hold (far beyond any cost of 32 bits).

#include <cstdint>
#include <string_view>

#include "common/convert.h"

namespace fenmark::common {

__extension__ typedef __int128 Int128;

// An exact rational number num / den with den > 0. It is not reduced: the
// rules chain few factors (cost, rate, months, share), whose denominators
// are powers of ten and 12, so the terms stay far inside 128 bits, and
// leaving out the reduction keeps a schedule as fast as the binary
// arithmetic it replaces. The operations are inline for the same reason.
class Exact {
  public:
    Exact() = default;
    // A whole number.
    Exact(std::int64_t whole) : num_(whole), den_(1) {}  // NOLINT: implicit by design
    // num / den; throws OverflowError for den 0.
    static Exact ratio(Int128 num, Int128 den) {
        if (den == 0) overflow();
        if (den < 0) {
            num = -num;
            den = -den;
        }
        check(num);
        check(den);
        Exact e;
        e.num_ = num;
        e.den_ = den;
        return e;
    }

    friend Exact operator+(const Exact& a, const Exact& b) {
        if (a.den_ == b.den_) return ratio(a.num_ + b.num_, a.den_);
        return ratio(multiply(a.num_, b.den_) + multiply(b.num_, a.den_), multiply(a.den_, b.den_));
    }
    friend Exact operator-(const Exact& a, const Exact& b) {
        if (a.den_ == b.den_) return ratio(a.num_ - b.num_, a.den_);
        return ratio(multiply(a.num_, b.den_) - multiply(b.num_, a.den_), multiply(a.den_, b.den_));
    }
    friend Exact operator*(const Exact& a, const Exact& b) {
        return ratio(multiply(a.num_, b.num_), multiply(a.den_, b.den_));
    }
    friend Exact operator/(const Exact& a, const Exact& b) {
        if (b.num_ == 0) overflow();
        return ratio(multiply(a.num_, b.den_), multiply(a.den_, b.num_));
    }
    friend bool operator==(const Exact& a, const Exact& b) {
        return multiply(a.num_, b.den_) == multiply(b.num_, a.den_);
    }
    friend bool operator<(const Exact& a, const Exact& b) {
        return multiply(a.num_, b.den_) < multiply(b.num_, a.den_);
    }
    friend bool operator<=(const Exact& a, const Exact& b) { return !(b < a); }
    friend bool operator>(const Exact& a, const Exact& b) { return b < a; }
    friend bool operator>=(const Exact& a, const Exact& b) { return !(a < b); }

    // Rounded up (toward +infinity) and down (toward -infinity) to whole yen.
    [[nodiscard]] std::int64_t ceil() const {
        if (fits64()) {
            const auto n = static_cast<std::int64_t>(num_);
            const auto d = static_cast<std::int64_t>(den_);
            const std::int64_t q = n / d;
            return q * d != n && n > 0 ? q + 1 : q;
        }
        Int128 q = num_ / den_;
        if (q * den_ != num_ && num_ > 0) ++q;
        return narrow(q);
    }
    [[nodiscard]] std::int64_t floor() const {
        if (fits64()) {
            const auto n = static_cast<std::int64_t>(num_);
            const auto d = static_cast<std::int64_t>(den_);
            const std::int64_t q = n / d;
            return q * d != n && n < 0 ? q - 1 : q;
        }
        Int128 q = num_ / den_;
        if (q * den_ != num_ && num_ < 0) --q;
        return narrow(q);
    }
    // To the nearest whole number, halves away from zero (as amounts are shown).
    [[nodiscard]] std::int64_t nearest() const {
        if (fits64() && den_ < (static_cast<Int128>(1) << 30) && num_ < k62 / 4 &&
            num_ > -k62 / 4) {
            const auto n = static_cast<std::int64_t>(num_);
            const auto d = static_cast<std::int64_t>(den_);
            const std::int64_t m = n < 0 ? -n : n;
            const std::int64_t q = (2 * m + d) / (2 * d);
            return n < 0 ? -q : q;
        }
        return nearestWide();
    }
    [[nodiscard]] bool whole() const { return num_ % den_ == 0; }
    // Only for display and for tests: the nearest double.
    [[nodiscard]] double approximate() const;

  private:
    [[nodiscard]] std::int64_t nearestWide() const;
    // Far beyond every amount of the rules (a cost of 2^31 yen times a rate
    // of 10^6 times 12 months), and far below where a product could wrap.
    static constexpr Int128 kLimit = static_cast<Int128>(1) << 100;
    static constexpr Int128 k62 = static_cast<Int128>(1) << 62;

    [[noreturn]] static void overflow();
    static void check(Int128 v) {
        if (v > kLimit || v < -kLimit) overflow();
    }
    static Int128 multiply(Int128 a, Int128 b) {
        // Two factors below 2^62 cannot overflow 128 bits; only the limit is
        // checked then.
        if (a < k62 && a > -k62 && b < k62 && b > -k62) {
            const Int128 product = a * b;
            check(product);
            return product;
        }
        Int128 product = 0;
        if (__builtin_mul_overflow(a, b, &product)) overflow();
        check(product);
        return product;
    }
    // Both terms in 62 bits: int64 division is exact and far cheaper.
    [[nodiscard]] bool fits64() const { return num_ < k62 && num_ > -k62 && den_ < k62; }
    static std::int64_t narrow(Int128 v) {
        if (v > INT64_MAX || v < INT64_MIN) overflow();
        return static_cast<std::int64_t>(v);
    }

    Int128 num_ = 0;
    Int128 den_ = 1;
};

// The leading number of `text` read exactly, by the grammar of
// leadingNumber (common/number.h): blanks, [sign] digits [. digits]; 0 when
// there is none. Fraction digits beyond the 18th are dropped (no rate has
// them); a whole part beyond 18 digits throws OverflowError.
//   readDecimal("0.142") == Exact::ratio(142, 1000), readDecimal(" 95%") == 95
[[nodiscard]] Exact readDecimal(std::string_view text);

// By the rounding flag: 0 rounds up (切上げ), anything else down (切捨て).
[[nodiscard]] inline std::int64_t roundByFlag(const Exact& value, std::int16_t roundingFlag) {
    return roundingFlag == 0 ? value.ceil() : value.floor();
}

}  // namespace fenmark::common
