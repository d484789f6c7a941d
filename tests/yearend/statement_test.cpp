// The statement computed through its window: the row of each asset's
// schedule that belongs to the year, the register columns, markings and
// legends, the totals, and assets without a schedule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "yearend/statement_fixture.h"

namespace fenmark::yearend {
namespace {

using testing::cells;
using testing::open;
using testing::statement;
using testing::straightLine;
using testing::threeYear;
using testing::with;
using testing::yearCells;
using Cells = std::vector<std::string>;

TEST(Statement, EmptyRegisterGivesHeadingAndEmptyTotals) {
    auto s = statement({}, "19");
    const StatementWindowModel& w = *s->window;
    ASSERT_EQ(w.Fxg3.rows(), 2);
    ASSERT_EQ(w.Fxg3.cols(), kStatementColumns);
    EXPECT_EQ(w.Fxg3.text(0, colName), "減価償却資産\nの名称等");
    EXPECT_EQ(w.Fxg3.text(0, colSpecial), "㋬割増\n（特別）\n償却費");
    EXPECT_EQ(w.Fxg3.text(0, colRemark), "摘要");
    EXPECT_EQ(w.Fxg3.text(1, colName), "合 　計");
    EXPECT_EQ(w.Fxg3.cellAlignment(1, colName), platform::Alignment::Center);
    EXPECT_EQ(cells(w, 1, colQuantity, colRemark), Cells(15, ""));
    EXPECT_EQ(w.Fxg3.backColor(1, colBookValue), kTotalsColor);
    EXPECT_EQ(w.Fxg3.backColor(1, colRemark), std::nullopt);
    EXPECT_TRUE(w.Fxg3Visible);
    EXPECT_EQ(s->state.currentRecord, 1);
    EXPECT_TRUE(s->dialogs.messages().empty());
}

// A new straight-line asset of April 2007 (cost 1,000,000, 100,000 a year),
// December closing: the years after the eleventh blank with the memorandum
// value, also those past the table's end, and the last year the statement
// takes.
TEST(Statement, DecemberClosingReadsOneRowFurtherEachYear) {
    struct Case {
        const char* year;
        Cells shown;  // columns 8..13
        Marking marking;
    };
    const Case cases[] = {
        {"18", {"", "0", "100%", "0", "0", ""}, Marking::NotExisting},
        {"19", {"9/12", "75,000", "100%", "75,000", "925,000", ""}, Marking::None},
        {"20", {"12/12", "100,000", "100%", "100,000", "825,000", ""}, Marking::None},
        {"29", {"12/12", "24,999", "100%", "24,999", "1", ""}, Marking::None},
        {"30", {"", "", "", "", "1", "償却済"}, Marking::None},
        {"42", {"", "", "", "", "1", "償却済"}, Marking::None},
        {"43", {"", "", "", "", "1", "償却済"}, Marking::None},
        {"99", {"", "", "", "", "1", "償却済"}, Marking::None},
    };
    for (const Case& c : cases) {
        auto s = statement({straightLine("19", "4")}, c.year);
        const StatementWindowModel& w = *s->window;
        EXPECT_EQ(yearCells(w, 1), c.shown) << c.year;
        ASSERT_EQ(w.markings.size(), 1u);
        EXPECT_EQ(w.markings[0], c.marking) << c.year;
        EXPECT_EQ(w.Picture2.visible && w.Label5.visible, c.marking == Marking::NotExisting);
        EXPECT_FALSE(w.Picture1.visible || w.Label4.visible) << c.year;
        EXPECT_EQ(cells(w, 1, colName, colRate), (Cells{"機械", "1", "H.19/4", "1,000,000",
                                                        "1,000,000", "新定額法", "10", "0.100"}));
    }
    auto s = statement({straightLine("19", "4")}, "18");
    const StatementWindowModel& w = *s->window;
    for (int col = 0; col < kStatementColumns; ++col) {
        const bool marked = col >= colQuantity && col <= colBookValue;
        EXPECT_EQ(w.Fxg3.backColor(1, col),
                  marked ? std::optional<platform::Rgb>(kNotExistingColor) : std::nullopt)
            << col;
    }
}

// March closing, Heisei 20: February and March acquisitions begin in the
// fiscal year named 19, April and May ones in the year named 20.
TEST(Statement, MarchClosingOffsetsByAcquisitionMonth) {
    const std::vector<reg::Row> rows{straightLine("20", "2"), straightLine("20", "3"),
                                     straightLine("20", "4"), straightLine("20", "5")};
    auto s20 = statement(rows, "20", "3");
    auto s19 = statement(rows, "19", "3");
    const Cells periods20{"12/12", "12/12", "12/12", "11/12"};
    const Cells books20{"883,333", "891,666", "900,000", "908,333"};
    const Cells periods19{"2/12", "1/12", "", ""};
    const std::vector<Marking> marks19{Marking::None, Marking::None, Marking::NotExisting,
                                       Marking::NotExisting};
    for (int f = 1; f <= 4; ++f) {
        const auto i = static_cast<std::size_t>(f - 1);
        EXPECT_EQ(s20->window->Fxg3.text(f, colPeriod), periods20[i]) << f;
        EXPECT_EQ(s20->window->Fxg3.text(f, colBookValue), books20[i]) << f;
        EXPECT_EQ(s19->window->Fxg3.text(f, colPeriod), periods19[i]) << f;
        EXPECT_EQ(s19->window->markings[i], marks19[i]) << f;
    }
    EXPECT_EQ(s20->window->Label3.caption, "(期末 ：平成 21年3月)");
    EXPECT_EQ(statement(rows, "19")->window->Label3.caption, "(期末 ：平成 19年12月)");
}

TEST(Statement, RevisedLifeAndRateFromHeisei10) {
    const reg::Row revised =
        with(test::asset("倉庫", "1", "5", "4", "0", "5000000", "24", "0.042", "1"),
             {{reg::revisedLife, "20"}, {reg::revisedRate, "0.050"}});
    const reg::Row lifeOnly = with(revised, {{reg::revisedRate, ""}});
    const std::pair<const char*, Cells> cases[] = {
        {"9", {"24", "0.042", "24", "0.042"}},
        {"10", {"20", "0.050", "20", ""}},
    };
    for (const auto& [year, expected] : cases) {
        auto s = statement({revised, lifeOnly}, year);
        const Cells shown{s->window->Fxg3.text(1, colLife), s->window->Fxg3.text(1, colRate),
                          s->window->Fxg3.text(2, colLife), s->window->Fxg3.text(2, colRate)};
        EXPECT_EQ(shown, expected) << year;
    }
}

// The totals row sums ㋭ ㋬ ㋣ ㋷ ㋦ as the form does, not the costs.
TEST(Statement, TotalsOfTheFormsColumnsAlone) {
    auto s = statement({straightLine("17", "4", "500000"), straightLine("19", "12"),
                        straightLine("22", "4", "300000")},
                       "19");
    const StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Fxg3.text(4, colCost), "");
    EXPECT_EQ(w.Fxg3.text(4, colBase), "");
    EXPECT_EQ(w.Fxg3.text(3, colCost), "300,000");
    EXPECT_EQ(w.Fxg3.text(3, colAcquired), "H.22/4");
    EXPECT_EQ(w.markings[2], Marking::NotExisting);
    // 50,000 + 1/12 of 100,000 rounded up.
    EXPECT_EQ(w.Fxg3.text(4, colDepreciation), "58,334");
    EXPECT_EQ(w.Fxg3.text(4, colSpecial), "");
    EXPECT_EQ(w.Fxg3.text(4, colDepreciationTotal), "58,334");
}

TEST(Statement, SumsAmountTextsWithSeparatorsByValue) {
    auto s = statement({threeYear("20", "3000"), threeYear("20", "7500")}, "20");
    const StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Fxg3.text(1, colDepreciation), "1,000");
    EXPECT_EQ(w.Fxg3.text(2, colDepreciation), "2,500");
    EXPECT_EQ(cells(w, 3, colDepreciation, colBookValue),
              (Cells{"3,500", "", "3,500", "", "3,500", "7,000"}));
    EXPECT_EQ(yearCells(w, 1), (Cells{"1/3", "1,000", "100%", "1,000", "2,000", "3年均等"}));
}

// The three-year schedule's grid holds ten data rows though it counts nine
// after its heading: row 10 is blank, and every year past the table is
// written off and removable as it is.
TEST(Statement, ThreeYearAssetAfterItsLastYear) {
    const std::pair<const char*, Cells> cases[] = {
        {"23", {"", "", "", "", "", "償却済"}}, {"29", {"", "", "", "", "", "償却済"}},
        {"30", {"", "", "", "", "", "償却済"}}, {"38", {"", "", "", "", "", "償却済"}},
        {"99", {"", "", "", "", "", "償却済"}},
    };
    for (const auto& [year, expected] : cases) {
        auto s = statement({threeYear("20", "100001")}, year);
        const StatementWindowModel& w = *s->window;
        EXPECT_EQ(yearCells(w, 1), expected) << year;
        const bool removable = expected[1].empty();
        EXPECT_EQ(w.markings[0], removable ? Marking::Removable : Marking::None) << year;
        EXPECT_EQ(w.Picture1.visible && w.Label4.visible, removable) << year;
        EXPECT_EQ(w.Fxg3.backColor(1, colName), std::nullopt);
        EXPECT_EQ(w.Fxg3.backColor(1, colQuantity),
                  removable ? std::optional<platform::Rgb>(kRemovableColor) : std::nullopt);
    }
}

TEST(Statement, EmptyClosingMonthCountsAsDecember) {
    auto s = statement({straightLine("20", "2")}, "20", "");
    EXPECT_EQ(s->window->closingMonthNumber, 12);
    EXPECT_EQ(s->window->Fxg3.text(1, colPeriod), "11/12");
    EXPECT_EQ(s->state.closingMonth, "12");
    EXPECT_EQ(s->window->Label3.caption, "(期末 ：平成 20年12月)");
}

TEST(Statement, FullRegisterOfLargeAssetsTotalsBeyond32Bits) {
    auto s =
        statement(std::vector<reg::Row>(reg::kMaxRecords, threeYear("20", "2000000000")), "20");
    const StatementWindowModel& w = *s->window;
    // A thousand thirds of 666,666,667 yen and what they leave.
    EXPECT_EQ(w.Fxg3.text(1001, colDepreciation), "666,666,667,000");
    EXPECT_EQ(w.Fxg3.text(1001, colDepreciationTotal), "666,666,667,000");
    EXPECT_EQ(w.Fxg3.text(1001, colBookValue), "1,333,333,333,000");
    ASSERT_EQ(w.statementMethodNames.size(), 1000u);  // one per asset
    EXPECT_EQ(w.statementMethodNames[999], "一括償却");
    EXPECT_EQ(s->state.currentRecord, 1000);
}

TEST(Statement, AssetsWithoutScheduleShowNoScheduleValues) {
    const reg::Row noSchedule = with(straightLine("19", "4"), {{reg::methodCode, "5"}});
    const reg::Row uncomputable = straightLine("19", "4", "99999999999");
    auto s = statement({straightLine("19", "4"), noSchedule, uncomputable, straightLine("19", "4")},
                       "20");
    const StatementWindowModel& w = *s->window;
    for (int f : {2, 3}) {
        EXPECT_EQ(yearCells(w, f), Cells(6, "")) << f;
        EXPECT_EQ(w.markings[static_cast<std::size_t>(f - 1)], Marking::None);
        EXPECT_EQ(w.Fxg3.backColor(f, colQuantity), std::nullopt);
    }
    EXPECT_EQ(w.Fxg3.text(4, colBookValue), "825,000");
    EXPECT_EQ(cells(w, 5, colDepreciation, colBookValue),
              (Cells{"200,000", "", "200,000", "", "200,000", "1,650,000"}));
    EXPECT_EQ(w.uncomputed, std::vector<int>{3});
    ASSERT_EQ(s->dialogs.messages().size(), 1u);
    EXPECT_EQ(s->dialogs.messages()[0].text, kAssetsNotComputedMessage);
}

// The columns the form computes per year: 新定率法 (200 %) of 平成25年1月,
// 1,000,000 yen over 5 years: 400,000, 240,000, 144,000; in 平成28 the
// ordinary 86,400 falls below the guarantee amount 108,000, and the revised
// rate 0.500 on the revised base 216,000 takes over.
TEST(Statement, TheFormsBasisRateAndGuaranteeFollowTheYear) {
    const reg::Row declining =
        with(test::asset("機械", "1", "25", "1", "2", "1000000", "5", "0.400", "4"),
             {{reg::newRuleRates, "0.5000.10800"}});
    const struct {
        const char* year;
        Cells shown;  // ㋑ ㋺ ㋩ ㋭ ㋦ 摘要
    } cases[] = {
        {"25", {"1,000,000(108,000)", "1,000,000", "0.400", "400,000", "600,000", ""}},
        {"26", {"1,000,000(108,000)", "600,000", "0.400", "240,000", "360,000", ""}},
        {"27", {"1,000,000(108,000)", "360,000", "0.400", "144,000", "216,000", ""}},
        {"28", {"1,000,000(108,000)", "216,000", "0.500", "108,000", "108,000", "改定償却"}},
        {"29", {"1,000,000(108,000)", "216,000", "0.500", "107,999", "1", "改定償却"}},
        {"30", {"1,000,000(108,000)", "1", "0.400", "", "1", "償却済"}},
    };
    for (const auto& c : cases) {
        auto s = statement({declining}, c.year);
        const StatementWindowModel& w = *s->window;
        const Cells shown{w.Fxg3.text(1, colCost),      w.Fxg3.text(1, colBase),
                          w.Fxg3.text(1, colRate),      w.Fxg3.text(1, colDepreciation),
                          w.Fxg3.text(1, colBookValue), w.Fxg3.text(1, colRemark)};
        EXPECT_EQ(shown, c.shown) << c.year;
        EXPECT_EQ(w.Fxg3.text(1, colDepreciationTotal), c.shown[3]) << c.year;
        EXPECT_EQ(w.guaranteeAmounts, (std::vector<std::optional<std::int64_t>>{108000}));
    }

    // 旧定率法 of 平成2年 held at 5 % (50,000) until 2007, then five equal
    // years: the basis is the opening book value until then, and the
    // remark of the tail is the form's 均等償却. 旧定額法 computes from 90 %
    // of the cost. Neither has a guarantee amount.
    const reg::Row old = test::asset("車両", "1", "2", "4", "7", "1000000", "4", "0.438", "0");
    const reg::Row oldStraight =
        test::asset("倉庫", "1", "2", "4", "0", "1000000", "20", "0.050", "1");
    auto held = statement({old, oldStraight}, "19");
    EXPECT_EQ(held->window->Fxg3.text(1, colBase), "50,000");
    EXPECT_EQ(held->window->Fxg3.text(1, colCost), "1,000,000");
    EXPECT_EQ(held->window->Fxg3.text(2, colBase), "900,000");
    auto tail = statement({old}, "20");
    EXPECT_EQ(tail->window->Fxg3.text(1, colRemark), "均等償却");
    EXPECT_EQ(tail->window->Fxg3.text(1, colBase), "1,000,000");
    EXPECT_EQ(tail->window->guaranteeAmounts,
              (std::vector<std::optional<std::int64_t>>{std::nullopt}));
}

TEST(Statement, TheReturnChosenNamesTheSpecialColumn) {
    auto s = statement({straightLine("19", "4")}, "20");
    StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Fxg3.text(0, colSpecial), "㋬割増\n（特別）\n償却費");
    w.selectForm(1);
    EXPECT_EQ(w.form(), ReturnForm::Income);
    EXPECT_EQ(w.Fxg3.text(0, colSpecial), "㋬特別\n償却費");
    EXPECT_EQ(w.Fxg3.text(1, colDepreciation), "100,000");
    EXPECT_EQ(statementHeadings(ReturnForm::Income)[colSpecial], "特別償却費");
    EXPECT_EQ(statementHeadings(ReturnForm::Blue)[colSpecial], "割増（特別）償却費");
    EXPECT_EQ(statementHeadings(ReturnForm::Blue)[colCost], "取得価額（償却保証額）");
}

// A 少額減価償却資産 is the whole cost in the year it was acquired, nothing
// after; the statement sums the year's and warns above 3,000,000 yen.
reg::Row smallAsset(const std::string& name, const std::string& month, const std::string& cost) {
    return test::makeRow({name, "2026-0" + month + "-4", "2", "8", month, "", "4", "2026", cost,
                          "1", "1.000", "6", "1", "50", "", "", "10", "95", ""});
}

TEST(Statement, SmallAssetsTheirYearAndTheirCap) {
    const schedule::Schedule s =
        schedule::computeSchedule(smallAsset("タブレット", "6", "350000"), {12, 0, 2026});
    ASSERT_EQ(s.procedure, schedule::Procedure::SmallAsset);
    EXPECT_EQ(s.years[0].amount.yen(), 350000);
    EXPECT_EQ(s.years[0].expense.yen(), 175000);
    EXPECT_EQ(s.years[0].bookValue.kind, schedule::Money::Kind::Zero);
    EXPECT_EQ(s.years[0].remark, schedule::Remark::SmallAsset);
    EXPECT_EQ(schedule::monthsText(s.years[0]), "7/12");
    EXPECT_TRUE(s.years[1].amount.blank());

    // Eight of 390,000 yen: 3,120,000 in 令和8, above the cap.
    std::vector<reg::Row> rows;
    for (int i = 0; i < 8; ++i) rows.push_back(smallAsset("棚", "6", "390000"));
    rows.push_back(straightLine("19", "4"));
    auto opened = open(rows);
    opened->window->selectEra(1);
    opened->window->setTxtGetYe("8");
    opened->window->cmdOk_Click();
    StatementWindowModel& w = *opened->window;
    ASSERT_TRUE(w.Fxg3Visible);
    EXPECT_EQ(w.Fxg3.text(1, colMethod), "少額特例");
    EXPECT_EQ(w.Fxg3.text(1, colRemark), "措置法28の2");
    EXPECT_EQ(w.smallAssetTotal, 3120000);
    EXPECT_TRUE(w.lblSmall.visible);
    EXPECT_EQ(w.lblSmall.caption, "少額減価償却資産（措置法28の2）の本年分合計：3,120,000円");
    EXPECT_TRUE(w.lblSmallOver.visible);

    // The year after, they are written off and no sum is shown.
    auto later = open(rows);
    later->window->selectEra(1);
    later->window->setTxtGetYe("9");
    later->window->cmdOk_Click();
    EXPECT_FALSE(later->window->lblSmall.visible);
    EXPECT_FALSE(later->window->lblSmallOver.visible);
    EXPECT_EQ(later->window->markings[0], Marking::Removable);

    // Seven stay under the cap.
    rows.erase(rows.begin());
    auto under = open(rows);
    under->window->selectEra(1);
    under->window->setTxtGetYe("8");
    under->window->cmdOk_Click();
    EXPECT_TRUE(under->window->lblSmall.visible);
    EXPECT_FALSE(under->window->lblSmallOver.visible);
}

// An asset that left the business: in the fiscal year it left, the year's
// amount for the months it was still in use, its book value then leaving;
// nothing after. The statement shows 未償却残高 0, names the book value in
// the remark and sums the book values scrapped.
reg::Row leaving(reg::Row row, const std::string& month, const std::string& kind) {
    row[reg::disposalMonth - 1] = month;
    row[reg::disposalKind - 1] = kind;
    return row;
}

TEST(Statement, AssetsThatLeftTheBusiness) {
    struct Case {
        const char* name;
        reg::Row row;
        std::int16_t closing;
        const char* month;
        int leavingRow;  // the schedule year that holds the month
        int monthsInUse;
    };
    const reg::Row declining =
        with(threeYear("20", "1000000"), {{reg::methodCode, "4"},
                                          {reg::depreciationRate, "0.250"},
                                          {reg::usefulLife, "10"},
                                          {reg::newRuleRates, "0.3340.04448"}});
    // 新定額法 1,000,000 yen from 平成19年4月 (9/12 in the first year) and
    // 新定率法 from 平成20年4月, in the first year, mid-life, in a closing
    // month, with a March closing and after the end.
    const Case cases[] = {
        {"firstYear", straightLine("19", "4"), 12, "2007-09", 1, 6},
        {"midLife", straightLine("19", "4"), 12, "2010-06", 4, 6},
        {"closingMonth", straightLine("19", "4"), 12, "2010-12", 4, 12},
        {"marchClosing", straightLine("19", "4"), 3, "2010-06", 4, 3},
        {"declining", declining, 12, "2012-02", 5, 2},
        {"afterTheEnd", straightLine("19", "4"), 12, "2030-06", 24, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const schedule::Options options{c.closing, 0, 2031};
        const schedule::Schedule plain = schedule::computeSchedule(c.row, options);
        const schedule::Schedule left =
            schedule::computeSchedule(leaving(c.row, c.month, "除却"), options);
        ASSERT_GE(left.years.size(), static_cast<std::size_t>(c.leavingRow));
        const schedule::Year& year = left.year(c.leavingRow);
        const schedule::Year& full = plain.year(c.leavingRow);
        const double fullAmount = static_cast<double>(full.amount.yen());
        const double counted = c.leavingRow == 1 ? full.months : 12;
        const double expected =
            std::ceil(fullAmount * std::min<double>(c.monthsInUse, counted) / counted);
        EXPECT_EQ(year.months, c.monthsInUse);
        EXPECT_EQ(static_cast<double>(year.amount.value), std::min(expected, fullAmount));
        const std::int64_t before =
            c.leavingRow == 1 ? 1000000 : left.year(c.leavingRow - 1).bookValue.value;
        EXPECT_EQ(year.bookValue.value, before - year.amount.value);
        EXPECT_EQ(year.remark, schedule::Remark::Scrapped);
        for (std::size_t later = static_cast<std::size_t>(c.leavingRow); later < left.years.size();
             ++later) {
            EXPECT_EQ(left.years[later].bookValue.kind, schedule::Money::Kind::Empty) << later;
            EXPECT_EQ(left.years[later].amount.kind, schedule::Money::Kind::Empty) << later;
        }
    }

    // The statement: 2010 is the fourth year of 平成19年4月's asset.
    auto opened =
        open({leaving(straightLine("19", "4"), "2010-06", "除却"),
              leaving(straightLine("19", "4"), "2010-06", "売却"), straightLine("19", "4")});
    opened->window->selectEra(0);
    opened->window->setTxtGetYe("22");
    opened->window->cmdOk_Click();
    StatementWindowModel& w = *opened->window;
    ASSERT_TRUE(w.Fxg3Visible);
    EXPECT_EQ(w.Fxg3.text(1, colPeriod), "6/12");
    EXPECT_EQ(w.Fxg3.text(1, colDepreciation), "50,000");
    EXPECT_EQ(w.Fxg3.text(1, colBookValue), "0");
    EXPECT_EQ(w.Fxg3.text(1, colRemark), "除却（簿価 675,000円）");
    EXPECT_EQ(w.Fxg3.text(2, colRemark), "売却（簿価 675,000円）");
    EXPECT_EQ(w.scrappedBookValueTotal, 675000);  // the sale is no loss of the business
    EXPECT_TRUE(w.lblScrapped.visible);
    EXPECT_EQ(w.lblScrapped.caption, "除却した資産の未償却残高（本年の必要経費）：675,000円");
    EXPECT_EQ(w.bookValueTotal, 625000);  // the third asset's alone

    // A year with sales alone has no loss to show, and says so.
    auto sold = open({leaving(straightLine("19", "4"), "2010-06", "売却")});
    sold->window->selectEra(0);
    sold->window->setTxtGetYe("22");
    sold->window->cmdOk_Click();
    EXPECT_EQ(sold->window->lblScrapped.caption, "除却した資産の未償却残高（本年の必要経費）：0円");

    // The year after, it is an asset that can be deleted.
    auto later = open({leaving(straightLine("19", "4"), "2010-06", "除却")});
    later->window->selectEra(0);
    later->window->setTxtGetYe("23");
    later->window->cmdOk_Click();
    EXPECT_EQ(later->window->markings[0], Marking::Removable);
    EXPECT_FALSE(later->window->lblScrapped.visible);

    // The thirds of the three-year method go on whatever happens.
    const reg::Row lump = threeYear("20", "150000");
    EXPECT_EQ(schedule::computeSchedule(leaving(lump, "2008-09", "除却"), {12, 0, 2031})
                  .year(2)
                  .amount.yen(),
              50000);
}

// The year an asset left is prorated once from the year's ordinary
// full-year amount and cut only by what the undisturbed year could take;
// its basis and rate stay those of the undisturbed year; it is recorded in
// its year however long after the depreciation ended; and the year after it
// the asset is removable. One-record registers, December closing.
TEST(Statement, TheYearAnAssetLeftFollowsTheUndisturbedYear) {
    struct Case {
        const char* name;
        reg::Row row;
        const char* left;  // YYYY-MM
        const char* kind;
        const char* year;  // the statement's year (Heisei count)
        Cells shown;       // ㋥ ㋭ ㋠ ㋷ ㋦ 摘要
        const char* base;  // ㋺
        const char* rate;  // ㋩
    };
    // 新定額法 1,000,000 yen, 5 years (0.200), bought 令和8年2月.
    const reg::Row newStraight =
        test::asset("機械", "2", "8", "2", "2", "1000000", "5", "0.200", "3");
    // 旧定額法 1,000,000 yen, 5 years (0.200), from 平成14年1月: 180,000 a
    // year, 50,000 left above the 95 % limit in its sixth year.
    const reg::Row oldStraight =
        test::asset("機械", "1", "14", "1", "2", "1000000", "5", "0.200", "1");
    // A living thing of 平成28年5月, life 4, its depreciation long ended.
    const reg::Row living =
        with(test::asset("乳牛", "1", "28", "5", "10", "100000", "4", "0.250", "5"),
             {{reg::residualRatio, "0"}, {reg::depreciationLimit, "100"}});
    // 新定率法 1,000,000 yen, 5 years from 平成25年1月 (0.400, revised 0.500,
    // guarantee 0.10800): revised from 2016, 108,000 a year on 216,000.
    const reg::Row declining =
        with(test::asset("機械", "1", "25", "1", "2", "1000000", "5", "0.400", "4"),
             {{reg::newRuleRates, "0.5000.10800"}});
    const Case cases[] = {
        {"newStraightFirstYear",
         newStraight,
         "2026-07",
         "除却",
         "38",
         {"6/12", "100,000", "100%", "100,000", "0", "除却（簿価 900,000円）"},
         "1,000,000",
         "0.200"},
        {"oldStraightAtTheLimit",
         oldStraight,
         "2007-06",
         "売却",
         "19",
         {"6/12", "50,000", "100%", "50,000", "0", "売却（簿価 50,000円）"},
         "900,000",
         "0.200"},
        {"livingThingAfterItsTable",
         living,
         "2026-03",
         "売却",
         "38",
         {"3/12", "", "", "", "0", "売却（簿価 0円）"},
         "100,000",
         "0.250"},
        {"decliningInARevisedYear",
         declining,
         "2017-06",
         "除却",
         "29",
         {"6/12", "54,000", "100%", "54,000", "0", "除却（簿価 54,000円）"},
         "216,000",
         "0.500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reg::Row row = c.row;
        row[reg::disposalMonth - 1] = c.left;
        row[reg::disposalKind - 1] = c.kind;
        auto s = statement({row}, c.year);
        const StatementWindowModel& w = *s->window;
        EXPECT_EQ(yearCells(w, 1), c.shown);
        EXPECT_EQ(w.Fxg3.text(1, colBase), c.base);
        EXPECT_EQ(w.Fxg3.text(1, colRate), c.rate);
        EXPECT_EQ(w.markings[0], Marking::None);
        EXPECT_TRUE(w.lblScrapped.visible);

        // The year after, and every later one, it can be deleted.
        for (const int later : {1, 2, 30}) {
            auto after = statement({row}, std::to_string(std::stoi(c.year) + later));
            EXPECT_EQ(after->window->markings[0], Marking::Removable) << later;
            EXPECT_FALSE(after->window->lblScrapped.visible) << later;
        }
    }

    // Rounding down prorates the same product once.
    reg::Row down = newStraight;
    down[reg::disposalMonth - 1] = "2026-07";
    down[reg::disposalKind - 1] = "除却";
    EXPECT_EQ(schedule::computeSchedule(down, {12, 1, 2026}).year(1).amount.yen(), 100000);
    EXPECT_EQ(schedule::computeSchedule(down, {12, 0, 2026}).year(1).amount.yen(), 100000);
    // Left in the closing month, the year is the undisturbed year.
    down[reg::disposalMonth - 1] = "2026-12";
    EXPECT_EQ(schedule::computeSchedule(down, {12, 0, 2026}).year(1).amount.yen(),
              schedule::computeSchedule(newStraight, {12, 0, 2026}).year(1).amount.yen());
}

// Deferred assets and living things depreciate the cost less its residual
// part: that is the basis the form shows.
TEST(Statement, TheBasisOfAPlainStraightLineIsTheDepreciablePart) {
    const reg::Row cow =
        with(test::asset("乳牛", "1", "30", "1", "10", "100000", "8", "0.125", "5"),
             {{reg::residualRatio, "10"}, {reg::depreciationLimit, "100"}});
    auto s = statement({cow}, "31");
    const StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Fxg3.text(1, colBase), "90,000");
    EXPECT_EQ(w.Fxg3.text(1, colDepreciation), "11,250");
    const reg::Row deferred =
        test::asset("開業費", "1", "31", "1", "9", "500000", "5", "0.200", "5");
    auto d = statement(
        {with(deferred, {{reg::residualRatio, "0"}, {reg::depreciationLimit, "100"}})}, "31");
    EXPECT_EQ(d->window->Fxg3.text(1, colBase), "500,000");
}

// Finished assets, of the fixed-length tables too, look finished in every
// later year: written off, nothing depreciated, removable.
TEST(Statement, FinishedAssetsStayFinishedInEveryLaterYear) {
    const reg::Row small =
        with(test::asset("椅子", "1", "20", "4", "4", "150000", "1", "1.000", "6"), {});
    for (const char* year : {"23", "30", "38", "99"}) {
        auto s = statement({threeYear("20", "180000"), small}, year);
        const StatementWindowModel& w = *s->window;
        for (int f = 1; f <= 2; ++f) {
            EXPECT_EQ(yearCells(w, f), (Cells{"", "", "", "", "", "償却済"})) << year << " " << f;
            EXPECT_EQ(w.markings[static_cast<std::size_t>(f - 1)], Marking::Removable) << year;
        }
        EXPECT_EQ(w.depreciationTotal, 0) << year;
    }
}

}  // namespace
}  // namespace fenmark::yearend
