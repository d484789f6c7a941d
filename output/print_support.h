#pragma once
// What the schedule and statement printouts share: the width estimate that
// right-aligns their numbers, placing a text, keeping a grid's current cell
// while a printout reads the grid, and the print command's run from the
// question to the failure message.

#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/printer.h"

namespace fenmark::output {

// Where a text of n characters that should end at `rightEdge` starts: each
// character counts 100 twips. rightAligned(2400, "12") == 2200.
[[nodiscard]] double rightAligned(double rightEdge, std::string_view text);

// The same for the amount columns, whose thousands separators print
// narrower than the estimate: 70 twips come back for every four
// characters. rightAlignedCorrected(6400, "1,234,567") == 5640.
[[nodiscard]] double rightAlignedCorrected(double rightEdge, std::string_view text);

// Sets the font and the current position and prints `text` there.
void printAt(platform::Printer& printer, const char* font, double points, double x, double y,
             const std::string& text);

// Reading a grid cell by cell moves its current cell; this puts it back
// where the window had it, however the printout ends.
class KeepCurrentCell {
  public:
    explicit KeepCurrentCell(platform::Grid& grid)
        : grid_(grid), row_(grid.row()), col_(grid.col()) {}
    ~KeepCurrentCell() {
        grid_.setRow(row_);
        grid_.setCol(col_);
    }
    KeepCurrentCell(const KeepCurrentCell&) = delete;
    KeepCurrentCell& operator=(const KeepCurrentCell&) = delete;

  private:
    platform::Grid& grid_;
    int row_;
    int col_;
};

// A print command once its button was pressed: asks `question` (an OK and
// Cancel question ends on anything but OK; an OK-only notice just informs),
// shows the printer set-up dialog and prints `document` on `device` under
// the busy pointer. A cancelled set-up dialog or anything thrown while
// printing shows platform::kPrintFailedMessage with the normal pointer back.
void runPrintCommand(platform::Dialogs& dialogs, platform::PrintDevice& device,
                     const platform::Message& question,
                     const std::function<void(platform::Printer&)>& document);

}  // namespace fenmark::output
