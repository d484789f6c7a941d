#pragma once
// The printed year-end statement: the return's table 「減価償却費の計算」 on
// A4 landscape, its sixteen columns ruled as the form rules them. Every
// sheet carries the register's path and the page number, the title (year,
// closing date and the return chosen) and the column headings; the assets
// follow in register order, kStatementRowsPerSheet to a sheet, and the last
// sheet ends with the totals row, the lines on small and scrapped assets
// and the line saying where the ㋷ total goes. Every cell is the statement window's cell as it
// stands. Positions are twips from the top-left corner of the printable area.
//
//   platform::RecordingPrinter printer;
//   yearend::printStatement(printer, window, state);  // after "表示"
//   printer.pageCount();                              // 2 for 19 to 36 assets

#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {

inline constexpr const char* kPrintStatementQuestion = "決算書資料を印刷します。";
inline constexpr const char* kStatementPrintFont = "ＭＳ明朝";
// The column headings carry the form's letters ㋑ to ㋦, of which the
// Mincho the printouts use otherwise lacks ㋷ and ㋦.
inline constexpr const char* kStatementHeadingFont = "Noto Serif CJK JP";
inline constexpr const char* kPrintedTitle = "減価償却費の計算";
inline constexpr const char* kPrintedTotalsCaption = "　合　　計";
inline constexpr int kStatementRowsPerSheet = 18;

// The smallest font a cell shrinks to before its text is cut.
inline constexpr double kSmallestPrintPoints = 6;

// Composes every sheet of the statement `window` shows onto a document the
// caller has opened and will end: ceil(recordCount / 18) sheets, at least
// one, the totals under the last asset. Throws what the printer throws, and
// platform::GridError when the window's table does not hold the register's
// assets.
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
