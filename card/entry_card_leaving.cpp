// The entry card's leaving section (除却, 売却, 自家転用): the sale price's key
// filter, the leaving month, the kind's click event and which of the
// section's controls are offered.

#include "card/entry_card.h"
#include "card/entry_card_text.h"
#include "law/era.h"

namespace fenmark::card {

std::int16_t EntryCardModel::txtJyoPrice_KeyPress(std::int16_t keyAscii) const {
    // A sale price is whole yen: no sign, separator or full-width digit,
    // which the page check would refuse after the user had typed them.
    if ((keyAscii >= 0 && keyAscii < 32) || (keyAscii >= 48 && keyAscii <= 57)) return keyAscii;
    return 0;
}

bool EntryCardModel::leavingMonth(int& year, int& month) const {
    const auto y = detail::wholeNumber(txtJyoYear.text);
    // A year no era reaches is no date (and could not be held as one).
    if (!y || *y < 1 || *y > 99 || cboJyoReki.listIndex < 0 || cboJyoMonth.listIndex < 0) {
        return false;
    }
    year = law::westernYear(static_cast<law::Era>(cboJyoReki.listIndex), static_cast<int>(*y));
    month = cboJyoMonth.listIndex + 1;
    return true;
}

void EntryCardModel::cboJyo_Click() {
    markChanged();
    // A sale has a price; a scrapping has none.
    txtJyoPrice.enabled = cboJyo.enabled && cboJyo.listIndex == 2;
}

void EntryCardModel::updateLeavingSection() {
    const bool lumpSum = optToku.value;
    const bool small = optSyou.value;
    const bool offered = !lumpSum && !small;
    for (platform::ComboBox* list : {&cboJyo, &cboJyoReki, &cboJyoMonth}) list->enabled = offered;
    txtJyoYear.enabled = offered;
    txtJyoPrice.enabled = offered && cboJyo.listIndex == 2;
    lblJyoNote.caption = lumpSum ? kLeavingLumpSumNote : small ? kLeavingSmallAssetNote : "";
}

}  // namespace fenmark::card
