// fenmark-print: the print subcommands carried out here, on Qt's PDF writer.

#include <iostream>

#include "cli/print_request.h"

namespace fenmark::cli {

int runPrint(const PrintRequest& request, int /*argc*/, char** /*argv*/) {
    if (request.ledger) return runPrintLedger(*request.ledger, std::cout, std::cerr);
    if (request.schedule) return runPrintSchedule(*request.schedule, std::cout, std::cerr);
    if (request.statement) return runPrintStatement(*request.statement, std::cout, std::cerr);
    return 1;
}

}  // namespace fenmark::cli
