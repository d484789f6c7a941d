#pragma once
// The printed online list (作成コーナー入力用): what is typed into the
// online return system, asset by asset, to lie beside the keyboard. A4
// portrait; every asset a bordered block headed 「No.3 営業車」 with its
// seventeen fields in the order they are typed, label and value, the first
// nine down the left half and the rest down the right; the values as they
// are typed (amounts as plain digits) in a large font. A field with a
// problem is marked ※ and its explanation stands at the foot of the block.
// As many blocks go on a page as fit whole: a block is never split. Every
// page is headed with the year, 「作成コーナー入力用」 and its number; the
// first page carries the list's warnings and where the ㋷ total goes.
// Positions are twips from the top-left corner of the printable area.
//
//   platform::RecordingPrinter printer;
//   yearend::printOnline(printer, window);  // after "表示"

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "yearend/return_entry.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {

inline constexpr const char* kPrintOnlineQuestion = "作成コーナー入力用の一覧を印刷します。";
inline constexpr const char* kOnlinePrintFont = "ＭＳゴシック";
// The values as typed, read from the paper while typing.
inline constexpr double kOnlineValuePoints = 12;
inline constexpr double kOnlineLabelPoints = 9;
inline constexpr double kOnlineTitlePoints = 11;
// The smallest size a value shrinks to before it is cut.
inline constexpr double kOnlineSmallestPoints = 7;
// The mark of a field with a problem, before its label and its explanation.
inline constexpr const char* kOnlineProblemMark = "※";
// What an empty field prints.
inline constexpr const char* kOnlineBlankValue = "（空欄）";
inline constexpr const char* kOnlinePrintNote =
    "値は作成コーナーに入力するとおりに印刷しています（金額はカンマなしの数字）。";

// The blocks and notes start this far down each page, and a block keeps
// this much room to the next, in twips.
inline constexpr double kOnlineContentTop = 480;
inline constexpr double kOnlineBlockGap = 180;

// Where every part of the printout goes, worked out before anything is
// printed: the pages count is known for the heading of the first.
struct OnlineLayout {
    struct Note {
        std::string text;
        int page = 1;
        double top = 0;
    };
    struct Block {
        // Position in OnlineEntries::assets.
        std::size_t asset = 0;
        // The explanations at its foot, broken into lines.
        std::vector<std::string> problemLines;
        int page = 1;
        double top = 0;
        double height = 0;
    };
    std::vector<Note> notes;
    std::vector<Block> blocks;
    int pages = 1;
};

// The layout of `entries` on `printer`'s page, with the lines of `notes`
// (the warnings, the destination) on the first page before the blocks.
[[nodiscard]] OnlineLayout layoutOnline(platform::Printer& printer, const OnlineEntries& entries,
                                        const std::vector<std::string>& notes);

// Composes every page onto a document the caller has opened and will end;
// `yearHeading` is statementHeading of the year, `destination` the line
// saying where the ㋷ total goes. Throws what the printer throws.
void composeOnline(platform::Printer& printer, const OnlineEntries& entries,
                   const std::string& yearHeading, const std::string& destination);

// The document of the print command: portrait, A4, the online list of the
// statement `window` shows, the end of the document.
void printOnline(platform::Printer& printer, const StatementWindowModel& window);

// The statement window's cmdPrint while the online list is on show: does
// nothing while the button is disabled; otherwise tells
// kPrintOnlineQuestion (OK only), shows the printer set-up dialog and
// prints on `device` under the busy pointer. A cancelled set-up dialog or
// any failure while printing shows platform::kPrintFailedMessage.
void printOnlineCommand(StatementWindowModel& window, platform::Dialogs& dialogs,
                        platform::PrintDevice& device);

}  // namespace fenmark::yearend
