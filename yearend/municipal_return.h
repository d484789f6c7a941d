#pragma once
// The January return on depreciable assets (償却資産申告): which assets of
// the register are declared as which kind, each asset's 評価額 on the
// 賦課期日 (1 January of the return's year) and the sums of the 申告書's
// table, with the tax as an estimate.
//
//   const MunicipalReturn r = municipalReturn(register, count, 2027);
//   r.assets[0].value;          // 326000 for 400,000 yen, life 5, bought 2026
//   r.byKind[5].ni;             // 取得価額 of the 工具・器具及び備品 declared
//
// 評価額: for an asset acquired in the year before, ⌊cost × A⌋; for one
// acquired earlier, each year ⌊last year's value × B⌋, never below 5 % of
// the cost (law/municipal_rates.h). The month of acquisition does not
// matter.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exact.h"
#include "register/state.h"

namespace fenmark::yearend {

inline constexpr const char* kMunicipalTitle = "償却資産申告";

// The kinds of the return, 1 to 6; 0 is 対象外.
inline constexpr int kMunicipalKinds = 6;
inline constexpr std::array<const char*, kMunicipalKinds + 1> kMunicipalKindNames = {
    "対象外", "構築物", "機械及び装置", "船舶", "航空機", "車両及び運搬具", "工具・器具及び備品"};

// Why an asset is not declared.
enum class Exclusion {
    None,
    Building,      // 建物 (and 建物附属設備 that is part of the building)
    Intangible,    // 無形
    Deferred,      // 繰延資産
    Living,        // 生物
    LumpSum,       // 一括償却
    TaxedVehicle,  // 自動車税・軽自動車税の車両
};
[[nodiscard]] const char* exclusionText(Exclusion reason);

// The kind an asset is declared as, and where that came from.
struct MunicipalKindChoice {
    // 1-6, or 0 for 対象外.
    int kind = 0;
    // For 対象外: the reason (the proposal's reason, or Intangible where the
    // user excluded an asset the type would include).
    Exclusion reason = Exclusion::None;
    // True when column 28 is empty and the kind is proposed from the type
    // and method.
    bool proposed = true;
};

// The kind proposed from the asset's type and method: a 一括償却 asset is
// not declared, a 少額特例 asset is; 機械 and 装置 are 2, 備品, 什器類 and
// 工具 6, その他 1 (構築物); 建物 and its fittings (建物附属設備), vehicles
// (taxed as cars), 繰延資産 and 生物 are not declared.
[[nodiscard]] MunicipalKindChoice proposedMunicipalKind(const reg::Row& asset);
// The kind chosen on the card (column 28: "1"-"6", "0" for 対象外), else the
// proposal.
[[nodiscard]] MunicipalKindChoice municipalKindOf(const reg::Row& asset);
// Column 29: the asset was bought used (中古).
[[nodiscard]] bool boughtUsed(const reg::Row& asset);

// The 増加事由 codes.
inline constexpr int kIncreaseNew = 1;
inline constexpr int kIncreaseUsed = 2;
inline constexpr int kIncreaseOther = 4;

// The 評価額 on 1 January of `year` of an asset of `cost` yen and `life`
// years acquired in calendar year `acquiredYear`; nothing for an asset not
// yet acquired (acquiredYear >= year) or a life without a rate.
[[nodiscard]] std::optional<std::int64_t> municipalValue(std::int64_t cost, int life,
                                                         int acquiredYear, int year);

struct MunicipalAsset {
    int record = 0;
    int kind = 0;
    std::string name;
    std::string quantity;
    // The acquisition: calendar year and month, and in the return's era
    // code (3 昭和, 4 平成, 5 令和) and year.
    int acquiredYear = 0;
    int acquiredMonth = 0;
    int eraCode = 0;
    int eraYear = 0;
    std::int64_t cost = 0;
    // Nothing where the register holds no life the return can take.
    std::optional<int> life;
    // The 減価残存率 of the last step in thousandths (A for an asset
    // acquired in the year before, else B).
    std::optional<int> residualRate;
    std::optional<std::int64_t> value;
    std::optional<std::int64_t> taxBase;
    int increaseReason = kIncreaseNew;
    // Acquired (or put to business use) in the year before: an increase of
    // this return (ハ).
    bool acquiredLastYear = false;
    // 摘要: 中古, 家事用から転用, or what is missing.
    std::string note;
};

// An asset that left the business in the year before (ロ).
struct RemovedAsset {
    int record = 0;
    int kind = 0;
    std::string name;
    std::int64_t cost = 0;
    // "YYYY-MM" and how it left (除却, 売却, 自家転用).
    std::string leftMonth;
    std::string how;
};

struct ExcludedAsset {
    int record = 0;
    std::string name;
    std::string reason;
};

// One kind's line of the 申告書's table: sums of 取得価額.
struct KindSums {
    std::int64_t i = 0;   // (イ) 前年前に取得したもの
    std::int64_t ro = 0;  // (ロ) 前年中に減少したもの
    std::int64_t ha = 0;  // (ハ) 前年中に取得したもの
    std::int64_t ni = 0;  // (ニ) 計 = イ − ロ + ハ
};

struct MunicipalReturn {
    // The calendar year of the 賦課期日 (1 January).
    int year = 0;
    std::vector<MunicipalAsset> assets;
    std::vector<RemovedAsset> removed;
    std::vector<ExcludedAsset> excluded;
    // Kinds 1-6 at 0-5, and all kinds.
    std::array<KindSums, kMunicipalKinds> byKind{};
    KindSums total;
    std::array<std::int64_t, kMunicipalKinds> valueByKind{};
    std::int64_t totalValue = 0;
    // The sum of the assets' 課税標準額 truncated to 1,000 yen.
    std::int64_t taxBase = 0;
    // The rate in percent as given ("1.4"), the tax truncated to 100 yen
    // (0 below the exemption), and whether the base is below 1,500,000 yen.
    std::string rate;
    std::int64_t tax = 0;
    bool belowExemption = false;
    // Assets whose value cannot be computed (no life), told to the user.
    std::vector<std::string> warnings;
};

inline constexpr const char* kDefaultMunicipalRate = "1.4";
inline constexpr std::int64_t kMunicipalExemption = 1500000;
inline constexpr const char* kEnterLifeNote = "耐用年数を入力してください";
inline constexpr const char* kBadMunicipalRateMessage =
    "税率は0より大きく100以下の数（%）で入力してください。";

// The rate typed for the estimate: a number above 0 and at most 100
// (percent), or nothing.
[[nodiscard]] std::optional<common::Exact> readMunicipalRate(std::string_view text);

// The return for 1 January of `year` of rows 1..count of `assets`. Throws
// common::OverflowError when a sum cannot be held; std::invalid_argument
// for a rate readMunicipalRate refuses.
[[nodiscard]] MunicipalReturn municipalReturn(const reg::AssetRegister& assets, int count, int year,
                                              std::string_view rate = kDefaultMunicipalRate);

// The year the window proposes: the coming 1 January's year from October
// on, else this year.
[[nodiscard]] constexpr int proposedMunicipalYear(int year, int month) {
    return month >= 10 ? year + 1 : year;
}

}  // namespace fenmark::yearend
