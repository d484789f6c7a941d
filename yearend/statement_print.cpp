#include "yearend/statement_print.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

#include "common/text.h"
#include "output/print_support.h"
#include "register/ledger_print.h"

namespace fenmark::yearend {

namespace {

using platform::Printer;

constexpr double kPathY = 0;
constexpr double kTitleY = 330;
constexpr double kTableTop = 900;
constexpr double kHeadingPoints = 8;
constexpr double kHeadingLinePitch = 190;
constexpr double kHeadingHeight = 3 * kHeadingLinePitch + 120;
constexpr double kRowHeight = 420;
constexpr double kCellPoints = 9;
constexpr double kGuaranteePoints = 7;
constexpr double kPadding = 60;
constexpr double kNotePitch = 300;

enum class Align { Left, Center, Right };

struct ColumnLook {
    double width;
    Align align;
};

// Widths in twips, 15,820 in all: the name and the remark take the room the
// amounts and the heading lines of four characters (three with the form's
// letter in ㋠) leave.
constexpr std::array<ColumnLook, kStatementColumns> kColumns = {{
    {1900, Align::Left},   // 名称等
    {500, Align::Right},   // 数量
    {760, Align::Center},  // 取得年月
    {1250, Align::Right},  // ㋑
    {1100, Align::Right},  // ㋺
    {800, Align::Center},  // 償却方法
    {500, Align::Right},   // 耐用年数
    {760, Align::Right},   // ㋩
    {760, Align::Center},  // ㋥
    {1100, Align::Right},  // ㋭
    {900, Align::Right},   // ㋬
    {1100, Align::Right},  // ㋣
    {650, Align::Right},   // ㋠
    {1100, Align::Right},  // ㋷
    {1100, Align::Right},  // ㋦
    {1540, Align::Left},   // 摘要
}};

double tableWidth() {
    return std::accumulate(kColumns.begin(), kColumns.end(), 0.0,
                           [](double sum, const ColumnLook& c) { return sum + c.width; });
}

// The left edge of each column and the right edge of the last.
std::array<double, kStatementColumns + 1> columnEdges(const Printer& printer) {
    std::array<double, kStatementColumns + 1> edges{};
    edges[0] = std::max(0.0, (printer.pageWidth() - tableWidth()) / 2);
    for (std::size_t c = 0; c < kColumns.size(); ++c) edges[c + 1] = edges[c] + kColumns[c].width;
    return edges;
}

// `text` in `font` of `points` or smaller that fits `room`; cut at the end
// when even the smallest size is too wide. Leaves that font set.
std::string fitted(Printer& printer, std::string text, double room, const char* font,
                   double points) {
    printer.setFont(font, points);
    while (printer.textWidth(text) > room && points > kSmallestPrintPoints) {
        points = std::max(points - 0.5, kSmallestPrintPoints);
        printer.setFont(font, points);
    }
    std::size_t chars = common::charCount(text);
    while (chars > 0 && printer.textWidth(text) > room) text = common::leftChars(text, --chars);
    return text;
}

// Prints `text` in the cell from `left` to `right`, its top at `top`.
void printCell(Printer& printer, const std::string& text, double left, double right, double top,
               Align align, double points, const char* font = kStatementPrintFont) {
    if (text.empty()) return;
    const std::string shown = fitted(printer, text, right - left - 2 * kPadding, font, points);
    const double width = printer.textWidth(shown);
    double x = left + kPadding;
    if (align == Align::Right) x = right - kPadding - width;
    if (align == Align::Center) x = left + (right - left - width) / 2;
    printer.setCurrentX(x);
    printer.setCurrentY(top);
    printer.print(shown);
}

// The top of a one-line text of the cell font centred in a row.
double rowTextTop(Printer& printer, double rowTop) {
    printer.setFont(kStatementPrintFont, kCellPoints);
    return rowTop + (kRowHeight - printer.textHeight("0")) / 2;
}

void printHeadings(Printer& printer, const std::array<double, kStatementColumns + 1>& edges,
                   ReturnForm form) {
    const auto& headings = statementShortHeadings(form);
    for (std::size_t c = 0; c < headings.size(); ++c) {
        std::vector<std::string> lines;
        std::string_view rest = headings[c];
        for (std::size_t br; (br = rest.find('\n')) != std::string_view::npos;
             rest.remove_prefix(br + 1)) {
            lines.emplace_back(rest.substr(0, br));
        }
        lines.emplace_back(rest);
        const double first =
            kTableTop +
            (kHeadingHeight - kHeadingLinePitch * static_cast<double>(lines.size())) / 2;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            printCell(printer, lines[k], edges[c], edges[c + 1],
                      first + kHeadingLinePitch * static_cast<double>(k), Align::Center,
                      kHeadingPoints, kStatementHeadingFont);
        }
    }
}

void printAssetRow(Printer& printer, StatementWindowModel& window, int i, double top,
                   const std::array<double, kStatementColumns + 1>& edges) {
    const double textTop = rowTextTop(printer, top);
    const auto place = static_cast<std::size_t>(i - 1);
    const std::optional<std::int64_t>* guarantee =
        place < window.guaranteeAmounts.size() ? &window.guaranteeAmounts[place] : nullptr;
    for (int c = 0; c < kStatementColumns; ++c) {
        const auto col = static_cast<std::size_t>(c);
        std::string text = window.Fxg3.text(i, c);
        if (c == colCost && guarantee != nullptr && guarantee->has_value()) {
            // The guarantee amount stands under the cost, as on the form.
            const std::string suffix = guaranteeText(**guarantee);
            if (text.ends_with(suffix)) text.erase(text.size() - suffix.size());
            printCell(printer, text, edges[col], edges[col + 1], top + 30, Align::Right,
                      kCellPoints);
            printCell(printer, suffix, edges[col], edges[col + 1], top + 230, Align::Right,
                      kGuaranteePoints);
            continue;
        }
        printCell(printer, text, edges[col], edges[col + 1], textTop, kColumns[col].align,
                  kCellPoints);
    }
}

void printTotalsRow(Printer& printer, StatementWindowModel& window, int totals, double top,
                    const std::array<double, kStatementColumns + 1>& edges) {
    const double textTop = rowTextTop(printer, top);
    printCell(printer, kPrintedTotalsCaption, edges[0], edges[1], textTop, Align::Center,
              kCellPoints);
    for (int c = colQuantity; c < kStatementColumns; ++c) {
        const auto col = static_cast<std::size_t>(c);
        printCell(printer, window.Fxg3.text(totals, c), edges[col], edges[col + 1], textTop,
                  kColumns[col].align, kCellPoints);
    }
}

// The rules of a sheet's table down to `bottom`: the frame, the line under
// the headings and under every row, and the lines between the columns.
void printRules(Printer& printer, const std::array<double, kStatementColumns + 1>& edges, int rows,
                double bottom) {
    const double left = edges.front();
    const double right = edges.back();
    printer.line(left, kTableTop, right, kTableTop);
    for (int r = 0; r <= rows; ++r) {
        const double y = kTableTop + kHeadingHeight + kRowHeight * r;
        printer.line(left, y, right, y);
    }
    for (double x : edges) printer.line(x, kTableTop, x, bottom);
}

// The register's path and the page number at the head of every sheet; a
// path too long for the line loses its beginning.
void printPathLine(Printer& printer, const std::string& path) {
    std::string heading = reg::GetListHeader(path, static_cast<std::int16_t>(printer.page()));
    heading.erase(heading.size() - 2);
    printer.setFont(kStatementPrintFont, kCellPoints);
    std::size_t drop = 0;
    const std::size_t chars = common::charCount(heading);
    std::string shown = heading;
    while (drop < chars && printer.textWidth(shown) > printer.pageWidth()) {
        ++drop;
        shown = "…" + common::rightChars(heading, chars - drop);
    }
    printer.setCurrentX(0);
    printer.setCurrentY(kPathY);
    printer.print(shown);
}

}  // namespace

void composeStatement(Printer& printer, StatementWindowModel& window,
                      const reg::ProgramState& state) {
    const int count = state.recordCount;
    const int sheets = std::max(1, (count + kStatementRowsPerSheet - 1) / kStatementRowsPerSheet);
    const std::string formName =
        window.form() == ReturnForm::Income ? kIncomeFormName : kBlueFormName;
    const std::string title = std::string(kPrintedTitle) + "（" + formName + "）　" +
                              window.headingText() + "  " + window.Label3.caption;
    const auto edges = columnEdges(printer);

    for (int p = 0; p < sheets; ++p) {
        if (p > 0) printer.newPage();
        printPathLine(printer, state.chosenFilePath);
        printer.setFont(kStatementPrintFont, 12);
        printer.setCurrentX(std::max(0.0, (printer.pageWidth() - printer.textWidth(title)) / 2));
        printer.setCurrentY(kTitleY);
        printer.print(title);
        printHeadings(printer, edges, window.form());

        const int first = kStatementRowsPerSheet * p + 1;
        const int last = std::min(count, kStatementRowsPerSheet * (p + 1));
        const double rowsTop = kTableTop + kHeadingHeight;
        for (int i = first; i <= last; ++i) {
            printAssetRow(printer, window, i, rowsTop + kRowHeight * (i - first), edges);
        }
        int rows = last - first + 1;
        const bool lastSheet = p + 1 == sheets;
        if (lastSheet) {
            printTotalsRow(printer, window, count + 1, rowsTop + kRowHeight * rows, edges);
            ++rows;
        }
        const double bottom = rowsTop + kRowHeight * rows;
        printRules(printer, edges, rows, bottom);
        if (!lastSheet) continue;

        // The year's small assets, the warning on their cap, the book
        // values scrapped and where the ㋷ total goes, under the totals.
        double y = bottom + 150;
        for (const platform::Control* note : window.tableNotes()) {
            output::printAt(printer, kStatementPrintFont, kCellPoints, edges[0], y, note->caption);
            y += kNotePitch;
        }
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
