#include "output/schedule_print.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "common/convert.h"
#include "common/number.h"
#include "law/era.h"
#include "output/print_support.h"
#include "platform/grid.h"
#include "schedule/frame.h"

namespace fenmark::output {

namespace {

using platform::Printer;
using schedule::ScheduleWindowModel;

constexpr double kTitleX = 1000;
constexpr double kTitleY = 800;
constexpr double kTitleRuleY = 1200;
constexpr double kTitleRuleEnd = 5800;
constexpr double kTableLeft = 980;
constexpr double kTableRight = 10600;
constexpr double kUpperRuleY = 2800;
constexpr double kHeadingY = 3000;
constexpr double kLowerRuleY = 3300;
constexpr double kRowPitch = 450;
constexpr double kFooterX = 8500;
constexpr double kFooterY = 15000;
// The lines under the header block of an asset with a carried opening or a
// business start: one table row's height each, the table on the first
// sheet moved down by as many rows.
constexpr double kOpeningX = 900;
constexpr double kOpeningY = 2400;
// A text moved clear of its neighbour keeps a half-width character (at
// 10 pt) between them.
constexpr double kGap = 100;

struct Placed {
    double x;
    std::string text;
};

struct Heading {
    double x;
    const char* text;
};

constexpr std::array<Heading, 8> kColumnHeadings = {{
    {1000, "経過年数"},
    {2200, "期末現在"},
    {3700, "（西暦）"},
    {4650, "月数"},
    {5500, "当期償却額"},
    {6950, "経費算入額"},
    {8350, "期末帳簿価額"},
    {9850, "　摘　要　"},
}};

const std::string& cell(const reg::Row& row, reg::Column column) {
    return row[static_cast<std::size_t>(column - 1)];
}

void printText(Printer& printer, double x, double y, const std::string& text) {
    printAt(printer, kSchedulePrintFont, 10, x, y, text);
}

// Where the texts of one header line start: each at its own place, or just
// clear of the text before it when it would run into that one. `after` is
// where something already on the line ends.
std::vector<double> placesOnLine(const Printer& printer, double after,
                                 const std::vector<Placed>& texts) {
    std::vector<double> places;
    for (const Placed& t : texts) {
        const double x = t.x < after ? after + kGap : t.x;
        places.push_back(x);
        after = x + printer.textWidth(t.text);
    }
    return places;
}

void printLine(Printer& printer, double y, const std::vector<Placed>& texts,
               const std::vector<double>& places) {
    for (std::size_t k = 0; k < texts.size(); ++k) printText(printer, places[k], y, texts[k].text);
}

void printLine(Printer& printer, double y, const std::vector<Placed>& texts) {
    printer.setFont(kSchedulePrintFont, 10);
    printLine(printer, y, texts, placesOnLine(printer, 0, texts));
}

void printHeader(Printer& printer, ScheduleWindowModel& window, const reg::Row& row,
                 const std::string& type) {
    const std::string title =
        "資産名：<" + cell(row, reg::assetName) + ">　" + cell(row, reg::assetCode);
    printer.setFont(kScheduleTitleFont, 12);
    const double titleEnd = kTitleX + printer.textWidth(title);
    const double titleHeight = printer.textHeight(title);

    // The type, the closing month and the computation method share the
    // title's line. A long title pushes them right; one so long that they
    // would run off the page goes up a line instead, clear of them.
    // The computation method has no place of its own on the sheet: it takes
    // the free one after the closing month.
    const std::vector<Placed> beside = {
        {4500, type}, {6000, window.lblkeki.caption}, {8500, window.Label3.caption}};
    printer.setFont(kSchedulePrintFont, 10);
    std::vector<double> places = placesOnLine(printer, titleEnd, beside);
    double titleY = kTitleY;
    if (places.back() + printer.textWidth(beside.back().text) > printer.pageWidth()) {
        places = placesOnLine(printer, 0, beside);
        titleY = 900 - titleHeight;
    }

    printAt(printer, kScheduleTitleFont, 12, kTitleX, titleY, title);
    printer.line(kTitleX, kTitleRuleY, std::max(kTitleRuleEnd, titleEnd), kTitleRuleY);
    printLine(printer, 900, beside, places);

    printLine(printer, 1400,
              {{900, window.lblSuu.caption},
               {3500, "取得価額：　" + window.lblPrice.caption},
               {6000, "基礎価額：  " + window.lblBase.caption},
               {8500, "専用割合：　" + cell(row, reg::businessRatio) + "％"}});
    printLine(printer, 1900,
              {{900, acquisitionDateText(row)},
               {3500, window.lblSHou.caption},
               {6000, window.lblZanson.caption},
               {8500, window.lblGendo.caption}});
    std::vector<Placed> rates = {{900, "耐用年数：" + cell(row, reg::usefulLife) + "年"},
                                 {3500, "償却率：  " + cell(row, reg::depreciationRate)}};
    if (!cell(row, reg::newRuleRates).empty() && cell(row, reg::methodCode) == "4") {
        rates.push_back({6000, window.lblHogaku.caption});
        rates.push_back({8500, window.lblR2.caption});
    }
    printLine(printer, 2400, rates);
}

// The window's lines under the header that show a text, as printed: one
// too wide for the sheet breaks after the last "、" that still fits, and
// goes on indented on the next line.
std::vector<std::string> openingPrintLines(Printer& printer, ScheduleWindowModel& window) {
    static constexpr std::string_view kBreak = "、";
    printer.setFont(kSchedulePrintFont, 10);
    const double room = printer.pageWidth() - kOpeningX;
    std::vector<std::string> lines;
    for (const platform::Control* label : window.openingLabels()) {
        if (!label->visible || label->caption.empty()) continue;
        std::string text = label->caption;
        while (printer.textWidth(text) > room) {
            std::size_t cut = std::string::npos;
            for (std::size_t at = text.find(kBreak); at != std::string::npos;
                 at = text.find(kBreak, at + 1)) {
                if (printer.textWidth(text.substr(0, at + kBreak.size())) > room) break;
                cut = at + kBreak.size();
            }
            if (cut == std::string::npos || cut == text.size()) break;
            lines.push_back(text.substr(0, cut));
            text = "　" + text.substr(cut);
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

void printTableRow(Printer& printer, const schedule::Schedule& computed, int u, double y) {
    using namespace schedule;
    const Year& year = computed.year(u);
    const std::string years = numberText(u);
    printText(printer, rightAligned(1350, years), y, years);
    printText(printer, 1900, y, yearLabel(computed, u));
    printText(printer, 3800, y, numberText(year.settleYear));
    printText(printer, 4600, y, monthsText(year));
    const std::string amount = moneyText(year.amount);
    printText(printer, rightAlignedCorrected(6400, amount), y, amount);
    const std::string expense = moneyText(year.expense);
    printText(printer, rightAlignedCorrected(7850, expense), y, expense);
    const std::string book = moneyText(year.bookValue);
    printText(printer, rightAlignedCorrected(9450, book), y, book);
    printText(printer, 9850, y, remarkText(year.remark));
}

void printFooter(Printer& printer, const reg::Row& row) {
    const std::string footer =
        "<" + cell(row, reg::assetName) + ">" + " Page :" + std::to_string(printer.page());
    printer.setFont(kSchedulePrintFont, 10);
    const double x =
        std::max(0.0, std::min(kFooterX, printer.pageWidth() - printer.textWidth(footer)));
    printText(printer, x, kFooterY, footer + "\r\n");
}

}  // namespace

std::string typeText(const reg::Row& row) {
    const double type = common::roundHalfEven(common::leadingNumber(cell(row, reg::typeCode)));
    if (type < 0 || type >= static_cast<double>(reg::kTypeNames.size())) {
        throw NoTypeNameError(cell(row, reg::typeCode));
    }
    return std::string("種別： ") + reg::kTypeNames[static_cast<std::size_t>(type)];
}

std::string acquisitionDateText(const reg::Row& row) {
    const auto shown = law::shownEraDate(cell(row, reg::eraCode), cell(row, reg::eraYear),
                                         cell(row, reg::acquisitionMonth));
    if (!shown) return {};
    return "取得日： " + shown->letter + ". " + shown->year + "年" +
           cell(row, reg::acquisitionMonth) + "月" + cell(row, reg::acquisitionDay) + "日";
}

void PriSet(Printer& printer, ScheduleWindowModel& window, const reg::ProgramState& state) {
    const reg::Row& row = state.assetRegister.row(state.currentRecord);
    // Before the first stroke, so that no half-printed sheet comes out.
    const std::string type = typeText(row);

    const schedule::Schedule& computed = window.schedule();
    const int years = static_cast<int>(computed.years.size());

    printHeader(printer, window, row, type);
    const std::vector<std::string> opening = openingPrintLines(printer, window);
    // The lines take the places of the first sheet's first rows.
    const int lead = static_cast<int>(opening.size());
    for (int k = 1; k <= lead; ++k) {
        printText(printer, kOpeningX, kOpeningY + kRowPitch * k,
                  opening[static_cast<std::size_t>(k - 1)]);
    }
    const int lastSheet = (years + lead) / kScheduleRowsPerSheet;
    for (int h = 0;; ++h) {
        const double shift = h == 0 ? kRowPitch * lead : 0;
        printer.line(kTableLeft, kUpperRuleY + shift, kTableRight, kUpperRuleY + shift);
        for (const Heading& heading : kColumnHeadings) {
            printText(printer, heading.x, kHeadingY + shift, heading.text);
        }
        printer.line(kTableLeft, kLowerRuleY + shift, kTableRight, kLowerRuleY + shift);
        for (int l = 1; l <= kScheduleRowsPerSheet; ++l) {
            const int u = kScheduleRowsPerSheet * h + l - lead;
            if (u < 1) continue;
            if (u > years) break;
            printTableRow(printer, computed, u, kHeadingY + kRowPitch * l);
        }
        printFooter(printer, row);
        if (h >= lastSheet) break;
        printer.newPage();
    }
}

void printSchedule(Printer& printer, ScheduleWindowModel& window, const reg::ProgramState& state) {
    printer.setOrientation(platform::Orientation::Portrait);
    printer.setPaperA4();
    PriSet(printer, window, state);
    printer.endDoc();
}

void printScheduleCommand(ScheduleWindowModel& window, const reg::ProgramState& state,
                          platform::Dialogs& dialogs, platform::PrintDevice& device) {
    runPrintCommand(dialogs, device,
                    {kPrintScheduleQuestion, platform::kProgramTitle, platform::Buttons::OkCancel},
                    [&window, &state](Printer& printer) { printSchedule(printer, window, state); });
}

}  // namespace fenmark::output
