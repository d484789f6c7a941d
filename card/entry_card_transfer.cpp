// The entry card's window and its transfer to and from the register row:
// Form_Load, GetData, SetData and NewData.

#include <cstdio>
#include <utility>

#include "card/entry_card.h"
#include "card/entry_card_text.h"
#include "common/number.h"
#include "law/era.h"
#include "law/rate_tables.h"
#include "register/extended_columns.h"
#include "yearend/municipal_return.h"

namespace fenmark::card {

using platform::Control;
using platform::TextBox;

// ---- Window and transfer ----

void EntryCardModel::Form_Load() {
    const FromCode fromCode(*this);
    clearOptions();
    lblRate.caption.clear();
    cboBunrui.items.assign(reg::kTypeNames.begin(), reg::kTypeNames.end());
    cboBunrui.listIndex = -1;
    Combo1.items.clear();
    for (int month = 1; month <= 12; ++month) Combo1.items.push_back(std::to_string(month));
    cboReki.items = {"昭和", "平成", "令和"};
    cboJyo.items = {"", reg::kLeavingScrapped, reg::kLeavingSold, reg::kLeavingPrivate};
    cboJyoReki.items = cboReki.items;
    cboJyoMonth.items = Combo1.items;
    cboGyoReki.items = cboReki.items;
    cboGyoMonth.items = Combo1.items;
    cboKuriReki.items = cboReki.items;
    cboShisan.items = municipalKindItems();
    law::GetList(lstData);
    law::GetList2(lstData2);
    law::GetList3(lstData3);
    Caption.caption = kCardTitle + state_.currentFilePath;
    cardChanged = false;
    registeredInSession = false;
    for (std::size_t i = 0; i < Combo1.items.size(); ++i) {
        if (Combo1.items[i] == txtMonth.text) assign(Combo1, static_cast<int>(i));
    }
    state_.currentRecord = 1;
    // A file without rows opens on a new page, as a card without a file does.
    if (!state_.currentFilePath.empty() && state_.recordCount > 0) {
        GetData();
        setPageLabel();
    } else {
        NewData();
        state_.recordCount = 0;
        lblNum.caption = std::string("1") + kNewPageSuffix;
    }
    moveFocus("txtName");
}

void EntryCardModel::copyRowIntoCard() {
    const int row = state_.currentRecord;
    const auto cell = [&](reg::Column column) -> const std::string& {
        return state_.assetRegister.at(row, column);
    };
    // The order matters: the year, type, life and second-life events clear
    // the method and the rate, which are filled after them.
    assign(txtName, cell(reg::assetName));
    Label14.caption = cell(reg::assetCode);
    // A date stored in an era that had ended by then (平成38年, written by
    // an older version) is shown in the era of its month.
    const auto date =
        law::eraDateOf(cell(reg::eraCode), cell(reg::eraYear), cell(reg::acquisitionMonth));
    if (date) {
        assign(cboReki, static_cast<int>(date->era));
        assign(txtYear, detail::numberText(date->eraYear));
    } else {
        assign(cboReki, detail::listPosition(cell(reg::eraCode), 3));
        assign(txtYear, cell(reg::eraYear));
    }
    assign(txtMonth, cell(reg::acquisitionMonth));
    assign(txtDay, cell(reg::acquisitionDay));
    assign(cboBunrui, detail::listPosition(cell(reg::typeCode), 11));
    lblYmd.caption = cell(reg::westernYear);
    assign(txtPrice, cell(reg::acquisitionCost));
    assign(txtTnen, cell(reg::usefulLife));
    lblTnenNote.caption.clear();
    assign(txtTnen2, cell(reg::revisedLife));
    lblRate.caption = cell(reg::depreciationRate);
    lblRate2.caption = cell(reg::revisedRate);
    assign(txtSuu, cell(reg::quantity));
    assign(txtZanwari, cell(reg::residualRatio));
    assign(txtGendo, cell(reg::depreciationLimit));
    // The stored revised and guarantee rates stand unless the method option
    // below derives them again; without them a page registered again would
    // lose the mark of a record depreciated to a memorandum value.
    Text3.text = cell(reg::newRuleRates);

    // A month that is not one of the list's leaves the list empty rather
    // than showing the month of the page before.
    int month = -1;
    for (std::size_t i = 0; i < Combo1.items.size(); ++i) {
        if (Combo1.items[i] == txtMonth.text) month = static_cast<int>(i);
    }
    if (month >= 0) {
        assign(Combo1, month);
    } else {
        Combo1.listIndex = -1;
    }

    assign(txtWari, cell(reg::businessRatio));

    const std::string& code = cell(reg::methodCode);
    if (code == "0" || code == "4") {
        assign(optRitu, true);
    } else if (code == "1" || code == "3" || code == "5") {
        assign(optGaku, true);
    } else if (code == "2") {
        assign(optToku, true);
    } else if (code == "6") {
        assign(optSyou, true);
    } else {
        clearOptions();
    }

    // The leaving, in the era of its month.
    const std::string& leaving = cell(reg::disposalMonth);
    const std::string& kind = cell(reg::disposalKind);
    assign(cboJyo, kind == reg::kLeavingScrapped  ? 1
                   : kind == reg::kLeavingSold    ? 2
                   : kind == reg::kLeavingPrivate ? 3
                                                  : 0);
    assign(cboJyoReki, -1);
    assign(txtJyoYear, "");
    assign(cboJyoMonth, -1);
    if (const auto left = law::parseYearMonth(leaving)) {
        const law::Era era = law::eraOfMonth(left->year, left->month);
        assign(cboJyoReki, static_cast<int>(era));
        assign(txtJyoYear, detail::numberText(law::eraYearOf(era, left->year)));
        assign(cboJyoMonth, left->month - 1);
    }
    assign(txtJyoPrice, cell(reg::salePrice));

    // The business start in the era of its month, the carried opening's
    // year in the era that names it.
    assign(cboGyoReki, -1);
    assign(txtGyoYear, "");
    assign(cboGyoMonth, -1);
    if (const auto started = law::parseYearMonth(cell(reg::businessStart))) {
        const law::Era era = law::eraOfMonth(started->year, started->month);
        assign(cboGyoReki, static_cast<int>(era));
        assign(txtGyoYear, detail::numberText(law::eraYearOf(era, started->year)));
        assign(cboGyoMonth, started->month - 1);
    }
    const std::string& carried = cell(reg::carriedYear);
    const auto carriedYear = carried.size() == 4 ? reg::plainDigits(carried) : std::nullopt;
    if (carriedYear) {
        const auto western = static_cast<int>(*carriedYear);
        const law::Era era = law::eraOfYear(western);
        assign(cboKuriReki, static_cast<int>(era));
        assign(txtKuriYear, detail::numberText(law::eraYearOf(era, western)));
    } else {
        assign(cboKuriReki, -1);
        assign(txtKuriYear, carried);
    }
    assign(txtKuriZan, cell(reg::carriedBookValue));
    assign(txtKuriKaitei, cell(reg::carriedRevisedBase));
    assign(chkKuriCalc, cell(reg::carriedChoice) == reg::kComputedChoice);
    // The kind is kept as stored; the list shows it or the proposal.
    municipalChoice_ = cell(reg::municipalKind);
    assign(chkChuko, yearend::boughtUsed(state_.assetRegister.row(row)));
    updateSections();

    const double type = common::leadingNumber(cell(reg::typeCode));
    const double western = common::leadingNumber(cell(reg::westernYear));
    if (type != 0 || western > 1998) {
        if (type >= 9) showResidualAndLimit(true);
    } else {
        showSecondLife(true);
    }
    updateComputedNotes();
}

void EntryCardModel::GetData() {
    const FromCode fromCode(*this);
    showSecondLife(false);
    showResidualAndLimit(false);
    copyRowIntoCard();
    if (!txtDay.text.empty()) {
        cmdConv.visible = true;
        say(kMsgConvertPlease);
        lockForConversion(true);
    }
    cardChanged = false;
}

void EntryCardModel::SetData() {
    const int record = state_.currentRecord;
    reg::Row& row = state_.assetRegister.row(record);
    // A new page starts from an empty record: the place after the last
    // record may still hold one that was deleted, with values the card does
    // not show.
    if (record > state_.recordCount) row = reg::Row{};
    writePage(row);
}

reg::Row EntryCardModel::pageRow() const {
    const int record = state_.currentRecord;
    reg::Row row =
        record <= state_.recordCount ? std::as_const(state_.assetRegister).row(record) : reg::Row{};
    writePage(row);
    return row;
}

void EntryCardModel::writePage(reg::Row& row) const {
    const auto put = [&](reg::Column column, std::string text) {
        row[static_cast<std::size_t>(column - 1)] = std::move(text);
    };
    put(reg::assetName, txtName.text);
    put(reg::assetCode, Label14.caption);
    // A page registered without an edit keeps its stored era, so that a
    // register of an older version is written back as it was; an edited
    // page is stored in the era of its date, as the card shows it.
    const reg::Row& stored = row;
    const auto storedDate = law::eraDateOf(stored[reg::eraCode - 1], stored[reg::eraYear - 1],
                                           stored[reg::acquisitionMonth - 1]);
    const bool sameDate = storedDate && static_cast<int>(storedDate->era) == cboReki.listIndex &&
                          detail::numberText(storedDate->eraYear) == txtYear.text &&
                          stored[reg::acquisitionMonth - 1] == txtMonth.text;
    if (!(sameDate && !cardChanged)) {
        put(reg::eraCode, std::to_string(cboReki.listIndex));
        put(reg::eraYear, txtYear.text);
    }
    put(reg::acquisitionMonth, txtMonth.text);
    put(reg::acquisitionDay, "");
    put(reg::typeCode, std::to_string(typeIndex()));
    put(reg::westernYear, lblYmd.caption);
    put(reg::acquisitionCost, txtPrice.text);
    put(reg::usefulLife, txtTnen.text);
    put(reg::depreciationRate, lblRate.caption);
    put(reg::methodCode, methodCode());
    put(reg::quantity, txtSuu.text);
    put(reg::businessRatio, txtWari.text);
    put(reg::revisedLife, txtTnen2.text);
    put(reg::revisedRate, lblRate2.caption);
    put(reg::residualRatio, txtZanwari.text.empty() ? std::string("10") : txtZanwari.text);
    if (txtGendo.text.empty()) {
        put(reg::depreciationLimit, "95");
    } else if (typeIndex() >= 9) {
        put(reg::depreciationLimit, "100");
    } else {
        put(reg::depreciationLimit, txtGendo.text);
    }
    put(reg::newRuleRates, Text3.text);

    // The leaving, only when there is one: other records keep 19 fields.
    int year = 0;
    int month = 0;
    if (cboJyo.listIndex >= 1 && cboJyo.enabled && leavingMonth(year, month)) {
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d", year, month);
        put(reg::disposalMonth, text);
        put(reg::disposalKind, cboJyo.items[static_cast<std::size_t>(cboJyo.listIndex)]);
        put(reg::salePrice, cboJyo.listIndex == 2 ? txtJyoPrice.text : std::string());
    } else {
        put(reg::disposalMonth, "");
        put(reg::disposalKind, "");
        put(reg::salePrice, "");
    }

    // The carried opening and the business start, only when there are
    // some: a record without them keeps its 19 or 22 fields. The checks
    // have made sure the boxes hold dates.
    const std::string carried = carriedYearText().value_or("");
    const bool hasCarried = !carried.empty();
    put(reg::carriedYear, carried);
    put(reg::carriedBookValue, hasCarried ? txtKuriZan.text : std::string());
    put(reg::carriedRevisedBase,
        hasCarried && txtKuriKaitei.enabled ? txtKuriKaitei.text : std::string());
    put(reg::carriedChoice,
        hasCarried && chkKuriCalc.value ? std::string(reg::kComputedChoice) : std::string());
    put(reg::businessStart, businessStartText().value_or(""));

    put(reg::municipalKind, municipalChoice_);
    put(reg::boughtUsed, chkChuko.value ? "1" : "");
}

void EntryCardModel::NewData() {
    const FromCode fromCode(*this);
    for (TextBox* box : {&txtName, &txtYear, &txtMonth, &txtDay, &txtPrice, &txtTnen, &txtTnen2}) {
        assign(*box, "");
    }
    for (Control* label : {&Label14, &lblYmd, &lblRate, &lblRate2, &lblTnenNote}) {
        label->caption.clear();
    }
    assign(cboReki, 2);
    assign(cboBunrui, -1);
    assign(Combo1, -1);
    clearOptions();
    cardChanged = false;
    assign(txtSuu, "1");
    assign(txtWari, "100");
    showSecondLife(false);
    hideAndEmptyResidualAndLimit();
    // A new page starts without the rates of the page before.
    Text3.text.clear();
    assign(cboJyo, 0);
    assign(cboJyoReki, -1);
    assign(txtJyoYear, "");
    assign(cboJyoMonth, -1);
    assign(txtJyoPrice, "");
    assign(cboGyoReki, -1);
    assign(txtGyoYear, "");
    assign(cboGyoMonth, -1);
    assign(cboKuriReki, -1);
    assign(txtKuriYear, "");
    assign(txtKuriZan, "");
    assign(txtKuriKaitei, "");
    assign(chkKuriCalc, false);
    municipalChoice_.clear();
    assign(chkChuko, false);
    updateSections();
    updateComputedNotes();
}

}  // namespace fenmark::card
