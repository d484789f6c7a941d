#pragma once
// The print subcommands as the parser leaves them. fenmark-cli itself links
// no Qt: it hands a print request to fenmark-print, installed beside it,
// which parses the same command line and writes the PDF.

#include <optional>

#include "cli/print_command.h"

namespace fenmark::cli {

struct PrintRequest {
    std::optional<PrintLedgerOptions> ledger;
    std::optional<PrintScheduleOptions> schedule;
    std::optional<PrintStatementOptions> statement;
};

// Carries out the request: in fenmark-print by writing the PDF, in
// fenmark-cli by running fenmark-print with the same arguments. Returns the
// exit status.
[[nodiscard]] int runPrint(const PrintRequest& request, int argc, char** argv);

}  // namespace fenmark::cli
