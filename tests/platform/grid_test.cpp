#include "platform/grid.h"

#include <gtest/gtest.h>

#include <map>

namespace fenmark::platform {
namespace {

TEST(Grid, FormatStringSetsColumnsHeadingsWidthsAndCentring) {
    Grid grid(3, 2);
    grid.setFormatString("No| 名称  |^コード ");
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.text(0, 0), "No");
    EXPECT_EQ(grid.text(0, 1), " 名称  ");
    EXPECT_EQ(grid.text(0, 2), "コード ");
    EXPECT_EQ(grid.colAlignment(2), Alignment::Center);
    EXPECT_EQ(grid.colAlignment(1), Alignment::General);
    EXPECT_EQ(grid.colWidthText(1), " 名称  ");
}

TEST(Grid, LinearIndexAndCurrentCell) {
    Grid grid(3, 4);
    grid.setTextAt(2 * 4 + 3, "x");
    EXPECT_EQ(grid.text(2, 3), "x");
    EXPECT_EQ(grid.textAt(11), "x");
    EXPECT_THROW(grid.setTextAt(12, "y"), GridError);
    EXPECT_THROW((void)grid.textAt(-1), GridError);
    grid.setRow(2);
    grid.setCol(3);
    EXPECT_EQ(grid.currentText(), "x");
    EXPECT_THROW(grid.setRow(3), GridError);
    EXPECT_THROW(grid.setCol(-1), GridError);
    grid.setCurrentBackColor(0xFF0000);
    EXPECT_EQ(grid.backColor(2, 3), 0xFF0000u);
    EXPECT_FALSE(grid.backColor(1, 1).has_value());
}

TEST(Grid, ClearEmptiesTextsAndKeepsTheShape) {
    Grid grid(2, 2);
    grid.setText(1, 1, "a");
    grid.clear();
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.rows(), 2);
    grid.setText(1, 1, "b");
    grid.setRows(5);
    EXPECT_EQ(grid.text(1, 1), "b");
    EXPECT_EQ(grid.text(4, 1), "");
}

TEST(Grid, SortsRowsBelowTheHeadingNumbersAsNumbersAndTiesByLaterKeys) {
    Grid grid(6, 3);
    grid.setFixedRows(1);
    const char* rows[][3] = {{"h", "h", "h"},   {"1", "10", "b"}, {"2", "9", "z"},
                             {"3", "abc", "a"}, {"4", "9", "a"},  {"5", "", "a"}};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 3; ++c) grid.setText(r, c, rows[r][c]);
    }
    grid.sortAscending(1, 2);
    EXPECT_EQ(grid.text(0, 0), "h");
    // "" and "abc" compare as text with numbers: "" < "10" < "9" as text,
    // but 9 < 10 as numbers; ties on column 1 fall to column 2.
    std::vector<std::string> order;
    for (int r = 1; r < 6; ++r) order.push_back(grid.text(r, 0));
    EXPECT_EQ(order, (std::vector<std::string>{"5", "4", "2", "1", "3"}));
}

TEST(Grid, CompareCells) {
    EXPECT_LT(compareCells("9", "10"), 0);
    EXPECT_GT(compareCells("9", "10a"), 0);
    EXPECT_EQ(compareCells("1.0", "1"), 0);
    EXPECT_LT(compareCells("0704-2", "1904-2"), 0);
}

}  // namespace
}  // namespace fenmark::platform

namespace fenmark::platform {
namespace {

TEST(Grid, SortSurvivesKeysThatAreNoOrder) {
    // "9" < "10" as numbers, "10" < "10x" and "10x" < "9" as texts.
    Grid grid(1 + 300, 1);
    const char* keys[] = {"9", "10", "10x", "", "9", "abc"};
    for (int r = 1; r <= 300; ++r) grid.setText(r, 0, keys[r % 6]);
    grid.sortAscending(0, 0);
    std::map<std::string, int> counts;
    for (int r = 1; r <= 300; ++r) ++counts[grid.text(r, 0)];
    EXPECT_EQ(counts, (std::map<std::string, int>{
                          {"9", 100}, {"10", 50}, {"10x", 50}, {"", 50}, {"abc", 50}}));
}

}  // namespace
}  // namespace fenmark::platform
