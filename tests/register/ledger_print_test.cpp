#include "register/ledger_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::Answer;
using platform::RecordingPrinter;
using Op = RecordingPrinter::Op;

ProgramState stateWith(int count, const std::string& path = "C:\\data\\fenmark.dat") {
    ProgramState state;
    for (int i = 1; i <= count; ++i) {
        state.assetRegister.row(i) = test::asset("資産" + std::to_string(i), "1", "20", "4", "4",
                                                 "100000", "5", "0.200", "3");
    }
    state.recordCount = static_cast<std::int16_t>(count);
    state.chosenFilePath = path;
    state.currentFilePath = path;
    return state;
}

RecordingPrinter printed(const ProgramState& state) {
    RecordingPrinter printer;
    printLedger(printer, state);
    return printer;
}

// The texts of one page printed at height y, left to right.
std::vector<Op> lineAt(const RecordingPrinter& printer, int page, double y) {
    std::vector<Op> out;
    for (const Op& op : printer.onPage(page)) {
        if (op.y == y) out.push_back(op);
    }
    std::sort(out.begin(), out.end(), [](const Op& a, const Op& b) { return a.x < b.x; });
    return out;
}

const Op* textOf(const std::vector<Op>& line, const std::string& text) {
    for (const Op& op : line) {
        if (op.text == text) return &op;
    }
    return nullptr;
}

// --- GetListHeader ---------------------------------------------------------

TEST(GetListHeaderTest, NamesTheWholePathAndThePage) {
    EXPECT_EQ(GetListHeader("C:\\data\\fenmark.dat", 1), "C:\\data\\fenmark.dat Page :1\r\n");
    // Paths shorter than ten characters, and even one of a single
    // character, print whole.
    EXPECT_EQ(GetListHeader("a.dat", 3), "a.dat Page :3\r\n");
    EXPECT_EQ(GetListHeader("a", 2), "a Page :2\r\n");
}

// --- Pages -----------------------------------------------------------------

struct PageCase {
    int assets;
    int pages;
    std::vector<int> rowsPerPage;
};

class LedgerPagesTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(LedgerPagesTest, TwentyAssetsToAPageWithHeadingsOnEvery) {
    const PageCase& c = GetParam();
    const RecordingPrinter printer = printed(stateWith(c.assets));
    ASSERT_EQ(printer.pageCount(), c.pages);
    EXPECT_TRUE(printer.ended());
    for (int page = 1; page <= c.pages; ++page) {
        SCOPED_TRACE(page);
        const std::vector<Op> heading = lineAt(printer, page, 300);
        ASSERT_NE(textOf(heading, "C:\\data\\fenmark.dat Page :" + std::to_string(page) + "\r\n"),
                  nullptr);
        EXPECT_EQ(lineAt(printer, page, 1800).size(), 11u);
        int rows = 0;
        for (int k = 1; k <= 20; ++k)
            rows += lineAt(printer, page, 1800 + 600.0 * k).empty() ? 0 : 1;
        EXPECT_EQ(rows, c.rowsPerPage[static_cast<std::size_t>(page - 1)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, LedgerPagesTest,
                         ::testing::Values(PageCase{0, 1, {0}}, PageCase{1, 1, {1}},
                                           PageCase{19, 1, {19}}, PageCase{20, 2, {20, 0}},
                                           PageCase{21, 2, {20, 1}}, PageCase{40, 3, {20, 20, 0}},
                                           PageCase{45, 3, {20, 20, 5}}),
                         [](const ::testing::TestParamInfo<PageCase>& param) {
                             return "Assets" + std::to_string(param.param.assets);
                         });

TEST(LedgerPrintTest, TwentyFirstAssetStartsTheSecondPageAt2400) {
    const RecordingPrinter printer = printed(stateWith(21));
    EXPECT_NE(textOf(lineAt(printer, 1, 13800), " 20"), nullptr);
    EXPECT_NE(textOf(lineAt(printer, 2, 2400), " 21"), nullptr);
    EXPECT_NE(textOf(lineAt(printer, 2, 2400), "資産21"), nullptr);
}

TEST(LedgerPrintTest, TitleIsCentredOnTheFirstPageOnly) {
    const RecordingPrinter printer = printed(stateWith(21));
    EXPECT_EQ(printer.orientation(), platform::Orientation::Portrait);
    EXPECT_TRUE(printer.a4());
    const Op& title = printer.ops().front();
    EXPECT_EQ(title.text, "固定資産台帳一覧");
    EXPECT_EQ(title.font, "MS明朝");
    EXPECT_EQ(title.size, 14);
    EXPECT_EQ(title.y, 300);
    // Half of 11186 less half of eight full-width characters at 14 pt, less 200.
    EXPECT_EQ(title.x, 5593 - 1120 - 200);
    EXPECT_EQ(textOf(printer.onPage(2), "固定資産台帳一覧"), nullptr);
}

// --- One asset's line --------------------------------------------------------

TEST(LedgerPrintTest, AssetLinePlacesAndRightAlignsItsFields) {
    ProgramState state = stateWith(2);
    Row& r = state.assetRegister.row(2);
    r = test::makeRow({"応接セット", "2009-09-4", "0", "58", "4", "", "4", "1983", "3000000", "40",
                       "0.025", "1", "12", "60", "31", "0.033", "10", "95", ""});
    const std::vector<Op> line = lineAt(printed(state), 1, 3000);
    const std::vector<std::tuple<double, std::string, double>> expected = {
        {900, " 2", 10},
        {1350, "応接セット", 9},
        {2850, "備　品", 9},
        {3780 - 200, "12", 10},
        {4150, "S. 58/4", 10},
        // Seven digits: 5900 - 700 - 70, with both separators printed.
        {5130, "3,000,000", 10},
        {6200, "旧定額法", 9},
        // The revised life, nine characters at 70 each.
        {7700 - 630, "     *31年", 10},
        // The rate of the original life, not the revised one.
        {8300, "0.025", 10},
        {9600 - 200, "60", 10},
        {10100, "2009-09-4", 10}};
    ASSERT_EQ(line.size(), expected.size());
    for (std::size_t k = 0; k < line.size(); ++k) {
        SCOPED_TRACE(std::get<1>(expected[k]));
        EXPECT_EQ(line[k].x, std::get<0>(expected[k]));
        EXPECT_EQ(line[k].text, std::get<1>(expected[k]));
        EXPECT_EQ(line[k].size, std::get<2>(expected[k]));
        EXPECT_EQ(line[k].font, "MS明朝");
    }
}

struct FieldCase {
    std::string name;
    int column;
    std::string value;
    double x;
    std::string text;
};

class LedgerFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(LedgerFieldTest, PrintsTheFieldAtItsEstimatedStart) {
    const FieldCase& c = GetParam();
    ProgramState state = stateWith(1);
    state.assetRegister.at(1, c.column) = c.value;
    const std::vector<Op> line = lineAt(printed(state), 1, 2400);
    const Op* op = textOf(line, c.text);
    ASSERT_NE(op, nullptr) << c.text;
    EXPECT_EQ(op->x, c.x);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LedgerFieldTest,
    ::testing::Values(FieldCase{"Cost6Digits", acquisitionCost, "200000", 5300, "200,000"},
                      FieldCase{"Cost8Digits", acquisitionCost, "15000000", 5100, "15,000,000"},
                      FieldCase{"EqualThreeYears", methodCode, "2", 7700 - 630, "     ++5年"},
                      FieldCase{"PlainLife", usefulLife, "15", 7700 - 210, "15年"}),
    [](const ::testing::TestParamInfo<FieldCase>& param) { return param.param.name; });

// --- The page heading and the title ----------------------------------------

TEST(LedgerPrintTest, HeadingThatWouldRunIntoTheTitleGoesBelowIt) {
    // 46 characters at 10 pt from 800 end at 5400, past the title's start at 4273.
    const RecordingPrinter printer =
        printed(stateWith(21, "/home/taro/documents/ledger/sample.dat"));
    const Op& title = printer.ops().front();
    const std::string heading = "/home/taro/documents/ledger/sample.dat Page :1\r\n";
    const std::vector<Op> page1 = printer.onPage(1);
    const Op* op = textOf(page1, heading);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->x, 800);
    EXPECT_EQ(op->y, title.y + 14 * 20 * 1.2);
    // Pages without the title keep the heading at the top.
    EXPECT_NE(textOf(lineAt(printer, 2, 300), "/home/taro/documents/ledger/sample.dat Page :2\r\n"),
              nullptr);
}

TEST(LedgerPrintTest, HeadingWiderThanThePageBreaksAfterASeparator) {
    std::string path = "/home";
    while (path.size() < 150) path += "/folder";
    path += "/台帳.dat";
    const RecordingPrinter printer = printed(stateWith(1, path));
    std::string joined;
    double y = -1;
    for (const Op& op : printer.onPage(1)) {
        if (op.x != 800 || op.y >= 1800) continue;
        SCOPED_TRACE(op.text);
        const std::string shown = op.text.substr(0, op.text.find('\r'));
        EXPECT_LE(800 + printer.textWidth(shown), printer.pageWidth());
        EXPECT_GT(op.y, y);
        y = op.y;
        joined += op.text;
        if (joined.size() < path.size()) {
            EXPECT_EQ(op.text.back(), '/');
        }
    }
    EXPECT_EQ(joined, GetListHeader(path, 1));
}

// --- The print command -------------------------------------------------------

class LedgerPrintCommandTest : public ::testing::Test {
  protected:
    void run() { printLedgerCommand(state_, dialogs_, device_); }

    ProgramState state_ = stateWith(21);
    platform::ScriptedDialogs dialogs_;
    platform::RecordingPrintDevice device_;
};

TEST_F(LedgerPrintCommandTest, AsksFirstAndPrintsUnderTheBusyPointer) {
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    const platform::Message& question = dialogs_.messages()[0];
    EXPECT_EQ(question.text, "台帳一覧を印刷します。");
    EXPECT_EQ(question.title, "印刷");
    EXPECT_EQ(question.buttons, platform::Buttons::OkCancel);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_EQ(device_.documents()[0].pageCount(), 2);
    EXPECT_TRUE(device_.documents()[0].ended());
    EXPECT_EQ(device_.busyChanges(), (std::vector<bool>{true, false}));
}

TEST_F(LedgerPrintCommandTest, CancelledQuestionPrintsNothing) {
    dialogs_.queueAnswer(Answer::Cancel);
    dialogs_.queuePrinter(true);
    run();
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_TRUE(device_.documents().empty());
    EXPECT_TRUE(device_.busyChanges().empty());
}

TEST_F(LedgerPrintCommandTest, CancelledPrinterDialogIsReportedAsAFailure) {
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(false);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    EXPECT_EQ(dialogs_.messages()[1].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(device_.documents().empty());
}

TEST_F(LedgerPrintCommandTest, PrinterFailingPartWayIsReportedAndChangesNothing) {
    const ProgramState before = state_;
    // The title, the first heading and a few column headings get out.
    device_.failAfter(6);
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    ASSERT_EQ(device_.documents().size(), 1u);
    EXPECT_EQ(device_.documents()[0].ops().size(), 6u);
    EXPECT_FALSE(device_.documents()[0].ended());
    EXPECT_FALSE(device_.busy());
    EXPECT_EQ(state_.assetRegister, before.assetRegister);
    EXPECT_EQ(state_.recordCount, before.recordCount);
    EXPECT_EQ(state_.chosenFilePath, before.chosenFilePath);
}

TEST_F(LedgerPrintCommandTest, FailureAtTheEndOfTheDocumentIsReportedToo) {
    // Every operation of a 21-asset document but the end of it.
    RecordingPrinter whole = printed(state_);
    device_.failAfter(whole.ops().size() - 1);
    dialogs_.queueAnswer(Answer::Ok);
    dialogs_.queuePrinter(true);
    run();
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, platform::kPrintFailedMessage);
    EXPECT_FALSE(device_.busy());
}

}  // namespace
}  // namespace fenmark::reg
