// The entry card's field events: the era, year and month, the type, the
// price, the lives and the boxes that only mark the card changed.

#include <algorithm>

#include "card/entry_card.h"
#include "card/entry_card_text.h"
#include "common/mask.h"
#include "common/number.h"

namespace fenmark::card {

using detail::numberText;

// ---- Field events ----

void EntryCardModel::txtName_Change() { markChanged(); }

void EntryCardModel::cboReki_Change() {
    markChanged();
    if (fromCode()) return;
    // A corrected era moves the western year and the date as a corrected
    // year does; what was derived from the old date is derived again.
    if (!txtYear.text.empty()) txtYear_LostFocus();
    rederiveMethod();
}

void EntryCardModel::txtYear_Change() {
    clearOptions();
    lblRate.caption.clear();
    markChanged();
}

void EntryCardModel::txtYear_LostFocus() {
    const double year = common::leadingNumber(txtYear.text);
    if (cboReki.listIndex == 0) {
        lblYmd.caption = numberText(year + 1925);
    } else if (cboReki.listIndex == 1) {
        lblYmd.caption = numberText(year + 1988);
    } else if (cboReki.listIndex == 2) {
        lblYmd.caption = numberText(year + 2018);
    }
}

void EntryCardModel::Combo1_Click() {
    const int i = Combo1.listIndex;
    assign(txtMonth, i >= 0 ? Combo1.items[static_cast<std::size_t>(i)] : std::string());
    // A chosen method follows a corrected month, as it would have been
    // chosen after it: the rate tables change with the month.
    if (!fromCode()) rederiveMethod();
}

void EntryCardModel::txtMonth_Change() { markChanged(); }

void EntryCardModel::cboBunrui_Click() {
    const int i = typeIndex();
    Text5.text = i >= 0 ? cboBunrui.items[static_cast<std::size_t>(i)] : std::string();
    if (straightLineOnlyType()) {
        optGaku.enabled = true;
        optRitu.enabled = false;
        optToku.enabled = false;
        optSyou.enabled = false;
        // A method chosen for another type, now disabled or drawn from
        // another table, must not stand for this one.
        if (!fromCode()) {
            clearOptions();
            lblRate.caption.clear();
        }
    } else {
        for (OptionButton* o : options()) o->enabled = true;
        clearOptions();
        if (!fromCode()) lblRate.caption.clear();
    }
    hideAndEmptyResidualAndLimit();
    markChanged();
}

void EntryCardModel::cboBunrui_DropDown() {
    for (OptionButton* o : options()) o->enabled = true;
    clearOptions();
    showSecondLife(false);
    hideAndEmptyResidualAndLimit();
    lblRate.caption.clear();
    markChanged();
}

void EntryCardModel::cboBunrui_LostFocus() {
    const int row = std::clamp<int>(state_.currentRecord, 1, reg::kMaxRecords);
    const double western = common::leadingNumber(state_.assetRegister.at(row, reg::westernYear));
    if (typeIndex() == 0 && western <= 1998) {
        showSecondLife(true);
    } else if (straightLineOnlyType()) {
        showResidualAndLimit(true);
        assign(txtZanwari, "0");
        assign(txtGendo, "100");
    }
    markChanged();
}

void EntryCardModel::txtPrice_Change() {
    Label24.caption = common::formatText(txtPrice.text, common::kMaskPrice);
    markChanged();
}

std::int16_t EntryCardModel::txtPrice_KeyPress(std::int16_t keyAscii) const {
    if (keyAscii == 45) return keyAscii;
    if ((keyAscii >= 32 && keyAscii <= 47) || keyAscii > 57) return 0;
    return keyAscii;
}
void EntryCardModel::txtTnen_Change() {
    markChanged();
    lblRate.caption.clear();
    lblTnenNote.caption.clear();
    if (straightLineOnlyType()) {
        optGaku.enabled = true;
        optRitu.enabled = false;
        optToku.enabled = false;
        optSyou.enabled = false;
    } else {
        clearOptions();
        for (OptionButton* o : options()) o->enabled = true;
    }
}

void EntryCardModel::setLifeDialogOpener(LifeDialogOpener* opener) {
    lifeOpener_ = opener;
    cmdLife.visible = opener != nullptr;
}

void EntryCardModel::cmdLife_Click() {
    if (lifeOpener_ == nullptr) return;
    const auto choice = lifeOpener_->chooseLife({.usedOffered = !straightLineOnlyType()});
    if (!choice) return;
    // The type goes first, as if chosen in its box and left: choosing a
    // type empties what the life had settled.
    if (typeIndex() < 0 && choice->cardType >= 0) {
        assign(cboBunrui, choice->cardType);
        cboBunrui_LostFocus();
    }
    assign(txtTnen, std::to_string(choice->years));
    lblTnenNote.caption = choice->note;
    // A life worked out for a used asset says the asset was bought used; a
    // life from the table says nothing either way.
    if (choice->used) assign(chkChuko, true);
    moveFocus("txtTnen");
}

void EntryCardModel::txtTnen_Click() {
    clearOptions();
    lblRate.caption.clear();
    // Deferred assets and living things stay on straight line: clicking
    // into the life box must not offer them the other two methods.
    optGaku.enabled = true;
    optRitu.enabled = !straightLineOnlyType();
    optToku.enabled = !straightLineOnlyType();
    optSyou.enabled = !straightLineOnlyType();
}

void EntryCardModel::txtTnen2_Change() {
    markChanged();
    lblRate.caption.clear();
    optGaku.value = false;
}

void EntryCardModel::txtTnen2_LostFocus() {
    bool refused = false;
    if (txtYear.text.empty()) {
        say(kMsgBadInitialLife);
        refused = true;
    } else if ((cboReki.listIndex == 1 && common::leadingNumber(txtYear.text) >= 10) ||
               cboReki.listIndex == 2) {
        say(kMsgRevisedLifeTooLate);
        refused = true;
    }
    if (refused) {
        assign(txtTnen2, "");
        lblRate2.caption.clear();
    }
}

void EntryCardModel::txtSuu_Change() { markChanged(); }
void EntryCardModel::txtWari_Change() { markChanged(); }
void EntryCardModel::txtZanwari_Change() { markChanged(); }
void EntryCardModel::txtGendo_Change() { markChanged(); }

void EntryCardModel::Text6_Change() { Label14.caption = shortAssetCode(); }

void EntryCardModel::Combo1_LostFocus() {
    computeDateKey();
    if (dateKey() >= 199813) showSecondLife(false);
}

}  // namespace fenmark::card
