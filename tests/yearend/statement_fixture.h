#pragma once
// Helpers for the statement tests: a register of given rows behind a
// statement window, and the statement rows read back.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/state.h"
#include "test_support.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend::testing {

// A row with some cells changed: {{reg::quantity, "3"}, ...}.
[[nodiscard]] reg::Row with(reg::Row row,
                            std::initializer_list<std::pair<reg::Column, std::string>> cells);

// A new straight-line asset (新定額法, life 10, rate 0.100) of Heisei year
// `year` and month `month`.
[[nodiscard]] reg::Row straightLine(const std::string& year, const std::string& month,
                                    const std::string& cost = "1000000");
// A three-year asset (一括償却) of Heisei year `year`, April.
[[nodiscard]] reg::Row threeYear(const std::string& year, const std::string& cost);

struct Opened {
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<StatementWindowModel> window;
};

// The window opened (Form_Load) on a register of `rows` under `closingMonth`,
// rounding up, elapsed years counted to 2024.
[[nodiscard]] std::unique_ptr<Opened> open(std::vector<reg::Row> rows,
                                           std::string closingMonth = "12");
// The same with `year` typed and "表示" pressed.
[[nodiscard]] std::unique_ptr<Opened> statement(std::vector<reg::Row> rows, std::string year,
                                                std::string closingMonth = "12");

// Columns first..last of statement row `row`.
[[nodiscard]] std::vector<std::string> cells(const StatementWindowModel& window, int row, int first,
                                             int last);

// The six cells a year of the schedule fills: ㋥ ㋭ ㋠ ㋷ ㋦ 摘要. Checks
// that ㋬ is empty and ㋣ repeats ㋭ on the way.
[[nodiscard]] std::vector<std::string> yearCells(const StatementWindowModel& window, int row);

}  // namespace fenmark::yearend::testing
