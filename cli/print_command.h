#pragma once
// fenmark-cli print: the printouts as PDF files, page for page what the
// program sends to a printer. Needs no display: without QT_QPA_PLATFORM the
// offscreen platform is used.

#include <functional>
#include <ostream>
#include <string>

#include "platform/printer.h"

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

// Composes one document onto a new PDF file at `path` (A4, quarter-inch
// margins) and replaces the file only when the whole document was written.
// Creates the Qt GUI application the fonts need when there is none. Throws
// platform::PrintError, or what `compose` throws.
void writePdf(const std::string& path, const std::string& title,
              const std::function<void(platform::Printer&)>& compose);

}  // namespace fenmark::cli
