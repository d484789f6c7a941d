#pragma once
// Closing a filed year (年度締め): every asset still in the ledger at the end
// of the year gets that year's closing book value (and its 改定取得価額 where
// the declining balance has switched) as the carried opening of the next
// year, so that nothing that changes later (the program's rules, an asset's
// past) can change figures that were filed. Removing the carried values on
// the card undoes it for an asset.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "register/state.h"
#include "schedule/schedule.h"

namespace fenmark::yearend {

inline constexpr const char* kCloseYearTitle = "年度締め";

// What closing a year did to each asset.
enum class CloseOutcome {
    Recorded,        // the carried opening of the next year was written
    NotYetAcquired,  // acquired (or put to business use) after the year
    Left,            // left the business in or before the year
    LumpSum,         // 一括償却 or 少額特例: nothing is carried
    LaterCarried,    // already carries an opening after the year (closed before)
    NotComputed,     // its schedule cannot be computed
};

struct ClosedAsset {
    int record = 0;  // 1-based
    CloseOutcome outcome = CloseOutcome::NotComputed;
    // For Recorded: the year-end book value and the 改定取得価額 written.
    std::int64_t bookValue = 0;
    std::optional<std::int64_t> revisedBase;
};

struct CloseYearResult {
    int year = 0;
    std::vector<ClosedAsset> assets;
    [[nodiscard]] int recorded() const;
};

// A year that may be closed: from 1989 up to the current calendar year
// (a year can be closed once its figures are final, which the user judges;
// a future year cannot). Gives the Japanese reason for one that may not.
[[nodiscard]] std::optional<std::string> closeYearRefusal(int year, int currentYear);

// Closes `year` for records 1..count of `assets` under `options` (closing
// month, rounding, current year) and writes columns 23 to 26 of every
// Recorded asset: the year after, the book value, the 改定取得価額 or empty,
// and no choice. Nothing else changes. The caller saves the register.
[[nodiscard]] CloseYearResult closeYear(reg::AssetRegister& assets, int count, int year,
                                        const schedule::Options& options);

// One line per outcome for the user: "記録した資産：12件" and the others
// that apply.
[[nodiscard]] std::string closeYearSummary(const CloseYearResult& result);

}  // namespace fenmark::yearend
