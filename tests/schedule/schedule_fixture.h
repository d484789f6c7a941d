#pragma once
// Helpers for the schedule tests: a register of given rows behind a schedule
// window, and readers of the grid's columns.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/state.h"
#include "schedule/schedule_window.h"
#include "test_support.h"

namespace fenmark::schedule::testing {

// A row with some cells changed: {{reg::quantity, "3"}, ...}.
[[nodiscard]] reg::Row with(reg::Row row,
                            std::initializer_list<std::pair<reg::Column, std::string>> cells);

// The typical new declining-balance asset of life 10 (rate 0.250, revised
// 0.334, guarantee 0.04448), cost 1,000,000, acquired in January 2008.
[[nodiscard]] reg::Row newDeclining();

struct Shown {
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<ScheduleWindowModel> window;
};

// Opens the schedule window on a register of `rows` (it shows asset 1).
[[nodiscard]] std::unique_ptr<Shown> open(std::vector<reg::Row> rows,
                                          ScheduleSettings settings = {"12", "1", 2012});

// The texts of column `col` in data rows 1..rows-1.
[[nodiscard]] std::vector<std::string> column(const platform::Grid& grid, int col);
// The same, up to and including data row `last`.
[[nodiscard]] std::vector<std::string> column(const platform::Grid& grid, int col, int last);

// A masked amount read back ("1,234" -> 1234, "" -> 0).
[[nodiscard]] double amountOf(const std::string& text);

}  // namespace fenmark::schedule::testing
