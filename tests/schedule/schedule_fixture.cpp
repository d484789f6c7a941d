#include "schedule/schedule_fixture.h"

#include "common/number.h"

namespace fenmark::schedule::testing {

reg::Row with(reg::Row row, std::initializer_list<std::pair<reg::Column, std::string>> cells) {
    for (const auto& [column, text] : cells) row[static_cast<std::size_t>(column - 1)] = text;
    return row;
}

reg::Row newDeclining() {
    return with(
        fenmark::test::asset("パソコン", "1", "20", "1", "4", "1000000", "10", "0.250", "4"),
        {{reg::newRuleRates, "0.3340.04448"}});
}

std::unique_ptr<Shown> open(std::vector<reg::Row> rows, ScheduleSettings settings) {
    auto shown = std::make_unique<Shown>();
    int r = 1;
    for (reg::Row& row : rows) shown->state.assetRegister.row(r++) = std::move(row);
    shown->state.recordCount = static_cast<std::int16_t>(r - 1);
    shown->window =
        std::make_unique<ScheduleWindowModel>(shown->state, shown->dialogs, std::move(settings));
    shown->window->Form_Load();
    return shown;
}

std::vector<std::string> column(const platform::Grid& grid, int col) {
    return column(grid, col, grid.rows() - 1);
}

std::vector<std::string> column(const platform::Grid& grid, int col, int last) {
    std::vector<std::string> out;
    for (int r = 1; r <= last && r < grid.rows(); ++r) out.push_back(grid.text(r, col));
    return out;
}

double amountOf(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ',') digits.push_back(c);
    }
    return common::leadingNumber(digits);
}

}  // namespace fenmark::schedule::testing
