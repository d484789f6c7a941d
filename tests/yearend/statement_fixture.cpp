#include "yearend/statement_fixture.h"

#include <gtest/gtest.h>

namespace fenmark::yearend::testing {

reg::Row with(reg::Row row, std::initializer_list<std::pair<reg::Column, std::string>> cells) {
    for (const auto& [column, text] : cells) row[static_cast<std::size_t>(column - 1)] = text;
    return row;
}

reg::Row straightLine(const std::string& year, const std::string& month, const std::string& cost) {
    return test::asset("機械", "1", year, month, "2", cost, "10", "0.100", "3");
}

reg::Row threeYear(const std::string& year, const std::string& cost) {
    return test::asset("複合機", "1", year, "4", "4", cost, "3", "0.333 ", "2");
}

std::unique_ptr<Opened> open(std::vector<reg::Row> rows, std::string closingMonth) {
    auto opened = std::make_unique<Opened>();
    int r = 1;
    for (reg::Row& row : rows) opened->state.assetRegister.row(r++) = std::move(row);
    opened->state.recordCount = static_cast<std::int16_t>(r - 1);
    opened->state.closingMonth = std::move(closingMonth);
    opened->window = std::make_unique<StatementWindowModel>(opened->state, opened->dialogs,
                                                            StatementSettings{"0", 2024, 6});
    opened->window->Form_Load();
    return opened;
}

std::unique_ptr<Opened> statement(std::vector<reg::Row> rows, std::string year,
                                  std::string closingMonth) {
    auto opened = open(std::move(rows), std::move(closingMonth));
    // The years of these tests are 平成 years.
    opened->window->selectEra(0);
    opened->window->setTxtGetYe(std::move(year));
    opened->window->cmdOk_Click();
    return opened;
}

std::vector<std::string> cells(const StatementWindowModel& window, int row, int first, int last) {
    std::vector<std::string> out;
    for (int c = first; c <= last; ++c) out.push_back(window.Fxg3.text(row, c));
    return out;
}

std::vector<std::string> yearCells(const StatementWindowModel& window, int row) {
    EXPECT_EQ(window.Fxg3.text(row, colSpecial), "") << row;
    EXPECT_EQ(window.Fxg3.text(row, colDepreciationTotal), window.Fxg3.text(row, colDepreciation))
        << row;
    std::vector<std::string> out;
    for (int c : {colPeriod, colDepreciation, colShare, colExpense, colBookValue, colRemark}) {
        out.push_back(window.Fxg3.text(row, c));
    }
    return out;
}

}  // namespace fenmark::yearend::testing
