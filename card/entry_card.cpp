// The entry card's controls: the helpers of its source files, the control
// lists, what the user does, and the setters that run the change events.

#include "card/entry_card.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "card/entry_card_text.h"
#include "common/convert.h"
#include "common/number.h"
#include "common/text.h"
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
    return {&txtName,    &txtYear,     &txtMonth,   &txtDay,       &txtSuu,     &txtPrice,
            &txtTnen,    &txtTnen2,    &txtWari,    &txtZanwari,   &txtGendo,   &Text1,
            &Text2,      &Text3,       &Text5,      &Text6,        &txtJyoYear, &txtJyoPrice,
            &txtGyoYear, &txtKuriYear, &txtKuriZan, &txtKuriKaitei};
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
            &lblJyoNote,
            &lblCapGyo,
            &lblCapGyoYearUnit,
            &lblCapGyoMonthUnit,
            &lblCapGyoHint,
            &lblGyoNote,
            &lblCapKuriYear,
            &lblCapKuriYearUnit,
            &lblCapKuriZan,
            &lblCapKuriZanUnit,
            &lblCapKuriKaitei,
            &lblCapKuriKaiteiUnit,
            &lblKuriNote,
            &lblCapShisan,
            &lblShisanNote};
}

std::vector<ComboBox*> EntryCardModel::comboBoxes() {
    return {&cboBunrui,   &cboReki,    &Combo1,      &cboJyo,      &cboJyoReki,
            &cboJyoMonth, &cboGyoReki, &cboGyoMonth, &cboKuriReki, &cboShisan};
}

std::vector<OptionButton*> EntryCardModel::options() {
    return {&optGaku, &optRitu, &optToku, &optSyou};
}

std::vector<CheckBox*> EntryCardModel::checkBoxes() { return {&chkKuriCalc, &chkChuko}; }

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
    updateComputedNotes();
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
    } else {
        assign(*list, listIndex);
    }
    updateComputedNotes();
}

void EntryCardModel::clickOption(std::string_view control) {
    OptionButton* o = option(control);
    if (o == nullptr || !o->visible || !o->enabled) return;
    if (o->value) {
        // An option that stayed selected while its rate was emptied (a
        // second life typed) can be clicked again to derive the rate anew.
        if (lblRate.caption.empty()) runProcedure(*o);
    } else {
        assign(*o, true);
    }
    updateComputedNotes();
}

void EntryCardModel::setChecked(std::string_view control, bool value) {
    for (CheckBox* box : checkBoxes()) {
        if (box->name != control || !box->visible || !box->enabled) continue;
        assign(*box, value);
        updateComputedNotes();
    }
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
    updateComputedNotes();
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
    if (control == txtJyoPrice.name || control == txtKuriZan.name ||
        control == txtKuriKaitei.name) {
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
    if (&box != &txtPrice && &box != &txtJyoPrice && &box != &txtKuriZan &&
        &box != &txtKuriKaitei) {
        return true;
    }
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
    } else if (&box == &txtJyoYear || &box == &txtJyoPrice || &box == &txtGyoYear ||
               &box == &txtKuriYear || &box == &txtKuriZan || &box == &txtKuriKaitei) {
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
    } else if (&list == &cboShisan) {
        cboShisan_Click();
    } else if (&list == &cboJyoReki || &list == &cboJyoMonth || &list == &cboGyoReki ||
               &list == &cboGyoMonth || &list == &cboKuriReki) {
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

void EntryCardModel::assign(CheckBox& box, bool value) {
    if (box.value == value) return;
    box.value = value;
    if (&box == &chkKuriCalc) {
        chkKuriCalc_Click();
    } else if (&box == &chkChuko) {
        chkChuko_Click();
    }
}

void EntryCardModel::clearOptions() {
    for (OptionButton* o : options()) o->value = false;
    updateSections();
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

}  // namespace fenmark::card
