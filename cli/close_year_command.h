#pragma once
// fenmark-cli close-year: closes a filed year (年度締め) of a register file
// and saves it.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "cli/output.h"
#include "cli/schedule_command.h"

namespace fenmark::cli {

// What close-year prints: the summary the main window shows, or JSON.
enum class ReportFormat { Text, Json };

struct CloseYearOptions {
    std::string file;
    // The year as given: 2026, R8, H30 or a bare 平成 year.
    std::string year;
    // Where the closed register is written; the file itself when not given.
    std::optional<std::string> output;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    ReportFormat format = ReportFormat::Text;
    Encoding encoding = Encoding::Utf8;
};

// Closes the year and returns the exit status. The command line is the
// confirmation: nothing is asked. The year is read as statement reads it
// and refused as the main window refuses it (yearend::closeYearRefusal);
// then yearend::closeYear writes the carried openings and the register is
// written atomically to `output`, or back to `file` when something changed
// (a register that closing left as it was is not rewritten, so the file
// stays byte for byte as it was). A refused year, a file that cannot be
// read and a failed write print the message on `err`, nothing on `out`,
// leave every file as it was and return 1. Otherwise `out` gets
// yearend::closeYearSummary, or in JSON {"year": 2026, "recorded": 3,
// "assets": [{"record": 1, "outcome": "recorded", "bookValue": 125002,
// "revisedBase": null}, ...]} (outcome "recorded", "notYetAcquired",
// "left", "lumpSum", "laterCarried" or "notComputed"; the amounts null
// but for "recorded"), and 1 is returned after it when an asset could not
// be computed (`err` names it). A closing month that cannot be held leaves
// every asset not computed, as it leaves the statement.
[[nodiscard]] int runCloseYear(const CloseYearOptions& options, std::ostream& out,
                               std::ostream& err);

}  // namespace fenmark::cli
