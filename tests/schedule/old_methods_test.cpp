// Old declining balance (GetFxd3), old straight line (GetFxd), plain straight
// line (GetFxd2) and the five-year tail they share.

#include <gtest/gtest.h>

#include "schedule/five_year_tail.h"
#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::column;
using testing::open;
using testing::with;
using Texts = std::vector<std::string>;

// The limit is 95 % of the cost rounded by the rounding choice; each tail
// year takes (the exact 5 % - the memorandum value) / 5, rounded the same
// way, and the fifth what is left down to the memorandum value.
TEST(FiveYearTail, TheLimitAndTheTailFollowTheLaw) {
    using Five = std::array<std::int64_t, 5>;
    struct Case {
        const char* name;
        std::int64_t cost;
        std::int16_t rounding;
        std::int64_t floor;
        Five amounts;
        Five books;
    };
    const Case cases[] = {
        // The NTA's example: 10,000 four times, then 9,999.
        {"ntaUp",
         1000000,
         0,
         50000,
         {10000, 10000, 10000, 10000, 9999},
         {40000, 30000, 20000, 10000, 1}},
        // 49,999 / 5 = 9,999.8 down: the fifth year takes the rest.
        {"down",
         1000000,
         1,
         50000,
         {9999, 9999, 9999, 9999, 10003},
         {40001, 30002, 20003, 10004, 1}},
        // 5 % is exactly 50,001: 10,000 five times.
        {"exactFifths",
         1000020,
         0,
         50001,
         {10000, 10000, 10000, 10000, 10000},
         {40001, 30001, 20001, 10001, 1}},
        // 95 % is 3,166,666.35: up 3,166,667 leaves 166,666.
        // (166,666.65 - 1) / 5 = 33,333.13: up 33,334 four times.
        {"limitRoundedUp",
         3333333,
         0,
         166666,
         {33334, 33334, 33334, 33334, 33329},
         {133332, 99998, 66664, 33330, 1}},
        {"limitRoundedDown",
         3333333,
         1,
         166667,
         {33333, 33333, 33333, 33333, 33334},
         {133334, 100001, 66668, 33335, 1}},
        // A floor of a few yen: no year takes more than is left.
        {"tiny", 203, 0, 10, {2, 2, 2, 2, 1}, {8, 6, 4, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FiveYearTail tail(c.cost, 95, 1990, 1, c.rounding);
        EXPECT_EQ(tail.limitFloor(), c.floor);
        EXPECT_EQ(tail.tailStartRow(), 19);
        EXPECT_EQ(tail.tailAmount(), c.amounts);
        EXPECT_EQ(tail.tailBookValue(), c.books);
    }
}

// Old declining balance, cost 1,000,000, limit 95, round down, acquired in
// January 1990: the floor in 2002, waiting years to 2007, the tail 2008-2012.
TEST(GetFxd3, DecliningToTheLimitThenTheTail) {
    auto shown =
        open({asset("機械", "1", "2", "1", "2", "1000000", "10", "0.206", "0")}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    ASSERT_EQ(g.rows(), 30);  // 22 years old: E + 8
    EXPECT_EQ(column(g, colAmount, 3), (Texts{"206,000", "163,564", "129,869"}));
    EXPECT_EQ(g.text(12, colAmount), "16,289");
    EXPECT_EQ(g.text(13, colAmount), "12,786");  // 62,786 - 50,000
    EXPECT_EQ(g.text(13, colBookValue), "50,000");
    for (int r = 14; r <= 18; ++r) {
        EXPECT_EQ(g.text(r, colAmount), "0");
        EXPECT_EQ(g.text(r, colMonths), "");
        EXPECT_EQ(g.text(r, colExpense), "");
        EXPECT_EQ(g.text(r, colBookValue), "50,000");
    }
    EXPECT_EQ(g.text(19, colSettleYear), "2008");
    const Texts amounts = column(g, colAmount);
    const Texts books = column(g, colBookValue);
    const Texts remarks = column(g, colRemark);
    // (50,000 - 1) / 5 = 9,999.8, down: the fifth year takes the rest.
    EXPECT_EQ(Texts(amounts.begin() + 18, amounts.begin() + 24),
              (Texts{"9,999", "9,999", "9,999", "9,999", "10,003", ""}));
    EXPECT_EQ(Texts(books.begin() + 18, books.begin() + 24),
              (Texts{"40,001", "30,002", "20,003", "10,004", "1", "1"}));
    EXPECT_EQ(Texts(remarks.begin() + 17, remarks.begin() + 24),
              (Texts{"", "５年均等", "５年均等", "５年均等", "５年均等", "５年均等", ""}));
    EXPECT_EQ(g.text(29, colBookValue), "1");
}

TEST(GetFxd3, RoundUpTail) {
    auto shown =
        open({asset("機械", "1", "2", "1", "2", "1000041", "10", "0.206", "0")}, {"12", "0", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    // 95 % of 1,000,041 is 950,038.95, up 950,039: the floor is 50,002.
    EXPECT_EQ(g.text(13, colBookValue), "50,002");
    const Texts amounts = column(g, colAmount);
    EXPECT_EQ(Texts(amounts.begin() + 18, amounts.begin() + 23),
              (Texts{"10,001", "10,001", "10,001", "10,001", "9,997"}));
    EXPECT_EQ(g.text(23, colBookValue), "1");
}

TEST(GetFxd3, ExpenseIsUnroundedWithinTheLifeAndRoundedDownAfter) {
    auto shown = open({with(asset("機械", "1", "2", "1", "2", "1000000", "10", "0.206", "0"),
                            {{reg::businessRatio, "33"}})},
                      {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(2, colExpense), "53,976");  // 163,564 x 0.33 = 53,976.12
    EXPECT_EQ(g.text(9, colExpense), "10,739");  // 32,541 x 0.33 = 10,738.53, nearest
    EXPECT_EQ(g.text(11, colExpense), "6,769");  // 20,515 x 0.33 = 6,769.95, down
    EXPECT_EQ(g.text(19, colExpense), "3,299");  // the tail's 9,999 x 0.33, down
}

// A life revised in 1998 takes the revised rate from the 1998 year; an
// acquisition in 1998 itself keeps its prorated first year.
TEST(GetFxd3, RevisedRateFromThe1998Year) {
    const reg::Row row = with(asset("倉庫", "1", "2", "1", "0", "1000000", "10", "0.206", "0"),
                              {{reg::revisedLife, "8"}, {reg::revisedRate, "0.250"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(8, colAmount), "40,984");  // 1997, rate 0.206
    EXPECT_EQ(g.text(9, colAmount), "39,492");  // 1998: 157,968 x 0.25
    EXPECT_EQ(g.text(9, colSettleYear), "1998");

    for (const char* year : {"9", "10"}) {
        auto late = open({with(row, {{reg::eraYear, year},
                                     {reg::westernYear, std::to_string(1988 + std::stoi(year))}})},
                         {"12", "1", 2012});
        SCOPED_TRACE(year);
        EXPECT_EQ(late->window->Fxg2.text(1, colAmount), "206,000");
        EXPECT_EQ(late->window->Fxg2.text(2, colAmount), "198,500");  // 794,000 x 0.25
    }
}

// A revised rate can bring the book value to the floor before the useful
// life is over; the year that reaches it takes only what is left above it.
TEST(GetFxd3, TheLimitHoldsWithinTheLife) {
    const reg::Row row = with(asset("倉庫", "1", "9", "1", "0", "10000000", "50", "0.045", "0"),
                              {{reg::revisedLife, "34"}, {reg::revisedRate, "0.067"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(43, colBookValue), "518,846");
    EXPECT_EQ(g.text(44, colAmount), "18,846");
    EXPECT_EQ(g.text(44, colBookValue), "500,000");
    EXPECT_EQ(g.text(45, colAmount), "99,999");  // (500,000 - 1) / 5, down
    EXPECT_EQ(g.text(45, colRemark), "５年均等");
    EXPECT_EQ(g.text(49, colBookValue), "1");
    EXPECT_EQ(g.text(50, colAmount), "");
}

// Old straight line reaching the limit in 2004 with a December closing.
TEST(GetFxd, WaitsAtTheLimitUntil2008) {
    auto shown =
        open({asset("機械", "1", "6", "1", "2", "1000000", "10", "0.100", "1")}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(column(g, colAmount, 2), (Texts{"90,000", "90,000"}));
    EXPECT_EQ(g.text(10, colBookValue), "100,000");
    EXPECT_EQ(g.text(11, colSettleYear), "2004");
    EXPECT_EQ(g.text(11, colAmount), "50,000");
    EXPECT_EQ(g.text(11, colBookValue), "50,000");
    for (int r = 12; r <= 14; ++r) {
        EXPECT_EQ(g.text(r, colAmount), "0");
        EXPECT_EQ(g.text(r, colBookValue), "50,000");
    }
    EXPECT_EQ(g.text(15, colSettleYear), "2008");
    EXPECT_EQ(
        column(g, colRemark, 20),
        (Texts{"", "", "", "", "",         "",         "",         "",         "",         "",
               "", "", "", "", "５年均等", "５年均等", "５年均等", "５年均等", "５年均等", ""}));
    EXPECT_EQ(g.text(19, colSettleYear), "2012");
    // Rounded down, each tail year takes 9,999 and the fifth the rest.
    EXPECT_EQ(g.text(18, colAmount), "9,999");
    EXPECT_EQ(g.text(19, colAmount), "10,003");
    EXPECT_EQ(g.text(19, colBookValue), "1");
}

// The revised amount holds after the revised life too; the unrevised
// 90,000 there would take the book value along another line.
TEST(GetFxd, RevisedAmountContinuesAfterTheRevisedLife) {
    const reg::Row row =
        with(asset("倉庫", "1", "2", "1", "0", "1000000", "10", "0.100", "1"),
             {{reg::revisedLife, "8"}, {reg::revisedRate, "0.125"}, {reg::businessRatio, "50"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    ASSERT_EQ(g.rows(), 30);
    EXPECT_EQ(g.text(8, colAmount), "90,000");
    EXPECT_EQ(g.text(9, colSettleYear), "1998");
    EXPECT_EQ(column(g, colAmount, 12),
              (Texts{"90,000", "90,000", "90,000", "90,000", "90,000", "90,000", "90,000", "90,000",
                     "112,500", "112,500", "5,000", "0"}));
    EXPECT_EQ(g.text(9, colExpense), "56,250");
    EXPECT_EQ(g.text(10, colBookValue), "55,000");
    EXPECT_EQ(g.text(11, colBookValue), "50,000");
    EXPECT_EQ(g.text(19, colRemark), "５年均等");
}

TEST(GetFxd, Acquired1998KeepsItsFirstYear) {
    const reg::Row row = with(asset("倉庫", "1", "10", "4", "0", "1000000", "10", "0.100", "1"),
                              {{reg::revisedLife, "8"}, {reg::revisedRate, "0.125"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colAmount), "67,500");  // 90,000 x 9 / 12
    EXPECT_EQ(g.text(2, colAmount), "112,500");
    EXPECT_EQ(g.text(2, colBookValue), "820,000");
}

TEST(GetFxd, LimitOfOneHundredIsThePlainStraightLine) {
    const reg::Row row = with(asset("機械", "1", "20", "1", "2", "600000", "6", "0.166", "1"),
                              {{reg::depreciationLimit, "100"}, {reg::residualRatio, "0"}});
    auto shown = open({row}, {"12", "1", 2012});
    EXPECT_EQ(shown->window->lblSHou.caption, "定額法");
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.rows(), 13);  // life + 7
    EXPECT_EQ(column(g, colAmount, 8),
              (Texts{"99,600", "99,600", "99,600", "99,600", "99,600", "99,600", "2,400", ""}));
    EXPECT_EQ(g.text(7, colBookValue), "");
    EXPECT_EQ(g.text(7, colRemark), "");
}

TEST(GetFxd2, DeferredAssetWithAPartFirstYear) {
    const reg::Row row = with(asset("繰延", "1", "20", "4", "9", "500000", "5", "0.200", "5"),
                              {{reg::residualRatio, "0"}, {reg::depreciationLimit, "100"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.rows(), 12);
    EXPECT_EQ(column(g, colAmount, 7),
              (Texts{"75,000", "100,000", "100,000", "100,000", "100,000", "25,000", ""}));
    EXPECT_EQ(column(g, colBookValue, 7),
              (Texts{"425,000", "325,000", "225,000", "125,000", "25,000", "", ""}));
    EXPECT_EQ(column(g, colMonths, 7),
              (Texts{"9/12", "12/12", "12/12", "12/12", "12/12", "12/12", ""}));
}

TEST(GetFxd2, StopsAtTheFloorTheLimitLeaves) {
    const reg::Row row = with(
        asset("牛", "1", "20", "4", "10", "1000000", "5", "0.200", "5"),
        {{reg::residualRatio, "0"}, {reg::depreciationLimit, "95"}, {reg::businessRatio, "50"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(column(g, colAmount, 7),
              (Texts{"150,000", "200,000", "200,000", "200,000", "200,000", "", ""}));
    EXPECT_EQ(g.text(5, colBookValue), "50,000");
    EXPECT_EQ(g.text(7, colBookValue), "50,000");
    EXPECT_EQ(g.text(1, colExpense), "75,000");
    EXPECT_EQ(g.text(2, colExpense), "100,000");
}

TEST(GetFxd2, TheRestTakesAsManyYearsAsItNeeds) {
    // Residual 10 % and limit 100: 90,000 a year down to 0 from 100,000
    // after the life, over two more years.
    const reg::Row row = with(asset("牛", "1", "20", "1", "10", "1000000", "10", "0.100", "5"),
                              {{reg::residualRatio, "10"}, {reg::depreciationLimit, "100"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(10, colBookValue), "100,000");
    EXPECT_EQ(column(g, colAmount, 13).at(10), "90,000");
    EXPECT_EQ(column(g, colAmount, 13).at(11), "10,000");
    EXPECT_EQ(column(g, colAmount, 13).at(12), "");
}

}  // namespace
}  // namespace fenmark::schedule
