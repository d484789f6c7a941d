#pragma once
// The small-asset rules: which acquisitions may be written off in three
// equal parts (一括償却資産, 所得税法施行令138条) or expensed at once
// (少額減価償却資産の特例, 租税特別措置法28条の2). Both look at the price of
// one unit. Dates are keys: the year followed by month + 10 (April 2006 is
// 200614).

#include <cstdint>

namespace fenmark::law {

// 一括償却資産: a unit price from 100,000 yen to below 200,000 yen; below
// that the cost is an expense of the year.
inline constexpr std::int32_t kLumpSumFloor = 100000;
inline constexpr std::int32_t kLumpSumLimit = 200000;

// 少額減価償却資産の特例: acquisitions from April 2006 to March 2029, a unit
// price below 300,000 yen, below 400,000 yen from April 2026.
inline constexpr std::int32_t kSmallAssetFirstKey = 200614;
inline constexpr std::int32_t kSmallAssetRaisedKey = 202614;
inline constexpr std::int32_t kSmallAssetLastKey = 202913;
inline constexpr std::int32_t kSmallAssetLimit = 300000;
inline constexpr std::int32_t kSmallAssetRaisedLimit = 400000;

}  // namespace fenmark::law
