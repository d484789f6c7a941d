// The schedule window's lines under the header: a carried opening and how
// it compares with the program's own figure, and the start of business use
// of a private asset; and the remark of an asset that went back to private
// use.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "schedule/frame.h"
#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::newDeclining;
using testing::open;
using testing::with;

// New declining balance from January 2008, rounded down: 250,000, 187,500
// and 140,625 leave 421,875 at the end of 2010; from 2015 the revised rate
// takes over on 133,485 and leaves 88,902.
reg::Row carried(const std::string& year, const std::string& bookValue,
                 const std::string& revisedBase = "", const std::string& choice = "") {
    return with(newDeclining(), {{reg::carriedYear, year},
                                 {reg::carriedBookValue, bookValue},
                                 {reg::carriedRevisedBase, revisedBase},
                                 {reg::carriedChoice, choice}});
}

// The example of the tax office: 1,000,000 yen, life 6, bought January
// 2008 and used privately until January 2010.
reg::Row converted() {
    return with(asset("ミシン", "1", "20", "1", "4", "1000000", "6", "0.167", "3"),
                {{reg::businessStart, "2010-01"}});
}

struct LinesCase {
    std::string name;
    reg::Row row;
    std::string carried;
    std::string carriedNote;
    std::string businessStart;
};

class OpeningLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(OpeningLinesTest, ShowsTheLinesThatApplyAndHidesTheOthers) {
    const LinesCase& c = GetParam();
    auto shown = open({c.row});
    ScheduleWindowModel& w = *shown->window;
    ASSERT_FALSE(w.scheduleFailed());
    const std::vector<std::pair<platform::Control*, std::string>> expected = {
        {&w.lblCarried, c.carried},
        {&w.lblCarriedNote, c.carriedNote},
        {&w.lblBusinessStart, c.businessStart}};
    ASSERT_EQ(w.openingLabels().size(), expected.size());
    for (const auto& [label, text] : expected) {
        EXPECT_EQ(label->caption, text) << label->name;
        EXPECT_EQ(label->visible, !text.empty()) << label->name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Assets, OpeningLinesTest,
    ::testing::Values(
        LinesCase{"Plain", newDeclining(), "", "", ""},
        LinesCase{"FiledAboveComputed", carried("2011", "421877"),
                  "前年末未償却残高（引継ぎ） 平成23年分：421,877円",
                  "計算上の未償却残高 421,875円、引継ぎとの差 2円", ""},
        LinesCase{"FiledBelowComputed", carried("2011", "421870"),
                  "前年末未償却残高（引継ぎ） 平成23年分：421,870円",
                  "計算上の未償却残高 421,875円、引継ぎとの差 -5円", ""},
        LinesCase{"FiledAsComputed", carried("2011", "421875"),
                  "前年末未償却残高（引継ぎ） 平成23年分：421,875円",
                  "計算上の未償却残高 421,875円、引継ぎと一致", ""},
        LinesCase{"ContinuedFromTheComputedFigure", carried("2011", "421877", "", "計算"),
                  "前年末未償却残高（引継ぎ） 平成23年分：421,877円",
                  "計算上の未償却残高 421,875円、引継ぎとの差 2円。"
                  "計算上の未償却残高から続けて償却しています",
                  ""},
        LinesCase{"WithTheRevisedBase", carried("2016", "88902", "133485"),
                  "前年末未償却残高（引継ぎ） 平成28年分：88,902円（改定取得価額 133,485円）",
                  "計算上の未償却残高 88,902円、引継ぎと一致", ""},
        LinesCase{"ConvertedFromPrivateUse", converted(), "", "",
                  "業務開始 平成22年1月：1,000,000 × 0.9 × 0.111 × 2年 ＝ 199,800円、"
                  "開始時の未償却残高 800,200円"}),
    [](const ::testing::TestParamInfo<LinesCase>& param) { return param.param.name; });

// A carried opening of the year of acquisition has nothing to continue:
// the window says the filed figure is not used.
TEST(OpeningLines, AnOpeningOfTheFirstYearIsNotUsed) {
    auto shown = open({carried("2008", "900000")});
    const ScheduleWindowModel& w = *shown->window;
    EXPECT_EQ(w.lblCarried.caption, "前年末未償却残高（引継ぎ） 平成20年分：900,000円");
    const std::string& note = w.lblCarriedNote.caption;
    EXPECT_NE(note.find("引継ぎの年分が償却表の2年目以降にないため、引継ぎは使っていません"),
              std::string::npos)
        << note;
    EXPECT_EQ(w.Fxg2.text(1, colAmount), "250,000");
}

// The lines belong to the asset on show: paging on to another asset, or to
// one that cannot be computed, leaves none behind.
TEST(OpeningLines, PagingLeavesNoLineOfThePreviousAsset) {
    const reg::Row broken = with(newDeclining(), {{reg::acquisitionCost, "99999999999999"}});
    auto shown =
        open({carried("2011", "421877"), converted(), newDeclining(), converted(), broken});
    ScheduleWindowModel& w = *shown->window;
    ASSERT_TRUE(w.lblCarried.visible);
    w.cmdFF_Click();
    EXPECT_FALSE(w.lblCarried.visible);
    EXPECT_EQ(w.lblCarriedNote.caption, "");
    EXPECT_TRUE(w.lblBusinessStart.visible);
    w.cmdFF_Click();
    for (const platform::Control* label : w.openingLabels()) {
        EXPECT_FALSE(label->visible) << label->name;
        EXPECT_EQ(label->caption, "") << label->name;
    }
    w.cmdFF_Click();
    w.cmdFF_Click();
    ASSERT_TRUE(w.scheduleFailed());
    EXPECT_FALSE(w.lblBusinessStart.visible);
    EXPECT_EQ(w.lblBusinessStart.caption, "");
}

// The years from the carried year on continue from the filed figure, as
// the window shows them: 421,877 x 0.25 rounded down.
TEST(OpeningLines, TheTableContinuesFromTheFiledFigure) {
    auto shown = open({carried("2011", "421877")});
    const platform::Grid& grid = shown->window->Fxg2;
    EXPECT_EQ(grid.text(3, colBookValue), "421,875");
    EXPECT_EQ(grid.text(4, colAmount), "105,469");
    EXPECT_EQ(grid.text(4, colBookValue), "316,408");
}

TEST(OpeningLines, BusinessUseEndingShowsItsRemark) {
    auto shown = open({with(newDeclining(), {{reg::disposalMonth, "2010-06"},
                                             {reg::disposalKind, reg::kLeavingPrivate}})});
    const platform::Grid& grid = shown->window->Fxg2;
    ASSERT_GE(grid.rows(), 5);
    // 2008 to 2010, the year it left the last with an amount.
    const std::vector<std::string> remarks = testing::column(grid, colRemark);
    EXPECT_EQ(std::count(remarks.begin(), remarks.end(), "自家転用"), 1);
    EXPECT_EQ(grid.text(3, colRemark), "自家転用");
    EXPECT_NE(grid.text(3, colAmount), "");
    EXPECT_EQ(grid.text(4, colAmount), "");
    EXPECT_EQ(grid.text(4, colBookValue), "");
}

TEST(OpeningLines, ReturnYearsAreNamedAsTheReturnNamesThem) {
    struct Case {
        int year;
        const char* text;
    };
    for (const Case& c : {Case{1989, "平成元年分"}, Case{2018, "平成30年分"},
                          Case{2019, "令和元年分"}, Case{2026, "令和8年分"}}) {
        EXPECT_EQ(returnYearText(c.year), c.text) << c.year;
    }
}

}  // namespace
}  // namespace fenmark::schedule
