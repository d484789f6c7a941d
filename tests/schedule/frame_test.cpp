// The schedule frame: header captions, dispatch, year labels, first-year
// months, closing years, the cell functions.

#include "schedule/frame.h"

#include <gtest/gtest.h>

#include "common/convert.h"
#include "platform/grid.h"
#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::column;
using testing::open;
using testing::with;

TEST(ScheduleHeader, NewDecliningBalanceCaptions) {
    auto shown = open({with(testing::newDeclining(), {{reg::quantity, "2"}})}, {"12", "0", 2012});
    ScheduleWindowModel& w = *shown->window;
    EXPECT_EQ(w.txtName.text, "パソコン");
    EXPECT_EQ(w.lblCode.caption, "コード： 0801-4");
    EXPECT_EQ(w.lblPrice.caption, "1,000,000 円");
    EXPECT_EQ(w.lblBase.caption, "1,000,000");
    EXPECT_EQ(w.lblNens.caption, "耐用年数：    10年");
    EXPECT_EQ(w.lblSritu.caption, "償却率：    0.250");
    EXPECT_EQ(w.lblShou2.caption, "");
    EXPECT_EQ(w.lblWari.caption, "事業専用割合： 100％");
    EXPECT_EQ(w.lblSuu.caption, "数量： 2（台/機/㎡）");
    EXPECT_EQ(w.lblZanson.caption, "残存金額：　1 円");
    EXPECT_EQ(w.lblGendo.caption, "償却限度：100％");
    EXPECT_EQ(w.lblSHou.caption, "新定率法");
    EXPECT_EQ(w.lblDate.caption, "取得年月： H. 20 / 1");
    EXPECT_EQ(w.lblCate.caption, "種別： 備　品");
    EXPECT_EQ(w.Text2.text, "0.04448");
    EXPECT_EQ(w.Text3.text, "0.334");
    EXPECT_EQ(w.lblHo.caption, "保証率：       0.04448");
    EXPECT_EQ(w.lblR2.caption, "改定償却率：   0.334");
    EXPECT_EQ(w.lblHogaku.caption, "償却保証額 ： 44,480円");
    EXPECT_EQ(w.lblkeki.caption, "決算月　12月");
    EXPECT_EQ(w.Label3.caption, "計算方法：切上げ");
    EXPECT_EQ(w.lblNum.caption, "1/1");
}

TEST(ScheduleHeader, OldStraightLineWithRevisedLife) {
    const reg::Row row =
        with(asset("倉庫", "0", "60", "7", "0", "12345678", "45", "0.023", "1"),
             {{reg::revisedLife, "38"}, {reg::revisedRate, "0.027"}, {reg::residualRatio, "10"}});
    auto shown = open({row}, {"3", "1", 2012});
    ScheduleWindowModel& w = *shown->window;
    // integer part of 12,345,678 x 0.9 = 11,111,110.2
    EXPECT_EQ(w.lblBase.caption, "11,111,110");
    EXPECT_EQ(w.lblNens.caption, "耐用年数：    45年　/（短縮）38年");
    EXPECT_EQ(w.lblShou2.caption, "/ [  0.027]");
    EXPECT_EQ(w.lblZanson.caption, "残存割合：　10％");
    EXPECT_EQ(w.lblGendo.caption, "償却限度：　95％");
    EXPECT_EQ(w.lblSHou.caption, "旧定額法");
    EXPECT_EQ(w.lblDate.caption, "取得年月： S. 60 / 7");
    EXPECT_EQ(w.lblCate.caption, "種別： 建　物");
    EXPECT_EQ(w.lblHo.caption, "");
    EXPECT_EQ(w.lblHogaku.caption, "");
    EXPECT_EQ(w.lblkeki.caption, "決算月　3月");
    EXPECT_EQ(w.Label3.caption, "計算方法：切捨て");
}

// A 少額減価償却資産 (expensed whole at once) and a 一括償却資産 (in three
// equal thirds) keep no residual part and have no limit: those captions
// stay blank, also after an asset that has them, while the rest of the
// header is shown as for any asset; the next asset shows its own again.
TEST(ScheduleHeader, WrittenOffWholeAssetsShowNoResidualOrLimit) {
    const reg::Row small =
        test::makeRow({"タブレット", "2026-06-4", "2", "8", "6", "", "4", "2026", "250000", "4",
                       "1.000", "6", "1", "100", "", "", "10", "95", ""});
    const reg::Row lumpSum = asset("複合機", "1", "20", "4", "4", "180000", "3", "0.333 ", "2");
    const reg::Row lumpSumWithRates = with(lumpSum, {{reg::newRuleRates, "0.6670.12499"}});
    const reg::Row old = asset("倉庫", "1", "5", "7", "0", "1000000", "31", "0.033", "1");
    auto shown = open({old, small, lumpSum, lumpSumWithRates, old}, {"12", "0", 2026});
    ScheduleWindowModel& w = *shown->window;
    EXPECT_EQ(w.lblZanson.caption, "残存割合：　10％");
    struct Expected {
        const char* method;
        const char* life;
        const char* rate;
    };
    const Expected expected[] = {{"少額特例", "耐用年数：    4年", "償却率：    1.000"},
                                 {"一括償却", "耐用年数：    3年", "償却率：    0.333 "},
                                 {"一括償却", "耐用年数：    3年", "償却率：    0.333 "}};
    for (const Expected& e : expected) {
        w.cmdFF_Click();
        SCOPED_TRACE(w.lblNum.caption);
        EXPECT_EQ(w.lblZanson.caption, "");
        EXPECT_EQ(w.lblGendo.caption, "");
        EXPECT_EQ(w.lblSHou.caption, e.method);
        EXPECT_EQ(w.lblNens.caption, e.life);
        EXPECT_EQ(w.lblSritu.caption, e.rate);
        EXPECT_EQ(w.lblWari.caption, "事業専用割合： 100％");
        EXPECT_EQ(w.lblHo.caption, "");
        EXPECT_EQ(w.lblHogaku.caption, "");
    }
    w.cmdFF_Click();
    EXPECT_EQ(w.lblZanson.caption, "残存割合：　10％");
    EXPECT_EQ(w.lblGendo.caption, "償却限度：　95％");
    EXPECT_TRUE(shown->dialogs.messages().empty());
}

struct MethodCaptionCase {
    const char* name;
    const char* type;
    const char* method;
    const char* caption;
};

class MethodCaptionTest : public ::testing::TestWithParam<MethodCaptionCase> {};

TEST_P(MethodCaptionTest, NamesTheMethod) {
    const MethodCaptionCase& c = GetParam();
    auto shown = open({asset("x", "1", "20", "4", c.type, "150000", "5", "0.200", c.method)});
    EXPECT_EQ(shown->window->lblSHou.caption, c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MethodCaptionTest,
    ::testing::Values(MethodCaptionCase{"oldDeclining", "2", "0", "旧定率法"},
                      MethodCaptionCase{"oldStraight", "2", "1", "旧定額法"},
                      MethodCaptionCase{"threeYear", "4", "2", "一括償却"},
                      MethodCaptionCase{"newStraight", "2", "3", "新定額法"},
                      MethodCaptionCase{"newDeclining", "2", "4", "新定率法"},
                      MethodCaptionCase{"oldStraightAsNumber", "2", "1.0", "旧定額法"},
                      MethodCaptionCase{"deferredAsset", "9", "5", "定額法"},
                      MethodCaptionCase{"livingThingOldStraight", "10", "1", "定額法"},
                      MethodCaptionCase{"unknownCode", "2", "5", ""},
                      MethodCaptionCase{"noCode", "2", "", ""}),
    [](const auto& tc) { return std::string(tc.param.name); });

// An asset that selects no procedure shows the heading alone and none of the
// previous asset's captions.
TEST(ScheduleDispatch, NoProcedureGivesAnEmptySchedule) {
    const reg::Row odd =
        with(asset("謎", "3", "20", "4", "2", "150000", "5", "0.200", "5"), {{reg::eraCode, "3"}});
    auto shown = open({testing::newDeclining(), odd});
    ScheduleWindowModel& w = *shown->window;
    ASSERT_GT(w.Fxg2.rows(), 1);
    w.cmdFF_Click();
    EXPECT_EQ(w.Fxg2.rows(), 1);
    EXPECT_EQ(w.gridRowCount, 1);
    EXPECT_EQ(w.Fxg2.text(0, colAmount), "当期償却額 ");
    EXPECT_EQ(w.lblSHou.caption, "");
    EXPECT_EQ(w.lblDate.caption, "");
    EXPECT_EQ(w.lblHo.caption, "");
    EXPECT_EQ(w.lblHogaku.caption, "");
    EXPECT_EQ(w.txtName.text, "謎");
    EXPECT_FALSE(w.scheduleFailed());
    EXPECT_TRUE(shown->dialogs.messages().empty());
}

TEST(ScheduleDispatch, TypeNineOrMoreGoesToPlainStraightLine) {
    for (const char* method : {"0", "1", "2", "3", "4", "5"}) {
        auto shown = open({with(asset("繰延", "1", "20", "1", "9", "500000", "5", "0.200", method),
                                {{reg::residualRatio, "0"}, {reg::depreciationLimit, "100"}})});
        SCOPED_TRACE(method);
        EXPECT_EQ(shown->window->lblSHou.caption, "定額法");
        EXPECT_EQ(shown->window->Fxg2.text(2, colAmount), "100,000");
        EXPECT_EQ(shown->window->Fxg2.text(1, colRemark), "");
    }
}

TEST(ScheduleGrid, HeadingAndShape) {
    auto shown = open({testing::newDeclining()});
    const platform::Grid& g = shown->window->Fxg2;
    EXPECT_EQ(g.cols(), 8);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 0);
    const char* headings[] = {"経過年数",   "年度期末現在        ", "決算年 ",
                              "月数   ",    "当期償却額 ",          "経費算入額 ",
                              "期末簿価  ", "　　備　考　　"};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(g.text(0, c), headings[c]);
    EXPECT_EQ(g.colAlignment(0), platform::Alignment::Center);
    EXPECT_EQ(g.colAlignment(1), platform::Alignment::General);
    EXPECT_EQ(shown->window->gridRowCount, g.rows());
    EXPECT_TRUE(shown->window->Fxg2Visible);
    EXPECT_EQ(column(g, colYears, 3), (std::vector<std::string>{"1", "2", "3"}));
}

struct YearCase {
    const char* name;
    const char* closing;
    const char* era;
    const char* eraYear;
    const char* month;
    std::vector<std::string> labels;  // rows 1..n
    const char* months;               // row 1
    std::vector<std::string> years;   // rows 1..n
};

class YearColumnsTest : public ::testing::TestWithParam<YearCase> {};

TEST_P(YearColumnsTest, LabelsMonthsAndClosingYears) {
    const YearCase& c = GetParam();
    // New straight line: the same frame columns as every procedure.
    // The western year as a Shōwa year would give it, whatever the era code.
    const std::string era = c.era;
    const int western = std::stoi(c.eraYear) + (era == "1" ? 1988 : era == "2" ? 2018 : 1925);
    auto shown =
        open({with(asset("x", c.era, c.eraYear, c.month, "2", "1000000", "10", "0.100", "3"),
                   {{reg::westernYear, std::to_string(western)}})},
             {c.closing, "1", 2012});
    const platform::Grid& g = shown->window->Fxg2;
    const int n = static_cast<int>(c.labels.size());
    EXPECT_EQ(column(g, colLabel, n), c.labels);
    EXPECT_EQ(g.text(1, colMonths), c.months);
    EXPECT_EQ(column(g, colSettleYear, n), c.years);
}

INSTANTIATE_TEST_SUITE_P(
    Closings, YearColumnsTest,
    ::testing::Values(
        YearCase{"decemberApril",
                 "12",
                 "1",
                 "19",
                 "4",
                 {"平成19年度期末", "平成20年度期末"},
                 "9/12",
                 {"2007", "2008"}},
        YearCase{"marchFebruary",
                 "3",
                 "1",
                 "17",
                 "2",
                 {"平成16年度期末", "平成17年度期末"},
                 "2/12",
                 {"2005", "2006"}},
        YearCase{"marchMay",
                 "3",
                 "1",
                 "17",
                 "5",
                 {"平成17年度期末", "平成18年度期末"},
                 "11/12",
                 {"2006", "2007"}},
        YearCase{
            "acquiredInTheClosingMonth", "6", "1", "20", "6", {"平成19年度期末"}, "1/12", {"2008"}},
        YearCase{
            "acquiredTheMonthAfter", "6", "1", "20", "7", {"平成20年度期末"}, "12/12", {"2009"}},
        YearCase{"decemberInDecember", "12", "1", "20", "12", {"平成20年度期末"}, "1/12", {"2008"}},
        YearCase{"showaDecember",
                 "12",
                 "0",
                 "60",
                 "1",
                 {"昭和 60年度期末", "昭和 61年度期末", "昭和 62年度期末", "昭和 63年度期末",
                  "平成元年度期末", "平成2年度期末"},
                 "12/12",
                 {"1985", "1986", "1987", "1988", "1989", "1990"}},
        // F = -2: the first fiscal year is Shōwa 59 and Shōwa 63 still comes,
        // one row later.
        YearCase{"showaMarchFebruary",
                 "3",
                 "0",
                 "60",
                 "2",
                 {"昭和 59年度期末", "昭和 60年度期末", "昭和 61年度期末", "昭和 62年度期末",
                  "昭和 63年度期末", "平成元年度期末", "平成2年度期末"},
                 "2/12",
                 {"1985", "1986", "1987", "1988", "1989", "1990", "1991"}},
        YearCase{"showaMarchMay",
                 "3",
                 "0",
                 "63",
                 "5",
                 {"昭和 63年度期末", "平成元年度期末"},
                 "11/12",
                 {"1989", "1990"}},
        // A label takes the era of the year it names: 2019 is 令和元年; the
        // fiscal year from April 2019 is 令和元年度, the one to March 2019
        // 平成30年度; a stored 平成 year past the era's end is named in 令和.
        YearCase{"reiwaDecember",
                 "12",
                 "1",
                 "30",
                 "6",
                 {"平成30年度期末", "令和元年度期末", "令和2年度期末"},
                 "7/12",
                 {"2018", "2019", "2020"}},
        YearCase{"reiwaMarchApril",
                 "3",
                 "1",
                 "30",
                 "4",
                 {"平成30年度期末", "令和元年度期末", "令和2年度期末"},
                 "12/12",
                 {"2019", "2020", "2021"}},
        YearCase{"reiwaStoredAsHeisei", "12", "1", "38", "4", {"令和8年度期末"}, "9/12", {"2026"}},
        YearCase{"reiwa",
                 "3",
                 "2",
                 "8",
                 "2",
                 {"令和7年度期末", "令和8年度期末"},
                 "2/12",
                 {"2026", "2027"}},
        // Neither era: no era name, the crossing as for Shōwa.
        YearCase{"unknownEra",
                 "12",
                 "7",
                 "63",
                 "1",
                 {"63年度期末", "平成元年度期末"},
                 "12/12",
                 {"1988", "1989"}}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(ScheduleCells, FaIndexAndGetPriData) {
    auto shown = open({testing::newDeclining()});
    ScheduleWindowModel& w = *shown->window;
    EXPECT_EQ(w.faIndex(0, 0), 8);
    EXPECT_EQ(w.faIndex(2, 7), 31);
    EXPECT_EQ(w.faIndex(4094, 7), 32767);
    EXPECT_THROW((void)w.faIndex(4095, 0), common::OverflowError);
    EXPECT_THROW((void)w.faIndex(32767, 0), common::OverflowError);
    EXPECT_EQ(w.GetPriData(1, colAmount), "250,000");
    EXPECT_EQ(w.Fxg2.row(), 1);
    EXPECT_EQ(w.Fxg2.col(), colAmount);
    EXPECT_EQ(w.GetPriData(0, colYears), "経過年数");
    EXPECT_THROW((void)w.GetPriData(w.Fxg2.rows(), 0), platform::GridError);
    EXPECT_THROW((void)w.GetPriData(1, 8), platform::GridError);
}

TEST(ScheduleCells, HiddenRateBoxesFollowTxtSinR) {
    auto shown = open({testing::newDeclining()});
    ScheduleWindowModel& w = *shown->window;
    w.setTxtSinR("0.5000.12345");
    EXPECT_EQ(w.Text3.text, "0.500");
    EXPECT_EQ(w.Text2.text, "0.12345");
    w.setTxtSinR("");
    EXPECT_EQ(w.Text3.text, "");
    EXPECT_EQ(w.Text2.text, "");
}

// The straight-line current-period amounts: single precision before the
// rounding, the expense rounded down from its single value.
TEST(ToukiCal, RoundsTheSingleProductByTheMode) {
    const reg::Row row = with(asset("x", "1", "2", "1", "2", "1000003", "10", "0.100", "1"),
                              {{reg::revisedRate, "0.125"}, {reg::businessRatio, "75"}});
    auto up = open({row}, {"12", "0", 2012});
    up->window->ToukiCal();
    // 1,000,003 x 0.9 x 0.1 = 90,000.27 -> up 90,001
    EXPECT_EQ(up->window->currentAmount, 90001);
    EXPECT_EQ(up->window->currentExpense, 67500);  // 67,500.75 down
    // 1,000,003 x 0.9 x 0.125 = 112,500.3375 -> up 112,501
    EXPECT_EQ(up->window->revisedCurrentAmount, 112501);
    EXPECT_EQ(up->window->revisedCurrentExpense, 84375);  // 84,375.75 down
    auto down = open({row}, {"12", "1", 2012});
    down->window->ToukiCal();
    EXPECT_EQ(down->window->currentAmount, 90000);
    EXPECT_EQ(down->window->revisedCurrentAmount, 112500);
}

}  // namespace
}  // namespace fenmark::schedule
