// Three-year equal write-off (GetFxd1).

#include <gtest/gtest.h>

#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::column;
using testing::open;
using testing::with;
using Texts = std::vector<std::string>;

reg::Row threeYear(const char* cost, const char* ratio = "100") {
    return with(asset("パソコン", "1", "20", "7", "4", cost, "3", "0.333 ", "2"),
                {{reg::businessRatio, ratio}});
}

TEST(GetFxd1, ThirdsRoundUpAndTheLastTakesTheRest) {
    auto shown = open({threeYear("100001")});
    const platform::Grid& g = shown->window->Fxg2;
    ASSERT_EQ(g.rows(), 11);
    EXPECT_EQ(shown->window->gridRowCount, 10);
    EXPECT_EQ(column(g, colAmount, 4), (Texts{"33,334", "33,334", "33,333", ""}));
    EXPECT_EQ(column(g, colBookValue, 4), (Texts{"66,667", "33,333", "0", ""}));
    EXPECT_EQ(column(g, colMonths, 4), (Texts{"1/3", "1/3", "1/3", ""}));
    EXPECT_EQ(column(g, colRemark, 4), (Texts{"3年均等", "3年均等", "3年均等", ""}));
    EXPECT_EQ(column(g, colYears).back(), "10");
    EXPECT_EQ(shown->window->lblSHou.caption, "一括償却");
}

struct ShareCase {
    const char* name;
    const char* cost;
    const char* ratio;
    Texts expenses;
};

class ThreeYearShareTest : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ThreeYearShareTest, ExpenseToTheNearestYen) {
    auto shown = open({threeYear(GetParam().cost, GetParam().ratio)});
    EXPECT_EQ(column(shown->window->Fxg2, colExpense, 4), GetParam().expenses);
}

INSTANTIATE_TEST_SUITE_P(
    Shares, ThreeYearShareTest,
    ::testing::Values(ShareCase{"half", "150000", "50", {"25,000", "25,000", "25,000", ""}},
                      // 33,334 x 0.33 = 11,000.22; 33,333 x 0.33 = 10,999.89
                      ShareCase{"third", "100001", "33", {"11,000", "11,000", "11,000", ""}},
                      // 66,667 x 0.5 = 33,333.5 rounds away from zero
                      ShareCase{"halfYen", "200000", "50", {"33,334", "33,334", "33,333", ""}}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(GetFxd1, IgnoresLifeRateQuantityAndRounding) {
    const reg::Row odd =
        with(threeYear("150000"),
             {{reg::usefulLife, "7"}, {reg::depreciationRate, "0.900"}, {reg::quantity, "5"}});
    auto up = open({odd}, {"12", "0", 2012});
    auto down = open({threeYear("150000")}, {"12", "1", 2012});
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(column(up->window->Fxg2, c), column(down->window->Fxg2, c)) << c;
    }
    EXPECT_EQ(column(up->window->Fxg2, colAmount, 3), (Texts{"50,000", "50,000", "50,000"}));
    // Not even a quantity beyond any book value stops it.
    const Schedule s =
        computeSchedule(with(threeYear("150000"), {{reg::quantity, "99999999999"}}), {12, 0, 2012});
    EXPECT_EQ(s.year(3).amount.yen(), 50000);
}

// Acquired in the closing month: the first year closes in the acquisition's
// calendar year, as in every other schedule.
TEST(GetFxd1, ClosingYears) {
    auto inMonth =
        open({with(threeYear("150000"), {{reg::acquisitionMonth, "3"}})}, {"3", "1", 2012});
    EXPECT_EQ(column(inMonth->window->Fxg2, colSettleYear, 2), (Texts{"2008", "2009"}));
    EXPECT_EQ(inMonth->window->Fxg2.text(1, colLabel), "平成19年度期末");
    auto after =
        open({with(threeYear("150000"), {{reg::acquisitionMonth, "4"}})}, {"3", "1", 2012});
    EXPECT_EQ(column(after->window->Fxg2, colSettleYear, 2), (Texts{"2009", "2010"}));
    EXPECT_EQ(after->window->Fxg2.text(1, colLabel), "平成20年度期末");
}

}  // namespace
}  // namespace fenmark::schedule
