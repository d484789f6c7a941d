#pragma once
// The subcommands of fenmark-cli. Each prints its result to `out` and
// returns the exit status; errors go to `err` with nothing on `out`.

#include <cstdint>
#include <ostream>
#include <string>

#include "cli/output.h"
#include "yearend/statement_window.h"

namespace fenmark::cli {

struct ListOptions {
    std::string file;
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

// The ledger list, as the main window lists the register. TSV and CSV give
// its twelve columns under their headings. JSON is {"rows": [...]}, an
// object per asset: "no", the fields of writeAssetFields (register_json.h),
// "base" and "method" as the list shows them, and "leaving" for an asset
// that left.
[[nodiscard]] int runList(const ListOptions& options, std::ostream& out, std::ostream& err);

// Types a statement year (counted from 平成, as readStatementYearArgument
// gives it) into the statement window of print statement.
void typeStatementYear(yearend::StatementWindowModel& window, std::int32_t statementYear);

}  // namespace fenmark::cli
