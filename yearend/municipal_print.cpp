#include "yearend/municipal_print.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "common/text.h"
#include "output/print_support.h"
#include "yearend/municipal_window.h"

namespace fenmark::yearend {

namespace {

using platform::Printer;

constexpr double kPathY = 0;
constexpr double kTitleY = 330;
constexpr double kTableTop = 850;
constexpr double kHeadingHeight = 560;
constexpr double kHeadingLinePitch = 200;
constexpr double kRowHeight = 380;
constexpr double kSummaryRowHeight = 340;
constexpr double kBlockGap = 300;
constexpr double kBlockTitleHeight = 350;
constexpr double kTaxLinePitch = 320;
constexpr double kNoteGap = 60;
constexpr double kNoteHeight = 300;
constexpr double kPadding = 60;
constexpr double kPathPoints = 9;
constexpr double kTitlePoints = 12;
constexpr double kBlockTitlePoints = 10;
constexpr double kHeadingPoints = 8;
constexpr double kCellPoints = 9;
constexpr double kTaxPoints = 10;
constexpr double kSmallestPoints = 6;

enum class Align { Left, Center, Right };

struct ColumnLook {
    double width;
    Align align;
    // The heading as printed; the acquisition's three columns share the
    // line 「取得年月」 above theirs.
    const char* heading;
};

// 15,950 twips across.
constexpr std::array<ColumnLook, kMunicipalColumns> kColumns = {{
    {600, Align::Right, "No."},
    {2000, Align::Left, "資産の種類"},
    {2900, Align::Left, "資産の名称等"},
    {600, Align::Right, "数量"},
    {700, Align::Center, "元号"},
    {400, Align::Right, "年"},
    {400, Align::Right, "月"},
    {1300, Align::Right, "取得価額"},
    {550, Align::Right, "耐用\n年数"},
    {750, Align::Right, "減価\n残存率"},
    {1300, Align::Right, "評価額"},
    {1300, Align::Right, "課税標準額"},
    {850, Align::Left, "増加\n事由"},
    {2300, Align::Left, "摘要"},
}};

// The 申告書's table: 11,400 twips across.
constexpr std::array<double, kKindColumns> kKindWidths = {2400, 1800, 1800, 1800, 1800, 1800};

template <std::size_t N>
std::array<double, N + 1> edgesOf(const std::array<double, N>& widths, double left) {
    std::array<double, N + 1> edges{};
    edges[0] = left;
    for (std::size_t c = 0; c < N; ++c) edges[c + 1] = edges[c] + widths[c];
    return edges;
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t br; (br = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(br + 1)) {
        lines.emplace_back(text.substr(0, br));
    }
    lines.emplace_back(text);
    return lines;
}

// Lays the sheets out twice: once without drawing, to count them, and once
// drawing with the count known for "n / m ページ".
class Composer {
  public:
    Composer(Printer& printer, const MunicipalReturn& r, const std::vector<MunicipalRow>& rows,
             std::string pathLine, int pages)
        : printer_(printer), r_(r), pathLine_(std::move(pathLine)), pages_(pages) {
        for (const MunicipalRow& row : rows) {
            (row.mark == MunicipalMark::Removed ? removed_ : held_).push_back(&row);
        }
        std::array<double, kMunicipalColumns> widths{};
        for (std::size_t c = 0; c < kColumns.size(); ++c) widths[c] = kColumns[c].width;
        const double width = std::accumulate(widths.begin(), widths.end(), 0.0);
        edges_ = edgesOf(widths, std::max(0.0, (printer_.pageWidth() - width) / 2));
    }

    // Composes every sheet; the number of sheets.
    int run() {
        printDetail();
        if (!removed_.empty()) printRemoved();
        printSummary();
        return page_;
    }

  private:
    [[nodiscard]] bool drawing() const { return pages_ > 0; }
    [[nodiscard]] bool fits(double height) const { return y_ + height <= printer_.pageHeight(); }

    void startSheet() {
        if (page_ > 0 && drawing()) printer_.newPage();
        ++page_;
        printSheetHeading();
        y_ = kTableTop;
    }

    void text(double x, double y, const std::string& shown) {
        if (!drawing() || shown.empty()) return;
        printer_.setCurrentX(x);
        printer_.setCurrentY(y);
        printer_.print(shown);
    }

    void line(double x1, double y1, double x2, double y2) {
        if (drawing()) printer_.line(x1, y1, x2, y2);
    }

    // `shown` in the font at `points` or smaller so that it fits `room`;
    // cut at the end where even the smallest size is too wide. Leaves that
    // font set.
    std::string fitted(std::string shown, double room, double points) {
        printer_.setFont(kMunicipalPrintFont, points);
        while (printer_.textWidth(shown) > room && points > kSmallestPoints) {
            points = std::max(points - 0.5, kSmallestPoints);
            printer_.setFont(kMunicipalPrintFont, points);
        }
        std::size_t chars = common::charCount(shown);
        while (chars > 0 && printer_.textWidth(shown) > room) {
            shown = common::leftChars(shown, --chars);
        }
        return shown;
    }

    // One line of text in the cell from `left` to `right`, centred in the
    // band from `top` that is `height` high.
    void cell(const std::string& content, double left, double right, double top, double height,
              Align align, double points) {
        if (content.empty()) return;
        const std::string shown = fitted(content, right - left - 2 * kPadding, points);
        const double width = printer_.textWidth(shown);
        double x = left + kPadding;
        if (align == Align::Right) x = right - kPadding - width;
        if (align == Align::Center) x = left + (right - left - width) / 2;
        text(x, top + (height - printer_.textHeight(shown)) / 2, shown);
    }

    // Lines of a heading, centred one under the other in the band.
    void headingCell(std::string_view heading, double left, double right, double top,
                     double height) {
        const std::vector<std::string> lines = linesOf(heading);
        const double first =
            top + (height - kHeadingLinePitch * static_cast<double>(lines.size())) / 2;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            cell(lines[k], left, right, first + kHeadingLinePitch * static_cast<double>(k),
                 kHeadingLinePitch, Align::Center, kHeadingPoints);
        }
    }

    void printSheetHeading() {
        printer_.setFont(kMunicipalPrintFont, kPathPoints);
        const std::string page = std::to_string(page_) + " / " + std::to_string(pages_) + " ページ";
        const double pageWidth = printer_.textWidth(page);
        // A path too long for the line loses its beginning.
        const double room = printer_.pageWidth() - pageWidth - 400;
        std::string path = pathLine_;
        const std::size_t chars = common::charCount(pathLine_);
        for (std::size_t drop = 1; drop < chars && printer_.textWidth(path) > room; ++drop) {
            path = "…" + common::rightChars(pathLine_, chars - drop);
        }
        text(0, kPathY, path);
        text(printer_.pageWidth() - pageWidth, kPathY, page);

        const std::string title = municipalDateText(r_.year) + "現在　" + kMunicipalWorksheetTitle;
        printer_.setFont(kMunicipalPrintFont, kTitlePoints);
        text(std::max(0.0, (printer_.pageWidth() - printer_.textWidth(title)) / 2), kTitleY, title);
    }

    // The column headings of the 種類別明細書 at y_, which moves under them.
    void detailHeading() {
        const double top = y_;
        for (int c = 0; c < kMunicipalColumns; ++c) {
            if (c >= mcEra && c <= mcMonth) continue;
            const auto at = static_cast<std::size_t>(c);
            headingCell(kColumns[at].heading, edges_[at], edges_[at + 1], top, kHeadingHeight);
        }
        const double middle = top + kHeadingHeight / 2;
        headingCell("取得年月", edges_[mcEra], edges_[mcMonth + 1], top, kHeadingHeight / 2);
        for (int c = mcEra; c <= mcMonth; ++c) {
            const auto at = static_cast<std::size_t>(c);
            headingCell(kColumns[at].heading, edges_[at], edges_[at + 1], middle,
                        kHeadingHeight / 2);
        }
        line(edges_[mcEra], middle, edges_[mcMonth + 1], middle);
        y_ += kHeadingHeight;
    }

    // The rules of a piece of the 種類別明細書 from `top` (its headings) to
    // y_, with `rows` rows under the headings.
    void detailRules(double top, int rows) {
        const double left = edges_.front();
        const double right = edges_.back();
        line(left, top, right, top);
        for (int k = 0; k <= rows; ++k) {
            const double y = top + kHeadingHeight + kRowHeight * k;
            line(left, y, right, y);
        }
        for (int c = 0; c <= kMunicipalColumns; ++c) {
            // The acquisition's inner lines start under its shared line.
            const bool inner = c == mcYear || c == mcMonth;
            const double x = edges_[static_cast<std::size_t>(c)];
            line(x, inner ? top + kHeadingHeight / 2 : top, x, y_);
        }
    }

    // Paper has no colours: last year's purchases carry a mark by their
    // number instead.
    void detailRow(const MunicipalRow& row) {
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            std::string shown = row.cells[c];
            if (c == mcRecord && row.mark == MunicipalMark::AcquiredLastYear) {
                shown = kMunicipalLastYearMark + shown;
            }
            cell(shown, edges_[c], edges_[c + 1], y_, kRowHeight, kColumns[c].align, kCellPoints);
        }
        y_ += kRowHeight;
    }

    struct Sums {
        std::int64_t cost = 0;
        std::int64_t value = 0;
        std::int64_t taxBase = 0;
        void add(const MunicipalRow& row) {
            cost += row.cost;
            value += row.value;
            taxBase += row.taxBase;
        }
    };

    // A sum row: the caption in the kind column, the sums under their
    // columns; `withValues` false for what left, which has no 評価額.
    void sumRow(const std::string& caption, const Sums& sums, bool withValues) {
        cell(caption, edges_[mcKind], edges_[mcKind + 1], y_, kRowHeight, Align::Left, kCellPoints);
        cell(yenText(sums.cost), edges_[mcCost], edges_[mcCost + 1], y_, kRowHeight, Align::Right,
             kCellPoints);
        if (withValues) {
            cell(yenText(sums.value), edges_[mcValue], edges_[mcValue + 1], y_, kRowHeight,
                 Align::Right, kCellPoints);
            cell(yenText(sums.taxBase), edges_[mcTaxBase], edges_[mcTaxBase + 1], y_, kRowHeight,
                 Align::Right, kCellPoints);
        }
        y_ += kRowHeight;
    }

    void printDetail() {
        const int count = static_cast<int>(held_.size());
        const int sheets =
            std::max(1, (count + kMunicipalRowsPerSheet - 1) / kMunicipalRowsPerSheet);
        Sums all;
        for (int s = 0; s < sheets; ++s) {
            startSheet();
            const double top = y_;
            detailHeading();
            const int first = s * kMunicipalRowsPerSheet;
            const int last = std::min(count, first + kMunicipalRowsPerSheet);
            Sums sheet;
            bool marked = false;
            for (int i = first; i < last; ++i) {
                const MunicipalRow& row = *held_[static_cast<std::size_t>(i)];
                detailRow(row);
                sheet.add(row);
                all.add(row);
                marked = marked || row.mark == MunicipalMark::AcquiredLastYear;
            }
            int rows = last - first;
            if (count == 0) {
                cell(kMunicipalNoAssetsLine, edges_[mcKind], edges_[mcNote], y_, kRowHeight,
                     Align::Left, kCellPoints);
                y_ += kRowHeight;
                ++rows;
            } else {
                // One sheet's sums are all the sums.
                if (sheets > 1) {
                    sumRow(kMunicipalSheetSumCaption, sheet, true);
                    ++rows;
                }
                if (s + 1 == sheets) {
                    sumRow(kMunicipalAllSumCaption, all, true);
                    ++rows;
                }
            }
            detailRules(top, rows);
            if (marked) {
                printer_.setFont(kMunicipalPrintFont, kCellPoints);
                text(edges_.front(), y_ + kNoteGap, kMunicipalLastYearNote);
                y_ += kNoteHeight;
            }
        }
    }

    // A block `height` high (its title included) under what stands on the
    // sheet, or at the top of a new sheet where it does not fit.
    void openBlock(double height) {
        if (fits(kBlockGap + height)) {
            y_ += kBlockGap;
        } else {
            startSheet();
        }
    }

    void blockTitle(const std::string& title) {
        printer_.setFont(kMunicipalPrintFont, kBlockTitlePoints);
        text(edges_.front(), y_ + (kBlockTitleHeight - printer_.textHeight(title)) / 2, title);
        y_ += kBlockTitleHeight;
    }

    // The assets that left in the year before, in the detail's columns,
    // continued on a new sheet where the sheet is full.
    void printRemoved() {
        const double opening = kBlockTitleHeight + kHeadingHeight + kRowHeight;
        openBlock(opening);
        blockTitle(kMunicipalRemovedTitle);
        double top = y_;
        detailHeading();
        int rows = 0;
        Sums sums;
        for (std::size_t i = 0; i < removed_.size(); ++i) {
            const bool last = i + 1 == removed_.size();
            if (!fits(kRowHeight * (last ? 2 : 1))) {
                detailRules(top, rows);
                startSheet();
                blockTitle(std::string(kMunicipalRemovedTitle) + "（続き）");
                top = y_;
                detailHeading();
                rows = 0;
            }
            detailRow(*removed_[i]);
            sums.add(*removed_[i]);
            ++rows;
        }
        sumRow(kMunicipalRemovedSumCaption, sums, false);
        detailRules(top, rows + 1);
    }

    [[nodiscard]] double summaryHeight() const {
        const int lines = r_.belowExemption ? 5 : 4;
        return kBlockTitleHeight + kHeadingHeight + kSummaryRowHeight * (kMunicipalKinds + 1) +
               kBlockGap / 2 + kTaxLinePitch * lines;
    }

    void printSummary() {
        openBlock(summaryHeight());
        blockTitle(kMunicipalSummaryTitle);
        const auto edges = edgesOf(kKindWidths, edges_.front());
        const double top = y_;
        for (int c = 0; c < kKindColumns; ++c) {
            const auto at = static_cast<std::size_t>(c);
            headingCell(kindHeading(c), edges[at], edges[at + 1], top, kHeadingHeight);
        }
        y_ += kHeadingHeight;
        const auto sumsRow = [&](const std::string& caption, const KindSums& sums,
                                 std::int64_t value) {
            const std::array<std::int64_t, 5> amounts = {sums.i, sums.ro, sums.ha, sums.ni, value};
            cell(caption, edges[0], edges[1], y_, kSummaryRowHeight, Align::Left, kCellPoints);
            for (std::size_t c = 0; c < amounts.size(); ++c) {
                cell(yenText(amounts[c]), edges[c + 1], edges[c + 2], y_, kSummaryRowHeight,
                     Align::Right, kCellPoints);
            }
            y_ += kSummaryRowHeight;
        };
        for (int k = 1; k <= kMunicipalKinds; ++k) {
            const auto at = static_cast<std::size_t>(k - 1);
            sumsRow(kindText(k), r_.byKind[at], r_.valueByKind[at]);
        }
        sumsRow(kMunicipalTotalCaption, r_.total, r_.totalValue);
        line(edges.front(), top, edges.back(), top);
        for (int k = 0; k <= kMunicipalKinds + 1; ++k) {
            const double y = top + kHeadingHeight + kSummaryRowHeight * k;
            // The sum row stands apart by a double rule.
            line(edges.front(), y, edges.back(), y);
            if (k == kMunicipalKinds) line(edges.front(), y - 30, edges.back(), y - 30);
        }
        for (double x : edges) line(x, top, x, y_);

        y_ += kBlockGap / 2;
        const TaxLines lines = taxLines(r_);
        printer_.setFont(kMunicipalPrintFont, kTaxPoints);
        for (const std::string* shown :
             {&lines.totalValue, &lines.taxBase, &lines.tax, &lines.exemption}) {
            if (shown->empty()) continue;
            text(edges.front(), y_, *shown);
            y_ += kTaxLinePitch;
        }
        text(edges.front(), y_, kMunicipalTaxNote);
        y_ += kTaxLinePitch;
    }

    Printer& printer_;
    const MunicipalReturn& r_;
    std::string pathLine_;
    int pages_;
    int page_ = 0;
    double y_ = 0;
    std::array<double, kMunicipalColumns + 1> edges_{};
    std::vector<const MunicipalRow*> held_;
    std::vector<const MunicipalRow*> removed_;
};

}  // namespace

std::string municipalPathLine(const std::string& path) {
    return "台帳：" + (path.empty() ? std::string("（保存されていません）") : path);
}

void composeMunicipal(Printer& printer, const MunicipalReturn& r, const reg::AssetRegister& assets,
                      const std::string& path) {
    const std::vector<MunicipalRow> rows = municipalRows(r, assets);
    const int pages = Composer(printer, r, rows, municipalPathLine(path), 0).run();
    Composer(printer, r, rows, municipalPathLine(path), pages).run();
}

void printMunicipal(Printer& printer, const MunicipalReturn& r, const reg::AssetRegister& assets,
                    const std::string& path) {
    printer.setOrientation(platform::Orientation::Landscape);
    printer.setPaperA4();
    composeMunicipal(printer, r, assets, path);
    printer.endDoc();
}

void printMunicipalCommand(const MunicipalReturn& r, const reg::AssetRegister& assets,
                           const std::string& path, platform::Dialogs& dialogs,
                           platform::PrintDevice& device) {
    output::runPrintCommand(dialogs, device,
                            {kPrintMunicipalQuestion, kMunicipalTitle, platform::Buttons::OkCancel,
                             platform::Icon::Question},
                            [&](Printer& printer) { printMunicipal(printer, r, assets, path); });
}

}  // namespace fenmark::yearend
