// The municipal return's window: the boxes, "表示", what the tables and
// lines then show, printing and closing. The return itself is
// municipal_return.cpp.

#include "yearend/municipal_window.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/convert.h"
#include "common/number.h"
#include "register/csv_text.h"
#include "yearend/municipal_print.h"

namespace fenmark::yearend {

namespace {

constexpr std::array<const char*, kMunicipalColumns> kHeadings = {
    "No.",      "資産の種類", "資産の名称等", "数量",   "取得\n元号", "取得\n年", "取得\n月",
    "取得価額", "耐用年数",   "減価残存率",   "評価額", "課税標準額", "増加事由", "摘要"};

constexpr std::array<const char*, kKindColumns> kKindHeadings = {"資産の種類",
                                                                 "(イ) 前年前に\n取得したもの",
                                                                 "(ロ) 前年中に\n減少したもの",
                                                                 "(ハ) 前年中に\n取得したもの",
                                                                 "(ニ) 計\n(イ)−(ロ)＋(ハ)",
                                                                 "評価額"};

constexpr std::array<const char*, 3> kExcludedHeadings = {"No.", "資産の名称等", "申告しない理由"};

// The warnings listed one to a line; the rest are counted.
constexpr std::size_t kListedWarnings = 5;

// Digits and the point as typed with a Japanese input method become the
// ASCII ones the number reader takes; blanks at either end go.
std::string halfWidth(std::string_view text) { return reg::trimmed(reg::asciiDigits(text)); }

// The era and year of a month: the era in force then, 1 January 1989
// still 昭和.
struct EraMonth {
    law::Era era;
    int eraYear;
};
EraMonth eraMonth(int year, int month) {
    const law::Era era = law::eraOfMonth(year, month, law::Era::Showa);
    return {era, law::eraYearOf(era, year)};
}

std::string monthText(int year, int month) {
    const EraMonth e = eraMonth(year, month);
    return std::string(law::eraName(e.era)) + law::eraYearText(e.eraYear) + "年" +
           std::to_string(month) + "月";
}

std::string residualText(int thousandths) {
    std::string digits = std::to_string(thousandths % 1000);
    digits.insert(0, 3 - digits.size(), '0');
    return std::to_string(thousandths / 1000) + "." + digits;
}

void setRowColor(platform::Grid& grid, int row, platform::Rgb color) {
    for (int c = 0; c < grid.cols(); ++c) {
        grid.setRow(row);
        grid.setCol(c);
        grid.setCurrentBackColor(color);
    }
}

void setHeadings(platform::Grid& grid, const auto& headings) {
    for (std::size_t c = 0; c < headings.size(); ++c) {
        grid.setText(0, static_cast<int>(c), headings[c]);
    }
}

}  // namespace

const char* municipalHeading(int column) { return kHeadings.at(static_cast<std::size_t>(column)); }

const char* kindHeading(int column) { return kKindHeadings.at(static_cast<std::size_t>(column)); }

std::string yenText(std::int64_t amount) {
    const bool negative = amount < 0;
    // The magnitude as unsigned, so that the most negative value has one.
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(amount) + 1 : static_cast<std::uint64_t>(amount);
    std::string digits;
    int n = 0;
    do {
        if (n > 0 && n % 3 == 0) digits.push_back(',');
        digits.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++n;
    } while (magnitude > 0);
    if (negative) digits.push_back('-');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string kindText(int kind) {
    if (kind < 0 || kind > kMunicipalKinds) return {};
    return std::to_string(kind) + " " + kMunicipalKindNames[static_cast<std::size_t>(kind)];
}

std::string increaseText(int reason) {
    switch (reason) {
        case kIncreaseNew:
            return "1 新品";
        case kIncreaseUsed:
            return "2 中古";
        case kIncreaseOther:
            return "4 その他";
        default:
            return std::to_string(reason);
    }
}

std::string municipalDateText(int year) {
    const EraMonth e = eraMonth(year, 1);
    return std::string(law::eraName(e.era)) + law::eraYearText(e.eraYear) + "年1月1日";
}

std::vector<MunicipalRow> municipalRows(const MunicipalReturn& r,
                                        const reg::AssetRegister& assets) {
    std::vector<const MunicipalAsset*> held;
    for (const MunicipalAsset& a : r.assets) held.push_back(&a);
    std::stable_sort(
        held.begin(), held.end(),
        [](const MunicipalAsset* a, const MunicipalAsset* b) { return a->kind < b->kind; });

    std::vector<MunicipalRow> rows;
    for (const MunicipalAsset* a : held) {
        MunicipalRow row;
        row.cells.resize(kMunicipalColumns);
        row.mark = a->acquiredLastYear ? MunicipalMark::AcquiredLastYear : MunicipalMark::Held;
        auto& c = row.cells;
        c[mcRecord] = std::to_string(a->record);
        c[mcKind] = kindText(a->kind);
        c[mcName] = a->name;
        c[mcQuantity] = a->quantity;
        c[mcEra] = std::to_string(a->eraCode) + " " +
                   std::string(law::eraName(static_cast<law::Era>(a->eraCode - 3)));
        c[mcYear] = std::to_string(a->eraYear);
        c[mcMonth] = std::to_string(a->acquiredMonth);
        c[mcCost] = yenText(a->cost);
        row.cost = a->cost;
        row.value = a->value.value_or(0);
        row.taxBase = a->taxBase.value_or(0);
        if (a->life) c[mcLife] = std::to_string(*a->life);
        if (a->residualRate) c[mcRate] = residualText(*a->residualRate);
        if (a->value) c[mcValue] = yenText(*a->value);
        if (a->taxBase) c[mcTaxBase] = yenText(*a->taxBase);
        c[mcReason] = increaseText(a->increaseReason);
        c[mcNote] = a->note;
        rows.push_back(std::move(row));
    }
    for (const RemovedAsset& a : r.removed) {
        MunicipalRow row;
        row.cells.resize(kMunicipalColumns);
        row.mark = MunicipalMark::Removed;
        auto& c = row.cells;
        c[mcRecord] = std::to_string(a.record);
        c[mcKind] = kindText(a.kind);
        c[mcName] = a.name;
        const reg::Row& asset = assets.row(a.record);
        c[mcQuantity] = asset[reg::quantity - 1];
        const std::optional<int> year = reg::wholeCellOf(asset, reg::westernYear);
        const std::optional<int> month = reg::wholeCellOf(asset, reg::acquisitionMonth);
        if (year && month && *month >= 1 && *month <= 12) {
            const EraMonth e = eraMonth(*year, *month);
            c[mcEra] = std::to_string(static_cast<int>(e.era) + 3) + " " +
                       std::string(law::eraName(e.era));
            c[mcYear] = std::to_string(e.eraYear);
            c[mcMonth] = std::to_string(*month);
        }
        c[mcCost] = yenText(a.cost);
        row.cost = a.cost;
        c[mcReason] = kMunicipalRemovedMark;
        std::string left = a.leftMonth;
        if (const auto ym = law::parseYearMonth(a.leftMonth)) left = monthText(ym->year, ym->month);
        c[mcNote] = std::string(kMunicipalRemovedMark) + "：" + left + " " + a.how;
        rows.push_back(std::move(row));
    }
    return rows;
}

TaxLines taxLines(const MunicipalReturn& r) {
    TaxLines lines;
    lines.totalValue = "評価額の合計：" + yenText(r.totalValue) + "円";
    lines.taxBase = "課税標準額（1,000円未満切捨て）：" + yenText(r.taxBase) + "円";
    lines.tax = "税額（見込み）：" + yenText(r.tax) + "円（課税標準額 × 税率" + r.rate +
                "%、100円未満切捨て）";
    if (r.belowExemption) lines.exemption = kMunicipalExemptionText;
    return lines;
}

MunicipalWindowModel::MunicipalWindowModel(const reg::ProgramState& state,
                                           platform::Dialogs& dialogs, MunicipalClock clock,
                                           MunicipalWindowHost* host,
                                           platform::PrintDevice* printDevice)
    : state_(state), dialogs_(dialogs), clock_(clock), host_(host), printDevice_(printDevice) {
    setHeadings(Fxg, kHeadings);
    setHeadings(FxgKinds, kKindHeadings);
    setHeadings(FxgExcluded, kExcludedHeadings);
    clearShown({});
}

void MunicipalWindowModel::Form_Load() {
    setTxtYear(std::to_string(proposedMunicipalYear(clock_.year, clock_.month)));
    setTxtRate(kDefaultMunicipalRate);
    cmdShow_Click();
}

void MunicipalWindowModel::setTxtYear(std::string text) {
    if (text == txtYear.text) return;
    txtYear.text = std::move(text);
    txtYear_Change();
}

void MunicipalWindowModel::txtYear_Change() {
    const std::optional<int> year = typedYear();
    lblDate.caption = year ? municipalDateText(*year) + "現在" : std::string();
}

void MunicipalWindowModel::setTxtRate(std::string text) { txtRate.text = std::move(text); }

std::optional<int> MunicipalWindowModel::typedYear() const {
    const std::string text = halfWidth(txtYear.text);
    if (!common::isNumber(text)) return std::nullopt;
    const std::optional<std::int32_t> year = common::wholeNumber(common::leadingNumber(text));
    if (!year || *year < kMunicipalFirstYear || *year > kMunicipalLastYear) return std::nullopt;
    return *year;
}

void MunicipalWindowModel::tell(const char* text) {
    dialogs_.message({text, kMunicipalTitle, platform::Buttons::Ok, platform::Icon::Warning});
}

void MunicipalWindowModel::cmdShow_Click() {
    const std::optional<int> year = typedYear();
    if (!year) {
        tell(kMunicipalBadYearMessage);
        return;
    }
    const std::string rate = halfWidth(txtRate.text);
    if (!readMunicipalRate(rate)) {
        tell(kMunicipalBadRateMessage);
        return;
    }
    if (state_.recordCount <= 0) {
        clearShown(kMunicipalNoAssetsMessage);
        return;
    }
    try {
        render(municipalReturn(state_.assetRegister, state_.recordCount, *year, rate));
    } catch (const common::OverflowError&) {
        tell(kMunicipalOverflowMessage);
    }
}

void MunicipalWindowModel::clearShown(std::string heading) {
    shown.reset();
    marks.clear();
    Fxg.setRows(1);
    FxgKinds.setRows(1);
    FxgExcluded.setRows(1);
    lblHeading.caption = std::move(heading);
    lblWarnings.caption.clear();
    lblWarnings.visible = false;
    for (platform::Control* c : {&lblLastYearLegend, &lblRemovedLegend, &lblKinds, &lblTotalValue,
                                 &lblTaxBase, &lblTax, &lblExemption, &lblTaxNote}) {
        c->visible = false;
    }
    tabAssets.caption = kMunicipalAssetsTab;
    tabExcluded.caption = kMunicipalExcludedTab;
    FxgKindsVisible = false;
    cmdPrint.enabled = false;
}

void MunicipalWindowModel::render(MunicipalReturn r) {
    // The grids are built afresh: no colour of an earlier showing stays.
    Fxg = platform::Grid(1, kMunicipalColumns);
    FxgKinds = platform::Grid(1, kKindColumns);
    FxgExcluded = platform::Grid(1, 3);
    setHeadings(Fxg, kHeadings);
    setHeadings(FxgKinds, kKindHeadings);
    setHeadings(FxgExcluded, kExcludedHeadings);

    const std::vector<MunicipalRow> rows = municipalRows(r, state_.assetRegister);
    Fxg.setRows(static_cast<int>(rows.size()) + 1);
    marks.clear();
    int lastYear = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        for (int c = 0; c < kMunicipalColumns; ++c) {
            Fxg.setText(row, c, rows[i].cells[static_cast<std::size_t>(c)]);
        }
        marks.push_back(rows[i].mark);
        if (rows[i].mark == MunicipalMark::AcquiredLastYear) {
            ++lastYear;
            setRowColor(Fxg, row, kMunicipalLastYearColor);
        } else if (rows[i].mark == MunicipalMark::Removed) {
            setRowColor(Fxg, row, kMunicipalRemovedColor);
        }
    }

    FxgKinds.setRows(kMunicipalKinds + 2);
    const auto putSums = [this](int row, const std::string& caption, const KindSums& sums,
                                std::int64_t value) {
        FxgKinds.setText(row, kcKind, caption);
        FxgKinds.setText(row, kcI, yenText(sums.i));
        FxgKinds.setText(row, kcRo, yenText(sums.ro));
        FxgKinds.setText(row, kcHa, yenText(sums.ha));
        FxgKinds.setText(row, kcNi, yenText(sums.ni));
        FxgKinds.setText(row, kcValue, yenText(value));
    };
    for (int k = 1; k <= kMunicipalKinds; ++k) {
        const auto at = static_cast<std::size_t>(k - 1);
        putSums(k, kindText(k), r.byKind[at], r.valueByKind[at]);
    }
    putSums(kMunicipalKinds + 1, kMunicipalTotalCaption, r.total, r.totalValue);
    setRowColor(FxgKinds, kMunicipalKinds + 1, kMunicipalTotalColor);

    FxgExcluded.setRows(static_cast<int>(r.excluded.size()) + 1);
    for (std::size_t i = 0; i < r.excluded.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        FxgExcluded.setText(row, 0, std::to_string(r.excluded[i].record));
        FxgExcluded.setText(row, 1, r.excluded[i].name);
        FxgExcluded.setText(row, 2, r.excluded[i].reason);
    }
    for (platform::Grid* grid : {&Fxg, &FxgKinds, &FxgExcluded}) {
        grid->setRow(0);
        grid->setCol(0);
    }

    const std::string date = municipalDateText(r.year) + "現在";
    if (r.assets.empty() && r.removed.empty()) {
        lblHeading.caption = date + "　" + kMunicipalNothingDeclared;
    } else {
        lblHeading.caption = date + "　申告する資産 " + std::to_string(r.assets.size()) +
                             "件（うち前年中の取得 " + std::to_string(lastYear) +
                             "件）　前年中の減少 " + std::to_string(r.removed.size()) + "件";
    }
    tabAssets.caption = std::string(kMunicipalAssetsTab) + " " +
                        std::to_string(r.assets.size() + r.removed.size()) + "件";
    tabExcluded.caption =
        std::string(kMunicipalExcludedTab) + " " + std::to_string(r.excluded.size()) + "件";

    lblWarnings.visible = !r.warnings.empty();
    lblWarnings.caption.clear();
    if (!r.warnings.empty()) {
        lblWarnings.caption = kMunicipalWarningsHeading;
        const std::size_t listed = std::min(r.warnings.size(), kListedWarnings);
        for (std::size_t i = 0; i < listed; ++i) lblWarnings.caption += "\n" + r.warnings[i];
        if (r.warnings.size() > listed) {
            lblWarnings.caption += "\nほか " + std::to_string(r.warnings.size() - listed) +
                                   "件（摘要欄をご覧ください）";
        }
    }

    const TaxLines lines = taxLines(r);
    lblTotalValue.caption = lines.totalValue;
    lblTaxBase.caption = lines.taxBase;
    lblTax.caption = lines.tax;
    for (platform::Control* c : {&lblLastYearLegend, &lblRemovedLegend, &lblKinds, &lblTotalValue,
                                 &lblTaxBase, &lblTax, &lblTaxNote}) {
        c->visible = true;
    }
    lblExemption.visible = r.belowExemption;
    FxgKindsVisible = true;
    cmdPrint.enabled = true;
    shown = std::move(r);
}

bool MunicipalWindowModel::boxesMatchShown() const {
    return shown && typedYear() == shown->year && halfWidth(txtRate.text) == shown->rate;
}

void MunicipalWindowModel::cmdPrint_Click() {
    if (printDevice_ == nullptr || !shown) return;
    if (!boxesMatchShown()) {
        cmdShow_Click();
        if (!boxesMatchShown()) return;
    }
    printMunicipalCommand(*shown, state_.assetRegister, state_.chosenFilePath, dialogs_,
                          *printDevice_);
}

void MunicipalWindowModel::cmdClose_Click() {
    // Closing may destroy this window; only the host is used after it.
    if (MunicipalWindowHost* host = host_) {
        host->unloadMunicipal();
        return;
    }
    unload();
}

void MunicipalWindowModel::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (host_ != nullptr) host_->showMain();
}

bool MunicipalWindowModel::click(std::string_view name) {
    using Handler = void (MunicipalWindowModel::*)();
    const std::pair<platform::Control*, Handler> handlers[] = {
        {&cmdShow, &MunicipalWindowModel::cmdShow_Click},
        {&cmdPrint, &MunicipalWindowModel::cmdPrint_Click},
        {&cmdClose, &MunicipalWindowModel::cmdClose_Click},
    };
    for (const auto& [button, handler] : handlers) {
        if (button->name != name) continue;
        if (button->enabled) (this->*handler)();
        return true;
    }
    return false;
}

platform::Control* MunicipalWindowModel::control(std::string_view name) {
    for (platform::Control* c :
         {&Caption,           &lblYear,          &lblDate,      &cmdShow,
          &lblRate,           &lblRateUnit,      &cmdPrint,     &cmdClose,
          &lblHeading,        &lblWarnings,      &tabAssets,    &tabExcluded,
          &lblLastYearLegend, &lblRemovedLegend, &lblKinds,     &lblTotalValue,
          &lblTaxBase,        &lblTax,           &lblExemption, &lblTaxNote}) {
        if (c->name == name) return c;
    }
    return nullptr;
}

}  // namespace fenmark::yearend
