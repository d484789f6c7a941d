#pragma once
// fenmark-cli export and import: a register as CSV, and a CSV file (ours or
// a peer's layout) as a new register.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "register/csv_exchange.h"

namespace fenmark::cli {

struct ExportOptions {
    std::string file;
    // Only "csv" for now; kept so that more formats need no new command.
    std::string format = "csv";
    reg::CsvEncoding encoding = reg::CsvEncoding::Utf8;
    // Standard output when not given.
    std::optional<std::string> output;
};

// Writes the register in our CSV layout to `output` (atomically) or to
// `out`. A file that cannot be read or written, or a name Shift_JIS cannot
// hold under cp932, prints the message on `err` and returns 1.
[[nodiscard]] int runExport(const ExportOptions& options, std::ostream& out, std::ostream& err);

struct ImportOptions {
    std::string csv;
    // The year whose opening a peer's carried figures are (2026, R8, H30);
    // the year being filed when not given.
    std::optional<std::string> year;
    std::string output;
    // Today's year and month, for the checks of dates not yet come; the
    // system clock's when not given.
    std::optional<std::int32_t> currentYear;
    std::optional<int> currentMonth;
};

// Reads the CSV file and writes its assets as a new register to `output`.
// Every problem goes to `err`, one a line (「12行目 取得価額「12万」: ...」),
// nothing is written and 1 is returned; otherwise `out` gets how many
// assets of which layout were written.
[[nodiscard]] int runImport(const ImportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fenmark::cli
