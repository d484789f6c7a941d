// Assets the user already had: a filed book value carried in, a private
// asset put to business use, business use ending, and closing a year.

#include <gtest/gtest.h>

#include <algorithm>

#include "law/private_use.h"
#include "platform/text_file.h"
#include "register/extended_columns.h"
#include "register/register_file.h"
#include "schedule/schedule.h"
#include "schedule/schedule_fixture.h"
#include "test_support.h"
#include "yearend/close_year.h"
#include "yearend/statement.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::with;

const Options kDecember{12, 0, 2026};

// The amounts and closing book values of the years closing in `from`..`to`.
struct Figures {
    std::vector<std::int64_t> amounts;
    std::vector<std::int64_t> books;
};
Figures figures(const Schedule& s, int from, int to) {
    Figures f;
    for (int year = from; year <= to; ++year) {
        const Year& y = s.year(s.rowOfYear(year));
        f.amounts.push_back(y.amount.yen());
        f.books.push_back(y.bookValue.yen());
    }
    return f;
}

// 新定額法, 1,000,000 yen, 5 years, bought January 2020.
reg::Row straight() { return asset("機械", "2", "2", "1", "2", "1000000", "5", "0.200", "3"); }

// 定率法 (200 %), 1,000,000 yen, 10 years, bought January 2013: ordinary
// until 2018 (65,536 still reaches the guarantee amount of 65,520), the
// revised rate from 2019 on the revised base 262,144.
reg::Row declining() {
    return with(asset("旋盤", "1", "25", "1", "2", "1000000", "10", "0.200", "4"),
                {{reg::newRuleRates, "0.2500.06552"}});
}

// 旧定額法, 1,000,000 yen, 10 years, bought January 1990: 90,000 a year,
// the 95 % limit reached in 2000, the five-year tail 2008 to 2012.
reg::Row oldStraight() { return asset("倉庫", "1", "2", "1", "0", "1000000", "10", "0.100", "1"); }

reg::Row carried(reg::Row row, const std::string& year, const std::string& book,
                 const std::string& revised = "", const std::string& choice = "") {
    return with(std::move(row), {{reg::carriedYear, year},
                                 {reg::carriedBookValue, book},
                                 {reg::carriedRevisedBase, revised},
                                 {reg::carriedChoice, choice}});
}

TEST(CarriedOpening, StraightLineContinuesOnTheCostFromTheFiledBookValue) {
    const Schedule own = computeSchedule(straight(), kDecember);
    EXPECT_EQ(figures(own, 2020, 2025).books,
              (std::vector<std::int64_t>{800000, 600000, 400000, 200000, 1, 1}));

    // Filed two yen higher at the end of 2022.
    const Schedule s = computeSchedule(carried(straight(), "2023", "400002"), kDecember);
    const Figures f = figures(s, 2020, 2025);
    EXPECT_EQ(f.amounts, (std::vector<std::int64_t>{200000, 200000, 200000, 200000, 200000, 1}));
    EXPECT_EQ(f.books, (std::vector<std::int64_t>{800000, 600000, 400000, 200002, 2, 1}));
    ASSERT_TRUE(s.carried);
    EXPECT_EQ(s.carried->computedBookValue, 400000);
    EXPECT_EQ(s.carried->difference(), 2);
    EXPECT_TRUE(s.carried->applied());
    EXPECT_EQ(s.openingBook(s.rowOfYear(2023)), 400002);

    // Continuing from the computed figure instead: the schedule is the
    // program's own, the difference still known.
    const Schedule c =
        computeSchedule(carried(straight(), "2023", "400002", "", "計算"), kDecember);
    EXPECT_EQ(figures(c, 2020, 2025).books, figures(own, 2020, 2025).books);
    EXPECT_FALSE(c.carried->applied());
    EXPECT_EQ(c.carried->difference(), 2);
}

TEST(CarriedOpening, DecliningBalanceSwitchesOrContinuesTheRevisedBase) {
    const Schedule own = computeSchedule(declining(), kDecember);
    EXPECT_EQ(figures(own, 2018, 2022).amounts,
              (std::vector<std::int64_t>{65536, 65536, 65536, 65536, 65535}));
    EXPECT_EQ(own.year(own.rowOfYear(2019)).base, 262144);

    // Filed after the switch with its 改定取得価額: the revised amount is
    // 262,140 x 0.250, and the statement's base is that 改定取得価額.
    const Schedule s = computeSchedule(carried(declining(), "2021", "131070", "262140"), kDecember);
    const Figures f = figures(s, 2020, 2023);
    EXPECT_EQ(f.amounts, (std::vector<std::int64_t>{65536, 65535, 65534, 0}));
    EXPECT_EQ(f.books, (std::vector<std::int64_t>{131072, 65535, 1, 1}));
    EXPECT_EQ(yearend::decliningBase(s, s.rowOfYear(2021)), 262140);
    EXPECT_EQ(s.year(s.rowOfYear(2021)).remark, Remark::Revised);

    // Filed before the switch, a little lower than computed: the rate on the
    // filed value, compared with the guarantee amount on the cost.
    const Schedule t = computeSchedule(carried(declining(), "2018", "327000"), kDecember);
    // 327,000 x 0.2 = 65,400 < 65,520: the revised rate from 2018 on 327,000.
    EXPECT_EQ(t.year(t.rowOfYear(2018)).remark, Remark::Revised);
    EXPECT_EQ(t.year(t.rowOfYear(2018)).amount.yen(), 81750);
    EXPECT_EQ(yearend::decliningBase(t, t.rowOfYear(2018)), 327000);
}

TEST(CarriedOpening, OldStraightLineResumesTheFiveYearTail) {
    const Schedule own = computeSchedule(oldStraight(), kDecember);
    EXPECT_EQ(figures(own, 2008, 2012).books,
              (std::vector<std::int64_t>{40000, 30000, 20000, 10000, 1}));

    // Three yen off in the middle of the tail: two fifths taken, three left.
    const Schedule s = computeSchedule(carried(oldStraight(), "2010", "30003"), kDecember);
    const Figures f = figures(s, 2010, 2013);
    EXPECT_EQ(f.amounts, (std::vector<std::int64_t>{10000, 10000, 10002, 0}));
    EXPECT_EQ(f.books, (std::vector<std::int64_t>{20003, 10003, 1, 1}));
    EXPECT_EQ(s.year(s.rowOfYear(2012)).remark, Remark::FiveYear);

    // Carried while still above the limit: ordinary years to the floor,
    // then the tail from the next year.
    const Schedule a = computeSchedule(carried(oldStraight(), "2005", "120000"), kDecember);
    EXPECT_EQ(figures(a, 2005, 2009).amounts,
              (std::vector<std::int64_t>{70000, 0, 0, 10000, 10000}));
}

TEST(CarriedOpening, WrittenOffOrBeforeTheSecondYearIsNotApplied) {
    const Schedule done = computeSchedule(carried(straight(), "2026", "1"), kDecember);
    EXPECT_EQ(done.year(done.rowOfYear(2026)).bookValue.yen(), 1);
    EXPECT_TRUE(done.year(done.rowOfYear(2026)).amount.blank());

    // March closing, bought in April 2020: the first fiscal year closes in
    // March 2021, so an opening for 2021 has no year before it to replace.
    const Schedule early = computeSchedule(
        carried(asset("機械", "2", "2", "4", "2", "1000000", "5", "0.200", "3"), "2021", "900000"),
        {3, 0, 2026});
    ASSERT_TRUE(early.carried);
    EXPECT_FALSE(early.carried->applied());
    EXPECT_EQ(early.year(1).bookValue.yen(), 800000);
}

TEST(PrivateUse, TheLostValueFollowsTheRules) {
    // The worked example: 2 years at the 9-year 旧定額法 rate.
    const auto example = law::privateUseLoss(1000000, 6, {2008, 1}, {2010, 1}, 0);
    ASSERT_TRUE(example);
    EXPECT_EQ(example->amount, 199800);
    EXPECT_EQ(example->bookValue(), 800200);
    EXPECT_EQ(example->text(), "1,000,000 × 0.9 × 0.111 × 2年 ＝ 199,800円");
    // Six months or more count as a year, fewer are dropped.
    EXPECT_EQ(law::privateUseLoss(1000000, 6, {2008, 1}, {2010, 7}, 0)->years, 3);
    EXPECT_EQ(law::privateUseLoss(1000000, 6, {2008, 1}, {2010, 6}, 0)->years, 2);
    // Never more than 95 % of the cost: life 2 is read at 3 years (0.333).
    const auto capped = law::privateUseLoss(1000000, 2, {2000, 1}, {2010, 1}, 0);
    EXPECT_EQ(capped->amount, 950000);
    EXPECT_TRUE(capped->capped);
    // Fractions of a yen by the rounding choice: 333,333 x 0.9 x 0.111 = 33,299.9667.
    EXPECT_EQ(law::privateUseLoss(333333, 6, {2008, 1}, {2009, 1}, 0)->amount, 33300);
    EXPECT_EQ(law::privateUseLoss(333333, 6, {2008, 1}, {2009, 1}, 1)->amount, 33299);
}

TEST(PrivateUse, TheScheduleStartsAtBusinessUseFromTheConvertedValue) {
    reg::Row row = with(asset("車", "1", "20", "1", "7", "1000000", "6", "0.167", "3"),
                        {{reg::businessStart, "2010-01"}});
    const Schedule s = computeSchedule(row, kDecember);
    ASSERT_TRUE(s.conversion);
    EXPECT_EQ(s.startBook, 800200);
    EXPECT_EQ(s.rowOfYear(2010), 1);
    const Figures f = figures(s, 2010, 2015);
    EXPECT_EQ(f.amounts, (std::vector<std::int64_t>{167000, 167000, 167000, 167000, 132199, 0}));
    EXPECT_EQ(f.books, (std::vector<std::int64_t>{633200, 466200, 299200, 132200, 1, 1}));

    // Months from the month of business use; the statement counts its
    // years from then and shows the real acquisition.
    row[reg::businessStart - 1] = "2010-10";
    const Schedule october = computeSchedule(row, kDecember);
    EXPECT_EQ(october.year(1).months, 3);
    EXPECT_EQ(october.year(1).amount.yen(), 41750);
    reg::AssetRegister assets;
    assets.row(1) = row;
    const auto data = yearend::computeStatement(assets, 1, 22, 12, kDecember, true);
    EXPECT_EQ(data.lines[0].acquired, "H.20/1");
    EXPECT_EQ(data.lines[0].year.depreciationYen, 41750);
    const auto before = yearend::computeStatement(assets, 1, 21, 12, kDecember, true);
    EXPECT_EQ(before.lines[0].year.marking, yearend::Marking::NotExisting);
}

TEST(PrivateUse, DecliningBalanceStartsFromTheConvertedBookValue) {
    reg::Row row = with(declining(), {{reg::businessStart, "2015-01"}});
    // 2 years at 15 years' 0.066: 1,000,000 x 0.9 x 0.066 x 2 = 118,800.
    const Schedule s = computeSchedule(row, kDecember);
    EXPECT_EQ(s.startBook, 881200);
    EXPECT_EQ(s.year(1).amount.yen(), 176240);
    EXPECT_EQ(yearend::decliningBase(s, 1), 881200);
}

TEST(LeavingForPrivateUse, DepreciatesToTheMonthAndIsNoLoss) {
    const reg::Row row =
        with(straight(), {{reg::disposalMonth, "2022-06"}, {reg::disposalKind, "自家転用"}});
    const Schedule s = computeSchedule(row, kDecember);
    const Year& left = s.year(s.rowOfYear(2022));
    EXPECT_EQ(left.remark, Remark::Private);
    EXPECT_EQ(left.amount.yen(), 100000);
    EXPECT_EQ(left.bookValue.yen(), 500000);
    EXPECT_TRUE(s.year(s.rowOfYear(2023)).amount.blank());

    reg::AssetRegister assets;
    assets.row(1) = row;
    const auto data = yearend::computeStatement(assets, 1, 34, 12, kDecember, true);
    EXPECT_EQ(data.lines[0].year.remark, "自家転用（簿価 500,000円）");
    EXPECT_EQ(data.lines[0].year.bookValueYen, 0);
    EXPECT_TRUE(data.hasLeaving);
    EXPECT_EQ(data.scrappedBookValueTotal, 0);
}

TEST(CloseYear, RecordsTheYearEndFiguresAndChangesNothingComputed) {
    reg::AssetRegister assets;
    assets.row(1) = declining();
    assets.row(2) = asset("棚", "2", "2", "1", "4", "150000", "3", "0.334", "2");
    assets.row(3) = asset("新車", "2", "7", "1", "7", "3000000", "6", "0.167", "3");
    assets.row(4) =
        with(straight(), {{reg::disposalMonth, "2020-06"}, {reg::disposalKind, "除却"}});
    assets.row(5) = carried(straight(), "2022", "600000");
    const reg::AssetRegister before = assets;

    const auto result = yearend::closeYear(assets, 5, 2020, kDecember);
    using yearend::CloseOutcome;
    ASSERT_EQ(result.assets.size(), 5u);
    EXPECT_EQ(result.assets[0].outcome, CloseOutcome::Recorded);
    EXPECT_EQ(result.assets[1].outcome, CloseOutcome::LumpSum);
    EXPECT_EQ(result.assets[2].outcome, CloseOutcome::NotYetAcquired);
    EXPECT_EQ(result.assets[3].outcome, CloseOutcome::Left);
    EXPECT_EQ(result.assets[4].outcome, CloseOutcome::LaterCarried);
    EXPECT_EQ(result.recorded(), 1);
    const reg::Row& closed = assets.row(1);
    EXPECT_EQ(closed[reg::carriedYear - 1], "2021");
    EXPECT_EQ(closed[reg::carriedBookValue - 1], "131072");
    EXPECT_EQ(closed[reg::carriedRevisedBase - 1], "262144");
    for (int f = 2; f <= 5; ++f) EXPECT_EQ(assets.row(f), before.row(f));

    // The same figures from the carried values, and closing again is no
    // change.
    EXPECT_EQ(figures(computeSchedule(closed, kDecember), 2019, 2024).books,
              figures(computeSchedule(before.row(1), kDecember), 2019, 2024).books);
    const reg::AssetRegister once = assets;
    static_cast<void>(yearend::closeYear(assets, 5, 2020, kDecember));
    EXPECT_EQ(assets, once);
    // An opening typed for a year is not overwritten by closing the year
    // before it, nor by closing its own year twice.
    reg::AssetRegister typed;
    typed.row(1) = carried(straight(), "2023", "400002");
    const reg::AssetRegister asTyped = typed;
    EXPECT_EQ(yearend::closeYear(typed, 1, 2022, kDecember).assets[0].outcome,
              CloseOutcome::LaterCarried);
    EXPECT_EQ(typed, asTyped);
    EXPECT_EQ(yearend::closeYear(typed, 1, 2023, kDecember).assets[0].bookValue, 200002);
    const reg::AssetRegister closedOnce = typed;
    static_cast<void>(yearend::closeYear(typed, 1, 2023, kDecember));
    EXPECT_EQ(typed, closedOnce);

    EXPECT_TRUE(yearend::closeYearRefusal(2027, 2026));
    EXPECT_FALSE(yearend::closeYearRefusal(2026, 2026));
    EXPECT_NE(yearend::closeYearSummary(result).find("記録した資産：1件"), std::string::npos);
}

TEST(RecordColumns, WrittenWithTwentyNineFieldsOnlyWhenUsedAndCheckedOnReading) {
    reg::AssetRegister assets;
    assets.row(1) = straight();
    assets.row(2) =
        with(straight(), {{reg::disposalMonth, "2022-06"}, {reg::disposalKind, "売却"}});
    assets.row(3) = carried(straight(), "2023", "400002");
    const std::string text = reg::formatRegister(assets, 3);
    std::vector<int> fields;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        fields.push_back(static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1);
        start = end + 2;
    }
    EXPECT_EQ(fields, (std::vector<int>{19, 22, 29}));
    const reg::LoadedRegister back = reg::parseRegister(text);
    EXPECT_EQ(back.recordCount, 3);
    EXPECT_EQ(back.assetRegister, assets);

    // Values that make no sense fail the whole read.
    const std::vector<reg::Row> bad = {
        carried(straight(), "2023", "1000001"),               // above the cost
        carried(straight(), "2019", "900000"),                // before the acquisition
        carried(straight(), "2020", "800000"),                // the year of acquisition
        carried(straight(), "2023", "40万"),                  // not digits
        carried(straight(), "２０２３", "400000"),            // not plain digits
        carried(straight(), "2023", ""),                      // half an opening
        carried(straight(), "2023", "400000", "", "はい"),    // not the one choice
        carried(straight(), "2023", "400000", "2000000"),     // 改定取得価額 above the cost
        with(straight(), {{reg::businessStart, "2019-12"}}),  // before the acquisition
        with(straight(), {{reg::businessStart, "2020-13"}}),
        with(straight(), {{reg::municipalKind, "7"}}),
    };
    for (const reg::Row& row : bad) {
        reg::AssetRegister one;
        one.row(1) = straight();
        one.row(2) = row;
        std::string file = reg::formatRegister(one, 1);
        for (std::size_t i = 0; i < row.size(); ++i) file += (i ? ",\"" : "\"") + row[i] + "\"";
        file += "\r\n";
        EXPECT_THROW(static_cast<void>(reg::parseRegister(file)), platform::ReadError) << file;
    }
}

}  // namespace
}  // namespace fenmark::schedule
