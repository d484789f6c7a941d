#pragma once
// fenmark-cli schedule: what the schedule window shows for one asset of a
// register (as after opening it and paging forward to the asset), or for
// every asset.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "cli/output.h"

namespace fenmark::cli {

enum class Rounding { Up, Down };

struct ScheduleOptions {
    std::string file;
    // The 1-based asset, or nothing with `all`.
    std::optional<int> record;
    bool all = false;
    // The settings file's closing month when not given.
    std::optional<int> closingMonth;
    Rounding rounding = Rounding::Up;
    // The system clock's calendar year when not given.
    std::optional<std::int32_t> currentYear;
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

// Prints the schedule and returns the exit status: 1 with the message on
// `err` when the file cannot be read or the record does not exist (nothing
// on `out`), and 1 after printing when an asset could not be computed (its
// schedule is empty and `err` names it).
[[nodiscard]] int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fenmark::cli
