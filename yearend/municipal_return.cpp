#include "yearend/municipal_return.h"

#include <stdexcept>

#include "common/convert.h"
#include "common/number.h"
#include "law/era.h"
#include "law/municipal_rates.h"

namespace fenmark::yearend {

namespace {

// The register's codes of type and method.
enum : int {
    kBuilding = 0,
    kFitting = 1,
    kMachine = 2,
    kDevice = 3,
    kFixture = 4,
    kFurniture = 5,
    kTool = 6,
    kVehicle = 7,
    kOther = 8,
    kDeferred = 9,
    kLiving = 10,
};
constexpr int kThreeYearMethod = 2;

std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw common::OverflowError("オーバーフローしました。");
    return sum;
}

MunicipalKindChoice excluded(Exclusion reason) { return {0, reason, true}; }
MunicipalKindChoice declared(int kind) { return {kind, Exclusion::None, true}; }

}  // namespace

const char* exclusionText(Exclusion reason) {
    switch (reason) {
        case Exclusion::Building:
            return "建物";
        case Exclusion::Intangible:
            return "無形";
        case Exclusion::Deferred:
            return "繰延資産";
        case Exclusion::Living:
            return "生物";
        case Exclusion::LumpSum:
            return "一括償却";
        case Exclusion::TaxedVehicle:
            return "自動車税・軽自動車税の車両";
        case Exclusion::None:
            break;
    }
    return "";
}

MunicipalKindChoice proposedMunicipalKind(const reg::Row& asset) {
    if (reg::wholeCellOf(asset, reg::methodCode) == kThreeYearMethod)
        return excluded(Exclusion::LumpSum);
    switch (reg::wholeCellOf(asset, reg::typeCode).value_or(-1)) {
        case kBuilding:
        case kFitting:
            return excluded(Exclusion::Building);
        case kMachine:
        case kDevice:
            return declared(2);
        case kFixture:
        case kFurniture:
        case kTool:
            return declared(6);
        case kVehicle:
            return excluded(Exclusion::TaxedVehicle);
        case kDeferred:
            return excluded(Exclusion::Deferred);
        case kLiving:
            return excluded(Exclusion::Living);
        case kOther:
        default:
            return declared(1);
    }
}

MunicipalKindChoice municipalKindOf(const reg::Row& asset) {
    const std::string& chosen = reg::cellOf(asset, reg::municipalKind);
    if (chosen.size() == 1 && chosen[0] >= '0' && chosen[0] <= '6') {
        const int kind = chosen[0] - '0';
        MunicipalKindChoice choice{kind, Exclusion::None, false};
        if (kind == 0) {
            const MunicipalKindChoice proposal = proposedMunicipalKind(asset);
            // Excluding what the type would declare: something without
            // form (software and the like).
            choice.reason = proposal.kind == 0 ? proposal.reason : Exclusion::Intangible;
        }
        return choice;
    }
    return proposedMunicipalKind(asset);
}

bool boughtUsed(const reg::Row& asset) { return reg::cellOf(asset, reg::boughtUsed) == "1"; }

std::optional<std::int64_t> municipalValue(std::int64_t cost, int life, int acquiredYear,
                                           int year) {
    const std::optional<int> a = law::firstYearRate(life);
    const std::optional<int> b = law::laterYearRate(life);
    if (!a || !b || acquiredYear >= year || cost < 0) return std::nullopt;
    const std::int64_t floorValue = (common::Exact(cost) * common::Exact(5) / 100).floor();
    std::int64_t value = (common::Exact(cost) * common::Exact(*a) / 1000).floor();
    for (int y = acquiredYear + 2; y <= year; ++y) {
        value = (common::Exact(value) * common::Exact(*b) / 1000).floor();
        // Held at the floor from the year it reaches it.
        if (value <= floorValue) break;
    }
    return value < floorValue ? floorValue : value;
}

std::optional<common::Exact> readMunicipalRate(std::string_view text) {
    if (!common::isNumber(text)) return std::nullopt;
    try {
        const common::Exact rate = common::readDecimal(text);
        if (rate <= common::Exact(0) || rate > common::Exact(100)) return std::nullopt;
        return rate;
    } catch (const common::OverflowError&) {
        return std::nullopt;
    }
}

MunicipalReturn municipalReturn(const reg::AssetRegister& assets, int count, int year,
                                std::string_view rateText) {
    const std::optional<common::Exact> rate = readMunicipalRate(rateText);
    if (!rate) throw std::invalid_argument(kBadMunicipalRateMessage);
    MunicipalReturn result;
    result.year = year;
    result.rate = std::string(rateText);
    const int lastYear = year - 1;
    for (int record = 1; record <= count; ++record) {
        const reg::Row& asset = assets.row(record);
        const std::string& name = reg::cellOf(asset, reg::assetName);
        const auto exclude = [&](std::string reason) {
            result.excluded.push_back({record, name, std::move(reason)});
        };
        const MunicipalKindChoice choice = municipalKindOf(asset);
        if (choice.kind == 0) {
            exclude(std::string("対象外（") + exclusionText(choice.reason) + "）");
            continue;
        }
        const std::optional<int> acquiredYear = reg::wholeCellOf(asset, reg::westernYear);
        const std::optional<int> acquiredMonth = reg::wholeCellOf(asset, reg::acquisitionMonth);
        const std::optional<std::int64_t> costValue = [&]() -> std::optional<std::int64_t> {
            const std::string& text = reg::cellOf(asset, reg::acquisitionCost);
            if (!common::isNumber(text)) return std::nullopt;
            try {
                const common::Exact cost = common::readDecimal(text);
                if (!cost.whole() || cost < common::Exact(0)) return std::nullopt;
                return cost.floor();
            } catch (const common::OverflowError&) {
                return std::nullopt;
            }
        }();
        if (!acquiredYear || !acquiredMonth || *acquiredMonth < 1 || *acquiredMonth > 12 ||
            !costValue) {
            exclude("取得年月または取得価額が正しく登録されていません");
            continue;
        }
        // An asset that was private first joins the business when its use
        // began.
        int joinedYear = *acquiredYear;
        const auto started = law::parseYearMonth(reg::cellOf(asset, reg::businessStart));
        if (started && started->year * 12 + started->month > *acquiredYear * 12 + *acquiredMonth) {
            joinedYear = started->year;
        }
        if (joinedYear > lastYear) {
            exclude(joinedYear == *acquiredYear ? "賦課期日より後の取得"
                                                : "賦課期日より後に業務に使い始めた");
            continue;
        }
        const auto left = law::parseYearMonth(reg::cellOf(asset, reg::disposalMonth));
        const std::string& how = reg::cellOf(asset, reg::disposalKind);
        if (left && left->year < lastYear) {
            exclude(std::to_string(left->year) + "年に減少（" + how + "）");
            continue;
        }
        KindSums& sums = result.byKind[static_cast<std::size_t>(choice.kind - 1)];
        if (left && left->year == lastYear) {
            if (joinedYear == lastYear) {
                exclude("前年中に取得し、前年中に減少（" + how + "）");
                continue;
            }
            sums.i = checkedAdd(sums.i, *costValue);
            sums.ro = checkedAdd(sums.ro, *costValue);
            result.removed.push_back({record, choice.kind, name, *costValue,
                                      law::yearMonthText(left->year, left->month), how});
            continue;
        }

        MunicipalAsset item;
        item.record = record;
        item.kind = choice.kind;
        item.name = name;
        item.quantity = reg::cellOf(asset, reg::quantity);
        item.acquiredYear = *acquiredYear;
        item.acquiredMonth = *acquiredMonth;
        // January 1989 is 平成 unless the register says 昭和 (its first week).
        const law::Era era =
            law::eraOfMonth(*acquiredYear, *acquiredMonth,
                            law::eraOfCodeValue(reg::wholeCellOf(asset, reg::eraCode)));
        item.eraCode = static_cast<int>(era) + 3;
        item.eraYear = law::eraYearOf(era, *acquiredYear);
        item.cost = *costValue;
        item.acquiredLastYear = joinedYear == lastYear;
        if (joinedYear != *acquiredYear) {
            item.increaseReason = kIncreaseOther;
            item.note = "家事用から転用";
        } else if (boughtUsed(asset)) {
            item.increaseReason = kIncreaseUsed;
            item.note = "中古";
        }
        // The life the asset is depreciated on; the life revised in 1998
        // where the register holds one.
        const std::string& revised = reg::cellOf(asset, reg::revisedLife);
        const std::optional<int> life = revised.empty() ? reg::wholeCellOf(asset, reg::usefulLife)
                                                        : reg::wholeCellOf(asset, reg::revisedLife);
        if (life && law::reductionRate(*life)) item.life = life;
        if (item.life) {
            item.value = municipalValue(item.cost, *item.life, *acquiredYear, year);
            item.residualRate = *acquiredYear == lastYear ? law::firstYearRate(*item.life)
                                                          : law::laterYearRate(*item.life);
            item.taxBase = item.value;
        } else {
            const std::string missing = kEnterLifeNote;
            item.note = item.note.empty() ? missing : item.note + "・" + missing;
            result.warnings.push_back("No." + std::to_string(record) + " " + name + "：" + missing +
                                      "。");
        }
        if (item.acquiredLastYear) {
            sums.ha = checkedAdd(sums.ha, item.cost);
        } else {
            sums.i = checkedAdd(sums.i, item.cost);
        }
        const std::int64_t value = item.value.value_or(0);
        auto& kindValue = result.valueByKind[static_cast<std::size_t>(choice.kind - 1)];
        kindValue = checkedAdd(kindValue, value);
        result.totalValue = checkedAdd(result.totalValue, value);
        result.taxBase = checkedAdd(result.taxBase, item.taxBase.value_or(0));
        result.assets.push_back(std::move(item));
    }
    for (KindSums& sums : result.byKind) {
        sums.ni = sums.i - sums.ro + sums.ha;
        result.total.i = checkedAdd(result.total.i, sums.i);
        result.total.ro = checkedAdd(result.total.ro, sums.ro);
        result.total.ha = checkedAdd(result.total.ha, sums.ha);
        result.total.ni = checkedAdd(result.total.ni, sums.ni);
    }
    result.taxBase = result.taxBase / 1000 * 1000;
    result.belowExemption = result.taxBase < kMunicipalExemption;
    if (!result.belowExemption) {
        const std::int64_t tax = (common::Exact(result.taxBase) * *rate / 100).floor();
        result.tax = tax / 100 * 100;
    }
    return result;
}

}  // namespace fenmark::yearend
