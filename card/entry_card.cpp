// The entry card's controls, their change events and the transfer between
// the card and its register row (GetData, SetData, NewData).

#include "card/entry_card.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "card/entry_card_text.h"
#include "common/convert.h"
#include "common/mask.h"
#include "common/number.h"
#include "common/text.h"
#include "law/era.h"
#include "law/rate_tables.h"
#include "platform/text_file.h"

namespace fenmark::card {

namespace detail {

std::string numberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<long long> wholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

int listPosition(std::string_view cell, int count) {
    const double position = common::roundHalfEven(common::leadingNumber(cell));
    if (!(position >= 0 && position < count)) return -1;
    return static_cast<int>(position);
}

}  // namespace detail

using detail::numberText;
using platform::Answer;
using platform::Buttons;
using platform::ComboBox;
using platform::Control;
using platform::TextBox;

EntryCardModel::EntryCardModel(reg::ProgramState& state, platform::Dialogs& dialogs,
                               EntryCardHost& host)
    : state_(state), dialogs_(dialogs), host_(host) {
    showSecondLife(false);
    showResidualAndLimit(false);
    cmdConv.visible = false;
    cmdLife.visible = false;
}

// ---- Control lists ----

std::vector<TextBox*> EntryCardModel::textBoxes() {
    return {&txtName, &txtYear,  &txtMonth, &txtDay,     &txtSuu,     &txtPrice,
            &txtTnen, &txtTnen2, &txtWari,  &txtZanwari, &txtGendo,   &Text1,
            &Text2,   &Text3,    &Text5,    &Text6,      &txtJyoYear, &txtJyoPrice};
}

std::vector<Control*> EntryCardModel::labels() {
    return {&lblCapName,
            &lblCapCode,
            &Label14,
            &lblCapType,
            &lblCapDate,
            &lblCapYearUnit,
            &lblCapMonthUnit,
            &lblCapWestern,
            &lblYmd,
            &lblCapWesternEnd,
            &lblCapSuu,
            &lblCapSuuUnit,
            &lblCapPrice,
            &lblCapPriceUnit,
            &lblCapGrouped,
            &Label24,
            &lblCapTnen,
            &lblCapTnenUnit,
            &lblCapRate,
            &lblRate,
            &lblTnenNote,
            &lblCapTnen2,
            &lblCapTnen2Unit,
            &lblCapRate2,
            &lblRate2,
            &lblCapWari,
            &lblCapWariUnit,
            &lblCapZanwari,
            &lblCapGendo,
            &lblNum,
            &lblCapJyo,
            &lblCapJyoYearUnit,
            &lblCapJyoMonthUnit,
            &lblCapJyoPrice,
            &lblCapJyoPriceUnit,
            &lblJyoNote};
}

std::vector<ComboBox*> EntryCardModel::comboBoxes() {
    return {&cboBunrui, &cboReki, &Combo1, &cboJyo, &cboJyoReki, &cboJyoMonth};
}

std::vector<OptionButton*> EntryCardModel::options() {
    return {&optGaku, &optRitu, &optToku, &optSyou};
}

std::vector<Control*> EntryCardModel::buttons() {
    return {&cmdRR,  &cmdRew,    &cmdFor,  &cmdFF,    &Command1,
            &cmdRec, &cmdCancel, &cmdConv, &Command2, &cmdLife};
}

TextBox* EntryCardModel::textBox(std::string_view name) {
    for (TextBox* box : textBoxes()) {
        if (box->name == name) return box;
    }
    return nullptr;
}

ComboBox* EntryCardModel::comboBox(std::string_view name) {
    for (ComboBox* list : comboBoxes()) {
        if (list->name == name) return list;
    }
    return nullptr;
}

OptionButton* EntryCardModel::option(std::string_view name) {
    for (OptionButton* o : options()) {
        if (o->name == name) return o;
    }
    return nullptr;
}

Control* EntryCardModel::button(std::string_view name) {
    for (Control* b : buttons()) {
        if (b->name == name) return b;
    }
    return nullptr;
}

// ---- What the user does ----

void EntryCardModel::setText(std::string_view control, std::string text) {
    TextBox* box = textBox(control);
    // The hidden boxes are the card's own working fields.
    if (box == nullptr || !box->visible || !box->enabled) return;
    if (!editAccepted(*box, text)) return;
    assign(*box, std::move(text));
}

void EntryCardModel::select(std::string_view control, int listIndex) {
    ComboBox* list = comboBox(control);
    if (list == nullptr || !list->visible || !list->enabled) return;
    if (listIndex < -1 || listIndex >= static_cast<int>(list->items.size())) listIndex = -1;
    if (list == &cboBunrui) {
        // Choosing a type runs its click event even when it is the type shown:
        // opening the list has undone what the type had settled.
        cboBunrui.listIndex = listIndex;
        cboBunrui_Click();
        return;
    }
    assign(*list, listIndex);
}

void EntryCardModel::clickOption(std::string_view control) {
    OptionButton* o = option(control);
    if (o == nullptr || !o->visible || !o->enabled) return;
    if (o->value) {
        // An option that stayed selected while its rate was emptied (a
        // second life typed) can be clicked again to derive the rate anew.
        if (lblRate.caption.empty()) runProcedure(*o);
        return;
    }
    assign(*o, true);
}

void EntryCardModel::lostFocus(std::string_view control) {
    if (control == "Combo1") {
        Combo1_LostFocus();
    } else if (control == "cboBunrui") {
        cboBunrui_LostFocus();
    } else if (control == "txtYear") {
        txtYear_LostFocus();
    } else if (control == "txtTnen2") {
        txtTnen2_LostFocus();
    }
}

void EntryCardModel::gotFocus(std::string_view control) { focusedControl = std::string(control); }

bool EntryCardModel::keysAccepted(std::int16_t (EntryCardModel::*filter)(std::int16_t) const,
                                  std::string_view typed) const {
    const std::size_t count = common::charCount(typed);
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string ch = common::midChars(typed, i, 1);
        // Delete edits the box; it is not a character typed into it.
        if (ch == "\x7f") continue;
        std::string bytes;
        try {
            bytes = platform::utf8ToCp932(ch);
        } catch (const platform::WriteError&) {
            return false;
        }
        // The key code as the program sees it: a byte, or a double-byte
        // character as one signed 16-bit number.
        std::int16_t code = 0;
        if (bytes.size() == 1) {
            code = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]));
        } else if (bytes.size() == 2) {
            const auto high = static_cast<unsigned char>(bytes[0]);
            const auto low = static_cast<unsigned char>(bytes[1]);
            code = static_cast<std::int16_t>(static_cast<std::uint16_t>(high << 8 | low));
        } else {
            return false;
        }
        if ((this->*filter)(code) == 0) return false;
    }
    return true;
}

bool EntryCardModel::priceKeyAccepted(std::string_view typed) const {
    return keysAccepted(&EntryCardModel::txtPrice_KeyPress, typed);
}

bool EntryCardModel::keyAccepted(std::string_view control, std::string_view typed) const {
    if (control == txtPrice.name) return keysAccepted(&EntryCardModel::txtPrice_KeyPress, typed);
    if (control == txtJyoPrice.name) {
        return keysAccepted(&EntryCardModel::txtJyoPrice_KeyPress, typed);
    }
    return true;
}

namespace {

std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> out;
    const std::size_t count = common::charCount(text);
    out.reserve(count);
    for (std::size_t i = 1; i <= count; ++i) out.push_back(common::midChars(text, i, 1));
    return out;
}

// The edit only took characters out: `after` is `before` with some of its
// characters left out.
bool removesOnly(std::string_view before, std::string_view after) {
    const std::vector<std::string> was = characters(before);
    std::size_t at = 0;
    for (const std::string& ch : characters(after)) {
        while (at < was.size() && was[at] != ch) ++at;
        if (at == was.size()) return false;
        ++at;
    }
    return true;
}

}  // namespace

bool EntryCardModel::editAccepted(const TextBox& box, std::string_view text) const {
    if (&box != &txtPrice && &box != &txtJyoPrice) return true;
    // Taking characters out brings none in: a box filled from the register
    // with a character the filter drops can still be mended.
    if (removesOnly(box.text, text)) return true;
    // A pasted or composed text passes the key filter as if typed. Editing
    // keys are no characters of a box, and the filter's pass for
    // double-byte keys is for the input method's keys, not for full-width
    // digits the page check would refuse.
    for (const std::string& ch : characters(text)) {
        const auto first = static_cast<unsigned char>(ch[0]);
        if (ch.size() > 1 || first < 32 || first == 0x7f) return false;
    }
    return keyAccepted(box.name, text);
}

// ---- Setters and shared field rules ----

void EntryCardModel::markChanged() {
    if (!fromCode()) cardChanged = true;
}

void EntryCardModel::say(const char* text, const char* title) {
    dialogs_.message({text, title, Buttons::Ok});
}

Answer EntryCardModel::ask(const char* text, Buttons buttons, const char* title) {
    return dialogs_.message({text, title, buttons});
}

void EntryCardModel::moveFocus(std::string control) {
    focusedControl = std::move(control);
    ++focusRequests;
}

void EntryCardModel::assign(TextBox& box, std::string text) {
    if (box.text == text) return;
    box.text = std::move(text);
    if (&box == &txtName) {
        txtName_Change();
    } else if (&box == &txtYear) {
        txtYear_Change();
    } else if (&box == &txtMonth) {
        txtMonth_Change();
    } else if (&box == &txtPrice) {
        txtPrice_Change();
    } else if (&box == &txtTnen) {
        txtTnen_Change();
    } else if (&box == &txtTnen2) {
        txtTnen2_Change();
    } else if (&box == &txtSuu) {
        txtSuu_Change();
    } else if (&box == &txtWari) {
        txtWari_Change();
    } else if (&box == &txtZanwari) {
        txtZanwari_Change();
    } else if (&box == &txtGendo) {
        txtGendo_Change();
    } else if (&box == &Text6) {
        Text6_Change();
    } else if (&box == &txtJyoYear || &box == &txtJyoPrice) {
        markChanged();
    }
}

void EntryCardModel::assign(ComboBox& list, int listIndex) {
    if (listIndex < -1 || listIndex >= static_cast<int>(list.items.size())) listIndex = -1;
    if (list.listIndex == listIndex) return;
    list.listIndex = listIndex;
    if (&list == &cboReki) {
        cboReki_Change();
    } else if (&list == &Combo1) {
        Combo1_Click();
    } else if (&list == &cboBunrui) {
        cboBunrui_Click();
    } else if (&list == &cboJyo) {
        cboJyo_Click();
    } else if (&list == &cboJyoReki || &list == &cboJyoMonth) {
        markChanged();
    }
}

void EntryCardModel::assign(OptionButton& opt, bool value) {
    if (!value) {
        opt.value = false;
        return;
    }
    if (opt.value) return;
    for (OptionButton* o : options()) o->value = o == &opt;
    runProcedure(opt);
}

void EntryCardModel::clearOptions() {
    for (OptionButton* o : options()) o->value = false;
    updateLeavingSection();
}

void EntryCardModel::showSecondLife(bool shown) {
    lblCapTnen2.enabled = shown;
    lblCapTnen2Unit.enabled = shown;
    lblCapRate2.enabled = shown;
    lblRate2.visible = shown;
    txtTnen2.visible = shown;
}

void EntryCardModel::showResidualAndLimit(bool shown) {
    lblCapZanwari.visible = shown;
    lblCapGendo.visible = shown;
    txtZanwari.visible = shown;
    txtGendo.visible = shown;
}

void EntryCardModel::hideAndEmptyResidualAndLimit() {
    showResidualAndLimit(false);
    assign(txtZanwari, "");
    assign(txtGendo, "");
}

bool EntryCardModel::straightLineOnlyType() const { return typeIndex() == 9 || typeIndex() == 10; }

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

std::int16_t EntryCardModel::txtJyoPrice_KeyPress(std::int16_t keyAscii) const {
    // A sale price is whole yen: no sign, separator or full-width digit,
    // which the page check would refuse after the user had typed them.
    if ((keyAscii >= 0 && keyAscii < 32) || (keyAscii >= 48 && keyAscii <= 57)) return keyAscii;
    return 0;
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
    cboJyo.items = {"", "除却", "売却"};
    cboJyoReki.items = cboReki.items;
    cboJyoMonth.items = Combo1.items;
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
    const auto date = law::eraDateOf(common::leadingNumber(cell(reg::eraCode)), cell(reg::eraYear),
                                     cell(reg::acquisitionMonth));
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
    assign(cboJyo, cell(reg::disposalKind) == "除却"   ? 1
                   : cell(reg::disposalKind) == "売却" ? 2
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
    updateLeavingSection();

    const double type = common::leadingNumber(cell(reg::typeCode));
    const double western = common::leadingNumber(cell(reg::westernYear));
    if (type != 0 || western > 1998) {
        if (type >= 9) showResidualAndLimit(true);
    } else {
        showSecondLife(true);
    }
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
    const int row = state_.currentRecord;
    const auto put = [&](reg::Column column, std::string text) {
        state_.assetRegister.at(row, column) = std::move(text);
    };
    put(reg::assetName, txtName.text);
    put(reg::assetCode, Label14.caption);
    // A page registered without an edit keeps its stored era, so that a
    // register of an older version is written back as it was; an edited
    // page is stored in the era of its date, as the card shows it.
    const reg::Row& stored = state_.assetRegister.row(row);
    const auto storedDate =
        law::eraDateOf(common::leadingNumber(stored[reg::eraCode - 1]), stored[reg::eraYear - 1],
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
}

bool EntryCardModel::leavingMonth(int& year, int& month) const {
    const auto y = detail::wholeNumber(txtJyoYear.text);
    if (!y || cboJyoReki.listIndex < 0 || cboJyoMonth.listIndex < 0) return false;
    year = static_cast<int>(
        law::westernYear(static_cast<law::Era>(cboJyoReki.listIndex), static_cast<double>(*y)));
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
    updateLeavingSection();
}

}  // namespace fenmark::card
