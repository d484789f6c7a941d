// The entry card's method and rate choice: the date key, the asset code's
// two forms, the three method procedures and the method code.

#include <span>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
#include "card/entry_card_text.h"
#include "common/mask.h"
#include "common/number.h"
#include "common/text.h"
#include "law/rate_tables.h"
#include "law/small_assets.h"

namespace fenmark::card {

namespace {

// Acquisitions from April 2007 take the 2007 rules, from April 2012 the
// 2012 rules for declining balance.
constexpr double kRules2007 = 200714;
constexpr double kRules2012 = 201214;
// Buildings from April 1998 and attached facilities from April 2016 may
// only be depreciated by straight line.
constexpr double kBuildingStraightOnly = 199814;
constexpr double kFacilityStraightOnly = 201614;

// The twelve characters a declining-balance entry of the 2012 table gives
// the register: the revised rate, then the guarantee rate written with its
// leading zero, as the 2007 table gives them. Life 2 has neither.
std::string rates2012(std::string_view entry) {
    const std::string guarantee = common::rightChars(entry, 6);
    if (guarantee.empty() || guarantee.front() == '-') return std::string(12, '-');
    return law::sixToTen(entry) + "0" + guarantee;
}

}  // namespace

double EntryCardModel::dateKey() const { return common::leadingNumber(Text6.text); }

void EntryCardModel::computeDateKey() {
    monthKey = static_cast<std::int16_t>(Combo1.listIndex + 11);
    assign(Text6, lblYmd.caption + std::to_string(monthKey));
}

std::string EntryCardModel::shortAssetCode() const {
    const std::string yearMonth = detail::numberText(dateKey() - 10);
    return common::formatText(common::rightChars(yearMonth, 4), common::kMaskYear) + "-" +
           std::to_string(typeIndex());
}

std::string EntryCardModel::longAssetCode() const {
    return common::formatText(detail::numberText(dateKey() - 10), common::kMaskYearMonth) + "-" +
           std::to_string(typeIndex());
}

std::string EntryCardModel::methodCode() const {
    if (optGaku.value) {
        if (typeIndex() >= 9) return "5";
        return dateKey() >= kRules2007 ? "3" : "1";
    }
    if (optRitu.value) return dateKey() >= kRules2007 ? "4" : "0";
    if (optSyou.value) return "6";
    return "2";
}

void EntryCardModel::runProcedure(const OptionButton& opt) {
    if (&opt == &optGaku) {
        optGaku_Click();
    } else if (&opt == &optRitu) {
        optRitu_Click();
    } else if (&opt == &optToku) {
        optToku_Click();
    } else if (&opt == &optSyou) {
        optSyou_Click();
    }
    updateSections();
}

void EntryCardModel::rederiveMethod() {
    for (OptionButton* o : options()) {
        if (o->value) {
            o->value = false;
            assign(*o, true);
            return;
        }
    }
}

void EntryCardModel::refuseOption(OptionButton& opt, const char* message, std::string focus) {
    say(message);
    opt.value = false;
    moveFocus(std::move(focus));
}

bool EntryCardModel::sharedMethodChecks(OptionButton& clicked) {
    struct Check {
        const platform::TextBox& box;
        const char* message;
        const char* focus;
    };
    const Check checks[] = {
        {txtName, kMsgNoName, "txtName"},  {txtYear, kMsgNoYear, "txtYear"},
        {txtMonth, kMsgNoMonth, "Combo1"}, {txtPrice, kMsgNoPrice, "txtPrice"},
        {txtTnen, kMsgNoLife, "txtTnen"},
    };
    for (const Check& check : checks) {
        if (check.box.text.empty()) {
            refuseOption(clicked, check.message, check.focus);
            return false;
        }
    }
    return true;
}

namespace {

// A life the table has an entry for, written as a whole number.
bool lifeInTable(std::span<const std::string_view> table, const std::string& life) {
    return detail::wholeNumber(life).has_value() && !law::lookupEntry(table, life).empty();
}

// The table a straight-line life is looked up in.
std::span<const std::string_view> straightLineTable(double dateKey, bool straightOnlyType) {
    return dateKey < kRules2007 || straightOnlyType ? law::oldRateTable() : law::rateTable2007();
}

}  // namespace

bool EntryCardModel::decliningNotAllowed() const {
    const double key = dateKey();
    return (typeIndex() == 0 && key >= kBuildingStraightOnly) ||
           (typeIndex() == 1 && key >= kFacilityStraightOnly) || straightLineOnlyType();
}

void EntryCardModel::optGaku_Click() {
    computeDateKey();
    if (!sharedMethodChecks(optGaku)) return;
    const bool oldTable = dateKey() < kRules2007 || straightLineOnlyType();
    const auto table = oldTable ? law::oldRateTable() : law::rateTable2007();
    if (!lifeInTable(table, txtTnen.text)) {
        refuseOption(optGaku, kMsgBadLife, "txtTnen");
        return;
    }
    if (oldTable) {
        Text1.text = law::lookupEntry(table, txtTnen.text);
        Text2.text = law::lookupEntry(table, txtTnen2.text);
        lblRate.caption = law::firstFive(Text1.text);
        lblRate2.caption = law::firstFive(Text2.text);
    } else {
        Text1.text = law::lookupEntry(table, txtTnen.text);
        showResidualAndLimit(false);
        lblRate.caption = law::firstFive(Text1.text);
    }
    Label14.caption = longAssetCode();
    Text3.text.clear();
    markChanged();
}

void EntryCardModel::optRitu_Click() {
    computeDateKey();
    if (!sharedMethodChecks(optRitu)) return;
    // Stored records keep the method they were registered with.
    if (!fromCode() && decliningNotAllowed()) {
        refuseOption(optRitu, kMsgDecliningNotAllowed, "fraMeth");
        return;
    }
    const double key = dateKey();
    const auto table = key >= kRules2012   ? law::rateTable2012()
                       : key >= kRules2007 ? law::rateTable2007()
                                           : law::oldRateTable();
    if (!lifeInTable(table, txtTnen.text)) {
        refuseOption(optRitu, kMsgBadLife, "txtTnen");
        return;
    }
    Text1.text = law::lookupEntry(table, txtTnen.text);
    if (key >= kRules2012) {
        // The 2012 table carries no declining-balance rate: the 200 % rate
        // comes from its own list, and the revised and guarantee rates go
        // to the register in the 2007 layout the schedule reads.
        showResidualAndLimit(false);
        lblRate.caption = law::doubleDecliningRate(txtTnen.text);
        Text3.text = rates2012(Text1.text);
        lblRate2.caption.clear();
    } else if (key >= kRules2007) {
        showResidualAndLimit(false);
        lblRate.caption = law::sixToTen(Text1.text);
        Text3.text = law::lastTwelve(Text1.text);
        lblRate2.caption.clear();
    } else {
        Text2.text = law::lookupEntry(table, txtTnen2.text);
        lblRate.caption = law::lastFive(Text1.text);
        lblRate2.caption = law::lastFive(Text2.text);
        // Old declining balance ends at the residual value, never at a
        // memorandum value: no revised or guarantee rate.
        Text3.text.clear();
    }
    Label14.caption = longAssetCode();
    markChanged();
}

double EntryCardModel::unitPrice() const { return unitPriceOf(txtPrice.text, txtSuu.text); }

void EntryCardModel::optToku_Click() {
    computeDateKey();
    if (txtTnen.text.empty()) {
        refuseOption(optToku, kMsgNoLife, "txtTnen");
        return;
    }
    if (txtMonth.text.empty()) {
        refuseOption(optToku, kMsgNoMonth, "Combo1");
        return;
    }
    if (txtPrice.text.empty()) {
        refuseOption(optToku, kMsgNoPrice, "txtPrice");
        return;
    }
    // The price may be right and the method wrong: the price stays, so that
    // another method can be chosen for it.
    if (const char* refusal = lumpSumRefusal()) {
        refuseOption(optToku, refusal, "txtPrice");
        return;
    }
    // From 平成11 on, 令和 included.
    if (cboReki.listIndex < 1 || cboReki.listIndex > 2 ||
        (cboReki.listIndex == 1 && common::leadingNumber(txtYear.text) <= 10)) {
        refuseOption(optToku, kMsgFromHeisei11, "txtYear");
        assign(txtYear, "");
        return;
    }
    // Setting the life runs its change event, which clears the options; the
    // three-year method stays chosen all the same.
    assign(txtTnen, "3");
    lblRate.caption = kThreeYearRate;
    for (OptionButton* o : options()) o->value = o == &optToku;
    Label14.caption = longAssetCode();
    Text3.text.clear();
    markChanged();
}

const char* EntryCardModel::lumpSumRefusal() const { return card::lumpSumRefusal(unitPrice()); }

const char* EntryCardModel::smallAssetRefusal() const {
    return card::smallAssetRefusal(dateKey(), unitPrice());
}

MethodResult methodRates(MethodChoice choice, int type, double dateKey, std::string_view life,
                         double unitPrice) {
    const auto refuse = [](const char* message) { return MethodResult{std::nullopt, message}; };
    const std::string lifeText(life);
    const bool straightOnlyType = type == 9 || type == 10;
    switch (choice) {
        case MethodChoice::threeYear:
            if (const char* refusal = card::lumpSumRefusal(unitPrice)) return refuse(refusal);
            return {MethodRates{"2", "3", kThreeYearRate, ""}, {}};
        case MethodChoice::smallAsset:
            if (const char* refusal = card::smallAssetRefusal(dateKey, unitPrice)) {
                return refuse(refusal);
            }
            if (!lifeInTable(straightLineTable(dateKey, false), lifeText)) {
                return refuse(kMsgBadLife);
            }
            return {MethodRates{"6", lifeText, kSmallAssetRate, ""}, {}};
        case MethodChoice::straightLine: {
            const auto table = straightLineTable(dateKey, straightOnlyType);
            if (!lifeInTable(table, lifeText)) return refuse(kMsgBadLife);
            const std::string code = type >= 9 ? "5" : dateKey >= kRules2007 ? "3" : "1";
            return {
                MethodRates{code, lifeText, law::firstFive(law::lookupEntry(table, lifeText)), ""},
                {}};
        }
        case MethodChoice::decliningBalance: {
            if ((type == 0 && dateKey >= kBuildingStraightOnly) ||
                (type == 1 && dateKey >= kFacilityStraightOnly) || straightOnlyType) {
                return refuse(kMsgDecliningNotAllowed);
            }
            const auto table = dateKey >= kRules2012   ? law::rateTable2012()
                               : dateKey >= kRules2007 ? law::rateTable2007()
                                                       : law::oldRateTable();
            if (!lifeInTable(table, lifeText)) return refuse(kMsgBadLife);
            const std::string entry = law::lookupEntry(table, lifeText);
            if (dateKey >= kRules2012) {
                return {MethodRates{"4", lifeText, law::doubleDecliningRate(lifeText),
                                    rates2012(entry)},
                        {}};
            }
            if (dateKey >= kRules2007) {
                return {MethodRates{"4", lifeText, law::sixToTen(entry), law::lastTwelve(entry)},
                        {}};
            }
            return {MethodRates{"0", lifeText, law::lastFive(entry), ""}, {}};
        }
    }
    return refuse(kMsgNoMethod);
}

void EntryCardModel::optSyou_Click() {
    computeDateKey();
    if (txtYear.text.empty()) {
        refuseOption(optSyou, kMsgNoYear, "txtYear");
        return;
    }
    if (txtMonth.text.empty()) {
        refuseOption(optSyou, kMsgNoMonth, "Combo1");
        return;
    }
    if (txtPrice.text.empty()) {
        refuseOption(optSyou, kMsgNoPrice, "txtPrice");
        return;
    }
    // The whole cost is an expense of the year, whatever the life; the
    // municipal return still values the asset by its statutory life, which
    // is asked for as for straight line. Stored records keep theirs (older
    // versions stored 1): 登録 asks for a missing one.
    if (!fromCode() && txtTnen.text.empty()) {
        refuseOption(optSyou, kMsgNoLife, "txtTnen");
        return;
    }
    if (const char* refusal = smallAssetRefusal()) {
        refuseOption(optSyou, refusal, "txtPrice");
        return;
    }
    if (!fromCode() && !lifeInTable(straightLineTable(dateKey(), false), txtTnen.text)) {
        refuseOption(optSyou, kMsgBadLife, "txtTnen");
        return;
    }
    lblRate.caption = kSmallAssetRate;
    Label14.caption = longAssetCode();
    Text3.text.clear();
    markChanged();
}

}  // namespace fenmark::card
