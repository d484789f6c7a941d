#include "cli/shokyaku_command.h"

#include <cstdio>

#include "cli/json_writer.h"
#include "law/era.h"
#include "register/register_file.h"
#include "yearend/municipal_return.h"
#include "yearend/statement.h"

namespace fenmark::cli {

namespace {

using yearend::MunicipalReturn;

std::string rateText(const std::optional<int>& thousandths) {
    if (!thousandths) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%d.%03d", *thousandths / 1000, *thousandths % 1000);
    return text;
}

std::string kindName(int kind) {
    return yearend::kMunicipalKindNames[static_cast<std::size_t>(kind)];
}

const char* increaseName(int reason) {
    switch (reason) {
        case yearend::kIncreaseUsed:
            return "中古";
        case yearend::kIncreaseOther:
            return "その他";
        default:
            return "新品";
    }
}

std::string json(const MunicipalReturn& r) {
    std::string text;
    JsonWriter json(text);
    json.beginObject();
    json.key("year").integer(r.year);
    json.key("assets").beginArray();
    for (const yearend::MunicipalAsset& a : r.assets) {
        json.beginObject();
        json.key("record").integer(a.record);
        json.key("kind").integer(a.kind);
        json.key("kindName").string(kindName(a.kind));
        json.key("name").string(a.name);
        if (const auto number = jsonNumber(a.quantity)) {
            json.key("quantity").number(*number);
        } else {
            json.key("quantity").string(a.quantity);
        }
        json.key("acquired").string(law::yearMonthText(a.acquiredYear, a.acquiredMonth));
        json.key("era").integer(a.eraCode);
        json.key("eraYear").integer(a.eraYear);
        json.key("month").integer(a.acquiredMonth);
        json.key("cost").integer(a.cost);
        json.key("life").integerOrNull(a.life ? std::optional<std::int64_t>(*a.life)
                                              : std::nullopt);
        const std::string residual = rateText(a.residualRate);
        json.key("residualRate")
            .stringOrNull(residual.empty() ? std::nullopt : std::optional(residual));
        json.key("value").integerOrNull(a.value);
        json.key("taxBase").integerOrNull(a.taxBase);
        json.key("increaseReason").integer(a.increaseReason);
        json.key("acquiredLastYear").boolean(a.acquiredLastYear);
        json.key("note").string(a.note);
        json.endObject();
    }
    json.endArray();
    json.key("removed").beginArray();
    for (const yearend::RemovedAsset& a : r.removed) {
        json.beginObject();
        json.key("record").integer(a.record);
        json.key("kind").integer(a.kind);
        json.key("name").string(a.name);
        json.key("cost").integer(a.cost);
        json.key("left").string(a.leftMonth);
        json.key("how").string(a.how);
        json.endObject();
    }
    json.endArray();
    json.key("excluded").beginArray();
    for (const yearend::ExcludedAsset& a : r.excluded) {
        json.beginObject();
        json.key("record").integer(a.record);
        json.key("name").string(a.name);
        json.key("reason").string(a.reason);
        json.endObject();
    }
    json.endArray();
    const auto sums = [&json](const yearend::KindSums& s) {
        json.key("i").integer(s.i);
        json.key("ro").integer(s.ro);
        json.key("ha").integer(s.ha);
        json.key("ni").integer(s.ni);
    };
    json.key("byKind").beginObject();
    for (int kind = 1; kind <= yearend::kMunicipalKinds; ++kind) {
        json.key(std::to_string(kind)).beginObject();
        sums(r.byKind[static_cast<std::size_t>(kind - 1)]);
        json.key("value").integer(r.valueByKind[static_cast<std::size_t>(kind - 1)]);
        json.endObject();
    }
    json.endObject();
    json.key("total").beginObject();
    sums(r.total);
    json.endObject();
    json.key("totalValue").integer(r.totalValue);
    json.key("taxBase").integer(r.taxBase);
    json.key("rate").number(jsonNumber(r.rate).value_or("0"));
    json.key("tax").integer(r.tax);
    json.key("belowExemption").boolean(r.belowExemption);
    json.key("warnings").beginArray();
    for (const std::string& warning : r.warnings) json.string(warning);
    json.endArray();
    json.endObject();
    text += '\n';
    return text;
}

std::string amount(std::int64_t yen) { return std::to_string(yen); }
std::string amount(const std::optional<std::int64_t>& yen) {
    return yen ? std::to_string(*yen) : std::string();
}

std::string tables(const MunicipalReturn& r, Format format) {
    const std::vector<std::string> detailHeadings = {
        "No",         "資産の種類", "種類の名称", "資産の名称等", "数量",       "取得年月（元号）",
        "年",         "月",         "取得価額",   "耐用年数",     "減価残存率", "価額（評価額）",
        "課税標準額", "増加事由",   "摘要",       "区分"};
    Table details;
    for (const yearend::MunicipalAsset& a : r.assets) {
        details.push_back({std::to_string(a.record), std::to_string(a.kind), kindName(a.kind),
                           a.name, a.quantity, std::to_string(a.eraCode), std::to_string(a.eraYear),
                           std::to_string(a.acquiredMonth), amount(a.cost),
                           a.life ? std::to_string(*a.life) : std::string(),
                           rateText(a.residualRate), amount(a.value), amount(a.taxBase),
                           std::to_string(a.increaseReason) + " " + increaseName(a.increaseReason),
                           a.note, a.acquiredLastYear ? "前年中に取得" : ""});
    }
    for (const yearend::RemovedAsset& a : r.removed) {
        details.push_back({std::to_string(a.record), std::to_string(a.kind), kindName(a.kind),
                           a.name, "", "", "", "", amount(a.cost), "", "", "", "", "", "",
                           "前年中に減少（" + a.how + " " + a.leftMonth + "）"});
    }
    std::string text = formatTable(detailHeadings, details, format);
    const std::string lineEnd = format == Format::Csv ? "\r\n" : "\n";

    const std::vector<std::string> kindHeadings = {"資産の種類",
                                                   "種類の名称",
                                                   "（イ）前年前に取得したもの",
                                                   "（ロ）前年中に減少したもの",
                                                   "（ハ）前年中に取得したもの",
                                                   "（ニ）計",
                                                   "評価額"};
    Table kinds;
    for (int kind = 1; kind <= yearend::kMunicipalKinds; ++kind) {
        const auto& s = r.byKind[static_cast<std::size_t>(kind - 1)];
        kinds.push_back({std::to_string(kind), kindName(kind), amount(s.i), amount(s.ro),
                         amount(s.ha), amount(s.ni),
                         amount(r.valueByKind[static_cast<std::size_t>(kind - 1)])});
    }
    kinds.push_back({"", "合計", amount(r.total.i), amount(r.total.ro), amount(r.total.ha),
                     amount(r.total.ni), amount(r.totalValue)});
    text += lineEnd + formatTable(kindHeadings, kinds, format);

    Table totals = {{"評価額の合計", amount(r.totalValue)},
                    {"課税標準額（1,000円未満切捨て）", amount(r.taxBase)},
                    {"税率（%）", r.rate},
                    {"税額（見込み、100円未満切捨て）", amount(r.tax)},
                    {"免税点（150万円）未満", r.belowExemption ? "はい" : "いいえ"}};
    for (const std::string& warning : r.warnings) totals.push_back({"注意", warning});
    text += lineEnd + formatTable({"項目", "金額"}, totals, format);
    return text;
}

}  // namespace

int runShokyaku(const ShokyakuOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        int year =
            yearend::proposedMunicipalYear(law::systemCalendarYear(), law::systemCalendarMonth());
        if (options.year) {
            const yearend::StatementYear typed = yearend::readStatementYearArgument(*options.year);
            if (typed.refusal != yearend::StatementYear::Refusal::None) {
                err << typed.message() << " (--year " << *options.year << ")\n";
                return 1;
            }
            year = typed.year + 1988;
        }
        if (!yearend::readMunicipalRate(options.rate)) {
            err << yearend::kBadMunicipalRateMessage << " (--rate " << options.rate << ")\n";
            return 1;
        }
        const MunicipalReturn result =
            yearend::municipalReturn(loaded.assetRegister, loaded.recordCount, year, options.rate);
        emit(out, options.format == Format::Json ? json(result) : tables(result, options.format),
             options.encoding);
        return 0;
    } catch (const std::exception&) {
        return reportFailure(err, options.file);
    }
}

}  // namespace fenmark::cli
