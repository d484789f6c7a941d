#include "card/life_dialog.h"

#include <algorithm>

#include "card/entry_card_text.h"

namespace fenmark::card {

using platform::Control;
using platform::TextBox;

LifeDialogModel::LifeDialogModel(const law::LifeTable& table, platform::Dialogs& dialogs,
                                 LifeRequest request)
    : table_(table), dialogs_(dialogs), request_(request) {}

std::vector<TextBox*> LifeDialogModel::textBoxes() {
    return {&txtFind, &txtUsedLife, &txtElapsedYears, &txtElapsedMonths};
}

std::vector<Control*> LifeDialogModel::labels() {
    return {&lblCapFind,    &lblCount,           &lblEntry,
            &lblRevision,   &lblCapUsedLife,     &lblCapUsedLifeUnit,
            &lblCapElapsed, &lblCapElapsedYears, &lblCapElapsedMonths,
            &lblUsed};
}

std::vector<Control*> LifeDialogModel::buttons() { return {&cmdChoose, &cmdUsed, &cmdClose}; }

const law::LifeEntry* LifeDialogModel::entryAt(int listIndex) const {
    if (listIndex < 0 || listIndex >= static_cast<int>(shown_.size())) return nullptr;
    return shown_[static_cast<std::size_t>(listIndex)];
}

void LifeDialogModel::say(const char* text) { dialogs_.message({text, kLifeDialogTitle}); }

// ---- What the user does ----

void LifeDialogModel::setText(std::string_view control, std::string text) {
    for (TextBox* box : textBoxes()) {
        if (box->name != control || !box->enabled || box->text == text) continue;
        box->text = std::move(text);
        if (box == &txtFind) {
            txtFind_Change();
        } else {
            updateUsed();
        }
        return;
    }
}

void LifeDialogModel::select(int listIndex) {
    if (entryAt(listIndex) == nullptr) listIndex = -1;
    lstEntries.listIndex = listIndex;
    lstEntries_Click();
}

void LifeDialogModel::activate(int listIndex) {
    select(listIndex);
    if (selectedEntry() != nullptr) cmdChoose_Click();
}

bool LifeDialogModel::click(std::string_view control) {
    using Handler = void (LifeDialogModel::*)();
    const std::pair<Control*, Handler> handlers[] = {
        {&cmdChoose, &LifeDialogModel::cmdChoose_Click},
        {&cmdUsed, &LifeDialogModel::cmdUsed_Click},
        {&cmdClose, &LifeDialogModel::cmdClose_Click},
    };
    for (const auto& [button, handler] : handlers) {
        if (button->name != control) continue;
        if (button->enabled && button->visible) (this->*handler)();
        return true;
    }
    return false;
}

// ---- Event procedures ----

void LifeDialogModel::Form_Load() {
    for (Control* c : {&lblCapUsedLife, &lblCapUsedLifeUnit, &lblCapElapsed, &lblCapElapsedYears,
                       &lblCapElapsedMonths, &cmdUsed, &fraUsed}) {
        c->enabled = request_.usedOffered;
    }
    for (TextBox* box : {&txtUsedLife, &txtElapsedYears, &txtElapsedMonths}) {
        box->enabled = request_.usedOffered;
    }
    txtFind_Change();
    updateUsed();
}

void LifeDialogModel::txtFind_Change() {
    const law::LifeEntry* kept = selectedEntry();
    shown_ = table_.search(txtFind.text);
    lstEntries.items.clear();
    lstEntries.items.reserve(shown_.size());
    for (const law::LifeEntry* entry : shown_) lstEntries.items.push_back(law::entryLine(*entry));
    lblCount.caption = std::to_string(shown_.size()) + "件";
    // The entry chosen stays chosen while the words still find it.
    const auto at = std::find(shown_.begin(), shown_.end(), kept);
    lstEntries.listIndex = at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
    if (lstEntries.listIndex < 0) lblEntry.caption.clear();
}

void LifeDialogModel::lstEntries_Click() {
    const law::LifeEntry* entry = selectedEntry();
    if (entry == nullptr) {
        lblEntry.caption.clear();
        updateUsed();
        return;
    }
    lblEntry.caption =
        entry->path() + "　" + std::to_string(entry->years) + "年（" + entry->id + "）";
    if (entry->toBeConfirmed) lblEntry.caption += std::string("\n") + kToBeConfirmedNote;
    // The statutory life of a used asset is the entry's, unless the user
    // types another.
    if (request_.usedOffered && entry->tangible()) {
        txtUsedLife.text = std::to_string(entry->years);
    }
    updateUsed();
}

std::optional<law::UsedAssetLife> LifeDialogModel::usedLife(const char*& refusal) const {
    refusal = nullptr;
    if (!request_.usedOffered) {
        refusal = kUsedNotOffered;
        return std::nullopt;
    }
    if (const law::LifeEntry* entry = selectedEntry(); entry != nullptr && !entry->tangible()) {
        refusal = kMsgUsedNotForEntry;
        return std::nullopt;
    }
    const auto life = detail::wholeNumber(txtUsedLife.text);
    if (!life || *life < law::kUsedLifeMin || *life > law::kUsedLifeMax) {
        refusal = kMsgUsedBadLife;
        return std::nullopt;
    }
    const auto years = txtElapsedYears.text.empty() ? std::optional<long long>(0)
                                                    : detail::wholeNumber(txtElapsedYears.text);
    const auto months = txtElapsedMonths.text.empty() ? std::optional<long long>(0)
                                                      : detail::wholeNumber(txtElapsedMonths.text);
    if (!years || !months || *months > 11 || *years * 12 + *months < 1 ||
        *years * 12 + *months > law::kElapsedMonthsMax) {
        refusal = kMsgUsedBadElapsed;
        return std::nullopt;
    }
    return law::usedAssetLife(static_cast<int>(*life), static_cast<int>(*years * 12 + *months));
}

void LifeDialogModel::updateUsed() {
    const char* refusal = nullptr;
    const auto used = usedLife(refusal);
    if (used) {
        lblUsed.caption = used->explanation;
    } else if (refusal == kUsedNotOffered || refusal == kMsgUsedNotForEntry) {
        lblUsed.caption = refusal;
    } else {
        // Boxes still being filled in are no fault yet.
        lblUsed.caption.clear();
    }
}

void LifeDialogModel::cmdChoose_Click() {
    const law::LifeEntry* entry = selectedEntry();
    if (entry == nullptr) {
        say(kMsgChooseEntry);
        return;
    }
    LifeChoice choice;
    choice.years = entry->years;
    choice.cardType = law::cardTypeFor(*entry);
    choice.note = std::string(kNoteFromTable) + entry->path() + "（" + entry->id + "）";
    if (entry->toBeConfirmed) choice.note += std::string("　") + law::kToBeConfirmed;
    chosen = std::move(choice);
    closeRequested = true;
}

void LifeDialogModel::cmdUsed_Click() {
    const char* refusal = nullptr;
    const auto used = usedLife(refusal);
    if (!used) {
        say(refusal);
        return;
    }
    LifeChoice choice;
    choice.years = used->life;
    const law::LifeEntry* entry = selectedEntry();
    choice.cardType = entry != nullptr ? law::cardTypeFor(*entry) : -1;
    choice.note = kNoteUsed + used->explanation;
    choice.used = true;
    chosen = std::move(choice);
    closeRequested = true;
}

void LifeDialogModel::cmdClose_Click() {
    chosen.reset();
    closeRequested = true;
}

}  // namespace fenmark::card
