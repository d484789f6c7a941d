// The small rules of the statement: the year check, amounts read back from
// masked texts, the schedule row of a year, the closing-date caption, the
// cell readers and how one schedule row becomes a statement row.

#include "yearend/statement.h"

#include <gtest/gtest.h>

#include <limits>

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

// The whole yen a money cell shows, which the totals add: rounded as the
// display rounds, blank cells and years held at the limit counting 0.
TEST(StatementRules, MoneyShowsAndAddsWholeYen) {
    using schedule::Money;
    struct Case {
        Money money;
        const char* text;
        std::int64_t yen;
        bool blank;
    };
    const Case cases[] = {
        {Money::number(1000), "1,000", 1000, false},
        {Money::nearest(common::Exact::ratio(47420858, 100)), "474,209", 474209, false},
        {Money::nearest(common::Exact::ratio(474208, 1) + common::Exact::ratio(1, 2)), "474,209",
         474209, false},
        {Money::number(-1234), "-1,234", -1234, false},
        {Money::nearest(common::Exact::ratio(4, 10)), "", 0, true},
        {Money::number(40000000020), "40,000,000,020", 40000000020, false},
        {Money::zero(), "0", 0, false},
        {Money{}, "", 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(schedule::moneyText(c.money), c.text) << c.text;
        EXPECT_EQ(c.money.yen(), c.yen) << c.text;
        EXPECT_EQ(c.money.blank(), c.blank) << c.text;
    }
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

// A schedule written by hand: a first year, a full year with the revised
// rate, a year without anything after the last depreciation and one with
// the memorandum value; the schedule counts 5 rows (heading included).
class CopyRow : public ::testing::Test {
  protected:
    CopyRow() {
        using schedule::Money;
        const auto year = [](std::int16_t months, Money amount, Money expense, Money book,
                             schedule::Remark remark) {
            schedule::Year y;
            y.months = months;
            y.monthsOf = months == 0 ? 0 : 12;
            y.amount = amount;
            y.expense = expense;
            y.bookValue = book;
            y.remark = remark;
            return y;
        };
        s.years = {year(9, Money::number(75000), Money::number(75000), Money::number(925000),
                        schedule::Remark::None),
                   year(12, Money::number(100000), Money::number(50000), Money::number(825000),
                        schedule::Remark::Revised),
                   year(0, Money{}, Money{}, Money{}, schedule::Remark::None),
                   year(0, Money{}, Money{}, Money::number(1), schedule::Remark::None)};
        s.gridRowCount = 5;
    }
    schedule::Schedule s;
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
        // Past the table: as its last year.
        {5, "", "", "", "1", "償却済", true, Marking::None},
        {40, "", "", "", "1", "償却済", true, Marking::None},
    };
    for (const Case& c : cases) {
        const ScheduleCopy copy = copyScheduleRow(s, c.row);
        EXPECT_EQ(copy.period, c.period) << c.row;
        EXPECT_EQ(copy.depreciation, c.depreciation) << c.row;
        EXPECT_EQ(copy.expense, c.expense) << c.row;
        EXPECT_EQ(copy.bookValue, c.book) << c.row;
        EXPECT_EQ(copy.remark, c.remark) << c.row;
        EXPECT_EQ(copy.shareCleared, c.shareCleared) << c.row;
        EXPECT_EQ(copy.marking, c.marking) << c.row;
    }
}

// A schedule that counts fewer rows than it has years (as the three-year
// one does): the years beyond the count are still read, the book value
// beyond it is that of the counted last year.
TEST_F(CopyRow, TheYearsNotTheCountDecideWhetherAYearExists) {
    s.gridRowCount = 3;
    const ScheduleCopy inside = copyScheduleRow(s, 4);
    EXPECT_EQ(inside.depreciation, "");
    EXPECT_EQ(inside.expense, "");
    EXPECT_EQ(inside.remark, "償却済");
    EXPECT_EQ(inside.bookValue, "825,000");
    EXPECT_EQ(copyScheduleRow(s, 5).bookValue, "825,000");
}

TEST(StatementRules, TheThreeYearScheduleCountsOneYearLessThanItHas) {
    const schedule::Schedule s =
        schedule::computeSchedule(testing::threeYear("20", "100001"), {12, 0, 2024});
    ASSERT_EQ(s.years.size(), 10u);
    ASSERT_EQ(s.gridRowCount, 10);
    EXPECT_EQ(copyScheduleRow(s, 1).depreciationYen, 33334);
    const ScheduleCopy tenth = copyScheduleRow(s, 10);
    EXPECT_EQ(tenth.depreciation, "");
    EXPECT_EQ(tenth.bookValue, "");  // the ninth year's, the counted last
    // Past the table: as its last year.
    for (const int row : {11, 16, 400}) {
        const ScheduleCopy past = copyScheduleRow(s, row);
        EXPECT_EQ(past.depreciation, "") << row;
        EXPECT_EQ(past.bookValue, "") << row;
        EXPECT_EQ(past.period, "") << row;
        EXPECT_EQ(past.remark, kWrittenOff) << row;
        EXPECT_EQ(past.marking, Marking::Removable) << row;
    }
}

}  // namespace
}  // namespace fenmark::yearend
