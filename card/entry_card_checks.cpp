#include "card/entry_card_checks.h"

#include <algorithm>
#include <cstdint>

#include "law/era.h"
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

}  // namespace fenmark::card
