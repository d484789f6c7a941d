// The entry card's sections for an asset's past: the month business use
// began (a private asset put to business use), the opening carried in from
// last year's return, and what the program computes for both.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
#include "card/entry_card_text.h"
#include "law/era.h"
#include "law/private_use.h"
#include "register/extended_columns.h"
#include "schedule/schedule.h"

namespace fenmark::card {

namespace {

// The last year of each era (昭和64, 平成31; 令和 goes on).
int lastYearOf(int era) { return era == 0 ? 64 : era == 1 ? 31 : 99; }

// "1,234,567"; a difference below zero keeps its sign ("−2").
std::string yenText(std::int64_t amount) {
    const std::string digits = std::to_string(amount < 0 ? -amount : amount);
    std::string grouped = amount < 0 ? "−" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

std::optional<std::string> EntryCardModel::carriedYearText() const {
    if (txtKuriYear.text.empty()) return std::string();
    const auto year = detail::wholeNumber(txtKuriYear.text);
    const int era = cboKuriReki.listIndex;
    if (!year || era < 0 || *year < 1 || *year > lastYearOf(era)) return std::nullopt;
    return std::to_string(law::westernYear(static_cast<law::Era>(era), static_cast<int>(*year)));
}

std::optional<std::string> EntryCardModel::businessStartText() const {
    if (txtGyoYear.text.empty() && cboGyoMonth.listIndex < 0) return std::string();
    const auto year = detail::wholeNumber(txtGyoYear.text);
    const int era = cboGyoReki.listIndex;
    const int month = cboGyoMonth.listIndex + 1;
    if (!year || era < 0 || month < 1 || *year < 1 || *year > lastYearOf(era)) return std::nullopt;
    const auto eraYear = static_cast<int>(*year);
    const auto e = static_cast<law::Era>(era);
    if (month > law::lastMonthOf(e, eraYear) || month < law::firstMonthOf(e, eraYear)) {
        return std::nullopt;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", law::westernYear(e, eraYear), month);
    return std::string(text);
}

void EntryCardModel::chkKuriCalc_Click() { markChanged(); }

void EntryCardModel::updateSections() {
    updateLeavingSection();
    // Only a 新定率法 asset has a 改定取得価額: the declining balance of the
    // 2007 rules, which the option gives for acquisitions from April 2007.
    txtKuriKaitei.enabled = optRitu.value && methodCode() == "4";
    lblCapKuriKaitei.enabled = txtKuriKaitei.enabled;
    lblCapKuriKaiteiUnit.enabled = txtKuriKaitei.enabled;
}

void EntryCardModel::updateComputedNotes() {
    updateMunicipalKind();
    lblGyoNote.caption.clear();
    lblKuriNote.caption.clear();
    const reg::Row row = pageRow();
    const auto cell = [&row](reg::Column column) -> const std::string& {
        return row[static_cast<std::size_t>(column - 1)];
    };
    // Rounded up, as long as the card does not know the user's choice.
    constexpr std::int16_t rounding = 0;

    // What the private years took, once the facts it depends on are there.
    try {
        if (const auto conversion = schedule::conversionOf(row, rounding)) {
            const law::PrivateUseLoss& loss = conversion->loss;
            lblGyoNote.caption = std::string(kPrivateLossLead) + loss.text() + kConvertedBookLead +
                                 yenText(loss.bookValue()) + kYen;
        }
    } catch (const common::OverflowError&) {
        // Not yet computable (a half-typed page); 登録 says what is wrong.
    }

    // The filed opening against the program's own figure for the same date.
    const bool methodChosen = optGaku.value || optRitu.value || optToku.value || optSyou.value;
    if (!methodChosen || lblRate.caption.empty() || cell(reg::carriedYear).empty()) return;
    schedule::Options options;
    const auto closing = detail::wholeNumber(state_.closingMonth);
    options.closingMonth =
        closing && *closing >= 1 && *closing <= 12 ? static_cast<std::int16_t>(*closing) : 12;
    options.roundingFlag = rounding;
    options.currentYear = currentYear;
    try {
        const schedule::Schedule s = schedule::computeSchedule(row, options);
        if (!s.carried || !s.carried->computedBookValue) return;
        const std::int64_t difference = *s.carried->difference();
        std::string text = kComputedBookLead + yenText(*s.carried->computedBookValue) + kYen;
        if (difference == 0) {
            text += kCarriedAgrees;
        } else {
            text += kCarriedDifferenceLead + yenText(difference) + kYen + kCarriedDifferenceNote;
        }
        lblKuriNote.caption = std::move(text);
    } catch (const std::exception&) {
        // A page the schedule cannot be computed for yet (a half-typed date,
        // an absurd cost) shows no figures; 登録 says what is wrong.
    }
}

bool EntryCardModel::extendedCheck() {
    const auto fail = [&](const std::string& message, const char* focus) {
        say(message.c_str());
        moveFocus(focus);
        return false;
    };
    const auto start = businessStartText();
    if (!start) return fail(kMsgBadBusinessStart, "txtGyoYear");
    const auto year = carriedYearText();
    if (!year) return fail(kMsgBadCarriedYear, "txtKuriYear");

    const reg::Row row = pageRow();
    const auto cell = [&row](reg::Column column) -> std::string_view {
        return row[static_cast<std::size_t>(column - 1)];
    };
    const AssetTexts asset{cell(reg::methodCode), cell(reg::westernYear),
                           cell(reg::acquisitionMonth), cell(reg::acquisitionCost),
                           cell(reg::quantity)};
    const Today today{currentYear, currentMonth};
    const std::string& book = txtKuriZan.text;
    const std::string revised = txtKuriKaitei.enabled ? txtKuriKaitei.text : std::string();
    const std::string storedYear =
        state_.currentRecord <= state_.recordCount
            ? state_.assetRegister.at(state_.currentRecord, reg::carriedYear)
            : std::string();

    if (auto refusal = businessStartRefusal(asset, *start, today)) {
        return fail(*refusal, "txtGyoYear");
    }
    if (auto refusal = carriedPairRefusal(*year, book, revised)) {
        return fail(*refusal, year->empty() ? "txtKuriYear" : "txtKuriZan");
    }
    if (auto refusal = carriedYearRefusal(asset, *year, *start, storedYear, today)) {
        return fail(*refusal, "txtKuriYear");
    }
    if (auto refusal = carriedBookValueRefusal(asset, book)) return fail(*refusal, "txtKuriZan");
    if (auto refusal = revisedBaseRefusal(asset, revised, book)) {
        return fail(*refusal, "txtKuriKaitei");
    }
    return true;
}

}  // namespace fenmark::card
