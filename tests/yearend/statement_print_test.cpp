#include "yearend/statement_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "output/printed_lines.h"
#include "yearend/statement_fixture.h"

namespace fenmark::yearend {
namespace {

using platform::Answer;
using platform::RecordingPrinter;
using testing::Opened;
using testing::statement;
using testing::straightLine;
using testing::threeYear;
using testing::with;
using Op = RecordingPrinter::Op;
using test::lineAt;
using test::textOf;

RecordingPrinter printed(Opened& opened) {
    RecordingPrinter printer;
    printStatement(printer, *opened.window, opened.state);
    return printer;
}

// The left edge of the table: 15,820 twips centred on the page.
double tableLeft(const RecordingPrinter& printer) { return (printer.pageWidth() - 15820) / 2; }

// The width of a printed text in the size it was printed in.
double widthOf(const Op& op) {
    RecordingPrinter measure;
    measure.setFont(op.font, op.size);
    return measure.textWidth(op.text);
}

// The top of a 9 pt text in row k (0-based) of a sheet: rows of 420 twips
// under headings from 900 to 1590, the text centred in its row.
double rowText(int k) { return 1590 + 420.0 * k + (420 - 9 * 20 * 1.2) / 2; }

// The asset names printed on a page (the texts in the name column), top to
// bottom.
std::vector<Op> namesOn(const RecordingPrinter& printer, int page) {
    std::vector<Op> out;
    for (const Op& op : printer.onPage(page)) {
        // The lines under the table start in the name column and run on.
        const bool inNameColumn = op.x + widthOf(op) <= tableLeft(printer) + 1900;
        if (inNameColumn && op.y > 1590) out.push_back(op);
    }
    return out;
}

std::vector<reg::Row> assets(int count) {
    std::vector<reg::Row> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(
            with(straightLine("19", "4"), {{reg::assetName, "機械" + std::to_string(i)}}));
    }
    return rows;
}

// --- Sheets ------------------------------------------------------------------

struct SheetCase {
    int assets;
    std::vector<int> rowsPerSheet;
};

class StatementSheetsTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(StatementSheetsTest, EighteenAssetsToASheetAndTheTotalsUnderTheLast) {
    const SheetCase& c = GetParam();
    auto opened = statement(assets(c.assets), "20");
    opened->state.chosenFilePath = "/home/user/台帳.dat";
    ASSERT_TRUE(opened->window->Fxg3Visible);
    const RecordingPrinter printer = printed(*opened);
    const int sheets = static_cast<int>(c.rowsPerSheet.size());
    ASSERT_EQ(printer.pageCount(), sheets);
    EXPECT_TRUE(printer.ended());
    EXPECT_EQ(printer.orientation(), platform::Orientation::Landscape);
    EXPECT_TRUE(printer.a4());
    int asset = 0;
    for (int page = 1; page <= sheets; ++page) {
        SCOPED_TRACE(page);
        const std::vector<Op> path = lineAt(printer, page, 0);
        ASSERT_EQ(path.size(), 1u);
        EXPECT_EQ(path[0].text, "/home/user/台帳.dat Page :" + std::to_string(page));
        ASSERT_EQ(lineAt(printer, page, 330).size(), 1u);

        const std::vector<Op> names = namesOn(printer, page);
        const int rows = c.rowsPerSheet[static_cast<std::size_t>(page - 1)];
        const bool last = page == sheets;
        ASSERT_EQ(static_cast<int>(names.size()), rows + (last ? 1 : 0));
        for (std::size_t k = 0; k < names.size(); ++k) {
            const bool totals = last && k + 1 == names.size();
            EXPECT_EQ(names[k].text,
                      totals ? kPrintedTotalsCaption : "機械" + std::to_string(++asset));
            EXPECT_EQ(names[k].y, rowText(static_cast<int>(k)));
        }
        // The frame, the line under the headings and under every row, and
        // the seventeen lines of the columns.
        const std::vector<Op> rules = printer.onPage(page, Op::Kind::Line);
        EXPECT_EQ(rules.size(), 1u + 1u + names.size() + 17u);
        EXPECT_EQ(textOf(printer.onPage(page), kPrintedTotalsCaption).has_value(), last);
    }
    EXPECT_EQ(asset, c.assets);
}

INSTANTIATE_TEST_SUITE_P(Counts, StatementSheetsTest,
                         ::testing::Values(SheetCase{0, {0}}, SheetCase{1, {1}},
                                           SheetCase{18, {18}}, SheetCase{19, {18, 1}},
                                           SheetCase{45, {18, 18, 9}}),
                         [](const ::testing::TestParamInfo<SheetCase>& param) {
                             return "Assets" + std::to_string(param.param.assets);
                         });

// --- The table ---------------------------------------------------------------

// The sixteen headings, each in its column, and every cell of a row in its
// column: text columns from the left, numbers to the right edge.
TEST(StatementPrintTest, EveryColumnOfTheFormInItsPlace) {
    const reg::Row declining =
        with(test::asset("機械", "1", "25", "1", "2", "1000000", "5", "0.400", "4"),
             {{reg::newRuleRates, "0.5000.10800"}, {reg::businessRatio, "80"}});
    auto opened = statement({declining}, "28");
    const RecordingPrinter printer = printed(*opened);
    const double left = tableLeft(printer);
    const double widths[] = {1900, 500,  760, 1250, 1100, 800,  500,  760,
                             760,  1100, 900, 1100, 650,  1100, 1100, 1540};
    std::vector<double> edges{left};
    for (double w : widths) edges.push_back(edges.back() + w);

    const auto inColumn = [&](const Op& op, int col) {
        const auto c = static_cast<std::size_t>(col);
        return op.x >= edges[c] && op.x + widthOf(op) <= edges[c + 1];
    };
    // Every line of every heading, in 8 pt of a font that has the form's
    // letters, within its column.
    for (int col = 0; col < kStatementColumns; ++col) {
        std::string_view rest =
            statementShortHeadings(ReturnForm::Blue)[static_cast<std::size_t>(col)];
        while (!rest.empty()) {
            const std::string line(rest.substr(0, rest.find('\n')));
            rest.remove_prefix(std::min(rest.size(), line.size() + 1));
            const std::vector<Op> ops = printer.onPage(1);
            EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [&](const Op& op) {
                return op.text == line && op.y < 1590 && op.size == 8 &&
                       op.font == kStatementHeadingFont && inColumn(op, col);
            })) << line;
        }
    }

    const std::vector<Op> row = lineAt(printer, 1, rowText(0));
    std::vector<std::string> texts;
    for (const Op& op : row) texts.push_back(op.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"機械", "1", "H.25/1", "216,000", "新定率法", "5",
                                               "0.500", "12/12", "108,000", "108,000", "80%",
                                               "86,400", "108,000", "改定償却"}));
    const std::pair<const char*, int> placed[] = {{"H.25/1", colAcquired}, {"216,000", colBase},
                                                  {"0.500", colRate},      {"80%", colShare},
                                                  {"86,400", colExpense},  {"改定償却", colRemark}};
    for (const auto& [text, col] : placed) {
        ASSERT_TRUE(textOf(row, text).has_value()) << text;
        EXPECT_TRUE(inColumn(*textOf(row, text), col)) << text;
    }
    // Numbers end 60 twips inside their column's right edge.
    const Op expense = *textOf(row, "86,400");
    EXPECT_DOUBLE_EQ(expense.x + widthOf(expense), edges[colExpense + 1] - 60);
    // The guarantee amount in parentheses under the cost, in a smaller font.
    const auto cost = textOf(printer.onPage(1), "1,000,000");
    const auto guarantee = textOf(printer.onPage(1), "(108,000)");
    ASSERT_TRUE(cost && guarantee);
    EXPECT_TRUE(inColumn(*cost, colCost) && inColumn(*guarantee, colCost));
    EXPECT_GT(guarantee->y, cost->y);
    EXPECT_LT(guarantee->size, cost->size);
}

TEST(StatementPrintTest, TheTotalsOfTheFormAndALongNameThatMustFit) {
    const std::string longName = "大型業務用冷凍冷蔵庫（厨房用、ステンレス製、四枚扉）";
    auto opened = statement(
        {with(straightLine("19", "4"), {{reg::assetName, longName}}), straightLine("19", "4")},
        "20");
    platform::Grid& table = opened->window->Fxg3;
    table.setText(3, colDepreciation, "120,000,000,000");
    const RecordingPrinter printer = printed(*opened);
    const double left = tableLeft(printer);

    // The name shrinks to the smallest font and is cut to its column.
    const Op name = lineAt(printer, 1, rowText(0)).front();
    EXPECT_EQ(name.size, kSmallestPrintPoints);
    EXPECT_TRUE(longName.starts_with(name.text));
    EXPECT_LE(name.x + widthOf(name), left + 1900 - 60);

    std::vector<std::string> totals;
    for (const Op& op : lineAt(printer, 1, rowText(2))) totals.push_back(op.text);
    EXPECT_EQ(totals, (std::vector<std::string>{kPrintedTotalsCaption, "120,000,000,000", "200,000",
                                                "200,000", "1,650,000"}));
    // A total wider than its column shrinks to fit it.
    const Op wide = *textOf(lineAt(printer, 1, rowText(2)), "120,000,000,000");
    EXPECT_LT(wide.size, 9);
}

// The title names the return chosen, the year as the return names it (in
// the era of that year, whatever era it was typed in) and the closing date
// in the era in force in its month; the heading is the window's.
TEST(StatementPrintTest, TitleNamesTheReturnTheYearAndTheClosingDate) {
    struct Case {
        int era;  // 0 平成, 1 令和
        const char* year;
        const char* closing;
        int form;
        const char* title;
    };
    const Case cases[] = {
        {0, "31", "3", 0, "減価償却費の計算（青色申告決算書）　令和元年分  (期末 ：令和 2年3月)"},
        {0, "1", "12", 0, "減価償却費の計算（青色申告決算書）　平成元年分  (期末 ：平成 元年12月)"},
        {0, "30", "12", 0,
         "減価償却費の計算（青色申告決算書）　平成30年分  (期末 ：平成 30年12月)"},
        {0, "38", "12", 0, "減価償却費の計算（青色申告決算書）　令和 8年分  (期末 ：令和 8年12月)"},
        {1, "8", "12", 1, "減価償却費の計算（収支内訳書）　令和 8年分  (期末 ：令和 8年12月)"},
        {1, "8", "3", 0, "減価償却費の計算（青色申告決算書）　令和 8年分  (期末 ：令和 9年3月)"},
    };
    for (const Case& c : cases) {
        auto opened = testing::open(assets(1), c.closing);
        opened->window->selectEra(c.era);
        opened->window->setTxtGetYe(c.year);
        opened->window->cmdOk_Click();
        opened->window->selectForm(c.form);
        const RecordingPrinter printer = printed(*opened);
        const std::vector<Op> title = lineAt(printer, 1, 330);
        ASSERT_EQ(title.size(), 1u);
        EXPECT_EQ(title[0].text, c.title);
        EXPECT_TRUE(title[0].text.find(opened->window->headingText()) != std::string::npos);
        EXPECT_EQ(title[0].size, 12);
        EXPECT_EQ(textOf(printer.onPage(1), "㋬特別").has_value(), c.form == 1);
        EXPECT_EQ(textOf(printer.onPage(1), "㋬割増").has_value(), c.form == 0);
    }
}

// Under the totals of the last sheet, after the lines on small and scrapped
// assets: where the ㋷ total goes on the return chosen.
TEST(StatementPrintTest, TheLastSheetSaysWhereTheExpenseTotalGoes) {
    std::vector<reg::Row> rows = assets(19);
    rows[18][reg::disposalMonth - 1] = "2008-06";
    rows[18][reg::disposalKind - 1] = "除却";
    for (const int form : {0, 1}) {
        SCOPED_TRACE(form);
        auto opened = statement(rows, "20");
        StatementWindowModel& w = *opened->window;
        w.selectForm(form);
        // The window's view does not change what the table's printout says.
        w.selectView(1);
        const RecordingPrinter printer = printed(*opened);
        ASSERT_EQ(printer.pageCount(), 2);
        const std::string line = expenseDestinationLine(
            form == 1 ? ReturnForm::Income : ReturnForm::Blue, w.expenseTotal);
        EXPECT_FALSE(textOf(printer.onPage(1), line).has_value());
        const auto destination = textOf(printer.onPage(2), line);
        const auto scrapped = textOf(printer.onPage(2), w.lblScrapped.caption);
        ASSERT_TRUE(destination.has_value() && scrapped.has_value());
        EXPECT_EQ(destination->x, tableLeft(printer));
        EXPECT_EQ(destination->y, scrapped->y + 300);
        EXPECT_LE(destination->y + destination->size * 24, printer.pageHeight());
    }
}

// --- The print command -------------------------------------------------------

class StatementPrintCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        opened_ = statement(assets(21), "20");
        opened_->window->Fxg3.setRow(4);
        opened_->window->Fxg3.setCol(3);
        before_ = opened_->window->Fxg3.text(21, colBookValue);
    }
    void run() { printStatementCommand(*opened_->window, opened_->state, dialogs_, device_); }
    void expectWindowAsItWas() {
        const StatementWindowModel& w = *opened_->window;
        EXPECT_TRUE(w.Fxg3Visible);
        EXPECT_TRUE(w.cmdPrint.enabled);
        EXPECT_EQ(w.Fxg3.row(), 4);
        EXPECT_EQ(w.Fxg3.col(), 3);
        EXPECT_EQ(w.Fxg3.text(21, colBookValue), before_);
    }

    std::unique_ptr<Opened> opened_;
    std::string before_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingPrintDevice device_;
};

TEST_F(StatementPrintCommandTest, TellsThenPrintsLandscapeUnderTheBusyPointer) {
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    const platform::Message& notice = dialogs_.messages()[0];
    EXPECT_EQ(notice.text, "決算書資料を印刷します。");
    EXPECT_EQ(notice.title, platform::kProgramTitle);
    EXPECT_EQ(notice.buttons, platform::Buttons::Ok);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_EQ(device_.documents()[0].pageCount(), 2);
    EXPECT_TRUE(device_.documents()[0].ended());
    EXPECT_EQ(device_.documents()[0].orientation(), platform::Orientation::Landscape);
    EXPECT_EQ(device_.busyChanges(), (std::vector<bool>{true, false}));
    expectWindowAsItWas();
}

TEST_F(StatementPrintCommandTest, NothingBeforeAStatementIsShown) {
    auto waiting = testing::open(assets(3));
    dialogs_.queuePrinter(true);
    printStatementCommand(*waiting->window, waiting->state, dialogs_, device_);
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_TRUE(device_.documents().empty());
}

TEST_F(StatementPrintCommandTest, CancelledPrinterDialogIsReportedAsAFailure) {
    dialogs_.queuePrinter(false);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    EXPECT_EQ(dialogs_.messages()[1].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(device_.documents().empty());
    expectWindowAsItWas();
}

TEST_F(StatementPrintCommandTest, FailurePartWayIsReportedAndTheWindowCanPrintAgain) {
    device_.failAfter(40);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_FALSE(device_.documents()[0].ended());
    EXPECT_FALSE(device_.busy());
    expectWindowAsItWas();

    device_.failAfter(std::nullopt);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(device_.documents().size(), 2u);
    EXPECT_TRUE(device_.documents()[1].ended());
    EXPECT_EQ(device_.documents()[1].pageCount(), 2);
}

}  // namespace
}  // namespace fenmark::yearend
