// The statement window's events: opening, the year box, the buttons, the
// resizing rule and closing. The computation itself is statement.cpp.

#include "yearend/statement_window.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "common/convert.h"
#include "common/era.h"
#include "common/number.h"
#include "yearend/statement_print.h"

namespace fenmark::yearend {

namespace {

ControlLayout labelLayout(std::string name, platform::Geometry geometry) {
    return {std::move(name), geometry, kStatementFont, kStatementFontSize, {}, {}, -1};
}

// The window as designed: places in twips, fonts, colours and tab order.
std::vector<ControlLayout> designLayout() {
    std::vector<ControlLayout> layout{
        labelLayout("Label1", {210, 210, 600, 315}),
        {"cboEra", {165, 690, 1050, 360}, kStatementFont, kStatementFontSize, {}, {}, 0},
        labelLayout("lblGY", {1020, 220, 380, 330}),
        labelLayout("Label2", {1470, 225, 720, 420}),
        labelLayout("Label3", {2340, 210, 2280, 315}),
        {"txtGetYe", {1290, 720, 480, 330}, "", 0, {}, {}, 1},
        {"cmdOk", {1860, 675, 790, 450}, kStatementFont, kStatementFontSize, {}, 0xC0C0C0, 2},
        labelLayout("lblComent", {2730, 705, 2380, 405}),
        {"Picture1", {5145, 225, 285, 270}, "", 0, {}, kRemovableColor, -1},
        labelLayout("Label4", {5745, 285, 1785, 360}),
        {"Picture2", {5115, 825, 330, 300}, "", 0, {}, kNotExistingColor, -1},
        labelLayout("Label5", {5670, 900, 2325, 345}),
        labelLayout("lblForm", {8200, 285, 2400, 330}),
        {"cboForm", {8200, 690, 2400, 360}, kStatementFont, kStatementFontSize, {}, {}, 3},
        {"cmdPrint", {8100, 180, 855, 480}, kStatementFont, kStatementFontSize, {}, {}, 4},
        {"cmdCancel", {8145, 840, 855, 480}, kStatementFont, kStatementFontSize, {}, {}, 5},
        {"Fxg3", {165, 1575, 10185, 3915}, "", 0, {}, {}, -1},
        labelLayout("lblSmall", {170, 5550, 9000, 330}),
        labelLayout("lblSmallOver", {170, 5880, 9000, 330}),
        labelLayout("lblScrapped", {170, 6210, 9000, 330}),
    };
    for (ControlLayout& entry : layout) {
        if (entry.name == "Label3") entry.fontSize = 9.75;
        // Dark red prompt and warning.
        if (entry.name == "lblComent" || entry.name == "lblSmallOver") entry.foreColor = 0xC00000;
    }
    return layout;
}

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
      printDevice_(printDevice) {
    lblGY.visible = false;
    cmdOk.enabled = false;
    for (platform::Control* hidden :
         {&Picture1, &Label4, &Picture2, &Label5, &lblSmall, &lblSmallOver, &lblScrapped}) {
        hidden->visible = false;
    }
    cmdPrint.enabled = false;
    cboEra.items = {std::string(common::eraName(common::Era::Heisei)),
                    std::string(common::eraName(common::Era::Reiwa))};
    cboForm.items = {kBlueFormName, kIncomeFormName};
    cboForm.listIndex = settings_.form == ReturnForm::Income ? 1 : 0;
    Fxg3.setFormatString(statementHeadingFormat(settings_.form));
}

StatementWindowModel::~StatementWindowModel() = default;

std::vector<platform::Control*> StatementWindowModel::controls() {
    return {&Label1,    &lblGY,    &Label2,       &Label3,     &cmdOk,   &lblComent,
            &Picture1,  &Label4,   &Picture2,     &Label5,     &lblForm, &cmdPrint,
            &cmdCancel, &lblSmall, &lblSmallOver, &lblScrapped};
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
    // The year being filed is offered: the previous one until March.
    const std::int32_t filing =
        settings_.currentMonth <= 3 ? settings_.currentYear - 1 : settings_.currentYear;
    const common::Era era =
        common::eraOfYear(filing) == common::Era::Reiwa ? common::Era::Reiwa : common::Era::Heisei;
    const double year = common::eraYearOf(era, filing);
    selectEra(era == common::Era::Reiwa ? 1 : 0);
    if (year >= 1 && filing <= kLastStatementWesternYear) {
        setTxtGetYe(std::to_string(static_cast<int>(year)));
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

void StatementWindowModel::Form_Resize(int scaleWidth, int scaleHeight, bool minimized) {
    lastScaleWidth_ = scaleWidth;
    lastScaleHeight_ = scaleHeight;
    lastMinimized_ = minimized;
    if (!minimized) {
        // The grid takes the window's whole width: the return's table has
        // sixteen columns, and every one of them is to be seen.
        const int width = scaleWidth - 300;
        // The lines on the year's small assets and scrapped assets stand
        // under the grid, one under the other.
        const std::array<platform::Control*, 3> lines{&lblSmall, &lblSmallOver, &lblScrapped};
        int shown = 0;
        for (const platform::Control* line : lines) shown += line->visible ? 1 : 0;
        const int below = shown > 0 ? 40 + 330 * shown : 0;
        const int height = std::max(scaleHeight - 1350 - below, 0);
        layoutEntry("Fxg3").geometry = {170, 1210, std::max(width, 0), height};
        int y = 1210 + height + 60;
        for (const platform::Control* line : lines) {
            layoutEntry(line->name).geometry = {170, y, std::max(width, 0), 330};
            if (line->visible) y += 330;
        }
    }
    layoutEntry("cmdPrint").geometry = {scaleWidth - 1560, 140, 855, 480};
    layoutEntry("cmdCancel").geometry = {scaleWidth - 1560, 680, 855, 480};
}

void StatementWindowModel::selectForm(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(cboForm.items.size())) return;
    cboForm.listIndex = listIndex;
    settings_.form = listIndex == 1 ? ReturnForm::Income : ReturnForm::Blue;
    Fxg3.setText(0, colSpecial, std::string(statementShortHeadings(settings_.form)[colSpecial]));
}

void StatementWindowModel::setTxtGetYe(std::string text) {
    if (text == txtGetYe.text) return;
    txtGetYe.text = std::move(text);
    txtGetYe_Change();
}

void StatementWindowModel::txtGetYe_Change() {
    Fxg3Visible = false;
    cmdOk.enabled = true;
}

void StatementWindowModel::selectEra(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(cboEra.items.size())) return;
    if (listIndex == cboEra.listIndex) return;
    cboEra.listIndex = listIndex;
    cboEra_Click();
}

void StatementWindowModel::cboEra_Click() {
    Label1.caption = cboEra.items[static_cast<std::size_t>(cboEra.listIndex)];
    // Another era is another year: the statement shown no longer answers it.
    txtGetYe_Change();
}

common::Era StatementWindowModel::chosenEra() const {
    return cboEra.listIndex == 1 ? common::Era::Reiwa : common::Era::Heisei;
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
    if (yearText.empty()) {
        dialogs_.message({kNoYearMessage});
        return;
    }
    if (statementYearOf(chosenEra(), yearText) == 0) {
        dialogs_.message({kBadYearMessage});
        setTxtGetYe("");
        return;
    }
    try {
        computeStatement(yearText);
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
    printStatementCommand(*this, state_, dialogs_, *printDevice_);
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

}  // namespace fenmark::yearend
