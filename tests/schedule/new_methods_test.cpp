// New straight line (GetFxd0) and new declining balance (GetFxd00).

#include <gtest/gtest.h>

#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::column;
using testing::open;
using testing::with;
using Texts = std::vector<std::string>;

reg::Row straight(const char* cost, const char* rate, const char* month = "1") {
    return asset("機械", "1", "22", month, "2", cost, "10", rate, "3");
}

struct AnnualCase {
    const char* name;
    const char* cost;
    const char* rounding;
    const char* annual;
    const char* first;  // acquired in April, December closing: 9 months
};

class StraightAnnualTest : public ::testing::TestWithParam<AnnualCase> {};

TEST_P(StraightAnnualTest, AnnualAndFirstYearAmounts) {
    const AnnualCase& c = GetParam();
    auto shown = open({straight(c.cost, "0.100", "4")}, {"12", c.rounding, 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colAmount), c.first);
    EXPECT_EQ(g.text(2, colAmount), c.annual);
    EXPECT_EQ(g.text(2, colMonths), "12/12");
}

INSTANTIATE_TEST_SUITE_P(
    Roundings, StraightAnnualTest,
    ::testing::Values(AnnualCase{"down", "1000001", "1", "100,000", "75,000"},
                      AnnualCase{"up", "1000001", "0", "100,001", "75,001"},
                      // 12,345,678.9 exactly, rounded once; the first year is
                      // 9,259,259.175
                      AnnualCase{"largeDown", "123456789", "1", "12,345,678", "9,259,259"},
                      AnnualCase{"largeUp", "123456789", "0", "12,345,679", "9,259,260"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(GetFxd0, AFirstYearOfOneMonthIsATwelfth) {
    auto shown = open({straight("1200000", "0.100", "12")}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colMonths), "1/12");
    EXPECT_EQ(g.text(1, colAmount), "10,000");
    EXPECT_EQ(g.text(1, colBookValue), "1,190,000");
}

TEST(GetFxd0, RunsToTheMemorandumValueAndStaysThere) {
    // Life 5 acquired in January 2010, two years before 2012: 24 data rows.
    auto shown =
        open({asset("x", "1", "22", "1", "2", "1000000", "5", "0.200", "3")}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    ASSERT_EQ(g.rows(), 25);
    EXPECT_EQ(shown->window->gridRowCount, 25);
    EXPECT_EQ(column(g, colAmount, 6),
              (Texts{"200,000", "200,000", "200,000", "200,000", "199,999", ""}));
    EXPECT_EQ(column(g, colBookValue, 6),
              (Texts{"800,000", "600,000", "400,000", "200,000", "1", "1"}));
    for (int r = 6; r < 25; ++r) {
        EXPECT_EQ(g.text(r, colAmount), "");
        EXPECT_EQ(g.text(r, colExpense), "");
        EXPECT_EQ(g.text(r, colMonths), "");
        EXPECT_EQ(g.text(r, colBookValue), "1");
    }
}

TEST(GetFxd0, RowCountFollowsTheLifeFromTwenty) {
    auto young =
        open({asset("x", "1", "20", "1", "0", "1000000", "30", "0.034", "3")}, {"12", "1", 2012});
    EXPECT_EQ(young->window->Fxg2.rows(), 37);
    auto old =
        open({asset("x", "1", "20", "1", "0", "1000000", "30", "0.034", "3")}, {"12", "1", 2048});
    EXPECT_EQ(old->window->Fxg2.rows(), 43);
    auto short_ =
        open({asset("x", "1", "20", "1", "0", "1000000", "19", "0.053", "3")}, {"12", "1", 2040});
    EXPECT_EQ(short_->window->Fxg2.rows(), 35);
}

// Every year ends at the memorandum value, not past it: a closing year
// takes what is left above it.
TEST(GetFxd0, QuantityAboveOneIsNeverOvershot) {
    auto shown =
        open({with(straight("400005", "0.500"), {{reg::quantity, "3"}})}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(column(g, colAmount, 3), (Texts{"200,002", "200,000", ""}));
    EXPECT_EQ(column(g, colBookValue, 3), (Texts{"200,003", "3", "3"}));
}

TEST(GetFxd0, AFirstYearBelowTheMemorandumValueStopsAtIt) {
    auto shown = open({with(straight("8", "0.500"), {{reg::quantity, "5"}})}, {"12", "0", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(column(g, colAmount, 2), (Texts{"3", ""}));
    EXPECT_EQ(column(g, colBookValue, 2), (Texts{"5", "5"}));
}

TEST(GetFxd0, FirstYearExpenseRoundsDownInEitherMode) {
    // 1,000,013 x 0.1 is 100,001.296875 in single precision; round up gives
    // 100,002 a year and 75,001 for nine months.
    auto shown = open({with(straight("1000013", "0.100", "4"), {{reg::businessRatio, "33"}})},
                      {"12", "0", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colAmount), "75,001");
    EXPECT_EQ(g.text(1, colExpense), "24,750");  // 24,750.33 down
    EXPECT_EQ(g.text(2, colAmount), "100,002");
    EXPECT_EQ(g.text(2, colExpense), "33,001");  // 33,000.66 up
}

// The worked example: life 10, cost 1,000,000, a full first year, round down.
TEST(GetFxd00, SwitchesToTheRevisedAmountInYearEight) {
    auto shown = open({testing::newDeclining()}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    ASSERT_EQ(g.rows(), 17);  // life + 7
    EXPECT_EQ(column(g, colAmount, 11),
              (Texts{"250,000", "187,500", "140,625", "105,468", "79,101", "59,326", "44,495",
                     "44,583", "44,583", "44,318", ""}));
    EXPECT_EQ(column(g, colBookValue, 11),
              (Texts{"750,000", "562,500", "421,875", "316,407", "237,306", "177,980", "133,485",
                     "88,902", "44,319", "1", "1"}));
    EXPECT_EQ(column(g, colRemark, 11),
              (Texts{"", "", "", "", "", "", "", "改定償却", "改定償却", "改定償却", ""}));
    EXPECT_EQ(column(g, colMonths, 11), (Texts{"12/12", "12/12", "12/12", "12/12", "12/12", "12/12",
                                               "12/12", "12/12", "12/12", "12/12", ""}));
    EXPECT_EQ(g.text(8, colExpense), "44,583");
    EXPECT_EQ(g.text(16, colBookValue), "1");
    EXPECT_EQ(column(g, colSettleYear, 2), (Texts{"2008", "2009"}));
}

// The income-tax rules switch when the ordinary amount does not reach the
// guarantee amount: a year that meets it exactly stays ordinary.
TEST(GetFxd00, AnAmountEqualToTheGuaranteeStaysOrdinary) {
    // guarantee 0.044495 x 1,000,000 = 44,495, year 7's ordinary amount
    auto shown = open({with(testing::newDeclining(), {{reg::newRuleRates, "0.3340.044495"}})},
                      {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(7, colAmount), "44,495");
    EXPECT_EQ(g.text(7, colRemark), "");
    EXPECT_EQ(g.text(8, colAmount), "44,583");
    EXPECT_EQ(g.text(8, colRemark), "改定償却");
}

TEST(GetFxd00, EndsAtAQuantityOfTwo) {
    auto shown = open({with(testing::newDeclining(), {{reg::quantity, "2"}})}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(10, colAmount), "44,317");
    EXPECT_EQ(g.text(10, colBookValue), "2");
    EXPECT_EQ(g.text(11, colBookValue), "2");
}

TEST(GetFxd00, RevisedYearsStopAtTheMemorandumValue) {
    // Switch in year 2 (guarantee 90 %): base 200,005, revised 100,002. A
    // second revised year would leave 1, below the quantity 3.
    const reg::Row row = with(asset("x", "1", "20", "1", "2", "400010", "4", "0.500", "4"),
                              {{reg::newRuleRates, "0.5000.90000"}, {reg::quantity, "3"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(column(g, colAmount, 4), (Texts{"200,005", "100,002", "100,000", ""}));
    EXPECT_EQ(column(g, colBookValue, 4), (Texts{"200,005", "100,003", "3", "3"}));
    EXPECT_EQ(column(g, colRemark, 4), (Texts{"", "改定償却", "改定償却", ""}));
}

TEST(GetFxd00, AFirstYearOfOneMonth) {
    auto shown =
        open({with(testing::newDeclining(), {{reg::acquisitionMonth, "12"}})}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colMonths), "1/12");
    EXPECT_EQ(g.text(1, colAmount), "20,833");  // 250,000 / 12
    EXPECT_EQ(g.text(1, colBookValue), "979,167");
    EXPECT_EQ(g.text(2, colAmount), "244,791");  // 979,167 x 0.25 down
}

// Life 2 has neither revised nor guarantee rate: the declining balance
// itself runs to the memorandum value.
TEST(GetFxd00, LifeTwoEndsWithoutASwitch) {
    const reg::Row full = with(asset("x", "1", "20", "1", "2", "1000000", "2", "1.000", "4"),
                               {{reg::newRuleRates, "------------"}});
    auto shown = open({full}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.rows(), 9);
    EXPECT_EQ(g.text(1, colAmount), "999,999");
    EXPECT_EQ(g.text(1, colBookValue), "1");
    EXPECT_EQ(g.text(1, colRemark), "");
    for (int r = 2; r < g.rows(); ++r) {
        EXPECT_EQ(g.text(r, colAmount), "");
        EXPECT_EQ(g.text(r, colMonths), "");
        EXPECT_EQ(g.text(r, colBookValue), "1");
    }
    // Half a year first: 500,000, then the rest less the memorandum value.
    auto half = open({with(full, {{reg::acquisitionMonth, "7"}})}, {"12", "1", 2012});
    EXPECT_EQ(column(half->window->Fxg2, colAmount, 3), (Texts{"500,000", "499,999", ""}));
    EXPECT_EQ(column(half->window->Fxg2, colBookValue, 3), (Texts{"500,000", "1", "1"}));
}

TEST(GetFxd00, EveryRevisedYearCarriesTheRemark) {
    // A revised rate of 0.045 on life 50 gives a revised period of 23 years.
    const reg::Row row = with(asset("x", "1", "20", "1", "0", "10000000", "50", "0.050", "4"),
                              {{reg::newRuleRates, "0.0450.01000"}});
    auto shown = open({row}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    int revised = 0;
    int last = 0;
    for (int r = 1; r < g.rows(); ++r) {
        if (g.text(r, colRemark) == "改定償却") {
            ++revised;
            last = r;
            EXPECT_NE(g.text(r, colAmount), "");
        }
    }
    EXPECT_GT(revised, 20);
    EXPECT_EQ(g.text(last, colBookValue), "1");
    EXPECT_EQ(g.text(last - revised, colRemark), "");
}

// The revised base is the switch year's book value to the yen, also above
// 2^24 yen where single precision would hold 16,851,753 as 16,851,752.
TEST(GetFxd00, RevisedBaseIsTheBookValueToTheYen) {
    const reg::Row row = with(asset("x", "1", "31", "2", "8", "47485706", "49", "0.041", "4"),
                              {{reg::newRuleRates, "0.0420.01475"}, {reg::businessRatio, "67"}});
    auto shown = open({row}, {"10", "0", 2022});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(25, colBookValue), "16,851,753");
    EXPECT_EQ(g.text(26, colRemark), "改定償却");
    EXPECT_EQ(g.text(26, colAmount), "707,774");  // 0.042 x 16,851,753 = 707,773.63 up
    EXPECT_EQ(g.text(26, colBookValue), "16,143,979");
    EXPECT_EQ(g.text(26, colExpense), "474,209");  // 474,208.58
}

TEST(GetFxd00, ExpenseIsTheShareToTheNearestYen) {
    auto shown =
        open({with(testing::newDeclining(), {{reg::businessRatio, "33"}})}, {"12", "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.text(1, colExpense), "82,500");
    EXPECT_EQ(g.text(4, colExpense), "34,804");  // 105,468 x 0.33 = 34,804.44
    EXPECT_EQ(g.text(5, colExpense), "26,103");  // 79,101 x 0.33 = 26,103.33
    EXPECT_EQ(g.text(7, colExpense), "14,683");  // 44,495 x 0.33 = 14,683.35
}

// The NTA's worked example of the 250 % declining balance: 1,000,000 yen,
// 6 years, acquired in July 2007, every fraction rounded up; the revised
// base (改定取得価額) is 91,437.
TEST(GetFxd00, TheNtaExampleReachesItsRevisedBase) {
    const reg::Row row = with(asset("機械", "1", "19", "7", "2", "1000000", "6", "0.417", "4"),
                              {{reg::newRuleRates, "0.5000.05776"}});
    const Schedule s = computeSchedule(row, {12, 0, 2026});
    const Texts amounts = {"208,500", "330,056", "192,423", "112,182",
                           "65,402",  "45,719",  "45,717"};
    for (int r = 1; r <= 7; ++r) EXPECT_EQ(moneyText(s.year(r).amount), amounts[r - 1]) << r;
    EXPECT_EQ(s.year(5).bookValue.yen(), 91437);
    EXPECT_EQ(s.year(6).basis, Remark::Revised);
    EXPECT_EQ(s.year(5).basis, Remark::None);
    EXPECT_EQ(s.guaranteeAmount, 57760);
}

}  // namespace
}  // namespace fenmark::schedule
