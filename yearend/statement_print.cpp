#include "yearend/statement_print.h"

#include <algorithm>
#include <array>

#include "common/convert.h"
#include "common/era.h"
#include "common/mask.h"
#include "common/number.h"
#include "output/print_support.h"

namespace fenmark::yearend {

namespace {

using output::rightAligned;
using output::rightAlignedCorrected;
using platform::Printer;

constexpr double kTitleX = 1000;
constexpr double kTitleY = 700;
constexpr double kHeadingY = 1100;
// Line n of a sheet (the first asset's is 1) is at kLineY + n * kRowPitch;
// the rule above the totals runs 100 higher.
constexpr double kLineY = 1200;
constexpr double kRowPitch = 400;
constexpr double kRuleLeft = 680;
constexpr double kRuleRight = 15500;

struct Heading {
    double x;
    const char* text;
};

constexpr std::array<Heading, 14> kColumnHeadings = {{
    {700, "資産の名称"},
    {2050, "数量"},
    {2650, "取得年月"},
    {3800, "取得価額"},
    {5000, "基礎価額"},
    {6300, "償却方法"},
    {7400, "耐用年数"},
    {8400, "償却率"},
    {9250, "期間"},
    {9900, "当期償却費"},
    {11300, "事業割合"},
    {12400, "経費算入額"},
    {13700, "期末簿価"},
    {14800, "適　　用"},
}};

const std::string& cell(const reg::Row& row, reg::Column column) {
    return row[static_cast<std::size_t>(column - 1)];
}

void printText(Printer& printer, double points, double x, double y, const std::string& text) {
    output::printAt(printer, kStatementPrintFont, points, x, y, text);
}

void printRight(Printer& printer, double rightEdge, double y, const std::string& text) {
    printText(printer, 10, rightAligned(rightEdge, text), y, text);
}

void printRightCorrected(Printer& printer, double rightEdge, double y, const std::string& text) {
    printText(printer, 10, rightAlignedCorrected(rightEdge, text), y, text);
}

// The table reserves a method name for every asset the register can hold;
// should it ever hold fewer, the table's own method column says the same.
std::string methodName(StatementWindowModel& window, int i) {
    const auto place = static_cast<std::size_t>(i - 1);
    if (place < window.statementMethodNames.size()) return window.statementMethodNames[place];
    return window.GetPriData(i, colMethod);
}

void printAsset(Printer& printer, StatementWindowModel& window, const reg::Row& row, int i,
                double y) {
    printText(printer, 9, 700, y, cell(row, reg::assetName));
    printRight(printer, 2400, y, cell(row, reg::quantity));
    printText(printer, 10, 2650, y, printedDateText(row));
    printRightCorrected(printer, 4600, y,
                        common::formatText(cell(row, reg::acquisitionCost), common::kMaskAmount));
    printRightCorrected(printer, 5800, y, window.GetPriData(i, colBase));
    printText(printer, 10, 6300, y, methodName(window, i));
    // The register's own life and rate: the table switches to the revised
    // ones from Heisei 10 on, the printout does not.
    const std::string& revised = cell(row, reg::revisedLife);
    printRight(printer, 7900, y, (revised.empty() ? cell(row, reg::usefulLife) : revised) + "年");
    printText(printer, 10, 8500, y, cell(row, reg::depreciationRate));
    printText(printer, 10, 9300, y, window.GetPriData(i, colPeriod));
    printRightCorrected(printer, 10800, y, window.GetPriData(i, colDepreciation));
    printRight(printer, 11900, y, cell(row, reg::businessRatio));
    printRightCorrected(printer, 13300, y, window.GetPriData(i, colExpense));
    printRightCorrected(printer, 14450, y, window.GetPriData(i, colBookValue));
    printText(printer, 10, 14800, y, window.GetPriData(i, colRemark));
}

void printTotals(Printer& printer, StatementWindowModel& window, int count, int line) {
    const double y = kLineY + kRowPitch * line;
    const double ruleY = y - 100;
    printer.line(kRuleLeft, ruleY, kRuleRight, ruleY);
    const int totals = count + 1;
    printText(printer, 10, 700, y, kPrintedTotalsCaption);
    printRightCorrected(printer, 4550, y, window.GetPriData(totals, colCost));
    printRightCorrected(printer, 5900, y, window.GetPriData(totals, colBase));
    printRightCorrected(printer, 10800, y, window.GetPriData(totals, colDepreciation));
    printRightCorrected(printer, 13250, y, window.GetPriData(totals, colExpense));
    printRightCorrected(printer, 14450, y, window.GetPriData(totals, colBookValue));
}

}  // namespace

std::string printedDateText(const reg::Row& row) {
    const double era = common::roundHalfEven(common::leadingNumber(cell(row, reg::eraCode)));
    const auto shown =
        common::shownEraDate(era, cell(row, reg::eraYear), cell(row, reg::acquisitionMonth));
    if (!shown) return {};
    return shown->letter + ". " + shown->year + "/" + cell(row, reg::acquisitionMonth);
}

void composeStatement(Printer& printer, StatementWindowModel& window,
                      const reg::ProgramState& state) {
    const output::KeepCurrentCell keep(window.Fxg3);
    const int count = state.recordCount;
    const int lastSheet = count / kStatementRowsPerSheet;
    const std::string title =
        window.Label1.caption + " " + window.lblGY.caption + "年分  " + window.Label3.caption;

    for (int p = 0;; ++p) {
        printText(printer, 10, kTitleX, kTitleY, title);
        for (const Heading& h : kColumnHeadings) printText(printer, 10, h.x, kHeadingY, h.text);
        const int first = kStatementRowsPerSheet * p + 1;
        const int last = std::min(count, kStatementRowsPerSheet * (p + 1));
        for (int i = first; i <= last; ++i) {
            printAsset(printer, window, state.assetRegister.row(i), i,
                       kLineY + kRowPitch * (i - kStatementRowsPerSheet * p));
        }
        if (p >= lastSheet) break;
        printer.newPage();
    }
    const int totalsLine = count + 1 - kStatementRowsPerSheet * lastSheet;
    printTotals(printer, window, count, totalsLine);
    // The year's small assets, and the warning on their cap, under the totals.
    if (window.lblSmall.visible) {
        printText(printer, 10, 700, kLineY + kRowPitch * (totalsLine + 1), window.lblSmall.caption);
    }
    int below = totalsLine + 1;
    if (window.lblSmall.visible) ++below;
    if (window.lblSmallOver.visible) {
        printText(printer, 10, 700, kLineY + kRowPitch * below++, window.lblSmallOver.caption);
    }
    if (window.lblScrapped.visible) {
        printText(printer, 10, 700, kLineY + kRowPitch * below, window.lblScrapped.caption);
    }
}

void printStatement(Printer& printer, StatementWindowModel& window,
                    const reg::ProgramState& state) {
    printer.setOrientation(platform::Orientation::Landscape);
    printer.setPaperA4();
    composeStatement(printer, window, state);
    printer.endDoc();
}

void printStatementCommand(StatementWindowModel& window, const reg::ProgramState& state,
                           platform::Dialogs& dialogs, platform::PrintDevice& device) {
    if (!window.cmdPrint.enabled) return;
    output::runPrintCommand(
        dialogs, device, {kPrintStatementQuestion},
        [&window, &state](Printer& printer) { printStatement(printer, window, state); });
}

}  // namespace fenmark::yearend
