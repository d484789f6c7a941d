#pragma once
// The printed ledger list: A4 portrait, a title on the first page, then
// pages of at most 20 assets in register order (whatever sort the list on
// screen shows), each with the register's path and page number, the column
// headings and one line per asset. Positions are twips from the top-left
// corner of the printable area.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kPrintLedgerQuestion = "台帳一覧を印刷します。";
inline constexpr const char* kPrintLedgerQuestionTitle = "印刷";
inline constexpr const char* kLedgerPrintTitle = "固定資産台帳一覧";
inline constexpr const char* kLedgerPrintFont = "MS明朝";
inline constexpr int kLedgerRowsPerPage = 20;

// The page heading line: the whole register path, " Page :", the page
// number and CR LF. GetListHeader("C:\\a.dat", 2) gives "C:\\a.dat Page :2\r\n".
[[nodiscard]] std::string GetListHeader(const std::string& chosenFilePath, std::int16_t page);

// Where the title sits on the first page, so that the page heading can keep
// clear of it.
struct TitleArea {
    double left = 0;
    double bottom = 0;
};

// Prints every page of the list onto a document the caller has opened and
// will end: pages 0 .. recordCount / 20, so a positive multiple of 20 leaves
// a last page with the headings only. The page heading goes at (800, 300);
// on the page that carries `title`, a heading that would run into the
// title goes below it instead, and a heading wider than the page is broken
// across lines. Throws what the printer throws.
void PriSet(platform::Printer& printer, const ProgramState& state,
            const std::optional<TitleArea>& title = std::nullopt);

// The document of the print command once the printer is chosen: portrait,
// A4, "MS明朝" 14 pt, the title centred 300 below the top, PriSet, the end
// of the document. Throws what the printer throws.
void printLedger(platform::Printer& printer, const ProgramState& state);

// The print command of the main window (cmdPrint_Click and mnuPrint_Click):
// asks kPrintLedgerQuestion (OK and Cancel, title "印刷"; Cancel ends it),
// shows the printer set-up dialog, and prints the document on `device`
// under the busy pointer. A cancelled set-up dialog or any failure while
// printing shows platform::kPrintFailedMessage, with the normal pointer
// back; the state is never changed.
void printLedgerCommand(const ProgramState& state, platform::Dialogs& dialogs,
                        platform::PrintDevice& device);

}  // namespace fenmark::reg
