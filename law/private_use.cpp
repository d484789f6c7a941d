#include "law/private_use.h"

#include <algorithm>

#include "common/exact.h"
#include "law/rate_tables.h"

namespace fenmark::law {

namespace {

// "1,000,000"; "0" for nothing.
std::string yen(std::int64_t amount) {
    const std::string digits = std::to_string(amount);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && digits[i - 1] != '-') grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

std::string PrivateUseLoss::text() const {
    std::string text = yen(cost) + " × 0.9 × " + rate + " × " + std::to_string(years) + "年 ＝ " +
                       yen(amount) + "円";
    if (capped) text += "（取得価額の95%まで）";
    return text;
}

std::optional<PrivateUseLoss> privateUseLoss(std::int64_t cost, int life, YearMonth acquired,
                                             YearMonth started, std::int16_t roundingFlag) {
    if (cost < 0 || life < 1 || life > 1000) return std::nullopt;
    const int months = (started.year * 12 + started.month) - (acquired.year * 12 + acquired.month);
    if (months < 0) return std::nullopt;
    PrivateUseLoss loss;
    loss.cost = cost;
    loss.extendedLife = life * 3 / 2;
    const std::string entry = lookupEntry(oldRateTable(), std::to_string(loss.extendedLife));
    if (entry.empty()) return std::nullopt;
    loss.rate = firstFive(entry);
    loss.years = months / 12 + (months % 12 >= 6 ? 1 : 0);
    const common::Exact product = common::Exact(cost) * common::Exact::ratio(9, 10) *
                                  common::readDecimal(loss.rate) * loss.years;
    const std::int64_t amount = common::roundByFlag(product, roundingFlag);
    const std::int64_t cap =
        common::roundByFlag(common::Exact(cost) * common::Exact::ratio(95, 100), roundingFlag);
    loss.capped = amount > cap;
    loss.amount = std::min(amount, cap);
    return loss;
}

}  // namespace fenmark::law
