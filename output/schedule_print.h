#pragma once
// The printed schedule of the asset the schedule window shows: A4 portrait,
// a header block with the asset's data on the first sheet, then the
// year-by-year table, 25 years to a sheet, every sheet with its two rules,
// the column headings and a footer naming the asset and the page. The
// captions and the table are read from the window as it stands, the other
// header texts from the asset's register row. Positions are twips from the
// top-left corner of the printable area.
//
//   platform::RecordingPrinter printer;
//   output::printSchedule(printer, window, state);   // the whole document
//   printer.pageCount();                              // 2 for 26 to 50 years

#include <stdexcept>
#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "schedule/schedule_window.h"

namespace fenmark::output {

inline constexpr const char* kPrintScheduleQuestion = "現ページのデ－タを印刷します。";
inline constexpr const char* kScheduleTitleFont = "ＭＳゴシック";
inline constexpr const char* kSchedulePrintFont = "ＭＳ明朝";
inline constexpr int kScheduleRowsPerSheet = 25;

// The asset's type code names no type, so the printout cannot say what the
// asset is.
class NoTypeNameError : public std::runtime_error {
  public:
    explicit NoTypeNameError(const std::string& typeCode)
        : std::runtime_error("no type name for type code \"" + typeCode + "\"") {}
};

// "種別： " and the type name of the row's type code (0 "建　物" to 10
// "生　物"); throws NoTypeNameError for any other code.
[[nodiscard]] std::string typeText(const reg::Row& row);

// "取得日： S. " or "取得日： H. " by the era code (0 or 1), then era year,
// "年", month, "月", day and "日": "取得日： H. 19年4月日" for a row without a
// day. Empty for any other era code.
[[nodiscard]] std::string acquisitionDateText(const reg::Row& row);

// Composes every sheet of the schedule of `state.currentRecord` as `window`
// shows it onto a document the caller has opened and will end: sheets 0 ..
// (R - 1) / 25 for a table of R rows with its heading, so a positive
// multiple of 25 years leaves a last sheet without rows. The window's lines
// on a carried opening or a business start follow the header block, each
// (a long one broken after a "、") in the place of one of the first sheet's
// rows, which then holds as many fewer years: sheets 0 .. (R - 1 + L) / 25
// for L such lines. A text that would
// run into the one before it on the same line of the header block moves
// right, clear of it, and a footer that would run off the page moves left.
// Throws NoTypeNameError before anything is drawn, and what the printer
// throws. The window's grid keeps its current cell.
void PriSet(platform::Printer& printer, schedule::ScheduleWindowModel& window,
            const reg::ProgramState& state);

// The document of the print command once the printer is chosen: portrait,
// A4, PriSet, the end of the document.
void printSchedule(platform::Printer& printer, schedule::ScheduleWindowModel& window,
                   const reg::ProgramState& state);

// The schedule window's cmdPrint: asks kPrintScheduleQuestion (OK and
// Cancel, title "Fenmark"; Cancel ends it), shows the printer set-up dialog
// and prints the document on `device` under the busy pointer. A cancelled
// set-up dialog or any failure while printing shows
// platform::kPrintFailedMessage; the window stays as it was.
void printScheduleCommand(schedule::ScheduleWindowModel& window, const reg::ProgramState& state,
                          platform::Dialogs& dialogs, platform::PrintDevice& device);

}  // namespace fenmark::output
