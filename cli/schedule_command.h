#pragma once
// fenmark-cli schedule: the depreciation schedule of one asset of a
// register, or of every asset, with the header the schedule window shows.

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
//
// The schedule is computed as a value (schedule::computeSchedule); the
// header captions are those the schedule window shows. JSON is one object
// per asset (an array of them with --all): "record", "recordCount",
// "closingMonth", "rounding" ("up" or "down"), "captions" (the header's
// texts by control name), "asset" (writeAssetFields, and "base", "method"
// and "guaranteeAmount" as the schedule takes them), "gridRowCount" and
// "rows", an object per year: "elapsedYears", "label", "settleYear",
// "months" ({"months": 6, "of": 12} or null), "amount", "expense" and
// "bookValue" (whole yen, null for a blank cell), "remark" (null for none);
// "carried" and "conversion" for an asset whose schedule starts from a
// filed opening or from its business use (opening_json.h); "leaving" for an
// asset that left. TSV and CSV give the schedule table's eight columns,
// with the asset's number first under --all: the table has no place for
// those objects, and its figures already continue from them.
[[nodiscard]] int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err);

// The closing month as the windows get it: the one given on the command
// line, else the settings file's.
[[nodiscard]] std::string closingMonthOf(const std::optional<int>& given);
// The main window's rounding choice for a --rounding: "0" rounds up.
[[nodiscard]] std::string roundingModeOf(Rounding rounding);

}  // namespace fenmark::cli
