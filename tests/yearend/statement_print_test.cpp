#include "yearend/statement_print.h"

#include <gtest/gtest.h>

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

// The asset names printed on a page (the only texts in 9 pt), top to bottom.
std::vector<Op> namesOn(const RecordingPrinter& printer, int page) {
    std::vector<Op> out;
    for (const Op& op : printer.onPage(page)) {
        if (op.x == 700 && op.size == 9) out.push_back(op);
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
    double ruleY;
};

class StatementSheetsTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(StatementSheetsTest, TwentyAssetsToASheetAndTheTotalsAfterTheLast) {
    const SheetCase& c = GetParam();
    auto opened = statement(assets(c.assets), "20");
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
        const std::vector<Op> title = lineAt(printer, page, 700);
        ASSERT_EQ(title.size(), 1u);
        EXPECT_EQ(title[0].x, 1000);
        const std::vector<Op> headings = lineAt(printer, page, 1100);
        ASSERT_EQ(headings.size(), 14u);
        EXPECT_EQ(headings.front().text, "資産の名称");
        EXPECT_EQ(headings.back().text, "適　　用");

        const std::vector<Op> names = namesOn(printer, page);
        ASSERT_EQ(static_cast<int>(names.size()),
                  c.rowsPerSheet[static_cast<std::size_t>(page - 1)]);
        for (std::size_t k = 0; k < names.size(); ++k) {
            EXPECT_EQ(names[k].text, "機械" + std::to_string(++asset));
            EXPECT_EQ(names[k].y, 1600 + 400.0 * static_cast<double>(k));
        }

        const bool last = page == sheets;
        const std::vector<Op> lines = printer.onPage(page, Op::Kind::Line);
        ASSERT_EQ(lines.size(), last ? 1u : 0u);
        EXPECT_EQ(textOf(printer.onPage(page), "　合　　計").has_value(), last);
        if (last) {
            EXPECT_EQ(std::tie(lines[0].x, lines[0].y, lines[0].x2, lines[0].y2),
                      std::make_tuple(680.0, c.ruleY, 15500.0, c.ruleY));
            EXPECT_EQ(textOf(printer.onPage(page), "　合　　計")->y, c.ruleY + 100);
        }
    }
    EXPECT_EQ(asset, c.assets);
}

INSTANTIATE_TEST_SUITE_P(Counts, StatementSheetsTest,
                         ::testing::Values(SheetCase{0, {0}, 1500}, SheetCase{1, {1}, 1900},
                                           SheetCase{20, {20, 0}, 1500},
                                           SheetCase{21, {20, 1}, 1900},
                                           SheetCase{45, {20, 20, 5}, 3500},
                                           SheetCase{60, {20, 20, 20, 0}, 1500}),
                         [](const ::testing::TestParamInfo<SheetCase>& param) {
                             return "Assets" + std::to_string(param.param.assets);
                         });

// --- One line ----------------------------------------------------------------

struct Expected {
    double x;
    std::string text;
    double size = 10;
};

void expectLine(const std::vector<Op>& line, const std::vector<Expected>& expected) {
    ASSERT_EQ(line.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(expected[k].text);
        EXPECT_EQ(line[k].x, expected[k].x);
        EXPECT_EQ(line[k].text, expected[k].text);
        EXPECT_EQ(line[k].size, expected[k].size);
        EXPECT_EQ(line[k].font, "ＭＳ明朝");
    }
}

// The year as the return names it, and the closing date in the era in force
// in its month.
TEST(StatementPrintTest, TitleNamesTheYearAndTheClosingDate) {
    struct Case {
        int era;  // 0 平成, 1 令和
        const char* year;
        const char* closing;
        const char* title;
    };
    const Case cases[] = {
        {0, "19", "3", "平成 19年分  (期末 ：平成 20年3月)"},
        {0, "30", "3", "平成 30年分  (期末 ：平成 31年3月)"},
        {0, "31", "3", "平成 31年分  (期末 ：令和 2年3月)"},
        {0, "1", "12", "平成 元年分  (期末 ：平成 元年12月)"},
        {1, "1", "12", "令和 元年分  (期末 ：令和 元年12月)"},
        {1, "8", "12", "令和 8年分  (期末 ：令和 8年12月)"},
        {1, "8", "3", "令和 8年分  (期末 ：令和 9年3月)"},
        {0, "38", "12", "平成 38年分  (期末 ：令和 8年12月)"},
    };
    for (const Case& c : cases) {
        auto opened = testing::open(assets(1), c.closing);
        opened->window->selectEra(c.era);
        opened->window->setTxtGetYe(c.year);
        opened->window->cmdOk_Click();
        const Op title = printed(*opened).ops().front();
        EXPECT_EQ(title.text, c.title);
        EXPECT_EQ(std::tie(title.x, title.y), std::make_tuple(1000.0, 700.0));
        EXPECT_EQ(title.font, "ＭＳ明朝");
        EXPECT_EQ(title.size, 10);
    }
}

TEST(StatementPrintTest, AssetLinePlacesEveryColumnAndRightAlignsTheNumbers) {
    auto opened = statement({with(straightLine("19", "4", "1234567"),
                                  {{reg::quantity, "12"}, {reg::businessRatio, "80"}})},
                            "20");
    platform::Grid& table = opened->window->Fxg3;
    table.setText(1, colBase, "2,000,000");
    table.setText(1, colPeriod, "9/12");
    table.setText(1, colDepreciation, "123,457");
    table.setText(1, colExpense, "98,765");
    table.setText(1, colBookValue, "12,345,678");
    table.setText(1, colRemark, "改定償却");
    expectLine(lineAt(printed(*opened), 1, 1600), {{700, "機械", 9},
                                                   {2400 - 200, "12"},
                                                   {2650, "H. 19/4"},
                                                   // Nine characters: 70 back for each four.
                                                   {4600 - 900 + 140, "1,234,567"},
                                                   {5800 - 900 + 140, "2,000,000"},
                                                   {6300, "新定額法"},
                                                   {7900 - 300, "10年"},
                                                   {8500, "0.100"},
                                                   {9300, "9/12"},
                                                   {10800 - 700 + 70, "123,457"},
                                                   {11900 - 200, "80"},
                                                   {13300 - 600 + 70, "98,765"},
                                                   {14450 - 1000 + 140, "12,345,678"},
                                                   {14800, "改定償却"}});
}

TEST(StatementPrintTest, TotalsLineAndItsCorrectedRightEdges) {
    auto opened = statement(assets(1), "20");
    platform::Grid& table = opened->window->Fxg3;
    table.setText(2, colCost, "27,300,000");
    table.setText(2, colDepreciation, "12,345,678");
    table.setText(2, colExpense, "1,234,567");
    table.setText(2, colBookValue, "123,456");
    expectLine(lineAt(printed(*opened), 1, 2000), {{700, "　合　　計"},
                                                   {4550 - 1000 + 140, "27,300,000"},
                                                   {5900, ""},
                                                   {9940, "12,345,678"},
                                                   {13250 - 900 + 140, "1,234,567"},
                                                   {14450 - 700 + 70, "123,456"}});
}

TEST(StatementPrintTest, LifeAndRateAreTheRegistersWhateverTheYear) {
    auto opened = statement(
        {with(straightLine("5", "4"), {{reg::revisedLife, "8"}, {reg::revisedRate, "0.125"}})},
        "20");
    // The table has switched to the revised life and rate.
    ASSERT_EQ(opened->window->Fxg3.text(1, colLife), "8");
    ASSERT_EQ(opened->window->Fxg3.text(1, colRate), "0.125");
    const std::vector<Op> line = lineAt(printed(*opened), 1, 1600);
    ASSERT_TRUE(textOf(line, "8年").has_value());
    EXPECT_EQ(textOf(line, "8年")->x, 7700);
    ASSERT_TRUE(textOf(line, "0.100").has_value());
    EXPECT_EQ(textOf(line, "0.100")->x, 8500);
}

TEST(StatementPrintTest, DateByRoundedEraAndNoneForAnUnknownOne) {
    auto opened =
        statement({straightLine("19", "4"), with(straightLine("19", "5"), {{reg::eraCode, "3"}}),
                   with(straightLine("63", "7"), {{reg::eraCode, "0"}}),
                   with(straightLine("20", "8"), {{reg::eraCode, "0.6"}})},
                  "20");
    const RecordingPrinter printer = printed(*opened);
    const std::vector<std::string> expected = {"H. 19/4", "", "S. 63/7", "H. 20/8"};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(k);
        const std::vector<Op> line = lineAt(printer, 1, 1600 + 400.0 * static_cast<double>(k));
        ASSERT_GE(line.size(), 3u);
        EXPECT_EQ(line[2].x, 2650);
        EXPECT_EQ(line[2].text, expected[k]);
    }
}

TEST(StatementPrintTest, MethodOfEveryAssetUpToSixty) {
    std::vector<reg::Row> rows;
    for (int i = 1; i <= 60; ++i) {
        rows.push_back(i % 2 == 0 ? threeYear("22", "300000") : straightLine("19", "4"));
    }
    auto opened = statement(std::move(rows), "20");
    const RecordingPrinter printer = printed(*opened);
    for (int i = 41; i <= 60; ++i) {
        SCOPED_TRACE(i);
        const std::vector<Op> line = lineAt(printer, 3, 1200 + 400.0 * (i - 40));
        const std::string method = i % 2 == 0 ? "一括償却" : "新定額法";
        ASSERT_TRUE(textOf(line, method).has_value());
        EXPECT_EQ(textOf(line, method)->x, 6300);
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
