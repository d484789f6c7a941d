// Exact money arithmetic: decimal rates read as written, products rounded
// once, and no binary fraction anywhere.

#include <gtest/gtest.h>

#include "common/exact.h"

namespace fenmark::common {
namespace {

TEST(Exact, ReadsRatesAsWritten) {
    struct Case {
        const char* text;
        Exact value;
    };
    const Case cases[] = {
        {"0.142", Exact::ratio(142, 1000)},
        {"0.206", Exact::ratio(206, 1000)},
        {"0.333 ", Exact::ratio(333, 1000)},
        {" 95", Exact(95)},
        {"0.04448", Exact::ratio(4448, 100000)},
        {"-1.5", Exact::ratio(-3, 2)},
        {".5", Exact::ratio(1, 2)},
        {"12.", Exact(12)},
        {"1e10", Exact(1)},
        {"abc", Exact(0)},
        {"", Exact(0)},
        {"+", Exact(0)},
        {"1,000", Exact(1)},
    };
    for (const Case& c : cases) EXPECT_EQ(readDecimal(c.text), c.value) << c.text;
    EXPECT_THROW((void)readDecimal(std::string(30, '9')), OverflowError);
    // Fraction digits past the 18th are dropped, not refused.
    EXPECT_EQ(readDecimal("0.5" + std::string(40, '0') + "1"), Exact::ratio(1, 2));
}

TEST(Exact, ProductsAreRoundedOnceWhereTheRulesRoundThem) {
    const auto product = [](std::int64_t cost, const char* rate, int months) {
        return Exact(cost) * readDecimal(rate) * months / 12;
    };
    // The binary fractions of these rates once added a yen under 切上げ.
    EXPECT_EQ(product(800000, "0.142", 6).ceil(), 56800);
    EXPECT_EQ(product(1000000, "0.206", 12).ceil(), 206000);
    EXPECT_EQ(product(1000000, "0.206", 12).floor(), 206000);
    // Above 2^24 yen every yen counts.
    EXPECT_EQ(product(20922131, "0.053", 12).floor(), 1108872);
    EXPECT_EQ(product(20922131, "0.053", 12).ceil(), 1108873);
    EXPECT_EQ(product(2147483646, "0.041", 5).ceil(), 36686179);
    // Negative amounts round toward their own infinities.
    EXPECT_EQ(Exact::ratio(-7, 2).ceil(), -3);
    EXPECT_EQ(Exact::ratio(-7, 2).floor(), -4);
    // Shown amounts round halves away from zero.
    EXPECT_EQ(Exact::ratio(5, 2).nearest(), 3);
    EXPECT_EQ(Exact::ratio(-5, 2).nearest(), -3);
    EXPECT_EQ(Exact::ratio(24, 10).nearest(), 2);
}

TEST(Exact, ComparesAndRefusesWhatCannotBeHeld) {
    EXPECT_LT(Exact::ratio(1, 3), Exact::ratio(34, 100));
    EXPECT_EQ(Exact::ratio(2, 4), Exact::ratio(1, 2));
    EXPECT_GE(Exact(5), Exact::ratio(10, 2));
    EXPECT_THROW((void)Exact::ratio(1, 0), OverflowError);
    EXPECT_THROW((void)(Exact(1) / Exact(0)), OverflowError);
    Exact big = Exact(1) * 1000000000000;
    EXPECT_THROW(
        {
            for (int i = 0; i < 5; ++i) big = big * big;
        },
        OverflowError);
}

}  // namespace
}  // namespace fenmark::common
