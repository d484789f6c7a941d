#pragma once
// A private asset put to business use (所得税法施行令 85条, 135条): the value
// lost while it was private, which fixes the book value it enters the
// business with.
//
//   loss = cost x 0.9 x the 旧定額法 rate of floor(life x 1.5) years
//          x the years from acquisition to business use
//
// where a remainder of 6 months or more counts as a year and less is
// dropped, the product rounded once by the rounding choice and never above
// 95 % of the cost (rounded the same way); there is no five-year tail.
//
//   privateUseLoss(1000000, 6, {2008, 1}, {2010, 1}, 0)->amount == 199800

#include <cstdint>
#include <optional>
#include <string>

#include "law/era.h"

namespace fenmark::law {

struct PrivateUseLoss {
    std::int64_t cost = 0;
    // floor(life x 1.5) and the 旧定額法 rate of that life ("0.111").
    int extendedLife = 0;
    std::string rate;
    // Whole years of private use, a remainder of 6 months or more counted.
    int years = 0;
    // The value lost, and whether 95 % of the cost cut it.
    std::int64_t amount = 0;
    bool capped = false;
    // The book value at conversion: cost - amount.
    [[nodiscard]] std::int64_t bookValue() const { return cost - amount; }
    // The computation as the card shows it:
    // "1,000,000 × 0.9 × 0.111 × 2年 ＝ 199,800円", with
    // "（取得価額の95%まで）" added where the cap applied.
    [[nodiscard]] std::string text() const;
};

// The loss of an asset of `cost` yen and statutory `life` years acquired in
// `acquired` and put to business use in `started`. Nothing when the life
// has no rate (floor(life x 1.5) outside 2..100), the business start is
// before the acquisition, or the cost is negative.
[[nodiscard]] std::optional<PrivateUseLoss> privateUseLoss(std::int64_t cost, int life,
                                                           YearMonth acquired, YearMonth started,
                                                           std::int16_t roundingFlag);

}  // namespace fenmark::law
