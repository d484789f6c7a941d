#pragma once
// The statement's figures as the two electronic ways of filing take them.
//
// The NTA's online return system (確定申告書等作成コーナー) takes no file:
// the user types each asset into its screens, field by field, in its own
// order and within its own limits (a name of at most 16 characters, 摘要 of
// at most 8, at most 220 assets). OnlineEntries lists those fields asset by
// asset, each value taken from the statement, with every broken limit
// explained.
//
// e-Tax's 青色申告決算書 (KOA210) and 収支内訳書 (KOA110) carry the table as
// tagged fields AMF01610 … AMF01790 per row, 7 (or 6) rows on the form, the
// 次葉合計 of the rest and the 計. EtaxTable holds them with the rows the
// e-Tax checks would reject.
//
// Both list the assets that belong in the year's return: every statement
// line that exists in the year and is not removable.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "law/era.h"
#include "register/state.h"
#include "yearend/statement.h"

namespace fenmark::yearend {

// The online system's limits.
inline constexpr std::size_t kOnlineNameLimit = 16;
inline constexpr std::size_t kOnlineQuantityLimit = 12;
inline constexpr std::size_t kOnlineRemarkLimit = 8;
inline constexpr std::size_t kOnlineAssetLimit = 220;

inline constexpr const char* kOnlineViewTitle = "作成コーナー入力用";

// The fields in the order the online system asks for them. 取得年月 is
// typed as three entries (era, year, month) and is three fields here.
enum class OnlineField : int {
    Kind,           // 種類等
    Detail,         // 細目
    Name,           // 名称
    Quantity,       // 面積又は数量
    AcquiredEra,    // 取得年月: 元号
    AcquiredYear,   // 取得年月: 年
    AcquiredMonth,  // 取得年月: 月
    Cost,           // 取得価額
    OpeningBook,    // 前年末未償却残高
    Base,           // 償却の基礎になる金額
    Life,           // 耐用年数
    RevisedBase,    // 改定取得価額
    Period,         // 本年中の償却期間
    Left,           // 除却・譲渡・廃棄
    Depreciation,   // 本年分の普通償却費
    Ratio,          // 事業専用割合
    Remark,         // 摘要
};
inline constexpr int kOnlineFields = 17;

// The label of a field as the online system names it; the three parts of
// 取得年月 are 「取得年月（元号）」, 「取得年月（年）」, 「取得年月（月）」.
[[nodiscard]] std::string_view onlineFieldLabel(OnlineField field);

// A month of an era: 令和8年4月 is {Reiwa, 8, 4}.
struct EraMonth {
    law::Era era = law::Era::Reiwa;
    int year = 0;
    int month = 0;
};

// e-Tax's era code: 3 昭和, 4 平成, 5 令和.
[[nodiscard]] constexpr int etaxEraCode(law::Era era) { return static_cast<int>(era) + 3; }

// A limit the online system would refuse, or a value the register cannot
// decide, on one field.
struct FieldProblem {
    OnlineField field;
    std::string message;
};

struct OnlineEntry {
    // The asset's 1-based record number.
    int record = 0;
    // 種類等 and 細目. Where the register cannot tell, the text says which
    // to choose and `kindToChoose` / `detailToChoose` is set. An empty
    // detail is a field the system does not ask for.
    std::string kind;
    std::string detail;
    bool kindToChoose = false;
    bool detailToChoose = false;
    std::string name;
    std::string quantity;
    // Nothing when the register holds no whole year and month.
    std::optional<EraMonth> acquired;
    std::optional<std::int64_t> cost;
    // Only for an asset acquired before the year.
    std::optional<std::int64_t> openingBook;
    std::optional<std::int64_t> base;
    // Nothing when the register holds no whole number of years.
    std::optional<int> life;
    // Only where the revised rate applies.
    std::optional<std::int64_t> revisedBase;
    // 0-12; nothing when the statement shows no period.
    std::optional<int> months;
    // Scrapped or sold in the year (除却・譲渡・廃棄).
    bool left = false;
    std::optional<std::int64_t> depreciation;
    // "100.00": the share with two decimals; empty where the statement
    // shows none.
    std::string ratio;
    std::string remark;
    std::vector<FieldProblem> problems;

    // The problem on `field`, or nullptr.
    [[nodiscard]] const FieldProblem* problemOf(OnlineField field) const;
};

struct OnlineEntries {
    // The calendar year of the return.
    std::int32_t westernYear = 0;
    std::vector<OnlineEntry> assets;
    // What concerns the list as a whole (more than 220 assets).
    std::vector<std::string> warnings;
    // ㋷ in total: the 減価償却費 of the profit and loss statement.
    std::int64_t expenseTotal = 0;
};

// The entries of the statement of `statementYear` (counted from 平成, as
// computeStatement takes it) whose lines are `data`, for the register
// `assets` the statement was computed from.
[[nodiscard]] OnlineEntries onlineEntries(const StatementData& data,
                                          const reg::AssetRegister& assets,
                                          std::int32_t statementYear);

// A field as the window shows it: amounts with separators, 「はい」 /
// 「いいえ」, the era by name.
[[nodiscard]] std::string onlineDisplayText(const OnlineEntry& entry, OnlineField field);
// A field as it is typed into the online system (and copied to the
// clipboard): amounts as plain digits, the rest as shown. Empty where the
// system asks nothing.
[[nodiscard]] std::string onlineTypedText(const OnlineEntry& entry, OnlineField field);

// Where the ㋷ total goes: the line of the profit and loss statement (青色
// 申告決算書) or of the expenses (収支内訳書).
[[nodiscard]] std::string expenseDestination(ReturnForm form);
// The sentence the window and the printouts give it:
// 「損益計算書の「減価償却費」（⑱）へ：236,900円」.
[[nodiscard]] std::string expenseDestinationLine(ReturnForm form, std::int64_t expenseTotal);

// ---- e-Tax ----

// One row of the table in e-Tax's fields. Amounts are whole yen; nothing
// where the statement shows a blank.
struct EtaxRow {
    int record = 0;
    std::string name;                       // AMF01610
    std::string quantity;                   // AMF01620
    std::optional<EraMonth> acquired;       // AMF01630
    std::optional<std::int64_t> cost;       // AMF01640
    std::optional<std::int64_t> guarantee;  // AMF01645
    std::optional<std::int64_t> base;       // AMF01650
    std::string method;                     // AMF01660
    std::optional<int> life;                // AMF01670
    // AMF01690: the rate with three decimals ("0.250"), empty for none.
    std::string rate;
    std::optional<int> months;                      // AMF01720
    std::optional<std::int64_t> depreciation;       // AMF01730
    std::optional<std::int64_t> special;            // AMF01740
    std::optional<std::int64_t> depreciationTotal;  // AMF01750
    // AMF01760: the share with two decimals ("100.00"), empty for none.
    std::string ratio;
    std::optional<std::int64_t> expense;    // AMF01770
    std::optional<std::int64_t> bookValue;  // AMF01780
    std::string remark;                     // AMF01790
};

// The sums of the 次葉合計 (AMF01792-AMF01797) and of the 計
// (AMF01810-AMF01860), in the order of their tags.
struct EtaxTotals {
    std::int64_t cost = 0;
    std::int64_t depreciation = 0;
    std::int64_t special = 0;
    std::int64_t depreciationTotal = 0;
    std::int64_t expense = 0;
    std::int64_t bookValue = 0;
};

// A row the e-Tax checks would reject, and why.
struct EtaxProblem {
    // 1-based row of the table and the asset's record.
    int row = 0;
    int record = 0;
    std::string field;  // the tag, "AMF01720"
    std::string message;
};

struct EtaxTable {
    // "KOA210" or "KOA110", and the rows the form itself has (7 or 6).
    std::string form;
    int formRows = 7;
    std::int32_t westernYear = 0;
    std::vector<EtaxRow> rows;
    // The rows after the form's own, summed.
    EtaxTotals continuation;
    EtaxTotals total;
    std::vector<EtaxProblem> problems;
};

inline constexpr const char* kBlueEtaxForm = "KOA210";
inline constexpr const char* kIncomeEtaxForm = "KOA110";

// The table of the statement `data` of `statementYear` for `form`.
[[nodiscard]] EtaxTable etaxTable(const StatementData& data, const reg::AssetRegister& assets,
                                  std::int32_t statementYear, ReturnForm form);

// The tags of EtaxRow's fields in their order, and of the two totals.
inline constexpr std::array<std::string_view, 17> kEtaxRowTags = {
    "AMF01610", "AMF01620", "AMF01630", "AMF01640", "AMF01645", "AMF01650",
    "AMF01660", "AMF01670", "AMF01690", "AMF01720", "AMF01730", "AMF01740",
    "AMF01750", "AMF01760", "AMF01770", "AMF01780", "AMF01790"};
inline constexpr const char* kEtaxContinuationTag = "AMF01791";
inline constexpr std::array<std::string_view, 6> kEtaxContinuationTags = {
    "AMF01792", "AMF01793", "AMF01794", "AMF01795", "AMF01796", "AMF01797"};
inline constexpr const char* kEtaxTotalTag = "AMF01800";
inline constexpr std::array<std::string_view, 6> kEtaxTotalTags = {
    "AMF01810", "AMF01820", "AMF01830", "AMF01840", "AMF01850", "AMF01860"};

// Whether line `line` of a statement belongs in the return: it exists in
// the year, is computed and is not removable.
[[nodiscard]] bool belongsInReturn(const StatementLine& line);

}  // namespace fenmark::yearend
