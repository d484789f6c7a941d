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

// Whether an asset of the method acquired then may carry a 改定取得価額.
[[nodiscard]] bool takesRevisedBase(std::string_view method, std::string_view westernYear,
                                    std::string_view month);

}  // namespace fenmark::card
