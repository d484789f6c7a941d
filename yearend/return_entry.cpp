#include "yearend/return_entry.h"

#include <cstdio>
#include <utility>

#include "common/convert.h"
#include "common/exact.h"
#include "common/mask.h"
#include "common/number.h"
#include "common/text.h"

namespace fenmark::yearend {

namespace {

constexpr std::array<std::string_view, kOnlineFields> kOnlineLabels = {"種類等",
                                                                       "細目",
                                                                       "名称",
                                                                       "面積又は数量",
                                                                       "取得年月（元号）",
                                                                       "取得年月（年）",
                                                                       "取得年月（月）",
                                                                       "取得価額",
                                                                       "前年末未償却残高",
                                                                       "償却の基礎になる金額",
                                                                       "耐用年数",
                                                                       "改定取得価額",
                                                                       "本年中の償却期間",
                                                                       "除却・譲渡・廃棄",
                                                                       "本年分の普通償却費",
                                                                       "事業専用割合",
                                                                       "摘要"};

std::string count(std::size_t n) { return std::to_string(n); }

// The register's codes of type and method.
enum : int { kBuilding = 0, kFitting = 1, kOther = 8, kDeferred = 9, kLiving = 10 };
enum : int { kOldDeclining = 0, kThreeYear = 2, kNewDeclining = 4, kSmallAsset = 6 };

// The 細目 of the tangible types, by type code 1-7.
constexpr std::array<std::string_view, 8> kDetails = {"",
                                                      "建物附属設備",
                                                      "機械装置",
                                                      "機械装置",
                                                      "工具器具備品",
                                                      "工具器具備品",
                                                      "工具器具備品",
                                                      "車両運搬具"};

constexpr const char* kOtherDetail = "構築物・船舶・航空機から選択";
constexpr const char* kLivingKind = "生物・果樹から選択";

void classify(OnlineEntry& entry, const reg::Row& asset) {
    const std::optional<int> type = reg::wholeCellOf(asset, reg::typeCode);
    const std::optional<int> method = reg::wholeCellOf(asset, reg::methodCode);
    const bool declining = method == kOldDeclining || method == kNewDeclining;
    const auto tangibleDetail = [&] {
        if (type && *type >= kFitting && *type < static_cast<int>(kDetails.size())) {
            entry.detail = kDetails[static_cast<std::size_t>(*type)];
        } else {
            entry.detail = kOtherDetail;
            entry.detailToChoose = true;
            entry.problems.push_back(
                {OnlineField::Detail,
                 "登録の種別からは細目が決まりません。構築物・船舶・航空機のいずれかを選んでくださ"
                 "い"
                 "（ソフトウェアなど形のないものは種類等「無形固定資産」）。"});
        }
    };
    if (method == kThreeYear) {
        entry.kind = "一括償却資産";
    } else if (method == kSmallAsset) {
        entry.kind = "中小企業者の特例対象資産";
        if (type == kBuilding) {
            entry.detail = "建物";
        } else {
            tangibleDetail();
        }
    } else if (type == kDeferred) {
        entry.kind = "繰延資産";
    } else if (type == kLiving) {
        entry.kind = kLivingKind;
        entry.kindToChoose = true;
        entry.problems.push_back(
            {OnlineField::Kind,
             "果樹なら「果樹」、牛馬などほかの生物なら「生物」を選んでください。"});
    } else if (type == kBuilding) {
        entry.kind = declining ? "建物（定率法）" : "建物（定額法）";
    } else {
        entry.kind = declining ? "減価償却資産（定率法）" : "減価償却資産（定額法）";
        tangibleDetail();
    }
}

std::optional<EraMonth> acquiredOf(const StatementLine& line, const reg::Row& asset) {
    int year = 0;
    int month = 0;
    if (line.conversion) {
        year = line.conversion->acquired.year;
        month = line.conversion->acquired.month;
    } else {
        const std::optional<int> y = reg::wholeCellOf(asset, reg::westernYear);
        const std::optional<int> m = reg::wholeCellOf(asset, reg::acquisitionMonth);
        if (!y || !m || *m < 1 || *m > 12 || *y < 1868 || *y > 9999) return std::nullopt;
        year = *y;
        month = *m;
    }
    // January 1989 is 平成 unless the register says 昭和 (its first week).
    const law::Era era =
        law::eraOfMonth(year, month, law::eraOfCodeValue(reg::wholeCellOf(asset, reg::eraCode)));
    return EraMonth{era, law::eraYearOf(era, year), month};
}

std::optional<int> lifeOf(const StatementLine& line) {
    if (!common::isNumber(line.life)) return std::nullopt;
    return common::wholeNumber(common::leadingNumber(line.life));
}

// A decimal with `places` places ("100.00", "0.250"), and whether it had
// to be rounded to get there. Nothing for a text that is no number.
struct Fixed {
    std::string text;
    bool rounded = false;
};
std::optional<Fixed> fixedDecimal(std::string_view text, int places) {
    if (!common::isNumber(text)) return std::nullopt;
    try {
        std::int64_t scale = 1;
        for (int i = 0; i < places; ++i) scale *= 10;
        const common::Exact scaled = common::readDecimal(text) * common::Exact(scale);
        const std::int64_t units = scaled.nearest();
        const bool negative = units < 0;
        const std::int64_t magnitude = negative ? -units : units;
        std::string fraction = std::to_string(magnitude % scale);
        fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
        Fixed fixed;
        fixed.text = (negative ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
        fixed.rounded = !scaled.whole();
        return fixed;
    } catch (const common::OverflowError&) {
        return std::nullopt;
    }
}

// The period as the online system and e-Tax count it: months of the year;
// a 一括償却 third is a whole year; no period shown is 0.
int monthsOf(const ScheduleCopy& year) {
    if (year.monthsOf == 12) return year.months;
    if (year.monthsOf != 0) return 12;
    return 0;
}

std::string amountText(const std::optional<std::int64_t>& amount) {
    if (!amount) return {};
    if (*amount == 0) return "0";
    return common::formatNumber(static_cast<double>(*amount), common::kMaskAmount);
}

std::string digits(const std::optional<std::int64_t>& amount) {
    return amount ? std::to_string(*amount) : std::string();
}

void checkLength(OnlineEntry& entry, OnlineField field, const std::string& text,
                 std::size_t limit) {
    const std::size_t n = common::charCount(text);
    if (n <= limit) return;
    const std::string label(onlineFieldLabel(field));
    entry.problems.push_back(
        {field, label + "が" + count(n) + "文字あります。作成コーナーには" + count(limit) +
                    "文字まで入ります。「" + common::leftChars(text, limit) + "」｜「" +
                    common::midChars(text, limit + 1, n - limit) + "」で区切ってください。"});
}

}  // namespace

std::string_view onlineFieldLabel(OnlineField field) {
    return kOnlineLabels[static_cast<std::size_t>(field)];
}

const FieldProblem* OnlineEntry::problemOf(OnlineField field) const {
    for (const FieldProblem& problem : problems) {
        if (problem.field == field) return &problem;
    }
    return nullptr;
}

bool belongsInReturn(const StatementLine& line) {
    // A line with nothing of its year (no schedule at all) has nothing to
    // file either.
    return line.computed && line.year.marking == Marking::None &&
           (line.year.depreciationYen || line.year.bookValueYen ||
            line.year.leaving != schedule::Remark::None);
}

OnlineEntries onlineEntries(const StatementData& data, const reg::AssetRegister& assets,
                            std::int32_t statementYear) {
    OnlineEntries entries;
    entries.westernYear = statementYear + 1988;
    entries.expenseTotal = data.expenseTotal;
    std::vector<int> uncomputed;
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const StatementLine& line = data.lines[i];
        const int record = static_cast<int>(i) + 1;
        if (!line.computed) uncomputed.push_back(record);
        if (!belongsInReturn(line)) continue;
        const reg::Row& asset = assets.row(record);
        OnlineEntry entry;
        entry.record = record;
        classify(entry, asset);
        entry.name = line.name;
        checkLength(entry, OnlineField::Name, entry.name, kOnlineNameLimit);
        entry.quantity = line.quantity;
        checkLength(entry, OnlineField::Quantity, entry.quantity, kOnlineQuantityLimit);
        entry.acquired = acquiredOf(line, asset);
        if (!entry.acquired) {
            entry.problems.push_back(
                {OnlineField::AcquiredYear, "取得年月が正しく登録されていません。"});
        }
        entry.cost = line.costYen;
        entry.openingBook = line.openingBookYen;
        if (line.conversionYear) {
            entry.problems.push_back(
                {OnlineField::OpeningBook,
                 "業務に使い始めた年です。前年末未償却残高の欄には業務に使い始めた時の"
                 "未償却残高を入力します。"});
        }
        entry.base = line.baseYen;
        entry.life = lifeOf(line);
        if (!entry.life) {
            entry.problems.push_back({OnlineField::Life, "耐用年数が整数で登録されていません。"});
        }
        entry.revisedBase = line.revisedBaseYen;
        entry.months = monthsOf(line.year);
        entry.left = line.year.leaving == schedule::Remark::Scrapped ||
                     line.year.leaving == schedule::Remark::Sold;
        entry.depreciation = line.year.depreciationYen;
        if (!line.ratio.empty()) {
            if (const auto ratio = fixedDecimal(line.ratio, 2)) {
                entry.ratio = ratio->text;
                if (ratio->rounded) {
                    entry.problems.push_back(
                        {OnlineField::Ratio,
                         "事業専用割合を小数2桁に丸めています（登録は" + line.ratio + "%）。"});
                }
            } else {
                entry.ratio = line.ratio;
                entry.problems.push_back(
                    {OnlineField::Ratio, "事業専用割合が数値で登録されていません。"});
            }
        }
        entry.remark = line.year.remark;
        if (line.year.leaving != schedule::Remark::None &&
            common::charCount(entry.remark) > kOnlineRemarkLimit) {
            // The book value that left is the statement's note, not one the
            // online system takes: the word alone is what fits.
            const std::string word = schedule::remarkText(line.year.leaving);
            entry.problems.push_back(
                {OnlineField::Remark,
                 "摘要が" + count(common::charCount(entry.remark)) +
                     "文字あります。作成コーナーには" + count(kOnlineRemarkLimit) +
                     "文字まで入ります。「" + word + "」とだけ入力してください（簿価 " +
                     amountText(line.year.leftBookValue) + "円は決算書の摘要にだけ書きます）。"});
        } else {
            checkLength(entry, OnlineField::Remark, entry.remark, kOnlineRemarkLimit);
        }
        entries.assets.push_back(std::move(entry));
    }
    if (entries.assets.size() > kOnlineAssetLimit) {
        entries.warnings.push_back("資産が" + count(entries.assets.size()) +
                                   "件あります。作成コーナーには" + count(kOnlineAssetLimit) +
                                   "件までしか入力できません。");
    }
    for (int record : uncomputed) {
        entries.warnings.push_back("No." + std::to_string(record) +
                                   "は償却費を計算できないため載せていません。");
    }
    return entries;
}

std::string onlineDisplayText(const OnlineEntry& entry, OnlineField field) {
    switch (field) {
        case OnlineField::Cost:
            return amountText(entry.cost);
        case OnlineField::OpeningBook:
            return amountText(entry.openingBook);
        case OnlineField::Base:
            return amountText(entry.base);
        case OnlineField::RevisedBase:
            return amountText(entry.revisedBase);
        case OnlineField::Depreciation:
            return amountText(entry.depreciation);
        case OnlineField::AcquiredEra:
            return entry.acquired ? std::string(law::eraName(entry.acquired->era)) : std::string();
        case OnlineField::Left:
            return entry.left ? "はい" : "いいえ";
        default:
            return onlineTypedText(entry, field);
    }
}

std::string onlineTypedText(const OnlineEntry& entry, OnlineField field) {
    switch (field) {
        case OnlineField::Kind:
            return entry.kind;
        case OnlineField::Detail:
            return entry.detail;
        case OnlineField::Name:
            return entry.name;
        case OnlineField::Quantity:
            return entry.quantity;
        case OnlineField::AcquiredEra:
            return entry.acquired ? std::string(law::eraName(entry.acquired->era)) : std::string();
        case OnlineField::AcquiredYear:
            return entry.acquired ? std::to_string(entry.acquired->year) : std::string();
        case OnlineField::AcquiredMonth:
            return entry.acquired ? std::to_string(entry.acquired->month) : std::string();
        case OnlineField::Cost:
            return digits(entry.cost);
        case OnlineField::OpeningBook:
            return digits(entry.openingBook);
        case OnlineField::Base:
            return digits(entry.base);
        case OnlineField::Life:
            return entry.life ? std::to_string(*entry.life) : std::string();
        case OnlineField::RevisedBase:
            return digits(entry.revisedBase);
        case OnlineField::Period:
            return entry.months ? std::to_string(*entry.months) : std::string();
        case OnlineField::Left:
            return entry.left ? "はい" : "いいえ";
        case OnlineField::Depreciation:
            return digits(entry.depreciation);
        case OnlineField::Ratio:
            return entry.ratio;
        case OnlineField::Remark:
            return entry.remark;
    }
    return {};
}

std::string expenseDestination(ReturnForm form) {
    return form == ReturnForm::Income
               ? "収支内訳書（一般用）1ページ目、経費の「減価償却費」"
               : "青色申告決算書（一般用）1ページ目、損益計算書の「減価償却費」（⑱）";
}

std::string expenseDestinationLine(ReturnForm form, std::int64_t expenseTotal) {
    const std::string amount = amountText(expenseTotal);
    return "本年分の必要経費算入額の合計 " + amount + "円 → " + expenseDestination(form);
}

EtaxTable etaxTable(const StatementData& data, const reg::AssetRegister& assets,
                    std::int32_t statementYear, ReturnForm form) {
    EtaxTable table;
    table.form = form == ReturnForm::Income ? kIncomeEtaxForm : kBlueEtaxForm;
    table.formRows = form == ReturnForm::Income ? 6 : 7;
    table.westernYear = statementYear + 1988;
    const auto add = [](EtaxTotals& totals, const EtaxRow& row) {
        const auto plus = [](std::int64_t& sum, const std::optional<std::int64_t>& amount) {
            if (amount && __builtin_add_overflow(sum, *amount, &sum)) {
                throw common::OverflowError("オーバーフローしました。");
            }
        };
        plus(totals.cost, row.cost);
        plus(totals.depreciation, row.depreciation);
        plus(totals.special, row.special);
        plus(totals.depreciationTotal, row.depreciationTotal);
        plus(totals.expense, row.expense);
        plus(totals.bookValue, row.bookValue);
    };
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const StatementLine& line = data.lines[i];
        if (!belongsInReturn(line)) continue;
        const int record = static_cast<int>(i) + 1;
        const reg::Row& asset = assets.row(record);
        EtaxRow row;
        row.record = record;
        row.name = line.name;
        row.quantity = line.quantity;
        row.acquired = acquiredOf(line, asset);
        row.cost = line.costYen;
        row.guarantee = line.guaranteeAmount;
        row.base = line.baseYen;
        row.method = line.method;
        row.life = lifeOf(line);
        const std::optional<Fixed> rate = fixedDecimal(line.rate, 3);
        if (rate) row.rate = rate->text;
        const int months = monthsOf(line.year);
        row.months = months;
        row.depreciation = line.year.depreciationYen;
        row.depreciationTotal = line.year.depreciationYen;
        if (!line.ratio.empty()) {
            const std::optional<Fixed> ratio = fixedDecimal(line.ratio, 2);
            row.ratio = ratio ? ratio->text : line.ratio;
        }
        row.expense = line.year.expenseYen;
        row.bookValue = line.year.bookValueYen;
        row.remark = line.year.remark;

        const int n = static_cast<int>(table.rows.size()) + 1;
        const auto problem = [&](std::string_view tag, std::string message) {
            table.problems.push_back({n, record, std::string(tag), std::move(message)});
        };
        if (!row.acquired) problem("AMF01630", "取得年月が正しく登録されていません。");
        if (months < 1 || months > 12) {
            problem("AMF01720", "本年中の償却期間が" + std::to_string(months) +
                                    "か月です。e-Taxでは1～12か月です（本年分の償却費がない行）。");
        }
        if (!row.life || *row.life < 2 || *row.life > 100) {
            problem("AMF01670", "耐用年数「" + line.life + "」はe-Taxの2～100年にあたりません。");
        }
        if (!line.rate.empty() && (!rate || rate->rounded)) {
            problem("AMF01690", "償却率「" + line.rate + "」は小数3桁の数値ではありません。");
        }
        add(table.total, row);
        if (n > table.formRows) add(table.continuation, row);
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace fenmark::yearend
