#include "law/municipal_rates.h"

#include <array>
#include <string>

#include "common/exact.h"
#include "law/rate_tables.h"

namespace fenmark::law {

namespace {

struct Printed {
    int life;
    int rate;  // thousandths
};

// 固定資産評価基準 別表第15, as printed.
constexpr std::array<Printed, 51> kPrinted = {{
    {2, 684},  {3, 536},  {4, 438},  {5, 369},  {6, 319},  {7, 280},  {8, 250},  {9, 226},
    {10, 206}, {11, 189}, {12, 175}, {13, 162}, {14, 152}, {15, 142}, {16, 134}, {17, 127},
    {18, 120}, {19, 114}, {20, 109}, {21, 104}, {22, 99},  {23, 95},  {24, 92},  {25, 88},
    {26, 85},  {27, 82},  {28, 79},  {29, 76},  {30, 74},  {31, 72},  {32, 69},  {33, 67},
    {34, 66},  {35, 64},  {36, 62},  {37, 60},  {38, 59},  {39, 57},  {40, 56},  {41, 55},
    {42, 53},  {43, 52},  {44, 51},  {45, 50},  {46, 49},  {47, 48},  {48, 47},  {49, 46},
    {50, 45},  {55, 41},  {60, 38},
}};

std::optional<int> printed(int life) {
    for (const Printed& entry : kPrinted) {
        if (entry.life == life) return entry.rate;
    }
    return std::nullopt;
}

}  // namespace

bool printedReductionRate(int life) { return printed(life).has_value(); }

std::optional<int> reductionRate(int life) {
    if (life < 2 || life > 100) return std::nullopt;
    if (const auto rate = printed(life)) return rate;
    const std::string entry = lookupEntry(oldRateTable(), std::to_string(life));
    if (entry.empty()) return std::nullopt;
    const common::Exact rate = common::readDecimal(lastFive(entry)) * common::Exact(1000);
    return static_cast<int>(rate.nearest());
}

std::optional<int> firstYearRate(int life) {
    const std::optional<int> r = reductionRate(life);
    if (!r) return std::nullopt;
    // 1 − r/2 in ten-thousandths (r/2 has at most four places), truncated
    // to thousandths.
    return (10000 - *r * 5) / 10;
}

std::optional<int> laterYearRate(int life) {
    const std::optional<int> r = reductionRate(life);
    if (!r) return std::nullopt;
    return 1000 - *r;
}

}  // namespace fenmark::law
