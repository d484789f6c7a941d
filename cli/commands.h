#pragma once
// The subcommands of fenmark-cli. Each prints its result to `out` and
// returns the exit status; errors go to `err` with nothing on `out`.

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

[[nodiscard]] int runList(const ListOptions& options, std::ostream& out, std::ostream& err);

// Types the --year of statement and print statement into the statement
// window: a western year (2026), an era letter and year (R8, H30), or a bare
// 1 to 99 as a 平成 year. Anything else is typed as it stands, for the
// window's own message.
void typeStatementYear(yearend::StatementWindowModel& window, const std::string& year);

}  // namespace fenmark::cli
