#pragma once
// The printed year-end statement: A4 landscape, 20 assets to a sheet, each
// sheet with the title line (year and closing date) and the column
// headings, and after the last asset a rule and the totals line. The
// schedule columns and the totals are read from the statement window's
// table as it stands, the other columns from the register. Positions are
// twips from the top-left corner of the printable area.
//
//   platform::RecordingPrinter printer;
//   yearend::printStatement(printer, window, state);  // after "表示"
//   printer.pageCount();                              // 2 for 20 to 39 assets

#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {

inline constexpr const char* kPrintStatementQuestion = "決算書資料を印刷します。";
inline constexpr const char* kStatementPrintFont = "ＭＳ明朝";
inline constexpr const char* kPrintedTotalsCaption = "　合　　計";
inline constexpr int kStatementRowsPerSheet = 20;

// The acquisition date as the printout shows it: "S. " or "H. " by the era
// code rounded to a whole number (0 or 1), era year, "/", month: "H. 19/4".
// Empty for any other era code: the printout names no date rather than
// another asset's.
[[nodiscard]] std::string printedDateText(const reg::Row& row);

// Composes every sheet of the statement `window` shows onto a document the
// caller has opened and will end: sheets 0 .. recordCount / 20, the totals
// on the last, so a positive multiple of 20 assets leaves a last sheet with
// the headings and the totals alone. The method column names the method of
// every asset the register can hold. Throws what the printer throws, and
// platform::GridError when the window's table does not hold the register's
// assets. The window's table keeps its current cell.
void composeStatement(platform::Printer& printer, StatementWindowModel& window,
                      const reg::ProgramState& state);

// The document of the print command once the printer is chosen: landscape,
// A4, composeStatement, the end of the document.
void printStatement(platform::Printer& printer, StatementWindowModel& window,
                    const reg::ProgramState& state);

// The statement window's cmdPrint: does nothing while the button is
// disabled (no statement shown); otherwise tells kPrintStatementQuestion
// (OK only), shows the printer set-up dialog and prints the document on
// `device` under the busy pointer. A cancelled set-up dialog or any failure
// while printing shows platform::kPrintFailedMessage; the window stays as
// it was and can print again.
void printStatementCommand(StatementWindowModel& window, const reg::ProgramState& state,
                           platform::Dialogs& dialogs, platform::PrintDevice& device);

}  // namespace fenmark::yearend
