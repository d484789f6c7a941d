#include "register/ledger_list.h"

#include <gtest/gtest.h>

#include "common/convert.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

class LedgerListTest : public ::testing::Test {
  protected:
    // Puts one row into the register and returns its list texts.
    std::vector<std::string> list(const Row& row) {
        reg_.row(1) = row;
        platform::Grid grid(2, kListColumns);
        GetData(grid, reg_, 1);
        std::vector<std::string> cells;
        for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.text(1, c));
        return cells;
    }
    AssetRegister reg_;
};

TEST_F(LedgerListTest, HeadingsComeFromTheFormatString) {
    platform::Grid grid(1, 2);
    GetData(grid, reg_, 0);
    ASSERT_EQ(grid.cols(), 12);
    ASSERT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.text(0, 0), "No");
    EXPECT_EQ(grid.text(0, 1), " 資産の名称          ");
    EXPECT_EQ(grid.text(0, 2), "  種別   　");
    EXPECT_EQ(grid.text(0, 11), "コード          ");
    EXPECT_EQ(grid.colAlignment(11), platform::Alignment::Center);
}

TEST_F(LedgerListTest, OldStraightLineShowsBaseValueLessResidual) {
    Row row = test::asset("事務所", "0", "58", "4", "0", "1000000", "40", "0.025", "1");
    const auto cells = list(row);
    EXPECT_EQ(cells[0], "1");
    EXPECT_EQ(cells[1], "事務所");
    EXPECT_EQ(cells[2], "建　物");
    EXPECT_EQ(cells[3], "1");
    EXPECT_EQ(cells[4], "S. 58/4");
    EXPECT_EQ(cells[5], "1,000,000");
    EXPECT_EQ(cells[6], "900,000");
    EXPECT_EQ(cells[7], "旧定額法");
    EXPECT_EQ(cells[8], "40年");
    EXPECT_EQ(cells[9], "0.025");
    EXPECT_EQ(cells[10], "100％");
    EXPECT_EQ(cells[11], "8304-0");
}

TEST_F(LedgerListTest, NewDecliningBalanceShowsCostAsBase) {
    const auto cells =
        list(test::asset("パソコン", "1", "19", "4", "4", "1000000", "4", "0.625", "4"));
    EXPECT_EQ(cells[4], "H. 19/4");
    EXPECT_EQ(cells[5], "1,000,000");
    EXPECT_EQ(cells[6], "1,000,000");
    EXPECT_EQ(cells[7], "新定率法");
}

TEST_F(LedgerListTest, ZeroCostShowsEmptyCostAndBase) {
    for (const char* method : {"1", "3"}) {
        const auto cells = list(test::asset("x", "1", "20", "1", "2", "0", "10", "0.100", method));
        EXPECT_EQ(cells[5], "") << method;
        EXPECT_EQ(cells[6], "") << method;
    }
}

TEST_F(LedgerListTest, LifeColumnRules) {
    Row revised = test::asset("倉庫", "0", "60", "4", "0", "5000000", "40", "0.025", "1");
    revised[revisedLife - 1] = "31";
    revised[revisedRate - 1] = "0.033";
    auto cells = list(revised);
    EXPECT_EQ(cells[8], "     *31年");
    EXPECT_EQ(cells[9], "0.033");

    cells = list(test::asset("PC", "1", "20", "4", "4", "150000", "3", "0.333 ", "2"));
    EXPECT_EQ(cells[8], "     ++3年");
    EXPECT_EQ(cells[7], "均等法");

    // Only the text "2" marks the three-year method in this column.
    cells = list(test::asset("PC", "1", "20", "4", "4", "150000", "3", "0.333 ", "2.0"));
    EXPECT_EQ(cells[8], "3年");
    EXPECT_EQ(cells[7], "均等法");

    Row noLife = test::asset("x", "1", "20", "4", "4", "1", "", "", "3");
    cells = list(noLife);
    EXPECT_EQ(cells[8], "");
    EXPECT_EQ(cells[9], "");
}

TEST_F(LedgerListTest, CodesOutsideTheirTablesGiveEmptyOrOwnText) {
    Row row = test::asset("x", "3", "20", "4", "11", "1", "5", "0.200", "7");
    auto cells = list(row);
    EXPECT_EQ(cells[2], "");
    EXPECT_EQ(cells[4], "");
    EXPECT_EQ(cells[7], "7");
    row[typeCode - 1] = "-1";
    row[methodCode - 1] = "1.5";
    cells = list(row);
    EXPECT_EQ(cells[2], "");
    EXPECT_EQ(cells[7], "1.5");
    row[typeCode - 1] = std::string(400, '9');
    row[methodCode - 1] = "1.0";
    cells = list(row);
    EXPECT_EQ(cells[2], "");
    EXPECT_EQ(cells[7], "旧定額法");
    row[typeCode - 1] = "10";
    EXPECT_EQ(list(row)[2], "生　物");
}

TEST_F(LedgerListTest, NonNumericCostIsShownAsItsText) {
    Row row = test::asset("x", "1", "20", "4", "4", "未定", "5", "0.200", "3");
    EXPECT_EQ(list(row)[5], "未定");
    EXPECT_EQ(list(row)[6], "未定");
}

TEST(LedgerIndex, FaIndexIsRowPlusOneTimesColumnsPlusCol) {
    platform::Grid grid(61, 12);
    EXPECT_EQ(faIndex(grid, 0, 0), 12);
    EXPECT_EQ(faIndex(grid, 59, 11), 731);
    platform::Grid wide(2, 3000);
    EXPECT_THROW((void)faIndex(wide, 10, 0), common::OverflowError);
}

TEST(LedgerIndex, GetPriDataMovesTheCurrentCell) {
    AssetRegister reg;
    reg.row(1) = test::asset("机", "1", "20", "4", "4", "100000", "8", "0.125", "3");
    platform::Grid grid(2, 12);
    GetData(grid, reg, 1);
    EXPECT_EQ(GetPriData(grid, 1, 1), "机");
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_THROW((void)GetPriData(grid, 2, 0), platform::GridError);
}

}  // namespace
}  // namespace fenmark::reg
