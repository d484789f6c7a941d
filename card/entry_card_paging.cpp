// The entry card's buttons: the page check, registration, paging, new
// page, deletion, closing and the conversion of old-format rows.

#include <array>
#include <utility>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
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

    const auto failWith = [&](const Refusal& refusal, const char* focus) {
        say(refusal->c_str());
        moveFocus(focus);
        return false;
    };
    // The register file has no escape for a double quote, and holds only
    // what code page 932 can.
    if (auto r = nameRefusal(txtName.text)) return failWith(r, "txtName");
    if (auto r = priceRefusal(txtPrice.text, allowEmpty)) return failWith(r, "txtPrice");
    if (!allowEmpty && cboReki.listIndex < 0) return fail(kMsgNoEra, "cboReki");
    const Today today{currentYear, currentMonth};
    if (!txtYear.text.empty() && cboReki.listIndex >= 0) {
        if (auto r = acquisitionRefusal(cboReki.listIndex, txtYear.text, txtMonth.text, today)) {
            say(r->message.c_str());
            moveFocus(r->part == DatePart::month ? "Combo1" : "txtYear");
            return false;
        }
    } else if (!inRange(txtYear, 1, 99)) {
        return fail(kMsgBadYear, "txtYear");
    }
    // Quantity and business share are never optional: an empty quantity
    // would write the asset down to nothing instead of its memorandum value,
    // and an empty share would keep every year's expense off the return.
    if (auto r = quantityRefusal(txtSuu.text)) return failWith(r, "txtSuu");
    if (auto r = ratioRefusal(txtWari.text)) return failWith(r, "txtWari");
    if (auto r = lifeRefusal(txtTnen.text, allowEmpty)) return failWith(r, "txtTnen");
    if (txtTnen2.visible) {
        if (auto r = revisedLifeRefusal(txtTnen2.text)) return failWith(r, "txtTnen2");
    }
    if (txtZanwari.visible) {
        if (auto r = residualRefusal(txtZanwari.text)) return failWith(r, "txtZanwari");
    }
    if (txtGendo.visible) {
        if (auto r = limitRefusal(txtGendo.text)) return failWith(r, "txtGendo");
    }
    // The leaving: a date in the right order, a sale's price in whole yen.
    if (cboJyo.listIndex >= 1 && cboJyo.enabled) {
        const LeavingTexts leaving{cboJyo.listIndex == 2, cboJyoReki.listIndex, txtJyoYear.text,
                                   cboJyoMonth.listIndex + 1, txtJyoPrice.text};
        if (auto r = leavingRefusal(leaving, lblYmd.caption, txtMonth.text, today)) {
            say(r->message.c_str());
            moveFocus(r->part == LeavingPart::price ? "txtJyoPrice" : "txtJyoYear");
            return false;
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
    if (auto r = priceBelowQuantityRefusal(txtPrice.text, txtSuu.text)) {
        return failWith(r, "txtPrice");
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
        const reg::SaveReport saved = reg::writeRegisterFile(path, rows, count);
        if (saved.backupFailure) say(reg::kBackupFailedMessage);
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
