#pragma once
// The checks of the columns after the leaving (the opening carried in from a
// filed return and the month business use began), on the texts the register
// stores: the card runs them on 登録, and anything else that brings records
// in (an import) runs the very same ones. Each gives the message that
// refuses the value, or nothing when the value may be stored.
//
//   const AssetTexts asset{"4", "2020", "6", "1000000", "1"};
//   carriedBookValueRefusal(asset, "1200000") == kMsgCarriedBookAboveCost
//   carriedBookValueRefusal(asset, "512000") == std::nullopt

#include <optional>
#include <string>
#include <string_view>

namespace fenmark::card {

inline constexpr const char* kMsgCarriedIncomplete =
    "前年末未償却残高（引継ぎ）は、年と金額の両方を入力してください。";
inline constexpr const char* kMsgCarriedLumpSum =
    "一括償却資産（3年均等償却資産）と少額減価償却資産の特例の資産には、"
    "前年末未償却残高（引継ぎ）を入力できません。";
inline constexpr const char* kMsgBadCarriedYear = "前年末未償却残高（引継ぎ）の年が不正です。";
inline constexpr const char* kMsgCarriedYearNotAfterAcquisition =
    "前年末未償却残高（引継ぎ）の年は、取得した年より後の年にしてください。";
inline constexpr const char* kMsgCarriedYearNotAfterBusinessStart =
    "前年末未償却残高（引継ぎ）の年は、業務に使い始めた年より後の年にしてください。";
inline constexpr const char* kMsgCarriedYearInFuture =
    "前年末未償却残高（引継ぎ）の年がまだ来ていない年です。";
inline constexpr const char* kMsgBadCarriedBook =
    "前年末未償却残高が不正です。円単位の整数を入力してください。";
inline constexpr const char* kMsgCarriedBookAboveCost =
    "前年末未償却残高が取得価額を超えています。";
inline constexpr const char* kMsgCarriedBookBelowMemorandum =
    "前年末未償却残高が備忘価額（1台（1単位）につき1円）より少なくなっています。";
inline constexpr const char* kMsgRevisedBaseNotApplicable =
    "改定取得価額は、平成19年4月以降に取得した定率法の資産にだけ入力できます。";
inline constexpr const char* kMsgBadRevisedBase =
    "改定取得価額が不正です。円単位の整数を入力してください。";
inline constexpr const char* kMsgRevisedBaseBelowBook =
    "改定取得価額が前年末未償却残高より少なくなっています。";
inline constexpr const char* kMsgRevisedBaseAboveCost = "改定取得価額が取得価額を超えています。";
inline constexpr const char* kMsgBusinessStartLumpSum =
    "一括償却資産（3年均等償却資産）と少額減価償却資産の特例の資産には、"
    "業務に使い始めた年月を入力できません。";
inline constexpr const char* kMsgBadBusinessStart = "業務に使い始めた年月が不正です。";
inline constexpr const char* kMsgBusinessStartBeforeAcquisition =
    "業務に使い始めた年月が取得年月より前になっています。";
inline constexpr const char* kMsgBusinessStartInFuture =
    "業務に使い始めた年月がまだ来ていない月です。";

// The asset's own register texts the checks compare with.
struct AssetTexts {
    std::string_view method;       // 償却方法 ("0" to "6")
    std::string_view westernYear;  // 取得年 ("2007")
    std::string_view month;        // 取得月 ("4")
    std::string_view cost;         // 取得価額 in whole yen
    std::string_view quantity;     // 数量
};

// Today's calendar year and month.
struct Today {
    int year = 0;
    int month = 0;
};

using Refusal = std::optional<std::string>;

// The month business use began ("YYYY-MM"; empty when at acquisition): not
// for 一括償却 and 少額特例, not before the acquisition month, not after
// this month.
[[nodiscard]] Refusal businessStartRefusal(const AssetTexts& asset, std::string_view start,
                                           Today today);

// The carried opening's year and book value are given together or not at
// all, and a 改定取得価額 only with them.
[[nodiscard]] Refusal carriedPairRefusal(std::string_view year, std::string_view bookValue,
                                         std::string_view revisedBase);

// The carried opening's year ("YYYY"): not for 一括償却 and 少額特例, after
// the year of acquisition and after the year business use began (`start`,
// "YYYY-MM" or empty), and not after this year. `storedYear` is what the
// record held before: closing this year writes the next one, which stays
// acceptable as long as it is not changed.
[[nodiscard]] Refusal carriedYearRefusal(const AssetTexts& asset, std::string_view year,
                                         std::string_view start, std::string_view storedYear,
                                         Today today);

// The book value at the end of the year before: whole yen, not above the
// cost, not below the memorandum value (1 yen a unit, or the cost when that
// is lower).
[[nodiscard]] Refusal carriedBookValueRefusal(const AssetTexts& asset, std::string_view bookValue);

// The 改定取得価額 (empty when none): only for 新定率法 (method "4",
// acquired from April 2007), not below the carried book value, not above
// the cost.
[[nodiscard]] Refusal revisedBaseRefusal(const AssetTexts& asset, std::string_view revisedBase,
                                         std::string_view bookValue);

// ---- The base fields of a record ----
//
// Numbers are plain digits; an empty text passes only where the function
// says so (the card lets a half-typed page be saved with some boxes empty).

// The name: no double quote (the register file has no escape for it) and
// nothing code page 932 cannot hold.
[[nodiscard]] Refusal nameRefusal(std::string_view name);

// The cost in whole yen, 0 to 2,147,483,647.
[[nodiscard]] Refusal priceRefusal(std::string_view price, bool allowEmpty);

// Which box of the acquisition date a refusal is about.
enum class DatePart { year, month };
struct DateRefusal {
    std::string message;
    DatePart part = DatePart::year;
};
// The acquisition's era (0 昭和, 1 平成, 2 令和), the era's year and the
// month: a year the era reached (昭和64 in January, 平成31 in April, 令和
// from May of its first year), and not after this month. A month that is no
// whole number is not judged here.
[[nodiscard]] std::optional<DateRefusal> acquisitionRefusal(int era, std::string_view eraYear,
                                                            std::string_view month, Today today);

// The quantity, 1 to 99,999; never empty.
[[nodiscard]] Refusal quantityRefusal(std::string_view quantity);
// The business share in percent, 0 to 100; never empty.
[[nodiscard]] Refusal ratioRefusal(std::string_view ratio);
// The useful life, 1 to 100 years.
[[nodiscard]] Refusal lifeRefusal(std::string_view life, bool allowEmpty);
// The optional boxes (empty passes): the revised life 1 to 100, the
// residual share and the depreciation limit 0 to 100 percent.
[[nodiscard]] Refusal revisedLifeRefusal(std::string_view life);
[[nodiscard]] Refusal residualRefusal(std::string_view residual);
[[nodiscard]] Refusal limitRefusal(std::string_view limit);

// The leaving as the card holds it: the era (-1 none chosen), the era's
// year, the month (0 none chosen) and, for a sale, the price.
struct LeavingTexts {
    bool sale = false;
    int era = -1;
    std::string_view eraYear;
    int month = 0;
    std::string_view salePrice;
};
// Which box a leaving refusal is about.
enum class LeavingPart { date, price };
struct LeavingRefusal {
    std::string message;
    LeavingPart part = LeavingPart::date;
};
// A complete date the era reached, not before the acquisition (western
// year and month texts) and not after this month; a sale's price in whole
// yen.
[[nodiscard]] std::optional<LeavingRefusal> leavingRefusal(const LeavingTexts& leaving,
                                                           std::string_view acquiredYear,
                                                           std::string_view acquiredMonth,
                                                           Today today);

// The date key of an acquisition (the western year, then the month plus
// 10: 202614 for April 2026), as the method rules compare it.
[[nodiscard]] double acquisitionDateKey(int westernYear, int month);
// The price of one unit (the cost when the quantity is below 1).
[[nodiscard]] double unitPriceOf(std::string_view price, std::string_view quantity);
// 一括償却: a unit price of at least 100,000 and below 200,000 yen.
[[nodiscard]] const char* lumpSumRefusal(double unitPrice);
// 少額特例: acquired within the rule's period, below its limit a unit.
[[nodiscard]] const char* smallAssetRefusal(double dateKey, double unitPrice);
// A cost below the quantity leaves less than the memorandum value of one
// yen a unit.
[[nodiscard]] Refusal priceBelowQuantityRefusal(std::string_view price, std::string_view quantity);

// ---- The method's code and rates ----

// The methods as the card offers them: straight line and declining
// balance (the code follows from the acquisition date and the type), the
// three-year method and the small-asset rule.
enum class MethodChoice { straightLine, decliningBalance, threeYear, smallAsset };

// What the card stores for a method: the code, the life (the three-year
// method sets its own; the small-asset rule keeps the statutory life, which
// the municipal return values the asset by), the rate and, for the 2007 and
// 2012 declining-balance rules, the revised and guarantee rates.
struct MethodRates {
    std::string code;
    std::string life;
    std::string rate;
    std::string newRuleRates;
};

// The card's rates for an asset of `type` (0 to 10) acquired at `dateKey`
// (acquisitionDateKey) with the life and the cost of one unit, or the
// card's message refusing the choice (a life the table has no entry for,
// declining balance for a building, a price outside the three-year or
// small-asset limits).
struct MethodResult {
    std::optional<MethodRates> rates;
    std::string refusal;
};
[[nodiscard]] MethodResult methodRates(MethodChoice choice, int type, double dateKey,
                                       std::string_view life, double unitPrice);

// Whether an asset of the method acquired then may carry a 改定取得価額.
[[nodiscard]] bool takesRevisedBase(std::string_view method, std::string_view westernYear,
                                    std::string_view month);

}  // namespace fenmark::card
