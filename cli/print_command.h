#pragma once
// fenmark-cli print: the printouts as PDF files, page for page what the
// program sends to a printer. Needs no display: without QT_QPA_PLATFORM the
// offscreen platform is used.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/schedule_command.h"
#include "platform/printer.h"
#include "yearend/statement.h"
#include "yearend/statement_window.h"

namespace fenmark::cli {

struct PrintLedgerOptions {
    std::string file;
    std::string pdf;
};

// Writes the printed ledger list of the register `file` to `pdf`; its page
// heading names the register by its absolute path, as the open dialog
// would. Returns the exit status: 1 with the message on `err` when the
// register cannot be read or the PDF cannot be written (no file is left).
[[nodiscard]] int runPrintLedger(const PrintLedgerOptions& options, std::ostream& out,
                                 std::ostream& err);

// The schedule window's options as `schedule` takes them, for one asset.
struct PrintScheduleOptions {
    std::string file;
    // The 1-based asset, reached as the user reaches it: "＞" from asset 1.
    int record = 1;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    std::string pdf;
};

// Writes the printed schedule of one asset to `pdf`. Returns the exit
// status: 1 with the message on `err` when the register cannot be read, the
// record does not exist or the PDF cannot be written (no file is left), and
// 1 after writing when the asset's schedule could not be computed (the
// sheet shows the heading alone and `err` says why).
[[nodiscard]] int runPrintSchedule(const PrintScheduleOptions& options, std::ostream& out,
                                   std::ostream& err);

// The statement window's options as `statement` takes them.
struct PrintStatementOptions {
    std::string file;
    // The Heisei year as typed into the year box.
    std::string year;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    std::string pdf;
    // The return whose heading ㋬ takes.
    yearend::ReturnForm form = yearend::ReturnForm::Blue;
    // The view printed: the return's table, or the online list (portrait,
    // a block per asset).
    yearend::StatementView view = yearend::StatementView::Table;
};

// Writes the printed year-end statement to `pdf`, in the view asked for. Returns the exit status:
// 1 with the message on `err` when the register cannot be read, the window
// refuses the year or the PDF cannot be written (no file is left), and 1
// after writing when some asset could not be computed (`err` names it).
[[nodiscard]] int runPrintStatement(const PrintStatementOptions& options, std::ostream& out,
                                    std::ostream& err);

// Composes one document onto a new PDF file at `path` (A4, quarter-inch
// margins) and replaces the file only when the whole document was written.
// Creates the Qt GUI application the fonts need when there is none. Throws
// platform::PrintError, or what `compose` throws.
void writePdf(const std::string& path, const std::string& title,
              const std::function<void(platform::Printer&)>& compose);

}  // namespace fenmark::cli
