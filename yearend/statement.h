#pragma once
// The year-end statement (決算書資料): the table 「減価償却費の計算」 of the
// return for one year, column for column as the 青色申告決算書 and the
// 収支内訳書 print it: every asset of the register in register order with
// its acquisition data, method and rate, and the one row of its schedule
// that belongs to that year, followed by a totals row. The statement has no
// depreciation formulas of its own: it takes the year from each asset's
// computed Schedule (schedule/schedule.h).
//
// This header holds the statement's own data (heading, columns, colours,
// captions) and the small rules the computation is made of; the window that
// runs the computation is statement_window.h.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "law/era.h"
#include "platform/grid.h"
#include "schedule/frame.h"
#include "schedule/schedule.h"

namespace fenmark::yearend {

inline constexpr const char* kStatementTitle = "決算書資料";
inline constexpr int kStatementColumns = 16;

// Columns of the statement table, in the order of the return's table.
enum StatementColumn : int {
    colName = 0,                // 減価償却資産の名称等
    colQuantity = 1,            // 面積又は数量
    colAcquired = 2,            // 取得年月
    colCost = 3,                // ㋑ 取得価額（償却保証額）
    colBase = 4,                // ㋺ 償却の基礎になる金額
    colMethod = 5,              // 償却方法
    colLife = 6,                // 耐用年数
    colRate = 7,                // ㋩ 償却率又は改定償却率
    colPeriod = 8,              // ㋥ 本年中の償却期間
    colDepreciation = 9,        // ㋭ 本年分の普通償却費
    colSpecial = 10,            // ㋬ 割増（特別）償却費
    colDepreciationTotal = 11,  // ㋣ 本年分の償却費合計
    colShare = 12,              // ㋠ 事業専用割合
    colExpense = 13,            // ㋷ 本年分の必要経費算入額
    colBookValue = 14,          // ㋦ 未償却残高（期末残高）
    colRemark = 15,             // 摘要
};

// The return the table is copied into. The two forms differ only in the
// heading of ㋬.
enum class ReturnForm { Blue, Income };
inline constexpr const char* kBlueFormName = "青色申告決算書";
inline constexpr const char* kIncomeFormName = "収支内訳書";

// The headings of the columns exactly as the form prints them.
[[nodiscard]] const std::array<std::string_view, kStatementColumns>& statementHeadings(
    ReturnForm form);
// The same headings broken into short lines, as the window's table and the
// printout show them in narrow columns.
[[nodiscard]] const std::array<std::string_view, kStatementColumns>& statementShortHeadings(
    ReturnForm form);
// The window table's format string: the short headings, "|" between them.
[[nodiscard]] std::string statementHeadingFormat(ReturnForm form);

inline constexpr const char* kTotalsCaption = "合 　計";
inline constexpr const char* kWrittenOff = "償却済";
// The remark of the five years in which the old methods write off what is
// left after 95 %.
inline constexpr const char* kEqualRemark = "均等償却";
inline constexpr const char* kFullYear = "12/12";

inline constexpr const char* kPromptCaption = "閲覧する年分を入力して下さい。";
inline constexpr const char* kRemovableLegend = "既に削除可能な資産";
inline constexpr const char* kNotExistingLegend = "その年度に存在しない資産";
// Under the table: the year's 少額減価償却資産 (措置法28条の2) and the cap
// on them.
inline constexpr const char* kSmallAssetTotalCaption =
    "少額減価償却資産（措置法28の2）の本年分合計：";
inline constexpr std::int64_t kSmallAssetYearlyCap = 3000000;
inline constexpr const char* kScrappedTotalCaption = "除却した資産の未償却残高（本年の必要経費）：";
inline constexpr const char* kSmallAssetOverCaption =
    "合計が300万円を超えています。超える部分は少額減価償却資産の特例で必要経費にできません。";

inline constexpr const char* kBadYearMessage = "入力が正しくありません。";
inline constexpr const char* kNoYearMessage = "年分を入力して下さい。";
// Told once after a statement in which some assets could not be computed
// (their rows show no schedule values), and when the totals themselves
// cannot be held.
inline constexpr const char* kAssetsNotComputedMessage =
    "償却費を計算できない資産があります。登録内容を確認してください。";
inline constexpr const char* kStatementNotComputedMessage =
    "決算書資料を計算できません。登録内容を確認してください。";

// Cell colours as 0xRRGGBB.
inline constexpr platform::Rgb kNotExistingColor = 0x8080FF;
inline constexpr platform::Rgb kRemovableColor = 0xC0FFFF;
inline constexpr platform::Rgb kTotalsColor = 0xFFFF00;

// How an asset row is marked.
enum class Marking { None, Removable, NotExisting };

// The word the command-line export uses for a marking: "", "removable",
// "notExisting".
[[nodiscard]] std::string_view markingName(Marking marking);

// The highest year the statement accepts, counted from 平成: years are
// typed as one or two digits of an era, 平成99 (2087) the last.
inline constexpr int kLastStatementYear = 99;
inline constexpr int kLastStatementWesternYear = 1988 + kLastStatementYear;

// The year typed into the year box, as the statement counts years (from
// 平成: 令和8 is 38), or 0 when it is not a whole number naming a year from
// 1989 to 2087 in the era chosen. Blanks around it are allowed.
//   statementYearOf(Era::Heisei, "19") == 19, statementYearOf(Era::Reiwa, "8") == 38,
//   statementYearOf(Era::Heisei, "0") == 0, statementYearOf(Era::Reiwa, "70") == 0
[[nodiscard]] std::int32_t statementYearOf(law::Era era, std::string_view text);
[[nodiscard]] inline std::int32_t statementYearOf(std::string_view text) {
    return statementYearOf(law::Era::Heisei, text);
}

// A year as the command line takes it: a western year ("2026"), an era
// letter and year ("R8", "H30"), or a bare number from 1 to 99 (a 平成
// year, as before 令和). Gives the era and the year text for the window, or
// nothing when the text is none of these.
struct TypedYear {
    law::Era era;
    std::string year;
};
[[nodiscard]] std::optional<TypedYear> parseYearArgument(std::string_view text);

// A statement year as the user gave it, read and checked: the year counted
// from 平成, or why it is refused.
struct StatementYear {
    enum class Refusal { None, NoYear, BadYear };
    // Counted as statementYearOf counts (令和8 is 38); 0 when refused.
    std::int32_t year = 0;
    Refusal refusal = Refusal::None;
    // What the user is told: kNoYearMessage, kBadYearMessage, or "" for a
    // year that is taken.
    [[nodiscard]] const char* message() const;
};

// The one check of a statement year, for the window's year box and the
// command line alike: nothing typed is refused as NoYear, a text that
// statementYearOf does not take as BadYear.
//   readStatementYear(Era::Reiwa, "8").year == 38
//   readStatementYear(Era::Heisei, "").refusal == StatementYear::Refusal::NoYear
//   readStatementYear(Era::Heisei, "0").refusal == StatementYear::Refusal::BadYear
[[nodiscard]] StatementYear readStatementYear(law::Era era, std::string_view text);
// The same for a year in the command line's forms (parseYearArgument); a
// text of none of them is read as if typed into the box under 平成.
//   readStatementYearArgument("2026").year == 38, readStatementYearArgument("R8").year == 38
//   readStatementYearArgument("S60").refusal == StatementYear::Refusal::BadYear
[[nodiscard]] StatementYear readStatementYearArgument(std::string_view argument);

// An amount read back from the text a money mask made of it: "1,350,000"
// is 1350000, "-1,234" is -1234. Nothing for a blank cell or any text that
// is not digits grouped by commas (a cost the register holds as words).
[[nodiscard]] std::optional<std::int64_t> readAmount(std::string_view text);

// What an asset's statement row takes from the row of its schedule.
struct ScheduleCopy {
    std::string period;        // ㋥ 本年中の償却期間
    std::string depreciation;  // ㋭ 本年分の普通償却費
    std::string expense;       // ㋷ 本年分の必要経費算入額
    std::string bookValue;     // ㋦ 未償却残高
    std::string remark;        // 摘要
    // ㋥ as numbers: `months` of `monthsOf`; monthsOf 0 where no period is
    // shown.
    int months = 0;
    int monthsOf = 0;
    // The whole yen the three amounts show; nothing where the cell is blank,
    // which the totals count as 0.
    std::optional<std::int64_t> depreciationYen;
    std::optional<std::int64_t> expenseYen;
    std::optional<std::int64_t> bookValueYen;
    // The year the asset left: its 未償却残高 is 0 and the book value that
    // left is named in the remark.
    schedule::Remark leaving = schedule::Remark::None;
    std::int64_t leftBookValue = 0;
    // No depreciation in the row: the share is not shown either.
    bool shareCleared = false;
    Marking marking = Marking::None;
};

// Year `row` of `schedule` (-1 for none) as the statement shows it. A year
// before the schedule shows "0" for its amounts and nothing for its months
// and remark, and does not exist yet; a year past the table's end is shown
// as its last year (every table ends after the depreciation has); past the
// schedule's counted last year (gridRowCount - 1) the book value is that
// year's; a year showing neither depreciation nor book value is removable,
// and a year showing no expense is written off ("償却済").
[[nodiscard]] ScheduleCopy copyScheduleRow(const schedule::Schedule& schedule, int row);

// The amount year `row` of `schedule` is computed from, where that is not
// what the register gives (the cost, or cost x 0.9 for the old straight
// line): for the declining balances the book value at the start of the
// year, and from the switch to the revised rate the revised base (the book
// value at the start of the switch year). Nothing for year 1, the five
// equal years of the tail, years outside the schedule and other methods.
[[nodiscard]] std::optional<std::int64_t> decliningBase(const schedule::Schedule& schedule,
                                                        int row);

// The guarantee amount as the cost cell adds it: "(174,560)".
[[nodiscard]] std::string guaranteeText(std::int64_t amount);

// One asset's line of the statement: the texts the register gives and the
// year its schedule gives.
struct StatementLine {
    std::string name;
    std::string quantity;
    std::string acquired;
    // The cost, followed by the guarantee amount in parentheses where the
    // asset has one.
    std::string cost;
    // The amount the year's depreciation is computed from, and the rate.
    std::string base;
    std::string method;
    std::string life;
    std::string rate;
    std::string share;
    // The numbers behind those texts: the cost and the base in whole yen
    // (nothing where the cell is blank or the register holds no number
    // there), and the share as the register holds it ("100"), empty where
    // the share is not shown.
    std::optional<std::int64_t> costYen;
    std::optional<std::int64_t> baseYen;
    std::string ratio;
    // The guarantee amount of the new declining balance (acquired from
    // April 2007).
    std::optional<std::int64_t> guaranteeAmount;
    // The year of the schedule; all texts empty when the asset has no
    // schedule or could not be computed.
    ScheduleCopy year;
    // Where the schedule starts from, when not simply the cost at
    // acquisition: the opening carried in, and the private-use conversion.
    std::optional<schedule::Schedule::Carried> carried;
    std::optional<schedule::Schedule::Conversion> conversion;
    // The book value at the start of the year (前年末未償却残高) for an
    // asset in at least its second year, or in its first year of business
    // use after private use (the book value at conversion); nothing else.
    std::optional<std::int64_t> openingBookYen;
    // The year is the first of business use after private use.
    bool conversionYear = false;
    // The 改定取得価額 in a year computed at the revised rate.
    std::optional<std::int64_t> revisedBaseYen;
    bool computed = true;
};

// The statement of one year as data: a line per asset and the totals of
// ㋭ (depreciationTotal), ㋷ (expenseTotal) and ㋦ (bookValueTotal); ㋬ is
// always 0, as no special depreciation is computed, so ㋣ equals ㋭.
struct StatementData {
    std::vector<StatementLine> lines;
    std::int64_t depreciationTotal = 0;
    std::int64_t expenseTotal = 0;
    std::int64_t bookValueTotal = 0;
    // The 1-based assets whose schedule could not be computed.
    std::vector<int> uncomputed;
    // Whether some 少額減価償却資産 is expensed this year, and their sum.
    bool hasSmallAssets = false;
    std::int64_t smallAssetTotal = 0;
    // Whether some asset left the business this year, and the book values
    // of those scrapped: a loss that is an expense of the year.
    bool hasLeaving = false;
    std::int64_t scrappedBookValueTotal = 0;
};

// The sixteen texts of a line's row, column for column as the window and
// the export show them (㋬ blank, ㋣ the ordinary amount: no special
// depreciation is computed).
[[nodiscard]] std::array<std::string, kStatementColumns> statementRowTexts(
    const StatementLine& line);
// The same for the totals row: its caption and the five totals.
[[nodiscard]] std::array<std::string, kStatementColumns> statementTotalsTexts(
    const StatementData& data);

// The statement of `statementYear` (a Heisei year) for rows 1..count of
// `assets`. `closingMonthNumber` places the year in each schedule; when
// `optionsValid` is false no schedule can be computed. Throws
// common::OverflowError when a total cannot be held in 64 bits.
[[nodiscard]] StatementData computeStatement(const reg::AssetRegister& assets, int count,
                                             std::int32_t statementYear,
                                             std::int32_t closingMonthNumber,
                                             const schedule::Options& options, bool optionsValid);

// The first schedule row's offset: 1 for a December closing or an asset
// acquired after the closing month, else 2 (its first fiscal year began a
// calendar year earlier).
[[nodiscard]] int scheduleOffset(std::int32_t closingMonthNumber, double acquisitionMonth);

// The schedule row of the statement year: offset + statementYear + 1988 -
// westernYear, with 0 made -1 (no row: the asset did not exist yet). Rows
// beyond the 16-bit range are held at its ends, which lie outside every
// schedule in the same direction.
[[nodiscard]] std::int16_t scheduleRowFor(int offset, std::int32_t statementYear,
                                          double westernYear);

// True when the asset was acquired in or before the statement's calendar
// year (statementYear + 1988).
[[nodiscard]] bool acquiredBy(std::int32_t statementYear, double westernYear);

// The closing-date caption: "(期末 ：平成 " & w & "年" & closingMonth & "月)",
// where w is the statement year for a closing month after March and the
// next year otherwise (a fiscal year that closes in January to March ends
// in the calendar year after the one it is named by).
[[nodiscard]] std::string closingCaption(std::int32_t statementYear,
                                         const std::string& closingMonth);

}  // namespace fenmark::yearend
