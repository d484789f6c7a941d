#include "register/ledger_print.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "common/convert.h"
#include "common/text.h"
#include "register/ledger_list.h"

namespace fenmark::reg {

namespace {

using platform::Printer;

constexpr double kHeadingX = 800;
constexpr double kHeadingY = 300;
constexpr double kColumnHeadingY = 1800;
constexpr double kLinePitch = 600;
// The page heading keeps at least one half-width character (at 10 pt) clear
// of the title.
constexpr double kTitleGap = 100;

struct Heading {
    double x;
    const char* text;
};

constexpr std::array<Heading, 11> kColumnHeadings = {{
    {900, " No"},
    {1300, " 資産の名称"},
    {2880, "種別"},
    {3500, "数量"},
    {4100, "取得年月"},
    {5100, " 取得価額 "},
    {6200, "償却方法"},
    {7200, "耐用年数"},
    {8200, "償却率"},
    {9100, "事業割合"},
    {10100, " コード "},
}};

double chars(const std::string& text) { return static_cast<double>(common::charCount(text)); }

void printAt(Printer& printer, double points, double x, double y, const std::string& text) {
    printer.setFont(kLedgerPrintFont, points);
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text);
}

// The life column of the printout. Unlike the list on screen it has no
// empty case: a row without a life prints "年" alone.
std::string printedLife(const Row& r) {
    if (!r[revisedLife - 1].empty()) return "     *" + r[revisedLife - 1] + "年";
    if (r[methodCode - 1] == "2") return "     ++" + r[usefulLife - 1] + "年";
    return r[usefulLife - 1] + "年";
}

bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

// `text` broken into pieces no wider than `room` in the current font,
// preferably just after a path separator in the second half of the room.
// Every piece holds at least one character, so a room narrower than one
// character still ends.
std::vector<std::string> breakToWidth(const Printer& printer, std::string text, double room) {
    std::vector<std::string> pieces;
    while (!text.empty() && printer.textWidth(text) > room) {
        std::size_t fit = 0;
        std::size_t afterSeparator = 0;
        for (std::size_t end = 1; end <= text.size(); ++end) {
            // Only whole UTF-8 characters: stop before continuation bytes.
            if (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
                continue;
            }
            const double width = printer.textWidth(text.substr(0, end));
            if (width > room) {
                if (fit == 0) fit = end;
                break;
            }
            fit = end;
            // A separator near the start would leave a stub of a line.
            if (isPathSeparator(text[end - 1]) && width >= room / 2) afterSeparator = end;
        }
        const std::size_t cut = afterSeparator > 0 ? afterSeparator : fit;
        pieces.push_back(text.substr(0, cut));
        text.erase(0, cut);
    }
    pieces.push_back(std::move(text));
    return pieces;
}

void printPageHeading(Printer& printer, const std::string& path,
                      const std::optional<TitleArea>& title) {
    std::string heading = GetListHeader(path, common::toInt16(printer.page()));
    const std::string lineEnd = "\r\n";
    heading.erase(heading.size() - lineEnd.size());

    printer.setFont(kLedgerPrintFont, 10);
    double y = kHeadingY;
    if (title && kHeadingX + printer.textWidth(heading) > title->left - kTitleGap) {
        y = std::max(y, title->bottom);
    }
    const std::vector<std::string> pieces =
        breakToWidth(printer, heading, printer.pageWidth() - kHeadingX);
    printer.setCurrentY(y);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        printer.setCurrentX(kHeadingX);
        printer.print(k + 1 == pieces.size() ? pieces[k] + lineEnd : pieces[k]);
    }
}

void printAssetLine(Printer& printer, const AssetRegister& reg, int i, int page) {
    const Row& r = reg.row(i);
    const double y = kColumnHeadingY + kLinePitch * (i - kLedgerRowsPerPage * page);

    printAt(printer, 10, 900, y, " " + std::to_string(i));
    printAt(printer, 9, 1350, y, r[assetName - 1]);
    printAt(printer, 9, 2850, y, ledgerCellText(reg, i, 2));
    printAt(printer, 10, 3780 - 100 * chars(r[quantity - 1]), y, r[quantity - 1]);
    printAt(printer, 10, 4150, y, ledgerCellText(reg, i, 4));

    const double costChars = chars(r[acquisitionCost - 1]);
    printAt(printer, 10, 5900 - 100 * costChars - (costChars == 7 ? 70 : 0), y,
            ledgerCellText(reg, i, 5));

    printAt(printer, 9, 6200, y, ledgerCellText(reg, i, 7));
    const std::string life = printedLife(r);
    printAt(printer, 10, 7700 - 70 * chars(life), y, life);
    printAt(printer, 10, 8300, y, r[depreciationRate - 1]);
    printAt(printer, 10, 9600 - 100 * chars(r[businessRatio - 1]), y, r[businessRatio - 1]);
    printAt(printer, 10, 10100, y, r[assetCode - 1]);
}

// Restores the normal pointer however the print ends.
class BusyPointer {
  public:
    explicit BusyPointer(platform::PrintDevice& device) : device_(device) { device_.setBusy(true); }
    ~BusyPointer() { device_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    platform::PrintDevice& device_;
};

}  // namespace

std::string GetListHeader(const std::string& chosenFilePath, std::int16_t page) {
    return chosenFilePath + " Page :" + std::to_string(page) + "\r\n";
}

void PriSet(Printer& printer, const ProgramState& state, const std::optional<TitleArea>& title) {
    const int count = state.recordCount;
    const int lastPage = count / kLedgerRowsPerPage;
    for (int p = 0;; ++p) {
        const int rows = std::min(kLedgerRowsPerPage, count - kLedgerRowsPerPage * p);
        printPageHeading(printer, state.chosenFilePath, p == 0 ? title : std::nullopt);
        printer.print("");
        for (const Heading& h : kColumnHeadings) printAt(printer, 10, h.x, kColumnHeadingY, h.text);
        for (int i = kLedgerRowsPerPage * p + 1; i <= kLedgerRowsPerPage * p + rows; ++i) {
            printAssetLine(printer, state.assetRegister, i, p);
        }
        if (p >= lastPage) break;
        printer.newPage();
    }
}

void printLedger(Printer& printer, const ProgramState& state) {
    printer.setOrientation(platform::Orientation::Portrait);
    printer.setPaperA4();
    printer.setFont(kLedgerPrintFont, 14);

    const std::string title = kLedgerPrintTitle;
    printer.setCurrentY(printer.currentY() + 300);
    const double left =
        common::roundHalfEven(printer.pageWidth() / 2 - printer.textWidth(title) / 2) - 200;
    printer.setCurrentX(left);
    printer.print(title);

    PriSet(printer, state, TitleArea{left, printer.currentY()});
    printer.endDoc();
}

void printLedgerCommand(const ProgramState& state, platform::Dialogs& dialogs,
                        platform::PrintDevice& device) {
    const platform::Answer answer = dialogs.message(
        {kPrintLedgerQuestion, kPrintLedgerQuestionTitle, platform::Buttons::OkCancel});
    if (answer != platform::Answer::Ok) return;
    if (!dialogs.printerSetup()) {
        dialogs.message({platform::kPrintFailedMessage});
        return;
    }
    try {
        const BusyPointer busy(device);
        device.printDocument([&state](Printer& printer) { printLedger(printer, state); });
    } catch (const std::exception&) {
        // The pointer is back to normal before the message shows.
        dialogs.message({platform::kPrintFailedMessage});
    }
}

}  // namespace fenmark::reg
