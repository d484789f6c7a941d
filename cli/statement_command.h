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
#include "yearend/statement.h"

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
    // The return whose heading ㋬ takes.
    yearend::ReturnForm form = yearend::ReturnForm::Blue;
};

// Prints the statement and returns the exit status: 1 with the message on
// `err` when the file cannot be read or the window refuses the year (nothing
// on `out`), and 1 after printing when an asset could not be computed (its
// schedule columns are empty and `err` names it).
//
// JSON is one object: {"year" (the western year, a number), "heading"
// (「令和 8年分」, in the era of the year), "form", "closingCaption", "columns" (the
// sixteen headings of the return's table), "rows" (an object per asset, its
// sixteen texts under those headings), "totals" (the same for the totals
// row), "markings" ("", "removable" or "notExisting" per asset), "legends"
// {"removable", "notExisting"}, "methodNames", "guaranteeAmounts" (a number
// or null per asset)}, and "smallAssets" and "scrappedBookValue" in a year
// that has them. TSV and CSV give the sixteen headings and a marking column,
// the asset rows and the totals row.
[[nodiscard]] int runStatement(const StatementOptions& options, std::ostream& out,
                               std::ostream& err);

}  // namespace fenmark::cli
