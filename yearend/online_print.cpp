#include "yearend/online_print.h"

#include <algorithm>
#include <array>

#include "common/text.h"
#include "output/print_support.h"

namespace fenmark::yearend {

namespace {

using platform::Printer;

constexpr double kHeadingY = 0;
constexpr double kHeadingRule = 330;
constexpr double kNotePoints = 9;
constexpr double kNotePitch = 260;
constexpr double kNotesGap = 160;
constexpr double kTitleHeight = 360;
constexpr double kFieldRowHeight = 350;
constexpr double kProblemPitch = 240;
constexpr double kProblemPadding = 70;
constexpr double kPadding = 70;

// The fields down the left half; the rest go down the right.
constexpr int kLeftFields = 9;
constexpr int kFieldRows = kLeftFields;
// The left half holds the long texts (kind, detail, name), the right the
// amounts and the short remark. Labels take a fixed width in each.
constexpr double kRightHalfWidth = 4100;
constexpr double kLeftLabelWidth = 1750;
constexpr double kRightLabelWidth = 2000;

double fieldsHeight() { return kFieldRows * kFieldRowHeight; }

// `text` broken into lines no wider than `width` in the printer's font.
std::vector<std::string> wrapped(const Printer& printer, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    const std::size_t chars = common::charCount(text);
    for (std::size_t i = 1; i <= chars; ++i) {
        const std::string next = line + common::midChars(text, i, 1);
        if (!line.empty() && printer.textWidth(next) > width) {
            lines.push_back(line);
            line = common::midChars(text, i, 1);
        } else {
            line = next;
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

// `text` in `points` or smaller down to the smallest size, so that it fits
// `room`; cut with "…" when even that is too wide. Leaves that font set.
std::string fitted(Printer& printer, const std::string& text, double room, double points) {
    printer.setFont(kOnlinePrintFont, points);
    while (printer.textWidth(text) > room && points > kOnlineSmallestPoints) {
        points = std::max(points - 0.5, kOnlineSmallestPoints);
        printer.setFont(kOnlinePrintFont, points);
    }
    if (printer.textWidth(text) <= room) return text;
    std::size_t chars = common::charCount(text);
    std::string cut = text;
    while (chars > 0 && printer.textWidth(cut + "…") > room) cut = common::leftChars(text, --chars);
    return cut + "…";
}

// Prints `text` from `left`, vertically centred in the band from `top`
// `height` high.
void printCentred(Printer& printer, const std::string& text, double left, double top,
                  double height) {
    printer.setCurrentX(left);
    printer.setCurrentY(top + (height - printer.textHeight(text)) / 2);
    printer.print(text);
}

std::string blockTitle(const OnlineEntry& entry) {
    std::string title = "No." + std::to_string(entry.record);
    if (!entry.name.empty()) title += " " + entry.name;
    return title;
}

std::vector<std::string> problemLines(Printer& printer, const OnlineEntry& entry) {
    printer.setFont(kOnlinePrintFont, kOnlineLabelPoints);
    std::vector<std::string> lines;
    for (const FieldProblem& problem : entry.problems) {
        const std::string text = std::string(kOnlineProblemMark) +
                                 std::string(onlineFieldLabel(problem.field)) + "：" +
                                 problem.message;
        for (std::string& line : wrapped(printer, text, printer.pageWidth() - 2 * kPadding)) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

double blockHeight(std::size_t problemLineCount) {
    double height = kTitleHeight + fieldsHeight();
    if (problemLineCount > 0) {
        height += 2 * kProblemPadding + kProblemPitch * static_cast<double>(problemLineCount);
    }
    return height;
}

// One field: its label (marked when it has a problem) and its value as
// typed, in the cell whose label starts at `left`.
void printField(Printer& printer, const OnlineEntry& entry, OnlineField field, double left,
                double labelWidth, double right, double top) {
    std::string label(onlineFieldLabel(field));
    if (entry.problemOf(field) != nullptr) label = kOnlineProblemMark + label;
    const std::string shownLabel =
        fitted(printer, label, labelWidth - 2 * kPadding, kOnlineLabelPoints);
    printCentred(printer, shownLabel, left + kPadding, top, kFieldRowHeight);

    const std::string value = onlineTypedText(entry, field);
    const double valueLeft = left + labelWidth + kPadding;
    const double room = right - valueLeft - kPadding;
    if (value.empty()) {
        printer.setFont(kOnlinePrintFont, kOnlineLabelPoints);
        printCentred(printer, kOnlineBlankValue, valueLeft, top, kFieldRowHeight);
        return;
    }
    printCentred(printer, fitted(printer, value, room, kOnlineValuePoints), valueLeft, top,
                 kFieldRowHeight);
}

void printBlock(Printer& printer, const OnlineEntry& entry, const OnlineLayout::Block& block) {
    const double left = 0;
    const double right = printer.pageWidth();
    const double middle = right - kRightHalfWidth;
    const double top = block.top;
    const double bottom = top + block.height;

    printer.setFont(kOnlinePrintFont, kOnlineTitlePoints);
    printCentred(printer,
                 fitted(printer, blockTitle(entry), right - 2 * kPadding, kOnlineTitlePoints),
                 left + kPadding, top, kTitleHeight);

    const double fieldsTop = top + kTitleHeight;
    for (int f = 0; f < kOnlineFields; ++f) {
        const bool leftHalf = f < kLeftFields;
        const int row = leftHalf ? f : f - kLeftFields;
        const double cellLeft = leftHalf ? left : middle;
        printField(printer, entry, static_cast<OnlineField>(f), cellLeft,
                   leftHalf ? kLeftLabelWidth : kRightLabelWidth, leftHalf ? middle : right,
                   fieldsTop + kFieldRowHeight * row);
    }
    const double fieldsBottom = fieldsTop + fieldsHeight();

    if (!block.problemLines.empty()) {
        printer.setFont(kOnlinePrintFont, kOnlineLabelPoints);
        double y = fieldsBottom + kProblemPadding;
        for (const std::string& line : block.problemLines) {
            printCentred(printer, line, left + kPadding, y, kProblemPitch);
            y += kProblemPitch;
        }
    }

    // The frame, the rule under the title and under every field row, the
    // halves and the labels apart from the values.
    printer.line(left, top, right, top);
    printer.line(left, bottom, right, bottom);
    printer.line(left, top, left, bottom);
    printer.line(right, top, right, bottom);
    for (int row = 0; row < kFieldRows; ++row) {
        const double y = fieldsTop + kFieldRowHeight * row;
        printer.line(left, y, right, y);
    }
    if (!block.problemLines.empty()) printer.line(left, fieldsBottom, right, fieldsBottom);
    for (const double x : {left + kLeftLabelWidth, middle, middle + kRightLabelWidth}) {
        printer.line(x, fieldsTop, x, fieldsBottom);
    }
}

void printPageHeading(Printer& printer, const std::string& yearHeading, int pages) {
    output::printAt(printer, kOnlinePrintFont, kOnlineTitlePoints, 0, kHeadingY,
                    yearHeading + "　" + kOnlineViewTitle);
    printer.setFont(kOnlinePrintFont, kNotePoints);
    const std::string number =
        std::to_string(printer.page()) + " / " + std::to_string(pages) + " ページ";
    printer.setCurrentX(printer.pageWidth() - printer.textWidth(number));
    printer.setCurrentY(kHeadingY);
    printer.print(number);
    printer.line(0, kHeadingRule, printer.pageWidth(), kHeadingRule);
}

}  // namespace

OnlineLayout layoutOnline(Printer& printer, const OnlineEntries& entries,
                          const std::vector<std::string>& notes) {
    OnlineLayout layout;
    const double bottom = printer.pageHeight();
    int page = 1;
    double y = kOnlineContentTop;
    printer.setFont(kOnlinePrintFont, kNotePoints);
    for (const std::string& note : notes) {
        for (std::string& line : wrapped(printer, note, printer.pageWidth())) {
            if (y + kNotePitch > bottom) {
                ++page;
                y = kOnlineContentTop;
            }
            layout.notes.push_back({std::move(line), page, y});
            y += kNotePitch;
        }
    }
    if (!layout.notes.empty()) y += kNotesGap;
    for (std::size_t i = 0; i < entries.assets.size(); ++i) {
        OnlineLayout::Block block;
        block.asset = i;
        block.problemLines = problemLines(printer, entries.assets[i]);
        block.height = blockHeight(block.problemLines.size());
        // A block that does not fit whole starts the next page; one taller
        // than a page is printed as it comes.
        if (y + block.height > bottom && y > kOnlineContentTop) {
            ++page;
            y = kOnlineContentTop;
        }
        block.page = page;
        block.top = y;
        y += block.height + kOnlineBlockGap;
        layout.blocks.push_back(std::move(block));
    }
    layout.pages = page;
    return layout;
}

void composeOnline(Printer& printer, const OnlineEntries& entries, const std::string& yearHeading,
                   const std::string& destination) {
    std::vector<std::string> notes = entries.warnings;
    if (entries.assets.empty()) notes.insert(notes.begin(), kOnlineNoAssets);
    if (!destination.empty()) notes.push_back(destination);
    notes.push_back(kOnlinePrintNote);
    const OnlineLayout layout = layoutOnline(printer, entries, notes);

    for (int page = 1; page <= layout.pages; ++page) {
        if (page > 1) printer.newPage();
        printPageHeading(printer, yearHeading, layout.pages);
        for (const OnlineLayout::Note& note : layout.notes) {
            if (note.page != page) continue;
            output::printAt(printer, kOnlinePrintFont, kNotePoints, 0, note.top, note.text);
        }
        for (const OnlineLayout::Block& block : layout.blocks) {
            if (block.page == page) printBlock(printer, entries.assets[block.asset], block);
        }
    }
}

void printOnline(Printer& printer, const StatementWindowModel& window) {
    printer.setOrientation(platform::Orientation::Portrait);
    printer.setPaperA4();
    composeOnline(printer, window.onlineList(), window.headingText(),
                  window.lblDestination.caption);
    printer.endDoc();
}

void printOnlineCommand(StatementWindowModel& window, platform::Dialogs& dialogs,
                        platform::PrintDevice& device) {
    if (!window.cmdPrint.enabled) return;
    output::runPrintCommand(dialogs, device, {kPrintOnlineQuestion},
                            [&window](Printer& printer) { printOnline(printer, window); });
}

}  // namespace fenmark::yearend
