// The statement window's events: opening, the year box, the buttons, the
// resizing rule and closing. The computation itself is statement.cpp.

#include "yearend/statement_window.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "common/convert.h"
#include "common/number.h"
#include "common/text.h"
#include "law/era.h"
#include "yearend/online_print.h"
#include "yearend/statement_print.h"

namespace fenmark::yearend {

namespace {

// A control of the design font; `tabIndex` -1 for one that takes no focus.
ControlLayout designed(std::string name, platform::Geometry geometry, int tabIndex = -1,
                       std::optional<platform::Rgb> backColor = {}) {
    ControlLayout entry;
    entry.name = std::move(name);
    entry.geometry = geometry;
    entry.fontName = kStatementFont;
    entry.fontSize = kStatementFontSize;
    entry.backColor = backColor;
    entry.tabIndex = tabIndex;
    return entry;
}

// A control in the toolkit's own font, or a colour swatch.
ControlLayout plain(std::string name, platform::Geometry geometry, int tabIndex = -1,
                    std::optional<platform::Rgb> backColor = {}) {
    ControlLayout entry = designed(std::move(name), geometry, tabIndex, backColor);
    entry.fontName.clear();
    entry.fontSize = 0;
    return entry;
}

ControlLayout label(std::string name, platform::Geometry geometry, std::string widthText = {}) {
    ControlLayout entry = designed(std::move(name), geometry);
    entry.widthText = std::move(widthText);
    return entry;
}

// A label that wraps its caption in `lines` lines.
ControlLayout wrapping(std::string name, int lines) {
    ControlLayout entry = designed(std::move(name), {170, 0, 0, 330 * lines});
    entry.wrapLines = lines;
    return entry;
}

// The window as designed: sizes in twips (the places are Form_Resize's),
// fonts, colours and tab order.
std::vector<ControlLayout> designLayout() {
    std::vector<ControlLayout> layout{
        // The widest heading and closing date a year can give.
        label("Label1", {210, 210, 1300, 330}, "平成88年分"),
        designed("cboEra", {165, 690, 1050, 360}, 0),
        label("Label3", {1600, 210, 2280, 315}, "(期末 ：令和88年12月)"),
        plain("txtGetYe", {1290, 720, 480, 330}, 1),
        designed("cmdOk", {1860, 675, 790, 450}, 2, 0xC0C0C0),
        label("lblComent", {2730, 705, 3400, 405}, kPromptCaption),
        plain("Picture1", {5145, 225, 300, 270}, -1, kRemovableColor),
        label("Label4", {5745, 285, 1785, 360}),
        plain("Picture2", {5145, 825, 300, 270}, -1, kNotExistingColor),
        label("Label5", {5745, 900, 2325, 345}),
        label("lblForm", {8200, 285, 2400, 330}),
        designed("cboForm", {8200, 690, 2400, 360}, 3),
        designed("cmdPrint", {8100, 180, 855, 480}, 4),
        designed("cmdCancel", {8145, 840, 855, 480}, 5),
        plain("Fxg3", {165, 1575, 10185, 3915}),
        label("lblSmall", {170, 5550, 0, 330}),
        label("lblSmallOver", {170, 5880, 0, 330}),
        label("lblScrapped", {170, 6210, 0, 330}),
        plain("tabView", {165, 1210, 4000, 360}),
        plain("grdOnline", {165, 1575, 10185, 3915}),
        wrapping("lblWarnings", static_cast<int>(kOnlineWarningLines)),
        wrapping("lblProblem", 2),
        label("lblCopied", {170, 0, 0, 330}),
        label("lblDestination", {170, 0, 0, 330}),
    };
    for (ControlLayout& entry : layout) {
        if (entry.name == "Label3") entry.fontSize = 9.75;
        // Dark red prompt and warnings.
        if (entry.name == "lblComent" || entry.name == "lblSmallOver" ||
            entry.name == "lblWarnings" || entry.name == "lblProblem") {
            entry.foreColor = 0xC00000;
        }
    }
    return layout;
}

// The layout's measures, in twips.
constexpr int kFirstRowTop = 140;
constexpr int kRowHeight = 480;
constexpr int kRowGap = 60;
// Between two controls of a group, and between two groups.
constexpr int kItemGap = 90;
constexpr int kGroupGap = 300;
constexpr int kLeft = 165;
constexpr int kHeadingLeft = 210;
// The buttons keep this much room to their right.
constexpr int kRightMargin = 705;
constexpr int kGridLeft = 170;
// The grid is this much narrower than the client area.
constexpr int kGridMargin = 300;
constexpr int kGridTop = 1210;
constexpr int kGridGapAbove = 50;
// The grid shows at least its heading and a few rows.
constexpr int kGridMinHeight = 2400;
constexpr int kGridBottomMargin = 140;
constexpr int kLinesGapAbove = 60;
constexpr int kLinesGapBelow = 40;

// The lines under the grid, top to bottom as far as they are shown; each
// view shows some of them.
constexpr std::array<const char*, 7> kLines{"lblWarnings",   "lblSmall",  "lblSmallOver",
                                            "lblScrapped",   "lblCopied", "lblProblem",
                                            "lblDestination"};
constexpr std::array<const char*, 4> kTableLines{"lblSmall", "lblSmallOver", "lblScrapped",
                                                 "lblDestination"};
constexpr std::array<const char*, 4> kOnlineLines{"lblWarnings", "lblCopied", "lblProblem",
                                                  "lblDestination"};

}  // namespace

StatementWindowModel::StatementWindowModel(reg::ProgramState& state, platform::Dialogs& dialogs,
                                           StatementSettings settings, StatementWindowHost* host,
                                           platform::PrintDevice* printDevice)
    : layout(designLayout()),
      focus("txtGetYe"),
      state_(state),
      dialogs_(dialogs),
      settings_(std::move(settings)),
      host_(host),
      printDevice_(printDevice),
      design_(layout) {
    lblGY.visible = false;
    cmdOk.enabled = false;
    for (platform::Control* hidden :
         {&Picture1, &Label4, &Picture2, &Label5, &lblSmall, &lblSmallOver, &lblScrapped,
          &lblWarnings, &lblProblem, &lblCopied, &lblDestination}) {
        hidden->visible = false;
    }
    tabView.items = {kTableViewTitle, kOnlineViewTitle};
    tabView.listIndex = 0;
    tabView.visible = false;
    cmdPrint.enabled = false;
    cboEra.items = {std::string(law::eraName(law::Era::Heisei)),
                    std::string(law::eraName(law::Era::Reiwa))};
    cboForm.items = {kBlueFormName, kIncomeFormName};
    cboForm.listIndex = settings_.form == ReturnForm::Income ? 1 : 0;
    Fxg3.setFormatString(statementHeadingFormat(settings_.form));
    showHeading();
    Form_Resize(kClientWidth, kClientHeight, false);
}

StatementWindowModel::~StatementWindowModel() = default;

std::vector<platform::Control*> StatementWindowModel::controls() {
    return {&Label1,       &Label3,      &cmdOk,       &lblComent,  &Picture1,  &Label4,
            &Picture2,     &Label5,      &lblForm,     &cmdPrint,   &cmdCancel, &lblSmall,
            &lblSmallOver, &lblScrapped, &lblWarnings, &lblProblem, &lblCopied, &lblDestination};
}

platform::Control* StatementWindowModel::control(std::string_view name) {
    for (platform::Control* c : controls()) {
        if (c->name == name) return c;
    }
    return nullptr;
}

namespace {

template <typename Layout>
auto& findLayout(Layout& layout, std::string_view name) {
    for (auto& entry : layout) {
        if (entry.name == name) return entry;
    }
    throw std::out_of_range("no control " + std::string(name));
}

}  // namespace

const ControlLayout& StatementWindowModel::layoutOf(std::string_view name) const {
    return findLayout(layout, name);
}

ControlLayout& StatementWindowModel::layoutEntry(std::string_view name) {
    return findLayout(layout, name);
}

std::vector<std::string> StatementWindowModel::tabOrder() const {
    std::vector<const ControlLayout*> stops;
    for (const ControlLayout& entry : layout) {
        if (entry.tabIndex >= 0) stops.push_back(&entry);
    }
    std::sort(stops.begin(), stops.end(), [](const ControlLayout* a, const ControlLayout* b) {
        return a->tabIndex < b->tabIndex;
    });
    std::vector<std::string> names;
    for (const ControlLayout* entry : stops) names.push_back(entry->name);
    return names;
}

std::string StatementWindowModel::effectiveClosingMonth() const {
    return state_.closingMonth.empty() ? "12" : state_.closingMonth;
}

void StatementWindowModel::Form_Load() {
    lblComent.caption = kPromptCaption;
    // The year being filed is offered.
    const std::int32_t filing = yearBeingFiled(settings_.currentYear, settings_.currentMonth);
    const law::Era era =
        law::eraOfYear(filing) == law::Era::Reiwa ? law::Era::Reiwa : law::Era::Heisei;
    const int year = law::eraYearOf(era, filing);
    selectEra(era == law::Era::Reiwa ? 1 : 0);
    if (year >= 1 && filing <= kLastStatementWesternYear) {
        setTxtGetYe(std::to_string(year));
    }
    Fxg3.setRows(state_.recordCount + 2);
    Fxg3.setFormatString(statementHeadingFormat(settings_.form));
    Fxg3.setFixedCols(1);
    Fxg3.setFixedRows(1);
    try {
        closingMonthNumber = common::toInt32(common::leadingNumber(effectiveClosingMonth()));
    } catch (const common::OverflowError&) {
        // No month of the year: the schedule window refuses every asset
        // under such a month, so no row of the statement depends on this.
        closingMonthNumber = 0;
    }
}

int StatementWindowModel::widthOf(std::string_view name) const {
    return std::max(findLayout(design_, name).geometry.width, layoutOf(name).neededWidth);
}

int StatementWindowModel::heightOf(std::string_view name) const {
    return std::max(findLayout(design_, name).geometry.height, layoutOf(name).neededHeight);
}

StatementWindowModel::TopRows StatementWindowModel::topRows(int width) const {
    const auto rowHeight = [this](std::initializer_list<const char*> names) {
        int height = kRowHeight;
        for (const char* name : names) height = std::max(height, heightOf(name));
        return height;
    };
    const int firstHeight =
        rowHeight({"Label1", "Label3", "Picture1", "Label4", "lblForm", "cmdPrint"});
    const int secondHeight = rowHeight(
        {"cboEra", "txtGetYe", "cmdOk", "lblComent", "Picture2", "Label5", "cboForm", "cmdCancel"});
    const int firstTop = kFirstRowTop;
    const int secondTop = firstTop + firstHeight + kRowGap;

    TopRows rows;
    // Each control centred in the height of its row, from `left` on; gives
    // its right edge.
    const auto put = [&](const char* name, int left, bool first) {
        const int top = first ? firstTop : secondTop;
        const int rowHeightHere = first ? firstHeight : secondHeight;
        const int height = heightOf(name);
        rows.places.push_back(
            {name, {left, top + (rowHeightHere - height) / 2, widthOf(name), height}});
        return left + widthOf(name);
    };

    // The heading and closing date over the year's era, box, "表示" and prompt.
    const int headingEnd = put("Label3", put("Label1", kHeadingLeft, true) + 2 * kItemGap, true);
    int x = put("cboEra", kLeft, false) + kItemGap;
    x = put("txtGetYe", x, false) + kItemGap;
    x = put("cmdOk", x, false) + kItemGap;
    const int yearEnd = put("lblComent", x, false);
    // The legends, their labels in line.
    const int legendsLeft = std::max(headingEnd, yearEnd) + kGroupGap;
    const int labelsLeft =
        legendsLeft + std::max(widthOf("Picture1"), widthOf("Picture2")) + kItemGap;
    put("Picture1", legendsLeft, true);
    put("Picture2", legendsLeft, false);
    const int legendsEnd =
        std::max(put("Label4", labelsLeft, true), put("Label5", labelsLeft, false));
    // The buttons at the right edge, the return's list before them.
    const int formWidth = std::max(widthOf("lblForm"), widthOf("cboForm"));
    const int buttonWidth = std::max(widthOf("cmdPrint"), widthOf("cmdCancel"));
    const int buttonsLeft = std::max(width - kRightMargin - buttonWidth,
                                     legendsEnd + kGroupGap + formWidth + kGroupGap);
    const int formLeft = buttonsLeft - kGroupGap - formWidth;
    put("lblForm", formLeft, true);
    put("cboForm", formLeft, false);
    put("cmdPrint", buttonsLeft, true);
    put("cmdCancel", buttonsLeft, false);
    rows.minimumWidth = legendsEnd + kGroupGap + formWidth + kGroupGap + buttonWidth + kRightMargin;
    rows.bottom = secondTop + secondHeight;
    return rows;
}

ClientSize StatementWindowModel::minimumClientSize() const {
    const TopRows rows = topRows(0);
    int width = std::max(rows.minimumWidth, widthOf("tabView") + kGridMargin);
    for (const char* line : kLines) width = std::max(width, widthOf(line) + kGridMargin);
    // Room for every line the view with the most of them may show.
    const auto linesOf = [this](const auto& lines) {
        int height = 0;
        for (const char* line : lines) height += heightOf(line);
        return height;
    };
    const int linesHeight = kLinesGapBelow + std::max(linesOf(kTableLines), linesOf(kOnlineLines));
    // The tabs come with the statement; their room is kept from the start.
    const int gridTop = std::max(kGridTop, rows.bottom + kGridGapAbove) + heightOf("tabView");
    const int gridHeight = std::max(
        {kGridMinHeight, layoutOf("Fxg3").neededHeight, layoutOf("grdOnline").neededHeight});
    return {width, gridTop + gridHeight + linesHeight + kGridBottomMargin};
}

void StatementWindowModel::setNeededSize(std::string_view name, int width, int height) {
    ControlLayout& entry = layoutEntry(name);
    if (entry.neededWidth == width && entry.neededHeight == height) return;
    entry.neededWidth = width;
    entry.neededHeight = height;
    Form_Resize(lastScaleWidth_, lastScaleHeight_, lastMinimized_);
}

void StatementWindowModel::Form_Resize(int scaleWidth, int scaleHeight, bool minimized) {
    lastScaleWidth_ = scaleWidth;
    lastScaleHeight_ = scaleHeight;
    lastMinimized_ = minimized;
    // Below the least size the controls are placed as at that size: cut at
    // the window's edge, never on one another.
    const ClientSize least = minimumClientSize();
    const int width = std::max(scaleWidth, least.width);
    const int height = std::max(scaleHeight, least.height);
    const TopRows rows = topRows(width);
    for (const auto& [name, geometry] : rows.places) layoutEntry(name).geometry = geometry;
    if (minimized) return;

    // The grid takes the window's whole width: the return's table has
    // sixteen columns, and every one of them is to be seen.
    const int gridWidth = width - kGridMargin;
    // The tabs, once there is a statement to view, stand on the grid.
    const int tabTop = std::max(kGridTop, rows.bottom + kGridGapAbove);
    layoutEntry("tabView").geometry = {kGridLeft, tabTop, gridWidth, heightOf("tabView")};
    const int gridTop = tabTop + (tabView.visible ? heightOf("tabView") : 0);
    // The lines on the year's small assets and scrapped assets stand under
    // the grid, one under the other.
    int below = 0;
    for (const char* line : kLines) {
        if (control(line)->visible) below += heightOf(line);
    }
    if (below > 0) below += kLinesGapBelow;
    const int gridHeight = height - gridTop - kGridBottomMargin - below;
    layoutEntry("Fxg3").geometry = {kGridLeft, gridTop, gridWidth, gridHeight};
    // Both views in the same place: one of them is on show.
    layoutEntry("grdOnline").geometry = {kGridLeft, gridTop, gridWidth, gridHeight};
    int y = gridTop + gridHeight + kLinesGapAbove;
    for (const char* line : kLines) {
        layoutEntry(line).geometry = {kGridLeft, y, gridWidth, heightOf(line)};
        if (control(line)->visible) y += heightOf(line);
    }
}

void StatementWindowModel::selectForm(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(cboForm.items.size())) return;
    cboForm.listIndex = listIndex;
    settings_.form = listIndex == 1 ? ReturnForm::Income : ReturnForm::Blue;
    Fxg3.setText(0, colSpecial, std::string(statementShortHeadings(settings_.form)[colSpecial]));
    if (Fxg3Visible) {
        lblDestination.caption = expenseDestinationLine(settings_.form, online_.expenseTotal);
    }
}

void StatementWindowModel::setTxtGetYe(std::string text) {
    if (text == txtGetYe.text) return;
    txtGetYe.text = std::move(text);
    txtGetYe_Change();
}

void StatementWindowModel::txtGetYe_Change() {
    Fxg3Visible = false;
    cmdOk.enabled = true;
    showHeading();
}

void StatementWindowModel::selectEra(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(cboEra.items.size())) return;
    if (listIndex == cboEra.listIndex) return;
    cboEra.listIndex = listIndex;
    cboEra_Click();
}

void StatementWindowModel::cboEra_Click() {
    // Another era is another year: the statement shown no longer answers it.
    txtGetYe_Change();
}

law::Era StatementWindowModel::chosenEra() const {
    return cboEra.listIndex == 1 ? law::Era::Reiwa : law::Era::Heisei;
}

namespace {

// An era year in the two columns the return leaves for it: " 8", "30",
// "元" (a full-width character fills both).
std::string twoColumns(int eraYear) {
    std::string text = law::eraYearText(eraYear);
    if (text.size() == 1) text.insert(0, " ");
    return text;
}

}  // namespace

std::string statementHeading(std::int32_t statementYear) {
    const int western = 1988 + statementYear;
    const law::Era era = law::eraOfYear(western);
    return std::string(law::eraName(era)) + twoColumns(law::eraYearOf(era, western)) +
           kHeadingYearSuffix;
}

std::string StatementWindowModel::headingText() const {
    const std::int32_t year =
        Fxg3Visible ? statementYear : statementYearOf(chosenEra(), txtGetYe.text);
    if (year == 0) return std::string(law::eraName(chosenEra())) + "  " + kHeadingYearSuffix;
    return statementHeading(year);
}

void StatementWindowModel::showHeading() {
    Label1.caption = headingText();
    if (Fxg3Visible) {
        const int western = 1988 + statementYear;
        lblGY.caption = law::eraYearText(law::eraYearOf(law::eraOfYear(western), western));
    }
}

bool StatementWindowModel::canFocus(std::string_view name) const {
    if (name == txtGetYe.name) return txtGetYe.visible && txtGetYe.enabled;
    if (name == cboEra.name) return cboEra.visible && cboEra.enabled;
    if (name == cboForm.name) return cboForm.visible && cboForm.enabled;
    for (const platform::Control* c : {&cmdOk, &cmdPrint, &cmdCancel}) {
        if (c->name == name) return c->visible && c->enabled;
    }
    return false;
}

int StatementWindowModel::txtGetYe_KeyPress(int keyAscii) {
    if (keyAscii != kEnterKey) return keyAscii;
    // Enter stands for Tab: the next control in tab order that can take the
    // focus, round the window.
    const std::vector<std::string> order = tabOrder();
    const auto from = std::find(order.begin(), order.end(), txtGetYe.name);
    const std::size_t start = static_cast<std::size_t>(from - order.begin());
    for (std::size_t step = 1; step <= order.size(); ++step) {
        const std::string& next = order[(start + step) % order.size()];
        if (canFocus(next)) {
            focus = next;
            break;
        }
    }
    return 0;
}

void StatementWindowModel::cmdOk_Click() {
    const std::string yearText = txtGetYe.text;
    const StatementYear typed = readStatementYear(chosenEra(), yearText);
    if (typed.refusal != StatementYear::Refusal::None) {
        dialogs_.message({typed.message()});
        // A year that is no year is cleared for the next one.
        if (typed.refusal == StatementYear::Refusal::BadYear) setTxtGetYe("");
        return;
    }
    try {
        computeStatement(yearText);
        showHeading();
    } catch (const common::OverflowError&) {
        // Only totals beyond 64 bits get here; the window waits for a year
        // as before.
        Fxg3Visible = false;
        lblComent.visible = true;
        for (platform::Control* legend : {&Picture1, &Label4, &Picture2, &Label5}) {
            legend->visible = false;
        }
        dialogs_.message({kStatementNotComputedMessage});
        return;
    }
    if (!uncomputed.empty()) dialogs_.message({kAssetsNotComputedMessage});
}

void StatementWindowModel::cmdCancel_Click() {
    // Unloading may destroy this window; only the host is used after it.
    StatementWindowHost* host = host_;
    if (host == nullptr) {
        unload();
        return;
    }
    host->showMain();
    host->unloadStatement();
}

void StatementWindowModel::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

void StatementWindowModel::Form_Unload() {
    if (host_ != nullptr) host_->showMain();
}

void StatementWindowModel::cmdPrint_Click() {
    if (printDevice_ == nullptr) return;
    if (view() == StatementView::Online) {
        printOnlineCommand(*this, dialogs_, *printDevice_);
    } else {
        printStatementCommand(*this, state_, dialogs_, *printDevice_);
    }
}

bool StatementWindowModel::click(std::string_view name) {
    if (name == cmdOk.name) {
        if (cmdOk.enabled) cmdOk_Click();
    } else if (name == cmdCancel.name) {
        if (cmdCancel.enabled) cmdCancel_Click();
    } else if (name == cmdPrint.name) {
        if (cmdPrint.enabled) cmdPrint_Click();
    } else {
        return false;
    }
    return true;
}

// --- the online list ----------------------------------------------------------

namespace {

// Where each field's label breaks in the heading of its column: after that
// many characters, 0 for a label of one line.
constexpr std::array<std::size_t, kOnlineFields> kHeadingBreaks = {0, 0, 0, 4, 4, 4, 4, 0, 3,
                                                                   5, 2, 2, 4, 3, 4, 4, 0};

std::string shortened(std::string_view text, std::size_t limit) {
    if (common::charCount(text) <= limit) return std::string(text);
    return common::leftChars(text, limit) + "…";
}

}  // namespace

std::string copiedCaption(std::string_view text) {
    return "「" + shortened(text, kCopiedQuoteLimit) + "」をコピーしました";
}

std::string onlineColumnHeading(int col) {
    if (col <= 0 || col > kOnlineFields) return kOnlineRecordHeading;
    const std::string_view label = onlineFieldLabel(static_cast<OnlineField>(col - 1));
    const std::size_t at = kHeadingBreaks[static_cast<std::size_t>(col - 1)];
    const std::size_t chars = common::charCount(label);
    if (at == 0 || at >= chars) return std::string(label);
    return common::leftChars(label, at) + "\n" + common::midChars(label, at + 1, chars - at);
}

void StatementWindowModel::keepStatement(const StatementData& data) {
    hasSmallAssets_ = data.hasSmallAssets;
    hasLeaving_ = data.hasLeaving;
    online_ = onlineEntries(data, state_.assetRegister, statementYear);
    fillOnline();
    lblDestination.caption = expenseDestinationLine(settings_.form, online_.expenseTotal);
    tabView.visible = true;
    showView();
}

void StatementWindowModel::fillOnline() {
    const int count = static_cast<int>(online_.assets.size());
    grdOnline = platform::Grid(count + 1, kOnlineColumns);
    // The No. centred; the fields take the grid's general alignment, numbers
    // to the right.
    std::string format = std::string("^") + onlineColumnHeading(0);
    for (int col = 1; col < kOnlineColumns; ++col) format += "|" + onlineColumnHeading(col);
    grdOnline.setFormatString(format);
    grdOnline.setFixedRows(1);
    grdOnline.setFixedCols(1);
    bool problems = false;
    for (int row = 1; row <= count; ++row) {
        const OnlineEntry& entry = online_.assets[static_cast<std::size_t>(row - 1)];
        grdOnline.setText(row, 0, std::to_string(entry.record));
        for (int col = 1; col < kOnlineColumns; ++col) {
            const auto field = static_cast<OnlineField>(col - 1);
            grdOnline.setText(row, col, onlineDisplayText(entry, field));
            if (entry.problemOf(field) == nullptr) continue;
            problems = true;
            grdOnline.setRow(row);
            grdOnline.setCol(col);
            grdOnline.setCurrentBackColor(kOnlineProblemColor);
        }
    }
    grdOnline.setRow(0);
    grdOnline.setCol(0);

    std::vector<std::string> warnings = online_.warnings;
    if (online_.assets.empty()) warnings.insert(warnings.begin(), kOnlineNoAssets);
    std::string all;
    for (const std::string& warning : warnings) all += (all.empty() ? "" : "\n") + warning;
    lblWarnings.toolTip = all;
    if (warnings.size() > kOnlineWarningLines) {
        const std::size_t rest = warnings.size() - (kOnlineWarningLines - 1);
        warnings.resize(kOnlineWarningLines - 1);
        warnings.push_back("ほかに注意が" + std::to_string(rest) + "件あります。");
    }
    lblWarnings.caption.clear();
    for (const std::string& warning : warnings) {
        lblWarnings.caption += (lblWarnings.caption.empty() ? "" : "\n") + warning;
    }
    lblProblem.caption = problems ? kOnlineProblemLegend : "";
    lblCopied.caption = kOnlineCopyHint;
}

void StatementWindowModel::showView() {
    const bool table = view() == StatementView::Table;
    const auto marked = [this](Marking marking) {
        return std::find(markings.begin(), markings.end(), marking) != markings.end();
    };
    // The legends tell the table's colours.
    Picture1.visible = Label4.visible = table && marked(Marking::Removable);
    Picture2.visible = Label5.visible = table && marked(Marking::NotExisting);
    lblSmall.visible = table && hasSmallAssets_;
    lblSmallOver.visible = lblSmall.visible && smallAssetTotal > kSmallAssetYearlyCap;
    lblScrapped.visible = table && hasLeaving_;
    lblWarnings.visible = !table && !lblWarnings.caption.empty();
    // A list without problems has nothing to explain.
    lblProblem.visible = !table && !lblProblem.caption.empty();
    lblCopied.visible = !table;
    lblDestination.visible = true;
}

std::vector<const platform::Control*> StatementWindowModel::tableNotes() const {
    std::vector<const platform::Control*> notes;
    if (hasSmallAssets_) notes.push_back(&lblSmall);
    if (hasSmallAssets_ && smallAssetTotal > kSmallAssetYearlyCap) notes.push_back(&lblSmallOver);
    if (hasLeaving_) notes.push_back(&lblScrapped);
    if (Fxg3Visible) notes.push_back(&lblDestination);
    return notes;
}

void StatementWindowModel::selectView(int index) {
    if (!tabView.visible || index < 0 || index >= static_cast<int>(tabView.items.size())) return;
    if (index == tabView.listIndex) return;
    tabView.listIndex = index;
    showView();
    Form_Resize(lastScaleWidth_, lastScaleHeight_, lastMinimized_);
}

const OnlineEntry* StatementWindowModel::onlineEntryAt(int row) const {
    if (row < 1 || row > static_cast<int>(online_.assets.size())) return nullptr;
    return &online_.assets[static_cast<std::size_t>(row - 1)];
}

std::string StatementWindowModel::onlineProblemAt(int row, int col) const {
    const OnlineEntry* entry = onlineEntryAt(row);
    if (entry == nullptr || col < 1 || col >= kOnlineColumns) return {};
    const FieldProblem* problem = entry->problemOf(static_cast<OnlineField>(col - 1));
    return problem != nullptr ? problem->message : std::string();
}

std::string StatementWindowModel::grdOnline_Select(int row, int col) {
    const OnlineEntry* entry = onlineEntryAt(row);
    if (entry == nullptr || col < 0 || col >= kOnlineColumns) return {};
    grdOnline.setRow(row);
    grdOnline.setCol(col);
    // A list without problems has no explanations to give.
    if (!lblProblem.caption.empty()) {
        const std::string problem = onlineProblemAt(row, col);
        lblProblem.caption =
            problem.empty() ? std::string(kOnlineProblemLegend)
                            : "No." + std::to_string(entry->record) + "の「" +
                                  std::string(onlineFieldLabel(static_cast<OnlineField>(col - 1))) +
                                  "」：" + problem;
    }
    if (col == 0) {
        lblCopied.caption = kOnlineCopyHint;
        return {};
    }
    const auto field = static_cast<OnlineField>(col - 1);
    // What the online system offers in a list of its own is chosen there.
    if ((field == OnlineField::Kind && entry->kindToChoose) ||
        (field == OnlineField::Detail && entry->detailToChoose)) {
        lblCopied.caption = kOnlineChooseField;
        return {};
    }
    std::string text = onlineTypedText(*entry, field);
    lblCopied.caption = text.empty() ? std::string(kOnlineNothingToCopy) : copiedCaption(text);
    return text;
}

}  // namespace fenmark::yearend
