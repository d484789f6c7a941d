#pragma once
// The subcommands of fenmark-cli. Each prints its result to `out` and
// returns the exit status; errors go to `err` with nothing on `out`.

#include <ostream>
#include <string>

#include "cli/output.h"

namespace fenmark::cli {

struct ListOptions {
    std::string file;
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

[[nodiscard]] int runList(const ListOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fenmark::cli
