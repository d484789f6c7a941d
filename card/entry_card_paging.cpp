// The entry card's buttons: the page check, registration, paging, new
// page, deletion, closing and the conversion of old-format rows.

#include <array>
#include <utility>

#include "card/entry_card.h"
#include "card/entry_card_text.h"
#include "common/number.h"
#include "common/text.h"
#include "law/era.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/register_file.h"

namespace fenmark::card {

using platform::Answer;
using platform::Buttons;

bool EntryCardModel::click(std::string_view control) {
    using Handler = void (EntryCardModel::*)();
    static constexpr std::array<std::pair<std::string_view, Handler>, 10> handlers{{
        {"cmdRec", &EntryCardModel::cmdRec_Click},
        {"cmdCancel", &EntryCardModel::cmdCancel_Click},
        {"cmdRR", &EntryCardModel::cmdRR_Click},
        {"cmdRew", &EntryCardModel::cmdRew_Click},
        {"cmdFor", &EntryCardModel::cmdFor_Click},
        {"cmdFF", &EntryCardModel::cmdFF_Click},
        {"Command1", &EntryCardModel::Command1_Click},
        {"Command2", &EntryCardModel::Command2_Click},
        {"cmdConv", &EntryCardModel::cmdConv_Click},
        {"cmdLife", &EntryCardModel::cmdLife_Click},
    }};
    for (const auto& [name, handler] : handlers) {
        if (name != control) continue;
        const platform::Control* b = button(name);
        if (b != nullptr && b->enabled && b->visible) {
            (this->*handler)();
            updateComputedNotes();
        }
        return true;
    }
    return false;
}

// ---- Checks ----

bool EntryCardModel::isNewPage() const {
    return common::rightChars(lblNum.caption, 2) == common::rightChars(kNewPageSuffix, 2);
}

void EntryCardModel::setPageLabel() {
    lblNum.caption =
        std::to_string(state_.currentRecord) + "/" + std::to_string(state_.recordCount);
}

void EntryCardModel::setNewPageLabel() {
    lblNum.caption = std::to_string(state_.currentRecord) + kNewPageSuffix;
}

bool EntryCardModel::pageCheck() {
    const auto fail = [&](const char* message, const char* focus) {
        say(message);
        if (focus != nullptr) moveFocus(focus);
        return false;
    };
    if (txtName.text.empty()) return fail(kMsgNoName, "txtName");
    if (Text5.text.empty()) return fail(kMsgNoType, "cboBunrui");
    if (txtYear.text.empty()) return fail(kMsgNoYear, "txtYear");
    if (Combo1.listIndex < 0) return fail(kMsgNoMonth, "Combo1");
    if (txtSuu.text.empty()) return fail(kMsgNoQuantity, "txtSuu");
    if (txtPrice.text.empty()) return fail(kMsgNoPriceOnPage, "txtPrice");
    if (txtTnen.text.empty()) return fail(kMsgNoLife, "txtTnen");
    if (typeIndex() == 9 && (txtZanwari.text.empty() || txtGendo.text.empty())) {
        return fail(kMsgNoResidual, "txtZanwari");
    }
    // A rate left over from an option that was cleared is no method.
    const bool methodChosen = optGaku.value || optRitu.value || optToku.value || optSyou.value;
    if (lblRate.caption.empty() || !methodChosen) return fail(kMsgNoMethod, nullptr);
    return dataCheck(false);
}

bool EntryCardModel::dataCheck(bool allowEmpty) {
    const auto fail = [&](const char* message, const char* focus) {
        say(message);
        moveFocus(focus);
        return false;
    };
    // A box passes when its whole number lies in the range (or, where
    // allowed, when it is empty).
    const auto inRange = [&](const platform::TextBox& box, long long low, long long high) {
        if (allowEmpty && box.text.empty()) return true;
        const auto value = detail::wholeNumber(box.text);
        return value && *value >= low && *value <= high;
    };
    const auto optionalInRange = [&](const platform::TextBox& box, long long low, long long high) {
        return !box.visible || box.text.empty() || inRange(box, low, high);
    };

    // The register file has no escape for a double quote, and holds only
    // what code page 932 can.
    if (txtName.text.find('"') != std::string::npos) return fail(kMsgNameQuote, "txtName");
    if (!platform::isCp932Encodable(txtName.text)) return fail(kMsgNameCharset, "txtName");
    if (!inRange(txtPrice, 0, 2147483647)) return fail(kMsgBadPrice, "txtPrice");
    if (!allowEmpty && cboReki.listIndex < 0) return fail(kMsgNoEra, "cboReki");
    // Each era's years end where it did (昭和64 in January, 平成31 in April);
    // 令和's first year begins in May. An acquisition after this month is a
    // slip of the keyboard: nothing can be depreciated before it is bought.
    if (!txtYear.text.empty() && cboReki.listIndex >= 0) {
        const auto year = detail::wholeNumber(txtYear.text);
        const auto era = static_cast<law::Era>(cboReki.listIndex);
        const std::int32_t lastYear = cboReki.listIndex == 0   ? 64
                                      : cboReki.listIndex == 1 ? 31
                                                               : 99;
        if (!year || *year < 1 || *year > lastYear) return fail(kMsgBadYear, "txtYear");
        const int y = static_cast<int>(*year);
        const auto month = detail::wholeNumber(txtMonth.text);
        if (month && (*month > law::lastMonthOf(era, y) || *month < law::firstMonthOf(era, y))) {
            return fail(kMsgBadYear, "txtYear");
        }
        const int western = law::westernYear(era, y);
        if (western > currentYear) return fail(kMsgAcquisitionInFuture, "txtYear");
        if (month && western == currentYear && *month > currentMonth) {
            return fail(kMsgAcquisitionInFuture, "Combo1");
        }
    } else if (!inRange(txtYear, 1, 99)) {
        return fail(kMsgBadYear, "txtYear");
    }
    // Quantity and business share are never optional: an empty quantity
    // would write the asset down to nothing instead of its memorandum value,
    // and an empty share would keep every year's expense off the return.
    if (txtSuu.text.empty()) return fail(kMsgBadQuantity, "txtSuu");
    if (!inRange(txtSuu, 1, 99999)) return fail(kMsgBadQuantity, "txtSuu");
    if (txtWari.text.empty()) return fail(kMsgBadRatio, "txtWari");
    if (!inRange(txtWari, 0, 100)) return fail(kMsgBadRatio, "txtWari");
    if (!inRange(txtTnen, 1, 100)) return fail(kMsgBadLife, "txtTnen");
    if (!optionalInRange(txtTnen2, 1, 100)) return fail(kMsgBadRevisedLife, "txtTnen2");
    if (!optionalInRange(txtZanwari, 0, 100)) return fail(kMsgBadResidual, "txtZanwari");
    if (!optionalInRange(txtGendo, 0, 100)) return fail(kMsgBadLimit, "txtGendo");
    // A price corrected after the three-year method was chosen must still
    // be one the method allows.
    // The leaving: a date in the right order, a sale's price in whole yen.
    if (cboJyo.listIndex >= 1 && cboJyo.enabled) {
        int year = 0;
        int month = 0;
        if (txtJyoYear.text.empty() || cboJyoReki.listIndex < 0 || cboJyoMonth.listIndex < 0) {
            return fail(kMsgNoLeavingDate, "txtJyoYear");
        }
        if (!leavingMonth(year, month)) return fail(kMsgBadLeavingDate, "txtJyoYear");
        const auto era = static_cast<law::Era>(cboJyoReki.listIndex);
        const int eraYear = law::eraYearOf(era, year);
        if (eraYear < 1 || month > law::lastMonthOf(era, eraYear) ||
            month < law::firstMonthOf(era, eraYear)) {
            return fail(kMsgBadLeavingDate, "txtJyoYear");
        }
        const double acquired =
            common::leadingNumber(lblYmd.caption) * 12 + common::leadingNumber(txtMonth.text);
        if (year * 12.0 + month < acquired) return fail(kMsgLeavingBeforeAcquisition, "txtJyoYear");
        if (year * 12.0 + month > currentYear * 12.0 + currentMonth) {
            return fail(kMsgLeavingInFuture, "txtJyoYear");
        }
        if (cboJyo.listIndex == 2) {
            if (txtJyoPrice.text.empty()) return fail(kMsgNoSalePrice, "txtJyoPrice");
            if (!inRange(txtJyoPrice, 0, 2147483647)) return fail(kMsgBadSalePrice, "txtJyoPrice");
        }
    }
    // A price or date corrected after the small-asset rule was chosen must
    // still be one the rule allows.
    if (optSyou.value && !txtPrice.text.empty()) {
        if (const char* refusal = smallAssetRefusal()) return fail(refusal, "txtPrice");
    }
    if (optToku.value && !txtPrice.text.empty()) {
        if (const char* refusal = lumpSumRefusal()) return fail(refusal, "txtPrice");
    }
    // One yen a unit stays on the books as the memorandum value: a price
    // below the quantity (a price of 0 above all) leaves nothing to
    // depreciate and is no depreciable asset.
    if (!txtPrice.text.empty() && !txtSuu.text.empty()) {
        const auto price = detail::wholeNumber(txtPrice.text);
        const auto quantity = detail::wholeNumber(txtSuu.text);
        if (price && quantity && *price < *quantity) {
            return fail(kMsgPriceBelowQuantity, "txtPrice");
        }
    }
    // The business start and the carried opening must make sense whenever
    // they are stored: the file reader refuses a register that holds one
    // that does not.
    return extendedCheck();
}

// ---- Registration and prompts ----

void EntryCardModel::registerPage() {
    SetData();
    // Whatever way a page reaches the register, closing must offer to save it.
    registeredInSession = true;
    if (state_.currentRecord > state_.recordCount) {
        ++state_.recordCount;
        setPageLabel();
    }
}

bool EntryCardModel::changesPrompt() {
    if (!cardChanged) return true;
    if (ask(kMsgRegisterChanges, Buttons::YesNo) == Answer::Yes) {
        if (!dataCheck(true)) return false;
        registerPage();
        cardChanged = false;
    }
    return true;
}

bool EntryCardModel::discardPrompt(const char* title) {
    if (!isNewPage()) return true;
    if (ask(kMsgDiscardNewPage, Buttons::YesNo, title) != Answer::Yes) return false;
    cardChanged = false;
    return true;
}

void EntryCardModel::loadPage(int record) {
    Text3.text.clear();
    state_.currentRecord = static_cast<std::int16_t>(record);
    GetData();
    setPageLabel();
    moveFocus("txtName");
    cardChanged = false;
}

void EntryCardModel::openNewPage() {
    NewData();
    state_.currentRecord = static_cast<std::int16_t>(state_.recordCount + 1);
    setNewPageLabel();
    Combo1.listIndex = -1;
    moveFocus("txtName");
}

// ---- Buttons ----

void EntryCardModel::cmdRec_Click() {
    if (!pageCheck()) return;
    registerPage();
    cardChanged = false;
    registeredInSession = true;
}

void EntryCardModel::cmdFor_Click() {
    if (state_.currentRecord >= reg::kMaxRecords) return;
    if (!changesPrompt()) return;
    if (!pageCheck()) return;
    registerPage();
    cardChanged = false;
    registeredInSession = true;
    Text3.text.clear();
    if (state_.recordCount == state_.currentRecord) {
        openNewPage();
    } else if (state_.currentRecord < state_.recordCount) {
        ++state_.currentRecord;
        GetData();
        setPageLabel();
    }
    cardChanged = false;
    moveFocus("txtName");
}

void EntryCardModel::cmdFF_Click() {
    if (state_.currentRecord >= reg::kMaxRecords) return;
    if (lblNum.caption == std::string("1") + kNewPageSuffix) return;
    // An opened file without rows has no last page to go to.
    if (state_.recordCount < 1) return;
    if (!changesPrompt()) return;
    loadPage(state_.recordCount);
}

void EntryCardModel::cmdRew_Click() {
    if (state_.currentRecord <= 1) {
        say(kMsgFirstPage);
        return;
    }
    if (!discardPrompt(kTitlePreviousPage)) return;
    if (!changesPrompt()) return;
    loadPage(state_.currentRecord - 1);
}

void EntryCardModel::cmdRR_Click() {
    if (state_.currentRecord <= 1) return;
    if (!discardPrompt(platform::kProgramTitle)) return;
    if (!changesPrompt()) return;
    loadPage(1);
}

void EntryCardModel::Command1_Click() {
    if (state_.recordCount > reg::kMaxRecords - 1) return;
    // Edits of the page shown are offered for registration, as on every
    // other way off the page, rather than dropped without a word.
    if (!changesPrompt()) return;
    if (state_.recordCount > reg::kMaxRecords - 1) return;
    openNewPage();
}

void EntryCardModel::Command2_Click() {
    if (Form_Unload()) unloaded = true;
}

bool EntryCardModel::writeRegister(const std::string& path, const reg::AssetRegister& rows,
                                   int count) {
    try {
        reg::writeRegisterFile(path, rows, count);
        return true;
    } catch (const platform::WriteError&) {
        say(reg::kWriteFailedMessage);
        return false;
    }
}

void EntryCardModel::cmdCancel_Click() {
    if (ask(kMsgDelete, Buttons::OkCancel, kTitleDelete) != Answer::Ok) return;
    // The register without the page's row; a new page has no row to lose.
    reg::AssetRegister kept = state_.assetRegister;
    int keptCount = state_.recordCount;
    if (state_.currentRecord <= state_.recordCount) {
        for (int row = state_.currentRecord; row < state_.recordCount; ++row) {
            kept.row(row) = kept.row(row + 1);
        }
        --keptCount;
    }
    state_.chosenFilePath = state_.currentFilePath;
    // With no file in use the deletion stays in memory until the card
    // closes and offers to save; a failed write changes nothing.
    if (!state_.currentFilePath.empty() && !writeRegister(state_.chosenFilePath, kept, keptCount)) {
        return;
    }
    state_.assetRegister = std::move(kept);
    state_.recordCount = static_cast<std::int16_t>(keptCount);
    if (state_.recordCount == 0) {
        openNewPage();
        return;
    }
    state_.currentRecord = 1;
    GetData();
    cardChanged = false;
    setPageLabel();
    moveFocus("txtName");
}

bool EntryCardModel::Form_Unload() {
    if (unloaded) return true;
    bool editsDropped = false;
    if (cardChanged) {
        if (ask(kMsgRegisterChanges, Buttons::YesNo) == Answer::Yes) {
            const bool methodChosen =
                optGaku.value || optRitu.value || optToku.value || optSyou.value;
            if (lblRate.caption.empty() || !methodChosen) {
                say(kMsgNoMethod);
                return false;
            }
            if (!dataCheck(true)) return false;
            registerPage();
        } else {
            editsDropped = true;
        }
        cardChanged = false;
    }
    // A card that stays open keeps everything, the unregistered edits too.
    const auto stayOpen = [&] {
        if (editsDropped) cardChanged = true;
        return false;
    };
    const auto close = [&] {
        host_.showMain();
        unloaded = true;
        return true;
    };

    if (!state_.currentFilePath.empty()) {
        if (!writeRegister(state_.chosenFilePath, state_.assetRegister, state_.recordCount)) {
            return stayOpen();
        }
        host_.ReLoad();
        return close();
    }
    if (registeredInSession) {
        if (ask(kMsgSaveAsFile, Buttons::YesNo) != Answer::Yes) {
            host_.ReLoad2();
            return close();
        }
        platform::FileDialogOptions options;
        options.initialDir = platform::dialogStartFolder(state_.programFolder);
        options.filter = reg::kFileFilter;
        options.confirmOverwrite = true;
        const auto chosen = dialogs_.saveFile(options);
        if (!chosen || chosen->empty()) return stayOpen();
        if (!writeRegister(*chosen, state_.assetRegister, state_.recordCount)) return stayOpen();
        state_.currentFilePath = *chosen;
        state_.chosenFilePath = state_.currentFilePath;
        host_.registerSaved();
        host_.ReLoad();
        return close();
    }
    say(kMsgNothingRegistered);
    host_.ReLoad();
    registeredInSession = true;
    return close();
}

// ---- Conversion of old-format rows ----

void EntryCardModel::lockForConversion(bool locked) {
    for (platform::Control* b :
         {&cmdRR, &cmdRew, &cmdFor, &cmdFF, &Command1, &cmdRec, &cmdCancel}) {
        b->enabled = !locked;
    }
}

void EntryCardModel::Pageup() {
    if (state_.currentRecord >= state_.recordCount) return;
    const FromCode fromCode(*this);
    ++state_.currentRecord;
    setPageLabel();
    copyRowIntoCard();
}

void EntryCardModel::cmdConv_Click() {
    {
        const FromCode fromCode(*this);
        const int passes = state_.recordCount - state_.currentRecord + 1;
        for (int pass = 0; pass < passes; ++pass) {
            // Selecting the option again derives the date key, the rates and
            // the code under the rules of today; the three-year method has
            // nothing to derive.
            for (OptionButton* o : {&optGaku, &optRitu}) {
                if (o->value) {
                    o->value = false;
                    assign(*o, true);
                    break;
                }
            }
            SetData();
            Pageup();
        }
    }
    cardChanged = false;
    registeredInSession = true;
    say(kMsgConvertDone);
    lockForConversion(false);
    cmdConv.visible = false;
}

}  // namespace fenmark::card
