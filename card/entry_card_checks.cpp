#include "card/entry_card_checks.h"

#include <algorithm>
#include <cstdint>

#include "card/entry_card.h"
#include "card/entry_card_text.h"
#include "common/number.h"
#include "law/era.h"
#include "law/small_assets.h"
#include "platform/text_file.h"
#include "register/extended_columns.h"

namespace fenmark::card {

namespace {

// 一括償却 and 少額特例 take their amounts whatever the asset's past: there
// is neither an opening to carry nor a private time to deduct.
bool lumpSum(std::string_view method) { return method == "2" || method == "6"; }

// The acquisition as a count of months, where the texts give one. Records
// of older versions may hold other forms; they are not judged by them.
std::optional<std::int64_t> acquiredMonths(const AssetTexts& asset) {
    const auto year = reg::plainDigits(asset.westernYear);
    const auto month = reg::plainDigits(asset.month);
    if (!year || !month || *month < 1 || *month > 12) return std::nullopt;
    return *year * 12 + *month;
}

}  // namespace

bool takesRevisedBase(std::string_view method, std::string_view westernYear,
                      std::string_view month) {
    if (method != "4") return false;
    const auto year = reg::plainDigits(westernYear);
    const auto m = reg::plainDigits(month);
    return year && m && *year * 100 + *m >= 200704;
}

Refusal businessStartRefusal(const AssetTexts& asset, std::string_view start, Today today) {
    if (start.empty()) return std::nullopt;
    if (lumpSum(asset.method)) return kMsgBusinessStartLumpSum;
    const auto started = law::parseYearMonth(start);
    if (!started) return kMsgBadBusinessStart;
    const std::int64_t months = std::int64_t{started->year} * 12 + started->month;
    if (const auto acquired = acquiredMonths(asset); acquired && months < *acquired) {
        return kMsgBusinessStartBeforeAcquisition;
    }
    if (months > std::int64_t{today.year} * 12 + today.month) return kMsgBusinessStartInFuture;
    return std::nullopt;
}

Refusal carriedPairRefusal(std::string_view year, std::string_view bookValue,
                           std::string_view revisedBase) {
    if (year.empty() != bookValue.empty()) return kMsgCarriedIncomplete;
    if (year.empty() && !revisedBase.empty()) return kMsgCarriedIncomplete;
    return std::nullopt;
}

Refusal carriedYearRefusal(const AssetTexts& asset, std::string_view year, std::string_view start,
                           std::string_view storedYear, Today today) {
    if (year.empty()) return std::nullopt;
    if (lumpSum(asset.method)) return kMsgCarriedLumpSum;
    const auto value = year.size() == 4 ? reg::plainDigits(year) : std::nullopt;
    if (!value) return kMsgBadCarriedYear;
    // The opening of the year of acquisition is the cost itself: a carried
    // opening starts from the year after.
    if (const auto acquired = reg::plainDigits(asset.westernYear);
        acquired && *value <= *acquired) {
        return kMsgCarriedYearNotAfterAcquisition;
    }
    if (const auto started = law::parseYearMonth(start); started && *value <= started->year) {
        return kMsgCarriedYearNotAfterBusinessStart;
    }
    if (*value > today.year && year != storedYear) return kMsgCarriedYearInFuture;
    return std::nullopt;
}

Refusal carriedBookValueRefusal(const AssetTexts& asset, std::string_view bookValue) {
    if (bookValue.empty()) return std::nullopt;
    const auto book = reg::plainDigits(bookValue);
    if (!book) return kMsgBadCarriedBook;
    const auto cost = reg::plainDigits(asset.cost);
    if (cost && *book > *cost) return kMsgCarriedBookAboveCost;
    // What depreciation never takes: 1 yen a unit, but never more than the
    // cost of an asset cheaper than its units.
    const auto quantity = reg::plainDigits(asset.quantity);
    std::int64_t memorandum = quantity && *quantity >= 1 ? *quantity : 1;
    if (cost) memorandum = std::min(memorandum, *cost);
    if (*book < memorandum) return kMsgCarriedBookBelowMemorandum;
    return std::nullopt;
}

Refusal revisedBaseRefusal(const AssetTexts& asset, std::string_view revisedBase,
                           std::string_view bookValue) {
    if (revisedBase.empty()) return std::nullopt;
    if (!takesRevisedBase(asset.method, asset.westernYear, asset.month)) {
        return kMsgRevisedBaseNotApplicable;
    }
    const auto revised = reg::plainDigits(revisedBase);
    if (!revised) return kMsgBadRevisedBase;
    // The opening book value of the year of the switch: the book values
    // after it are lower.
    if (const auto book = reg::plainDigits(bookValue); book && *revised < *book) {
        return kMsgRevisedBaseBelowBook;
    }
    if (const auto cost = reg::plainDigits(asset.cost); cost && *revised > *cost) {
        return kMsgRevisedBaseAboveCost;
    }
    return std::nullopt;
}

// ---- The base fields ----

namespace {

bool inRange(std::string_view text, long long low, long long high) {
    const auto value = detail::wholeNumber(text);
    return value && *value >= low && *value <= high;
}

Refusal refuseUnless(bool passes, const char* message) {
    if (passes) return std::nullopt;
    return std::string(message);
}

}  // namespace

Refusal nameRefusal(std::string_view name) {
    if (name.find('"') != std::string_view::npos) return std::string(kMsgNameQuote);
    return refuseUnless(platform::isCp932Encodable(name), kMsgNameCharset);
}

Refusal priceRefusal(std::string_view price, bool allowEmpty) {
    return refuseUnless((allowEmpty && price.empty()) || inRange(price, 0, 2147483647),
                        kMsgBadPrice);
}

std::optional<DateRefusal> acquisitionRefusal(int era, std::string_view eraYear,
                                              std::string_view month, Today today) {
    const auto year = detail::wholeNumber(eraYear);
    const int lastYear = era == 0 ? 64 : era == 1 ? 31 : 99;
    if (era < 0 || era > 2 || !year || *year < 1 || *year > lastYear) {
        return DateRefusal{kMsgBadYear, DatePart::year};
    }
    const auto e = static_cast<law::Era>(era);
    const int y = static_cast<int>(*year);
    const auto m = detail::wholeNumber(month);
    if (m && (*m > law::lastMonthOf(e, y) || *m < law::firstMonthOf(e, y))) {
        return DateRefusal{kMsgBadYear, DatePart::year};
    }
    // Nothing can be depreciated before it is bought.
    const int western = law::westernYear(e, y);
    if (western > today.year) return DateRefusal{kMsgAcquisitionInFuture, DatePart::year};
    if (m && western == today.year && *m > today.month) {
        return DateRefusal{kMsgAcquisitionInFuture, DatePart::month};
    }
    return std::nullopt;
}

Refusal quantityRefusal(std::string_view quantity) {
    return refuseUnless(inRange(quantity, 1, 99999), kMsgBadQuantity);
}

Refusal ratioRefusal(std::string_view ratio) {
    return refuseUnless(inRange(ratio, 0, 100), kMsgBadRatio);
}

Refusal lifeRefusal(std::string_view life, bool allowEmpty) {
    return refuseUnless((allowEmpty && life.empty()) || inRange(life, 1, 100), kMsgBadLife);
}

Refusal revisedLifeRefusal(std::string_view life) {
    return refuseUnless(life.empty() || inRange(life, 1, 100), kMsgBadRevisedLife);
}

Refusal residualRefusal(std::string_view residual) {
    return refuseUnless(residual.empty() || inRange(residual, 0, 100), kMsgBadResidual);
}

Refusal limitRefusal(std::string_view limit) {
    return refuseUnless(limit.empty() || inRange(limit, 0, 100), kMsgBadLimit);
}

std::optional<LeavingRefusal> leavingRefusal(const LeavingTexts& leaving,
                                             std::string_view acquiredYear,
                                             std::string_view acquiredMonth, Today today) {
    const auto fail = [](const char* message, LeavingPart part = LeavingPart::date) {
        return std::optional<LeavingRefusal>(LeavingRefusal{message, part});
    };
    if (leaving.eraYear.empty() || leaving.era < 0 || leaving.month < 1) {
        return fail(kMsgNoLeavingDate);
    }
    const auto y = detail::wholeNumber(leaving.eraYear);
    // A year no era reaches is no date (and could not be held as one).
    if (!y || *y < 1 || *y > 99 || leaving.era > 2 || leaving.month > 12) {
        return fail(kMsgBadLeavingDate);
    }
    const auto era = static_cast<law::Era>(leaving.era);
    const int year = law::westernYear(era, static_cast<int>(*y));
    const int eraYear = law::eraYearOf(era, year);
    if (eraYear < 1 || leaving.month > law::lastMonthOf(era, eraYear) ||
        leaving.month < law::firstMonthOf(era, eraYear)) {
        return fail(kMsgBadLeavingDate);
    }
    const double acquired =
        common::leadingNumber(acquiredYear) * 12 + common::leadingNumber(acquiredMonth);
    if (year * 12.0 + leaving.month < acquired) return fail(kMsgLeavingBeforeAcquisition);
    if (year * 12.0 + leaving.month > today.year * 12.0 + today.month) {
        return fail(kMsgLeavingInFuture);
    }
    if (leaving.sale) {
        if (leaving.salePrice.empty()) return fail(kMsgNoSalePrice, LeavingPart::price);
        if (!inRange(leaving.salePrice, 0, 2147483647)) {
            return fail(kMsgBadSalePrice, LeavingPart::price);
        }
    }
    return std::nullopt;
}

double acquisitionDateKey(int westernYear, int month) { return westernYear * 100.0 + month + 10; }

double unitPriceOf(std::string_view price, std::string_view quantity) {
    // The limits of the law are per unit of trade: the price of one.
    const double p = common::leadingNumber(price);
    const double q = common::leadingNumber(quantity);
    return q >= 1 ? p / q : p;
}

const char* lumpSumRefusal(double unitPrice) {
    if (unitPrice < law::kLumpSumFloor || unitPrice >= law::kLumpSumLimit) return kMsgLumpSumLimit;
    return nullptr;
}

const char* smallAssetRefusal(double dateKey, double unitPrice) {
    if (dateKey < law::kSmallAssetFirstKey || dateKey > law::kSmallAssetLastKey) {
        return kMsgSmallAssetPeriod;
    }
    const bool raised = dateKey >= law::kSmallAssetRaisedKey;
    if (unitPrice >= (raised ? law::kSmallAssetRaisedLimit : law::kSmallAssetLimit)) {
        return raised ? kMsgSmallAssetLimit400 : kMsgSmallAssetLimit300;
    }
    return nullptr;
}

Refusal priceBelowQuantityRefusal(std::string_view price, std::string_view quantity) {
    const auto p = detail::wholeNumber(price);
    const auto q = detail::wholeNumber(quantity);
    return refuseUnless(!(p && q && *p < *q), kMsgPriceBelowQuantity);
}

}  // namespace fenmark::card
