#include "output/schedule_print.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "output/printed_lines.h"
#include "schedule/schedule_fixture.h"
#include "test_support.h"

namespace fenmark::output {
namespace {

using platform::Answer;
using platform::RecordingPrinter;
using schedule::testing::open;
using schedule::testing::Shown;
using schedule::testing::with;
using Op = RecordingPrinter::Op;
using test::lineAt;
using test::textOf;

const schedule::ScheduleSettings kSettings{"12", "0", 2024};

// Three-year asset: a table of 11 rows (10 of them years, 3 with amounts).
reg::Row threeYear() {
    return test::asset("パソコン", "1", "23", "6", "4", "180000", "3", "0.333 ", "2");
}
// Old declining balance from Heisei 18: 25 years, a table of 26 rows.
reg::Row bookbinder() {
    return test::makeRow({"製本機", "2006-02-2", "1", "18", "2", "", "2", "2006", "2500000", "10",
                          "0.206", "0", "1", "100", "", "", "10", "95", ""});
}
// Old straight line from Shōwa 63 with a life of 47: 49 years.
reg::Row shopHouse() {
    return test::makeRow({"店舗兼住宅", "1988-04-0", "0", "63", "4", "", "0", "1988", "15000000",
                          "47", "0.022", "1", "1", "60", "38", "0.027", "10", "95", ""});
}

RecordingPrinter printed(Shown& shown) {
    RecordingPrinter printer;
    printSchedule(printer, *shown.window, shown.state);
    return printer;
}

// The data rows printed on a page: the lines below the headings, 450 apart.
int rowsOn(const RecordingPrinter& printer, int page) {
    int rows = 0;
    for (int l = 1; l <= 30; ++l) rows += lineAt(printer, page, 3000 + 450.0 * l).empty() ? 0 : 1;
    return rows;
}

// --- Sheets ------------------------------------------------------------------

struct SheetCase {
    std::string name;
    reg::Row asset;
    int tableRows;
    std::vector<int> rowsPerSheet;
};

class ScheduleSheetsTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(ScheduleSheetsTest, TwentyFiveYearsToASheetWithHeadingsAndFooterOnEvery) {
    const SheetCase& c = GetParam();
    auto shown = open({c.asset}, kSettings);
    ASSERT_EQ(shown->window->Fxg2.rows(), c.tableRows);
    const RecordingPrinter printer = printed(*shown);
    const int sheets = static_cast<int>(c.rowsPerSheet.size());
    ASSERT_EQ(printer.pageCount(), sheets);
    EXPECT_TRUE(printer.ended());
    EXPECT_EQ(printer.orientation(), platform::Orientation::Portrait);
    EXPECT_TRUE(printer.a4());
    const std::string name = c.asset[reg::assetName - 1];
    for (int page = 1; page <= sheets; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(rowsOn(printer, page), c.rowsPerSheet[static_cast<std::size_t>(page - 1)]);
        const std::vector<Op> headings = lineAt(printer, page, 3000);
        ASSERT_EQ(headings.size(), 8u);
        EXPECT_EQ(headings.front().text, "経過年数");
        EXPECT_EQ(headings.back().text, "　摘　要　");
        const std::vector<Op> footer = lineAt(printer, page, 15000);
        ASSERT_EQ(footer.size(), 1u);
        EXPECT_EQ(footer[0].x, 8500);
        EXPECT_EQ(footer[0].text, "<" + name + "> Page :" + std::to_string(page) + "\r\n");
        // The two rules of the table; the title's underline on the first sheet only.
        std::vector<Op> lines = printer.onPage(page, Op::Kind::Line);
        ASSERT_EQ(lines.size(), page == 1 ? 3u : 2u);
        const Op& upper = lines[lines.size() - 2];
        const Op& lower = lines.back();
        EXPECT_EQ(std::tie(upper.x, upper.y, upper.x2, upper.y2),
                  std::make_tuple(980.0, 2800.0, 10600.0, 2800.0));
        EXPECT_EQ(std::tie(lower.x, lower.y, lower.x2, lower.y2),
                  std::make_tuple(980.0, 3300.0, 10600.0, 3300.0));
        // The header block belongs to the first sheet.
        EXPECT_EQ(lineAt(printer, page, 1400).empty(), page > 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ScheduleSheetsTest,
    ::testing::Values(SheetCase{"ThreeYear11Rows", threeYear(), 11, {10}},
                      SheetCase{
                          "TwentyFiveYearsLeaveAnEmptySecondSheet", bookbinder(), 26, {25, 0}},
                      SheetCase{"FortyNineYears", shopHouse(), 50, {25, 24}},
                      // Method code 5 below type 9 has no schedule: the heading alone.
                      SheetCase{"NoSchedule", with(threeYear(), {{reg::methodCode, "5"}}), 1, {0}}),
    [](const ::testing::TestParamInfo<SheetCase>& param) { return param.param.name; });

// --- The table ---------------------------------------------------------------

TEST(SchedulePrintTest, RowsArePlacedAndAmountsRightAlignedWithTheCorrection) {
    auto shown = open({threeYear()}, kSettings);
    const std::vector<Op> first = lineAt(printed(*shown), 1, 3450);
    const std::vector<std::pair<double, std::string>> expected = {
        {1350 - 100, "1"},
        {1900, "平成23年度期末"},
        {3800, "2011"},
        {4600, "1/3"},
        // Six characters: 70 back for the first four.
        {6400 - 600 + 70, "60,000"},
        {7850 - 600 + 70, "60,000"},
        {9450 - 700 + 70, "120,000"},
        {9850, "3年均等"}};
    ASSERT_EQ(first.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(expected[k].second);
        EXPECT_EQ(first[k].x, expected[k].first);
        EXPECT_EQ(first[k].text, expected[k].second);
        EXPECT_EQ(first[k].font, "ＭＳ明朝");
        EXPECT_EQ(first[k].size, 10);
    }
}

TEST(SchedulePrintTest, NineCharacterAmountStartsAt5640) {
    // A third of 3,703,701 yen is 1,234,567.
    reg::Row asset = threeYear();
    asset[reg::acquisitionCost - 1] = "3703701";
    auto shown = open({asset}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    const std::vector<Op> second = lineAt(printer, 1, 3900);
    ASSERT_TRUE(textOf(second, "1,234,567").has_value());
    EXPECT_EQ(textOf(second, "1,234,567")->x, 5640);
    // The year number is right-aligned without the correction.
    const std::vector<Op> tenth = lineAt(printer, 1, 3000 + 450.0 * 10);
    ASSERT_TRUE(textOf(tenth, "10").has_value());
    EXPECT_EQ(textOf(tenth, "10")->x, 1150);
}

TEST(SchedulePrintTest, TwentySixthYearOpensTheSecondSheet) {
    auto shown = open({shopHouse()}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    EXPECT_TRUE(textOf(lineAt(printer, 1, 14250), "25").has_value());
    EXPECT_TRUE(textOf(lineAt(printer, 2, 3450), "26").has_value());
    EXPECT_TRUE(textOf(lineAt(printer, 2, 3450), shown->window->Fxg2.text(26, 1)).has_value());
}

// --- The header block --------------------------------------------------------

TEST(SchedulePrintTest, HeaderBlockOfANewDecliningBalanceAsset) {
    auto shown = open({schedule::testing::newDeclining()}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    const Op& title = printer.ops().front();
    EXPECT_EQ(title.text, "資産名：<パソコン>　0801-4");
    EXPECT_EQ(std::tie(title.x, title.y), std::make_tuple(1000.0, 800.0));
    EXPECT_EQ(title.font, "ＭＳゴシック");
    EXPECT_EQ(title.size, 12);
    const Op underline = printer.onPage(1, Op::Kind::Line).front();
    EXPECT_EQ(std::tie(underline.x, underline.y, underline.x2, underline.y2),
              std::make_tuple(1000.0, 1200.0, 5800.0, 1200.0));

    struct Expected {
        double x, y;
        std::string text;
    };
    const std::vector<Expected> expected = {
        {4500, 900, "種別： 備　品"},
        {6000, 900, "決算月　12月"},
        {8500, 900, "計算方法：切上げ"},
        {900, 1400, "数量： 1（台/機/㎡）"},
        {3500, 1400, "取得価額：　1,000,000 円"},
        {6000, 1400, "基礎価額：  1,000,000"},
        {8500, 1400, "専用割合：　100％"},
        {900, 1900, "取得日： H. 20年1月日"},
        {3500, 1900, "新定率法"},
        {6000, 1900, "残存金額：　1 円"},
        {8500, 1900, "償却限度：100％"},
        {900, 2400, "耐用年数：10年"},
        {3500, 2400, "償却率：  0.250"},
        {6000, 2400, "償却保証額 ： 44,480円"},
        {8500, 2400, "改定償却率：   0.334"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        const std::optional<Op> op = textOf(lineAt(printer, 1, e.y), e.text);
        ASSERT_TRUE(op.has_value());
        EXPECT_EQ(op->x, e.x);
        EXPECT_EQ(op->font, "ＭＳ明朝");
        EXPECT_EQ(op->size, 10);
    }
    EXPECT_EQ(lineAt(printer, 1, 900).size(), 3u);
    for (double y : {1400.0, 1900.0, 2400.0}) EXPECT_EQ(lineAt(printer, 1, y).size(), 4u);
}

TEST(SchedulePrintTest, GuaranteeAndRevisedRateOnlyForTheNewDecliningBalance) {
    // Old declining balance.
    auto old = open({bookbinder()}, kSettings);
    EXPECT_EQ(lineAt(printed(*old), 1, 2400).size(), 2u);
    // Method 4 without its rates.
    auto bare =
        open({with(schedule::testing::newDeclining(), {{reg::newRuleRates, ""}})}, kSettings);
    EXPECT_EQ(lineAt(printed(*bare), 1, 2400).size(), 2u);
}

TEST(SchedulePrintTest, DateLineByEra) {
    auto showa = open({shopHouse()}, kSettings);
    EXPECT_EQ(lineAt(printed(*showa), 1, 1900).front().text, "取得日： S. 63年4月日");
    auto reiwa = open({with(shopHouse(), {{reg::eraCode, "1"}, {reg::eraYear, "38"}})}, kSettings);
    EXPECT_EQ(lineAt(printed(*reiwa), 1, 1900).front().text, "取得日： R. 8年4月日");
    auto unknown = open({with(shopHouse(), {{reg::eraCode, "3"}})}, kSettings);
    const std::vector<Op> line = lineAt(printed(*unknown), 1, 1900);
    ASSERT_EQ(line.front().x, 900);
    EXPECT_EQ(line.front().text, "");
}

TEST(SchedulePrintTest, LongTitlePushesTheTypeAndClosingMonthClearOfIt) {
    // The title ends at 1000 + 31 half-width characters of 120 = 4720.
    auto shown = open({shopHouse()}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    EXPECT_EQ(printer.ops().front().text, "資産名：<店舗兼住宅>　1988-04-0");
    EXPECT_EQ(printer.ops().front().y, 800);
    const std::vector<Op> line = lineAt(printer, 1, 900);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].x, 4720 + 100);
    // The type text is 1300 wide.
    EXPECT_EQ(line[1].x, 4820 + 1300 + 100);
    EXPECT_EQ(line[2].x, 8500);
}

TEST(SchedulePrintTest, TitleTooLongToShareItsLineGoesAbove) {
    const std::string name = "事務所兼店舗兼住宅用空調設備一式（第二期工事分）";
    auto shown = open({with(shopHouse(), {{reg::assetName, name}})}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    const Op& title = printer.ops().front();
    EXPECT_EQ(title.text, "資産名：<" + name + ">　1988-04-0");
    EXPECT_EQ(title.x, 1000);
    EXPECT_EQ(title.y, 900 - 12 * 20 * 1.2);
    const std::vector<Op> line = lineAt(printer, 1, 900);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].x, 4500);
    EXPECT_EQ(line[1].x, 6000);
    EXPECT_EQ(line[2].x, 8500);
    // The underline runs the title's whole width: 69 half-width characters of 120.
    EXPECT_EQ(printer.onPage(1, Op::Kind::Line).front().x2, 1000 + 69 * 120);
}

TEST(SchedulePrintTest, FooterThatWouldRunOffThePageEndsAtItsEdge) {
    const std::string name = "事務所兼店舗兼住宅用空調設備";
    auto shown = open({with(shopHouse(), {{reg::assetName, name}})}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    for (int page = 1; page <= 2; ++page) {
        const std::vector<Op> footer = lineAt(printer, page, 15000);
        ASSERT_EQ(footer.size(), 1u);
        // 1 + 28 + 1 + 8 half-width characters of 100.
        EXPECT_EQ(footer[0].x, printer.pageWidth() - 3800);
    }
}

// --- The print command -------------------------------------------------------

class SchedulePrintCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shown_ = open({threeYear(), shopHouse()}, kSettings);
        shown_->window->cmdFF_Click();
        // Wherever the user left the grid's current cell.
        shown_->window->Fxg2.setRow(3);
        shown_->window->Fxg2.setCol(2);
        shown_->dialogs.clearRecord();
    }
    void run() { printScheduleCommand(*shown_->window, shown_->state, dialogs_, device_); }
    void expectWindowAsItWas() {
        const schedule::ScheduleWindowModel& w = *shown_->window;
        EXPECT_EQ(shown_->state.currentRecord, 2);
        EXPECT_EQ(w.lblNum.caption, "2/2");
        EXPECT_EQ(w.txtName.text, "店舗兼住宅");
        EXPECT_EQ(w.Fxg2.rows(), 50);
        EXPECT_EQ(w.Fxg2.row(), 3);
        EXPECT_EQ(w.Fxg2.col(), 2);
    }

    std::unique_ptr<Shown> shown_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingPrintDevice device_;
};

TEST_F(SchedulePrintCommandTest, AsksThenPrintsTheAssetOnShowUnderTheBusyPointer) {
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    const platform::Message& question = dialogs_.messages()[0];
    EXPECT_EQ(question.text, "現ページのデ－タを印刷します。");
    EXPECT_EQ(question.title, "Fenmark");
    EXPECT_EQ(question.buttons, platform::Buttons::OkCancel);
    ASSERT_EQ(device_.documents().size(), 1u);
    const RecordingPrinter& printer = device_.documents()[0];
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_TRUE(printer.ended());
    EXPECT_EQ(printer.ops().front().text, "資産名：<店舗兼住宅>　1988-04-0");
    EXPECT_EQ(device_.busyChanges(), (std::vector<bool>{true, false}));
    expectWindowAsItWas();
}

TEST_F(SchedulePrintCommandTest, CancelPrintsNothing) {
    dialogs_.queueAnswer(Answer::Cancel);
    dialogs_.queuePrinter(true);
    run();
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_TRUE(device_.documents().empty());
    EXPECT_TRUE(device_.busyChanges().empty());
}

TEST_F(SchedulePrintCommandTest, CancelledPrinterDialogIsReportedAsAFailure) {
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(false);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    EXPECT_EQ(dialogs_.messages()[1].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(device_.documents().empty());
}

TEST_F(SchedulePrintCommandTest, PrinterFailingPartWayIsReportedAndLeavesTheWindowAsItWas) {
    // The header block and part of the first rows get out.
    device_.failAfter(30);
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_EQ(device_.documents()[0].ops().size(), 30u);
    EXPECT_FALSE(device_.documents()[0].ended());
    EXPECT_FALSE(device_.busy());
    expectWindowAsItWas();
    EXPECT_TRUE(shown_->dialogs.messages().empty());
}

TEST_F(SchedulePrintCommandTest, TypeWithoutANameIsReportedWithNothingPrinted) {
    shown_->state.assetRegister.at(2, reg::typeCode) = "12";
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_TRUE(device_.documents()[0].ops().empty());
    expectWindowAsItWas();
}

}  // namespace
}  // namespace fenmark::output
