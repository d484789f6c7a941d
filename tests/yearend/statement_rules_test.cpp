// The small rules of the statement: the year check, amounts read back from
// masked texts, the schedule row of a year, the closing-date caption, the
// cell readers and how one schedule row becomes a statement row.

#include "yearend/statement.h"

#include <gtest/gtest.h>

#include "common/convert.h"
#include "register/state.h"
#include "schedule/schedule_window.h"
#include "yearend/statement_fixture.h"

namespace fenmark::yearend {
namespace {

TEST(StatementRules, AcceptsWholeYearsFromOneTo99) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"19", 19},   {"1", 1},   {"99", 99},  {" 19 ", 19},       {"19.0", 19},
        {"0", 0},     {"100", 0}, {"-3", 0},   {"1.5", 0},         {"abc", 0},
        {"19abc", 0}, {"", 0},    {"１９", 0}, {"99999999999", 0},
    };
    for (const auto& [text, year] : cases) EXPECT_EQ(statementYearOf(text), year) << text;
}

TEST(StatementRules, ReadsAmountsWithSeparators) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1,000", 1000},   {"2,500", 2500}, {"1,234,567", 1234567},
        {"-1,234", -1234}, {"", 0},         {"0", 0},
        {"償却済", 0},     {"12/12", 0},    {"40,000,000,020", 40000000020},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(amount(text), value) << text;
    EXPECT_THROW((void)amount("99999999999999999999"), common::OverflowError);
}

TEST(StatementRules, PicksTheScheduleRowOfTheYear) {
    // December closing: the acquisition month does not matter.
    for (double month : {1.0, 3.0, 12.0}) EXPECT_EQ(scheduleOffset(12, month), 1);
    // March closing: acquired April to December the first fiscal year is
    // named by the acquisition year, January to March by the year before.
    for (double month : {4.0, 12.0}) EXPECT_EQ(scheduleOffset(3, month), 1);
    for (double month : {1.0, 3.0}) EXPECT_EQ(scheduleOffset(3, month), 2);

    struct Case {
        int offset;
        std::int32_t year;
        double western;
        std::int16_t row;
    };
    const Case cases[] = {
        {1, 19, 2007, 1},       {1, 20, 2007, 2}, {1, 18, 2007, -1}, {1, 17, 2007, -1},
        {2, 19, 2007, 2},       {2, 18, 2007, 1}, {2, 17, 2007, -1}, {1, 2, 1963, 28},
        {1, 99, -40000, 32767}, {1, 1, 1e9, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scheduleRowFor(c.offset, c.year, c.western), c.row)
            << c.offset << " " << c.year << " " << c.western;
    }
    EXPECT_TRUE(acquiredBy(19, 2007));
    EXPECT_TRUE(acquiredBy(19, 1990));
    EXPECT_FALSE(acquiredBy(19, 2008));
}

TEST(StatementRules, ClosingCaptionNamesTheYearTheFiscalYearEnds) {
    EXPECT_EQ(closingCaption(19, "3"), "(期末 ：平成 20年3月)");
    EXPECT_EQ(closingCaption(19, "1"), "(期末 ：平成 20年1月)");
    EXPECT_EQ(closingCaption(19, "4"), "(期末 ：平成 19年4月)");
    EXPECT_EQ(closingCaption(19, "12"), "(期末 ：平成 19年12月)");
}

// A schedule written by hand: a first year, a "0" months text, a blank row
// after the last depreciation and one with the memorandum value; the
// schedule counts `count` rows (header included).
class CopyRow : public ::testing::Test {
  protected:
    CopyRow() : frame(state) {
        frame.Fxg2.setRows(5);
        const char* rows[4][5] = {{"9/12", "75,000", "75,000", "925,000", ""},
                                  {"0", "100,000", "50,000", "825,000", "改定償却"},
                                  {"", "", "", "", ""},
                                  {"", "", "", "1", ""}};
        for (int r = 1; r <= 4; ++r) {
            for (int i = 0; i < 5; ++i)
                frame.Fxg2.setText(r, schedule::colMonths + i, rows[r - 1][i]);
        }
        frame.gridRowCount = 5;
    }
    reg::ProgramState state;
    schedule::ScheduleFrame frame;
};

TEST_F(CopyRow, EachPlaceOfTheYearGivesItsRow) {
    struct Case {
        int row;
        const char* period;
        const char* depreciation;
        const char* expense;
        const char* book;
        const char* remark;
        bool shareCleared;
        Marking marking;
    };
    const Case cases[] = {
        {-1, "", "0", "0", "0", "", false, Marking::NotExisting},
        {1, "9/12", "75,000", "75,000", "925,000", "", false, Marking::None},
        {2, "12/12", "100,000", "50,000", "825,000", "改定償却", false, Marking::None},
        {3, "", "", "", "", "償却済", true, Marking::Removable},
        {4, "", "", "", "1", "償却済", true, Marking::None},
        {5, "", "0", "0", "1", "", false, Marking::None},
        {40, "", "0", "0", "1", "", false, Marking::None},
    };
    for (const Case& c : cases) {
        const ScheduleCopy copy = copyScheduleRow(frame, c.row);
        EXPECT_EQ(copy.period, c.period) << c.row;
        EXPECT_EQ(copy.depreciation, c.depreciation) << c.row;
        EXPECT_EQ(copy.expense, c.expense) << c.row;
        EXPECT_EQ(copy.bookValue, c.book) << c.row;
        EXPECT_EQ(copy.remark, c.remark) << c.row;
        EXPECT_EQ(copy.shareCleared, c.shareCleared) << c.row;
        EXPECT_EQ(copy.marking, c.marking) << c.row;
    }
}

// A schedule that counts fewer rows than its grid holds (as the three-year
// one does): the rows beyond the count are still read from the grid, the
// book value beyond it is that of the counted last row.
TEST_F(CopyRow, TheGridNotTheCountDecidesWhetherACellExists) {
    frame.gridRowCount = 3;
    const ScheduleCopy inside = copyScheduleRow(frame, 4);
    EXPECT_EQ(inside.depreciation, "");
    EXPECT_EQ(inside.expense, "");
    EXPECT_EQ(inside.remark, "償却済");
    EXPECT_EQ(inside.bookValue, "825,000");
    EXPECT_EQ(copyScheduleRow(frame, 5).depreciation, "0");
}

TEST(StatementRules, CellReadersFallBackOutsideTheThreeYearGrid) {
    reg::ProgramState state;
    state.assetRegister.row(1) = testing::threeYear("20", "100001");
    state.recordCount = 1;
    platform::ScriptedDialogs dialogs;
    schedule::ScheduleWindowModel window(state, dialogs, {"12", "0", 2024});
    window.Form_Load();
    ASSERT_EQ(window.Fxg2.rows(), 11);
    ASSERT_EQ(window.gridRowCount, 10);
    EXPECT_EQ(GetSchData1(window, 1, schedule::colAmount), "33,334");
    EXPECT_EQ(GetSchData1(window, 10, schedule::colAmount), "");
    EXPECT_EQ(GetSchData2(window, 10, schedule::colAmount), "");
    for (auto [row, col] : {std::pair{11, 4}, {-1, 4}, {1, 8}, {1, -1}}) {
        EXPECT_EQ(GetSchData1(window, row, col), "0") << row << "," << col;
        EXPECT_EQ(GetSchData2(window, row, col), "") << row << "," << col;
    }
}

}  // namespace
}  // namespace fenmark::yearend
