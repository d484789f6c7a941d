#pragma once
// fenmark-cli shokyaku: the municipal return on depreciable assets
// (償却資産申告) of a register for 1 January of a year, the figures the
// window 「償却資産申告」 shows.

#include <optional>
#include <ostream>
#include <string>

#include "cli/output.h"

namespace fenmark::cli {

struct ShokyakuOptions {
    std::string file;
    // The year of the 賦課期日 as given (2027, R9); when not given the
    // coming 1 January's year from October on, else this year.
    std::optional<std::string> year;
    // The tax rate in percent for the estimate.
    std::string rate = "1.4";
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

// Prints the return and returns the exit status: 1 with the message on
// `err` (nothing on `out`) when the file cannot be read or the year or the
// rate is refused.
//
// JSON: {"year": 2027, "assets": [...], "removed": [...], "excluded":
// [...], "byKind": {"1": {"i", "ro", "ha", "ni", "value"}, … "6"}, "total":
// {"i", "ro", "ha", "ni"}, "totalValue", "taxBase", "rate" (a number, the
// percent), "tax", "belowExemption", "warnings"}; each asset {"record",
// "kind" (1-6), "kindName", "name", "quantity" (a number where it is one),
// "acquired": "YYYY-MM", "era": 3|4|5, "eraYear", "month", "cost", "life",
// "residualRate" ("0.631"), "value", "taxBase", "increaseReason" (1 新品,
// 2 中古, 4 その他), "acquiredLastYear", "note"}, null where the register
// holds no life; each removed asset {"record", "kind", "name", "cost",
// "left": "YYYY-MM", "how"}; each excluded one {"record", "name",
// "reason"}. TSV and CSV: the 種類別明細書 table (the removed assets
// after the held ones, marked in 区分), an empty line, the 申告書's table
// per kind and its total, an empty line, and the totals as 項目/金額 lines.
[[nodiscard]] int runShokyaku(const ShokyakuOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fenmark::cli
