#pragma once
// fenmark-cli statement: the year-end statement of a register for one Heisei
// year, as the statement window shows it after the year was typed and "表示"
// pressed.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "cli/output.h"
#include "cli/schedule_command.h"

namespace fenmark::cli {

struct StatementOptions {
    std::string file;
    // The Heisei year as typed into the year box.
    std::string year;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

// Prints the statement and returns the exit status: 1 with the message on
// `err` when the file cannot be read or the window refuses the year (nothing
// on `out`), and 1 after printing when an asset could not be computed (its
// schedule columns are empty and `err` names it).
//
// JSON is one object: {"year", "closingCaption", "rows" (14 texts per asset),
// "totals" (14 texts), "markings" ("", "removable" or "notExisting" per
// asset), "legends" {"removable", "notExisting"}, "methodNames"}. TSV and CSV
// give the fourteen headings and a marking column, the asset rows and the
// totals row.
[[nodiscard]] int runStatement(const StatementOptions& options, std::ostream& out,
                               std::ostream& err);

}  // namespace fenmark::cli
