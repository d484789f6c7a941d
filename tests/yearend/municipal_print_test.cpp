// The municipal return's worksheets: how many sheets, the heading of each,
// the sums closing every sheet, what left in the year before, and the
// 申告書's table with the estimate on the last sheet only.

#include "yearend/municipal_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "test_support.h"
#include "yearend/municipal_window.h"

namespace fenmark::yearend {
namespace {

using platform::RecordingPrinter;
using Op = RecordingPrinter::Op;

constexpr const char* kPath = "/home/user/台帳.dat";

// `count` machines of 100,000 yen bought in 2020 (names 機械1 …), and
// `removed` more sold in 2026; the return of 1 January 2027.
struct Printed {
    reg::ProgramState state;
    MunicipalReturn r;
    RecordingPrinter printer;
};

std::unique_ptr<Printed> printedFor(int count, int removed = 0) {
    auto p = std::make_unique<Printed>();
    int record = 0;
    for (int i = 1; i <= count; ++i) {
        p->state.assetRegister.row(++record) = test::asset("機械" + std::to_string(i), "2", "2",
                                                           "4", "2", "100000", "10", "0.100", "5");
    }
    for (int i = 1; i <= removed; ++i) {
        p->state.assetRegister.row(++record) = test::asset("売却機" + std::to_string(i), "2", "1",
                                                           "6", "2", "50000", "10", "0.100", "5");
        p->state.assetRegister.at(record, reg::disposalMonth) = "2026-05";
        p->state.assetRegister.at(record, reg::disposalKind) = "売却";
    }
    p->state.recordCount = static_cast<std::int16_t>(record);
    p->r = municipalReturn(p->state.assetRegister, record, 2027);
    printMunicipal(p->printer, p->r, p->state.assetRegister, kPath);
    return p;
}

// The texts of a page in printing order.
std::vector<std::string> textsOn(const RecordingPrinter& printer, int page) {
    std::vector<std::string> out;
    for (const Op& op : printer.onPage(page)) out.push_back(op.text);
    return out;
}

bool has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The last operation printing `text` on `page` (a kind's line of the
// 申告書's table comes after the assets of that kind); fails the test when
// none does.
Op find(const RecordingPrinter& printer, int page, const std::string& text) {
    std::optional<Op> found;
    for (const Op& op : printer.onPage(page)) {
        if (op.text == text) found = op;
    }
    if (!found) ADD_FAILURE() << "no " << text << " on page " << page;
    return found.value_or(Op{});
}

// The page `text` is printed on, 0 for none.
int pageOf(const RecordingPrinter& printer, const std::string& text) {
    for (int page = 1; page <= printer.pageCount(); ++page) {
        if (has(textsOn(printer, page), text)) return page;
    }
    return 0;
}

// The texts printed on the same line as `caption` (its row), left to right.
std::vector<std::string> rowOf(const RecordingPrinter& printer, int page,
                               const std::string& caption) {
    const Op captionOp = find(printer, page, caption);
    std::vector<Op> row;
    for (const Op& op : printer.onPage(page)) {
        if (op.text != caption && std::abs(op.y - captionOp.y) < 1) row.push_back(op);
    }
    std::sort(row.begin(), row.end(), [](const Op& a, const Op& b) { return a.x < b.x; });
    std::vector<std::string> out;
    for (const Op& op : row) out.push_back(op.text);
    return out;
}

struct SheetCase {
    int assets;
    int removed;
    int sheets;
};

class MunicipalSheetsTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(MunicipalSheetsTest, TwentyAssetsASheetAndTheSummaryWhereItFits) {
    const SheetCase& c = GetParam();
    const auto p = printedFor(c.assets, c.removed);
    const RecordingPrinter& printer = p->printer;
    EXPECT_EQ(printer.orientation(), platform::Orientation::Landscape);
    EXPECT_TRUE(printer.a4());
    EXPECT_TRUE(printer.ended());
    ASSERT_EQ(printer.pageCount(), c.sheets);
    const std::string title = std::string("令和9年1月1日現在　") + kMunicipalWorksheetTitle;
    for (int page = 1; page <= c.sheets; ++page) {
        const std::vector<std::string> texts = textsOn(printer, page);
        EXPECT_TRUE(has(texts, std::string("台帳：") + kPath)) << page;
        EXPECT_TRUE(has(texts, std::to_string(page) + " / " + std::to_string(c.sheets) + " ページ"))
            << page;
        EXPECT_TRUE(has(texts, title)) << page;
        // The summary on the last sheet only, and nothing below the page.
        EXPECT_EQ(has(texts, kMunicipalSummaryTitle), page == c.sheets) << page;
        for (const Op& op : printer.onPage(page)) {
            EXPECT_LE(op.y + 250, printer.pageHeight()) << op.text;
        }
        for (const Op& op : printer.onPage(page, Op::Kind::Line)) {
            EXPECT_LE(std::max(op.y, op.y2), printer.pageHeight());
        }
    }
    // Every asset once, in order.
    std::vector<std::string> names;
    for (int page = 1; page <= c.sheets; ++page) {
        for (const std::string& text : textsOn(printer, page)) {
            if (text.starts_with("機械")) names.push_back(text);
        }
    }
    ASSERT_EQ(names.size(), static_cast<std::size_t>(c.assets));
    for (int i = 0; i < c.assets; ++i)
        EXPECT_EQ(names[static_cast<std::size_t>(i)], "機械" + std::to_string(i + 1));
}

INSTANTIATE_TEST_SUITE_P(Counts, MunicipalSheetsTest,
                         ::testing::Values(SheetCase{0, 0, 1}, SheetCase{5, 0, 1},
                                           SheetCase{20, 0, 2}, SheetCase{45, 0, 3},
                                           SheetCase{40, 0, 3}, SheetCase{43, 2, 3},
                                           SheetCase{45, 2, 4}, SheetCase{45, 40, 5}),
                         [](const ::testing::TestParamInfo<SheetCase>& param) {
                             return std::to_string(param.param.assets) + "held" +
                                    std::to_string(param.param.removed) + "removed";
                         });

TEST(MunicipalPrint, EverySheetClosesWithItsSumsAndTheLastWithAll) {
    const auto p = printedFor(45);
    const RecordingPrinter& printer = p->printer;
    ASSERT_EQ(printer.pageCount(), 3);
    // 取得価額, 評価額 and 課税標準額 of 20, 20 and 5 machines.
    const std::int64_t value = *p->r.assets[0].value;
    for (const auto& [page, n] : {std::pair{1, 20}, std::pair{2, 20}, std::pair{3, 5}}) {
        EXPECT_EQ(
            rowOf(printer, page, kMunicipalSheetSumCaption),
            (std::vector<std::string>{yenText(100000 * n), yenText(value * n), yenText(value * n)}))
            << page;
    }
    EXPECT_EQ(rowOf(printer, 3, kMunicipalAllSumCaption),
              (std::vector<std::string>{"4,500,000", yenText(p->r.totalValue),
                                        yenText(p->r.totalValue)}));
    for (int page : {1, 2}) {
        EXPECT_FALSE(has(textsOn(printer, page), kMunicipalAllSumCaption)) << page;
    }
}

TEST(MunicipalPrint, OneSheetHasOnlyTheSumOfAll) {
    const auto p = printedFor(3);
    const std::vector<std::string> texts = textsOn(p->printer, 1);
    EXPECT_FALSE(has(texts, kMunicipalSheetSumCaption));
    EXPECT_EQ(rowOf(p->printer, 1, kMunicipalAllSumCaption)[0], "300,000");
}

TEST(MunicipalPrint, TheLastSheetCarriesTheTableByKindAndTheEstimate) {
    const auto p = printedFor(43, 2);
    const RecordingPrinter& printer = p->printer;
    const int last = printer.pageCount();
    ASSERT_EQ(pageOf(printer, kMunicipalSummaryTitle), last);
    // The machines' line and the sum: (イ) (ロ) (ハ) (ニ) and the 評価額.
    EXPECT_EQ(rowOf(printer, last, kindText(2)),
              (std::vector<std::string>{"4,400,000", "100,000", "0", "4,300,000",
                                        yenText(p->r.totalValue)}));
    EXPECT_EQ(rowOf(printer, last, kindText(6)),
              (std::vector<std::string>{"0", "0", "0", "0", "0"}));
    const Op total = find(printer, last, kMunicipalTotalCaption);
    EXPECT_GT(total.y, find(printer, last, kindText(6)).y);
    const TaxLines lines = taxLines(p->r);
    double y = total.y;
    for (const std::string& line : {lines.totalValue, lines.taxBase, lines.tax, lines.exemption,
                                    std::string(kMunicipalTaxNote)}) {
        const Op op = find(printer, last, line);
        EXPECT_GT(op.y, y) << line;
        y = op.y;
    }
    EXPECT_EQ(lines.exemption, kMunicipalExemptionText);

    // What left: its own table above, with the sum that is (ロ); where the
    // sheet has no room for both, on the sheet before.
    ASSERT_EQ(pageOf(printer, kMunicipalRemovedTitle), last);
    EXPECT_EQ(pageOf(printedFor(45, 2)->printer, kMunicipalRemovedTitle), 3);
    const Op removedTitle = find(printer, last, kMunicipalRemovedTitle);
    EXPECT_LT(removedTitle.y, find(printer, last, kMunicipalSummaryTitle).y);
    EXPECT_TRUE(has(textsOn(printer, last), "売却機1"));
    EXPECT_TRUE(has(textsOn(printer, last), "減少：令和8年5月 売却"));
    EXPECT_EQ(rowOf(printer, last, kMunicipalRemovedSumCaption),
              std::vector<std::string>{"100,000"});
}

TEST(MunicipalPrint, ManyRemovedContinueOnTheNextSheet) {
    const auto p = printedFor(45, 40);
    const RecordingPrinter& printer = p->printer;
    int printedRemoved = 0;
    int continued = 0;
    for (int page = 1; page <= printer.pageCount(); ++page) {
        for (const std::string& text : textsOn(printer, page)) {
            if (text.starts_with("売却機")) ++printedRemoved;
            if (text == std::string(kMunicipalRemovedTitle) + "（続き）") ++continued;
        }
    }
    EXPECT_EQ(printedRemoved, 40);
    EXPECT_GE(continued, 1);
}

TEST(MunicipalPrint, LastYearsPurchasesAreMarkedByTheirNumber) {
    reg::ProgramState state;
    state.assetRegister.row(1) =
        test::asset("古い機械", "2", "2", "4", "2", "100000", "10", "0.100", "5");
    state.assetRegister.row(2) =
        test::asset("新しい機械", "2", "8", "4", "2", "100000", "10", "0.100", "5");
    const MunicipalReturn r = municipalReturn(state.assetRegister, 2, 2027);
    RecordingPrinter printer;
    printMunicipal(printer, r, state.assetRegister, kPath);
    const std::vector<std::string> texts = textsOn(printer, 1);
    EXPECT_TRUE(has(texts, "1"));
    EXPECT_FALSE(has(texts, std::string(kMunicipalLastYearMark) + "1"));
    EXPECT_TRUE(has(texts, std::string(kMunicipalLastYearMark) + "2"));
    // The note stands under the table, above the summary.
    const Op note = find(printer, 1, kMunicipalLastYearNote);
    EXPECT_GT(note.y, find(printer, 1, kMunicipalAllSumCaption).y);
    EXPECT_LT(note.y, find(printer, 1, kMunicipalSummaryTitle).y);
    // Without such an asset, no note.
    EXPECT_EQ(pageOf(printedFor(3)->printer, kMunicipalLastYearNote), 0);
}

TEST(MunicipalPrint, ThePathOfAnUnsavedRegisterAndAVeryLongOne) {
    EXPECT_EQ(municipalPathLine(""), "台帳：（保存されていません）");
    reg::ProgramState state;
    state.assetRegister.row(1) =
        test::asset("機械", "2", "2", "4", "2", "100000", "10", "0.100", "5");
    const MunicipalReturn r = municipalReturn(state.assetRegister, 1, 2027);
    RecordingPrinter printer;
    const std::string path = "/" + std::string(300, 'a') + "/台帳.dat";
    printMunicipal(printer, r, state.assetRegister, path);
    const Op pageNumber = find(printer, 1, "1 / 1 ページ");
    for (const Op& op : printer.onPage(1)) {
        if (op.y > 10) continue;
        if (op.text.starts_with("…")) {
            EXPECT_TRUE(op.text.ends_with("/台帳.dat"));
            RecordingPrinter measure;
            measure.setFont(op.font, op.size);
            EXPECT_LT(op.x + measure.textWidth(op.text), pageNumber.x);
        }
    }
}

TEST(MunicipalPrint, TheCommandAsksAndReportsACancelledPrinter) {
    reg::ProgramState state;
    state.assetRegister.row(1) =
        test::asset("機械", "2", "2", "4", "2", "100000", "10", "0.100", "5");
    const MunicipalReturn r = municipalReturn(state.assetRegister, 1, 2027);
    platform::ScriptedDialogs dialogs;
    platform::RecordingPrintDevice device;
    dialogs.queueAnswer(platform::Answer::Ok);
    dialogs.queuePrinter(false);
    printMunicipalCommand(r, state.assetRegister, kPath, dialogs, device);
    EXPECT_TRUE(device.documents().empty());
    ASSERT_EQ(dialogs.messages().size(), 2U);
    EXPECT_EQ(dialogs.messages()[0].text, kPrintMunicipalQuestion);
    EXPECT_EQ(dialogs.messages()[1].text, platform::kPrintFailedMessage);

    // A printer breaking down half way is told, not thrown.
    dialogs.clearRecord();
    device.failAfter(10);
    dialogs.queueAnswer(platform::Answer::Ok);
    dialogs.queuePrinter(true);
    printMunicipalCommand(r, state.assetRegister, kPath, dialogs, device);
    ASSERT_EQ(dialogs.messages().size(), 2U);
    EXPECT_EQ(dialogs.messages()[1].text, platform::kPrintFailedMessage);
    EXPECT_FALSE(device.busy());
}

}  // namespace
}  // namespace fenmark::yearend
