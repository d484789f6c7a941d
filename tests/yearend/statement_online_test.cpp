// The statement window's second view, the online list (作成コーナー入力用):
// what its grid shows for a register of every kind of asset, the marked
// cells and their explanations, the text a chosen cell copies, the tabs,
// the destination line under both views and the print command of the list.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "output/printed_lines.h"
#include "yearend/online_print.h"
#include "yearend/statement_fixture.h"
#include "yearend/statement_print.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {
namespace {

using testing::with;

constexpr const char* kLongName = "業務用大型冷凍冷蔵ショーケース一式（厨房用）";

// The register the list is shown for, filed for 令和10年 (2028):
//  1 a name longer than the online system takes
//  2 an opening carried in from the return of 2027
//  3 a car at the revised rate from 2028
//  4 a fruit tree, whose kind the user chooses
//  5 a structure, whose detail the user chooses
//  6 a share of three decimals
//  7-10 desks
std::vector<reg::Row> register2028() {
    std::vector<reg::Row> rows{
        test::asset(kLongName, "2", "10", "4", "4", "1200000", "8", "0.125", "3"),
        with(test::asset("引継ぎの机", "2", "2", "1", "4", "500000", "8", "0.125", "3"),
             {{reg::carriedYear, "2028"}, {reg::carriedBookValue, "190000"}}),
        with(test::asset("営業車", "2", "6", "7", "7", "2400000", "6", "0.333", "4"),
             {{reg::newRuleRates, "0.3340.09911"}, {reg::businessRatio, "80"}}),
        test::asset("梅の木", "2", "10", "4", "10", "300000", "30", "0.034", "5"),
        test::asset("看板", "2", "10", "4", "8", "400000", "10", "0.100", "3"),
        with(test::asset("応接セット", "2", "9", "4", "4", "450000", "8", "0.125", "3"),
             {{reg::businessRatio, "33.333"}}),
    };
    for (int i = 1; i <= 4; ++i) {
        rows.push_back(test::asset("事務机" + std::to_string(i), "2", "9", "4", "4", "200000", "8",
                                   "0.125", "3"));
    }
    return rows;
}

struct Shown {
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPrintDevice device;
    std::unique_ptr<StatementWindowModel> window;
};

// The window with 令和 `year` shown for `rows`, the clock in June of
// that year.
std::unique_ptr<Shown> show(std::vector<reg::Row> rows, int year = 10,
                            ReturnForm form = ReturnForm::Blue) {
    auto shown = std::make_unique<Shown>();
    int r = 1;
    for (reg::Row& row : rows) shown->state.assetRegister.row(r++) = std::move(row);
    shown->state.recordCount = static_cast<std::int16_t>(r - 1);
    shown->state.closingMonth = "12";
    StatementSettings settings{"0", 2018 + year, 6};
    settings.form = form;
    shown->window = std::make_unique<StatementWindowModel>(shown->state, shown->dialogs, settings,
                                                           nullptr, &shown->device);
    StatementWindowModel& w = *shown->window;
    w.Form_Load();
    w.selectEra(1);
    w.setTxtGetYe(std::to_string(year));
    w.cmdOk_Click();
    EXPECT_TRUE(w.Fxg3Visible);
    return shown;
}

int column(OnlineField field) { return static_cast<int>(field) + 1; }

// The grid row of the asset of record `record`, or -1.
int rowOf(const StatementWindowModel& w, int record) {
    for (int row = 1; row < w.grdOnline.rows(); ++row) {
        if (w.grdOnline.text(row, 0) == std::to_string(record)) return row;
    }
    return -1;
}

TEST(StatementOnlineList, EveryAssetOfTheYearInTheOrderTheFieldsAreTyped) {
    auto s = show(register2028());
    StatementWindowModel& w = *s->window;
    const platform::Grid& g = w.grdOnline;
    ASSERT_EQ(g.cols(), 18);
    ASSERT_EQ(g.rows(), 11);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 1);
    // The headings are the fields' labels, the long ones broken in two.
    EXPECT_EQ(g.text(0, 0), "No.");
    EXPECT_EQ(g.text(0, column(OnlineField::Kind)), "種類等");
    EXPECT_EQ(g.text(0, column(OnlineField::AcquiredEra)), "取得年月\n（元号）");
    EXPECT_EQ(g.text(0, column(OnlineField::Base)), "償却の基礎\nになる金額");
    EXPECT_EQ(g.text(0, column(OnlineField::Remark)), "摘要");
    for (int col = 1; col < kOnlineColumns; ++col) {
        std::string heading = g.text(0, col);
        std::erase(heading, '\n');
        EXPECT_EQ(heading, onlineFieldLabel(static_cast<OnlineField>(col - 1)));
    }

    const std::vector<std::string> records{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (int row = 1; row < g.rows(); ++row) {
        EXPECT_EQ(g.text(row, 0), records[static_cast<std::size_t>(row - 1)]);
    }
    const auto cells = [&g](int row) {
        std::vector<std::string> out;
        for (int col = 1; col < g.cols(); ++col) out.push_back(g.text(row, col));
        return out;
    };
    using Cells = std::vector<std::string>;
    // Bought in the year: no opening; amounts with separators.
    EXPECT_EQ(cells(1), (Cells{"減価償却資産（定額法）", "工具器具備品", kLongName, "1", "令和",
                               "10", "4", "1,200,000", "", "1,200,000", "8", "", "9", "いいえ",
                               "112,500", "100.00", ""}));
    // The opening carried in is the 前年末未償却残高.
    EXPECT_EQ(g.text(rowOf(w, 2), column(OnlineField::OpeningBook)), "190,000");
    EXPECT_EQ(g.text(rowOf(w, 2), column(OnlineField::AcquiredYear)), "2");
    // The car's year at the revised rate carries its 改定取得価額, the base
    // it is computed from.
    EXPECT_EQ(g.text(rowOf(w, 3), column(OnlineField::RevisedBase)), "593,599");
    EXPECT_EQ(g.text(rowOf(w, 3), column(OnlineField::Base)), "593,599");
    EXPECT_EQ(g.text(rowOf(w, 3), column(OnlineField::Ratio)), "80.00");
    EXPECT_EQ(g.text(rowOf(w, 3), column(OnlineField::Remark)), "改定償却");
    EXPECT_EQ(g.text(rowOf(w, 4), column(OnlineField::Kind)), "生物・果樹から選択");
    // The grid is the entries' list, row for row.
    ASSERT_EQ(w.onlineList().assets.size(), 10u);
    EXPECT_EQ(w.onlineList().westernYear, 2028);
    EXPECT_EQ(w.onlineList().expenseTotal, w.expenseTotal);
}

TEST(StatementOnlineList, CellsWithAProblemAreMarkedAndExplained) {
    auto s = show(register2028());
    StatementWindowModel& w = *s->window;
    const platform::Grid& g = w.grdOnline;
    struct Marked {
        int record;
        OnlineField field;
        const char* words;  // of the explanation
    };
    const Marked marked[] = {
        {1, OnlineField::Name, "「業務用大型冷凍冷蔵ショーケース一」｜「式（厨房用）」"},
        {4, OnlineField::Kind, "「果樹」"},
        {5, OnlineField::Detail, "構築物・船舶・航空機"},
        {6, OnlineField::Ratio, "33.333"},
    };
    int markedCells = 0;
    for (int row = 1; row < g.rows(); ++row) {
        for (int col = 0; col < g.cols(); ++col) {
            if (g.backColor(row, col)) ++markedCells;
        }
    }
    EXPECT_EQ(markedCells, static_cast<int>(std::size(marked)));
    for (const Marked& m : marked) {
        SCOPED_TRACE(m.record);
        const int row = rowOf(w, m.record);
        EXPECT_EQ(g.backColor(row, column(m.field)), kOnlineProblemColor);
        const std::string explanation = w.onlineProblemAt(row, column(m.field));
        EXPECT_NE(explanation.find(m.words), std::string::npos) << explanation;
        // Chosen, the cell's explanation stands under the list with its
        // asset and field.
        (void)w.grdOnline_Select(row, column(m.field));
        EXPECT_EQ(w.lblProblem.caption, "No." + std::to_string(m.record) + "の「" +
                                            std::string(onlineFieldLabel(m.field)) + "」：" +
                                            explanation);
    }
    // A cell without a problem brings the legend back; outside the list
    // nothing is explained.
    (void)w.grdOnline_Select(rowOf(w, 1), column(OnlineField::Cost));
    EXPECT_EQ(w.lblProblem.caption, kOnlineProblemLegend);
    EXPECT_EQ(w.onlineProblemAt(rowOf(w, 1), 0), "");
    EXPECT_EQ(w.onlineProblemAt(0, column(OnlineField::Name)), "");
    EXPECT_EQ(w.onlineProblemAt(99, column(OnlineField::Name)), "");
}

// The text on the clipboard is the value as typed: amounts without
// separators. The No., blank fields and fields chosen from the online
// system's own lists copy nothing, and say so.
TEST(StatementOnlineList, ChoosingACellCopiesTheValueAsTyped) {
    auto s = show(register2028());
    StatementWindowModel& w = *s->window;
    struct Case {
        int record;
        int col;
        const char* copied;
        const char* status;
    };
    const Case cases[] = {
        {1, column(OnlineField::Cost), "1200000", "「1200000」をコピーしました"},
        {1, column(OnlineField::Depreciation), "112500", "「112500」をコピーしました"},
        {2, column(OnlineField::OpeningBook), "190000", "「190000」をコピーしました"},
        {3, column(OnlineField::RevisedBase), "593599", "「593599」をコピーしました"},
        {3, column(OnlineField::Ratio), "80.00", "「80.00」をコピーしました"},
        {3, column(OnlineField::AcquiredEra), "令和", "「令和」をコピーしました"},
        {3, column(OnlineField::Left), "いいえ", "「いいえ」をコピーしました"},
        // A name too long for the online system is copied whole.
        {1, column(OnlineField::Name), kLongName,
         "「業務用大型冷凍冷蔵ショーケース一式（厨房用）」をコピーしました"},
        {1, column(OnlineField::OpeningBook), "", kOnlineNothingToCopy},
        {1, 0, "", kOnlineCopyHint},
        {4, column(OnlineField::Kind), "", kOnlineChooseField},
        {5, column(OnlineField::Detail), "", kOnlineChooseField},
        {5, column(OnlineField::Kind), "減価償却資産（定額法）",
         "「減価償却資産（定額法）」をコピーしました"},
    };
    EXPECT_EQ(w.lblCopied.caption, kOnlineCopyHint);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.record) + "/" + std::to_string(c.col));
        const int row = rowOf(w, c.record);
        EXPECT_EQ(w.grdOnline_Select(row, c.col), c.copied);
        EXPECT_EQ(w.lblCopied.caption, c.status);
        EXPECT_EQ(w.grdOnline.row(), row);
        EXPECT_EQ(w.grdOnline.col(), c.col);
    }
    // Outside the list nothing changes.
    EXPECT_EQ(w.grdOnline_Select(0, 1), "");
    EXPECT_EQ(w.grdOnline_Select(11, 1), "");
    EXPECT_EQ(w.grdOnline_Select(1, kOnlineColumns), "");
    EXPECT_EQ(w.lblCopied.caption, "「減価償却資産（定額法）」をコピーしました");
    // A long text is shortened in the status line.
    EXPECT_EQ(copiedCaption("12345"), "「12345」をコピーしました");
    EXPECT_EQ(copiedCaption("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふ"),
              "「あいうえおかきくけこさしすせそたちつてとなにぬね…」をコピーしました");
}

TEST(StatementOnlineList, TabsSwitchTheViewAndItsLines) {
    // A small asset and a scrapped one give the table its lines.
    const reg::Row small =
        test::makeRow({"タブレット", "2028-06-4", "2", "10", "6", "", "4", "2028", "350000", "1",
                       "1.000", "6", "1", "100", "", "", "10", "95", ""});
    reg::Row scrapped = test::asset("加工機", "2", "1", "5", "2", "1000000", "10", "0.100", "3");
    scrapped[reg::disposalMonth - 1] = "2028-03";
    scrapped[reg::disposalKind - 1] = "除却";
    auto s = testing::open({small, scrapped});
    StatementWindowModel& w = *s->window;
    // Nothing to switch before a statement is shown.
    EXPECT_FALSE(w.tabView.visible);
    w.selectView(1);
    EXPECT_EQ(w.view(), StatementView::Table);
    EXPECT_FALSE(w.lblDestination.visible);

    auto shown = show({small, scrapped});
    StatementWindowModel& v = *shown->window;
    EXPECT_TRUE(v.tabView.visible);
    EXPECT_EQ(v.tabView.items, (std::vector<std::string>{"決算書の表", "作成コーナー入力用"}));
    const auto visible = [&v](std::initializer_list<const platform::Control*> lines) {
        std::vector<bool> out;
        for (const platform::Control* line : lines) out.push_back(line->visible);
        return out;
    };
    const std::initializer_list<const platform::Control*> lines{&v.lblSmall,    &v.lblScrapped,
                                                                &v.lblWarnings, &v.lblProblem,
                                                                &v.lblCopied,   &v.lblDestination};
    EXPECT_TRUE(v.tableShown());
    EXPECT_FALSE(v.onlineShown());
    EXPECT_EQ(visible(lines), (std::vector<bool>{true, true, false, false, false, true}));

    v.selectView(1);
    EXPECT_EQ(v.view(), StatementView::Online);
    EXPECT_FALSE(v.tableShown());
    EXPECT_TRUE(v.onlineShown());
    // No warnings; the scrapped asset's remark is longer than the online
    // system takes, which is explained.
    EXPECT_EQ(visible(lines), (std::vector<bool>{false, false, false, true, true, true}));
    // The grids share their place; the lines shown stand under it in order.
    EXPECT_EQ(v.layoutOf("grdOnline").geometry.top, v.layoutOf("Fxg3").geometry.top);
    const platform::Geometry grid = v.layoutOf("grdOnline").geometry;
    EXPECT_GE(v.layoutOf("lblCopied").geometry.top, grid.top + grid.height);
    EXPECT_GE(v.layoutOf("lblDestination").geometry.top,
              v.layoutOf("lblCopied").geometry.top + v.layoutOf("lblCopied").geometry.height);
    // The table's lines are printed whatever view is on show.
    EXPECT_EQ(v.tableNotes(), (std::vector<const platform::Control*>{&v.lblSmall, &v.lblScrapped,
                                                                     &v.lblDestination}));

    v.selectView(0);
    EXPECT_EQ(visible(lines), (std::vector<bool>{true, true, false, false, false, true}));
    v.selectView(2);
    EXPECT_EQ(v.view(), StatementView::Table);
}

// The destination names the line of the return chosen, with the ㋷ total,
// and follows the list of returns as the heading of ㋬ does.
TEST(StatementOnlineList, TheDestinationFollowsTheReturnChosen) {
    auto s = show(register2028());
    StatementWindowModel& w = *s->window;
    ASSERT_GT(w.expenseTotal, 0);
    EXPECT_TRUE(w.lblDestination.visible);
    EXPECT_EQ(w.lblDestination.caption, expenseDestinationLine(ReturnForm::Blue, w.expenseTotal));
    EXPECT_NE(w.lblDestination.caption.find("損益計算書"), std::string::npos);
    w.selectForm(1);
    EXPECT_EQ(w.lblDestination.caption, expenseDestinationLine(ReturnForm::Income, w.expenseTotal));
    EXPECT_NE(w.lblDestination.caption.find("収支内訳書"), std::string::npos);
    w.selectView(1);
    w.selectForm(0);
    EXPECT_EQ(w.lblDestination.caption, expenseDestinationLine(ReturnForm::Blue, w.expenseTotal));

    auto income = show(register2028(), 10, ReturnForm::Income);
    EXPECT_EQ(income->window->lblDestination.caption,
              expenseDestinationLine(ReturnForm::Income, income->window->expenseTotal));
}

// The list's warnings stand under it in the online view: an asset that
// cannot be computed, a year without assets, and more warnings than lines
// summed up in the last.
TEST(StatementOnlineList, WarningsOfTheListUnderIt) {
    std::vector<reg::Row> rows = register2028();
    rows[1] = testing::straightLine("19", "4", "99999999999");
    auto s = show(rows);
    StatementWindowModel& w = *s->window;
    w.selectView(1);
    EXPECT_TRUE(w.lblWarnings.visible);
    EXPECT_EQ(w.lblWarnings.caption, "No.2は償却費を計算できないため載せていません。");
    EXPECT_EQ(rowOf(w, 2), -1);
    EXPECT_EQ(rowOf(w, 3), 2);

    std::vector<reg::Row> broken(5, testing::straightLine("19", "4", "99999999999"));
    broken.push_back(testing::straightLine("19", "4"));
    auto many = show(broken);
    const StatementWindowModel& m = *many->window;
    EXPECT_EQ(m.lblWarnings.caption,
              "No.1は償却費を計算できないため載せていません。\n"
              "No.2は償却費を計算できないため載せていません。\n"
              "ほかに注意が3件あります。");
    // The tool tip has them all.
    EXPECT_EQ(std::count(m.lblWarnings.toolTip.begin(), m.lblWarnings.toolTip.end(), '\n'), 4);

    // Before any asset was bought.
    auto none = show({test::asset("机", "2", "12", "4", "4", "200000", "8", "0.125", "3")});
    none->window->selectView(1);
    EXPECT_EQ(none->window->grdOnline.rows(), 1);
    EXPECT_EQ(none->window->lblWarnings.caption, kOnlineNoAssets);
    EXPECT_TRUE(none->window->lblWarnings.visible);
    EXPECT_FALSE(none->window->lblProblem.visible);
}

// "印刷" prints the view on show: the table landscape, the online list
// portrait, each after its own notice.
TEST(StatementOnlineList, PrintPrintsTheViewOnShow) {
    auto s = show(register2028());
    StatementWindowModel& w = *s->window;
    s->dialogs.queuePrinter(true);
    w.cmdPrint_Click();
    w.selectView(1);
    s->dialogs.queuePrinter(true);
    w.cmdPrint_Click();
    ASSERT_EQ(s->device.documents().size(), 2u);
    ASSERT_EQ(s->dialogs.messages().size(), 2u);
    EXPECT_EQ(s->dialogs.messages()[0].text, kPrintStatementQuestion);
    EXPECT_EQ(s->dialogs.messages()[1].text, kPrintOnlineQuestion);
    EXPECT_EQ(s->device.documents()[0].orientation(), platform::Orientation::Landscape);
    const platform::RecordingPrinter& list = s->device.documents()[1];
    EXPECT_EQ(list.orientation(), platform::Orientation::Portrait);
    EXPECT_TRUE(list.ended());
    EXPECT_TRUE(test::textOf(list.onPage(1), "No.3 営業車").has_value());
}

}  // namespace
}  // namespace fenmark::yearend
