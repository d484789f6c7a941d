#pragma once
// fenmark-cli statement: the year-end statement of a register for one year,
// the table the statement window shows for it.

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "cli/output.h"
#include "cli/schedule_command.h"
#include "yearend/statement.h"

namespace fenmark::cli {

// The return's table as the electronic ways of filing take it
// (filing_formats.h): the online system's entries or e-Tax's fields, each
// as JSON or CSV.
enum class FilingFormat { SakuseiJson, SakuseiCsv, EtaxJson, EtaxCsv };

// The --format names the statement takes besides json, tsv and csv.
inline constexpr std::array<std::pair<std::string_view, FilingFormat>, 4> kFilingFormatNames = {{
    {"sakusei-json", FilingFormat::SakuseiJson},
    {"sakusei-csv", FilingFormat::SakuseiCsv},
    {"etax-json", FilingFormat::EtaxJson},
    {"etax-csv", FilingFormat::EtaxCsv},
}};

struct StatementOptions {
    std::string file;
    // The year as given: 2026, R8, H30 or a bare 平成 year.
    std::string year;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    Format format = Format::Json;
    // When set, written instead of `format`.
    std::optional<FilingFormat> filing;
    Encoding encoding = Encoding::Utf8;
    // The return whose heading ㋬ takes, and whose table the filing formats
    // give.
    yearend::ReturnForm form = yearend::ReturnForm::Blue;
};

// Prints the statement and returns the exit status: 1 with the message on
// `err` when the file cannot be read or the year is refused
// (yearend::readStatementYearArgument; nothing on `out`), and 1 after
// printing when an asset could not be computed (its schedule columns are
// empty and `err` names it).
//
// The statement is computed as data (yearend::computeStatement) and written
// from it. JSON is one object: "year" (the western year), "heading"
// (「令和 8年分」, in the era of the year), "form", "closingCaption",
// "columns" (the form's heading of each column by its key), "rows" (an
// object per asset under those keys: amounts in whole yen, null for a blank
// cell; "period" as {"months": 6, "of": 12}; "life", "quantity" and
// "share" as numbers, "rate" as the exact decimal string; "acquired" as
// "YYYY-MM" with "acquiredEra" as the table shows it, and
// "guaranteeAmount"; "carried" and "conversion" for an asset whose schedule
// starts from a filed opening or from its business use (opening_json.h),
// and "leaving" with the "bookValue" that left in the year the asset
// left), "totals" (the five totals), "markings" ("",
// "removable" or "notExisting" per asset), "legends" {"removable",
// "notExisting"}, and "smallAssets" and "scrappedBookValue" in a year that
// has them. TSV and CSV give the sixteen headings and a marking column, the
// asset rows and the totals row, the texts the window shows. The filing
// formats list only the assets that belong in the year's return
// (filing_formats.h).
[[nodiscard]] int runStatement(const StatementOptions& options, std::ostream& out,
                               std::ostream& err);

}  // namespace fenmark::cli
