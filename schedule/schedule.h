#pragma once
// One asset's depreciation schedule as a value: what the six schedule
// procedures compute for a register row, before anything is shown. The
// schedule window's grid, the schedule printout, the year-end statement and
// the command-line tool are all rendered from it.
//
//   const Options options{12, 0, 2026};          // closing month, round up
//   const Schedule s = computeSchedule(row, options);
//   s.years[0].amount.yen();                     // the first year's amount
//   moneyText(s.years[0].amount);                // "250,000" as displayed
//
// A value that does not fit the type the rules hold it in (a cost beyond 32
// bits, an absurd life, a schedule too long for any table) throws
// common::OverflowError; whoever computes the schedule reports it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/exact.h"
#include "common/number.h"
#include "law/private_use.h"
#include "register/state.h"

namespace fenmark::schedule {

// What a schedule depends on besides the register row.
struct Options {
    std::int16_t closingMonth = 12;
    // 0 rounds up (切上げ), anything else rounds down (切捨て).
    std::int16_t roundingFlag = 0;
    // The calendar year the elapsed years count to.
    std::int32_t currentYear = 0;
};

// A money cell of a year, in whole yen. The display distinguishes three
// states, and the statement's rules depend on them: a value the year does
// not have at all (Empty, shown blank), an amount (Number; an amount of 0
// is shown blank too), and the literal 0 the old methods show for a year
// held at the depreciation limit (Zero). An expense that the rules leave
// with a fraction of a yen (the share of an amount) is held as the whole
// yen it is shown as, halves away from zero.
struct Money {
    enum class Kind : std::uint8_t { Empty, Number, Zero };
    Kind kind = Kind::Empty;
    std::int64_t value = 0;

    [[nodiscard]] static Money number(std::int64_t amount) { return {Kind::Number, amount}; }
    // The whole yen an exact amount is shown as.
    [[nodiscard]] static Money nearest(const common::Exact& amount) {
        return number(amount.nearest());
    }
    [[nodiscard]] static Money zero() { return {Kind::Zero, 0}; }

    // True when the cell is shown blank.
    [[nodiscard]] bool blank() const {
        return kind == Kind::Empty || (kind == Kind::Number && value == 0);
    }
    // The whole yen the cell shows, 0 when blank.
    [[nodiscard]] std::int64_t yen() const { return kind == Kind::Number ? value : 0; }
};

enum class Remark : std::uint8_t {
    None,
    Revised,
    ThreeYear,
    FiveYear,
    SmallAsset,
    Scrapped,
    Sold,
    Private,
};

inline constexpr const char* kRemarkRevised = "改定償却";
inline constexpr const char* kRemarkThreeYear = "3年均等";
inline constexpr const char* kRemarkFiveYear = "５年均等";
inline constexpr const char* kRemarkSmallAsset = "措置法28の2";
inline constexpr const char* kRemarkScrapped = "除却";
inline constexpr const char* kRemarkSold = "売却";
// Business use ended and the asset went back to private use (自家転用).
inline constexpr const char* kRemarkPrivate = "自家転用";

// One schedule year (one data row of the schedule table).
struct Year {
    // The calendar year in which the fiscal year closes.
    double settleYear = 0;
    // Months in use: shown as months "/" monthsOf; monthsOf 0 shows nothing.
    std::int16_t months = 0;
    std::int8_t monthsOf = 0;
    Money amount;     // 当期償却額
    Money expense;    // 経費算入額
    Money bookValue;  // 期末簿価
    Remark remark = Remark::None;
    // How the year's amount is computed (Revised, FiveYear or None). It
    // stays when the remark becomes the year the asset left (Scrapped,
    // Sold, Private), whose amount is still taken by the same rule.
    Remark basis = Remark::None;
    // What the declining balances compute the year from (the 償却の基礎に
    // なる金額): the book value at the start of the year, or from the switch
    // on the revised base (改定取得価額). Nothing for other methods and for
    // the years of the five-year tail.
    std::optional<std::int64_t> base;
    // True when the year takes an asset that left (Scrapped, Sold, Private).
    [[nodiscard]] bool left() const {
        return remark == Remark::Scrapped || remark == Remark::Sold || remark == Remark::Private;
    }
};

// The procedure that computed the schedule.
enum class Procedure : std::uint8_t {
    None,          // no procedure applies: no years
    NewStraight,   // 新定額法 (method "3")
    NewDeclining,  // 新定率法 (method "4")
    OldDeclining,  // 旧定率法 (method "0")
    OldStraight,   // 旧定額法 (method "1")
    Plain,         // plain straight line (types 9 and 10, or a limit of 100 %)
    ThreeYear,     // 一括償却 (method "2")
    SmallAsset,    // 少額減価償却資産の特例 (method "6")
};

struct Schedule {
    Procedure procedure = Procedure::None;
    // Year 1 is the fiscal year of acquisition.
    std::vector<Year> years;
    // The schedule's size as the table counts it, heading included: the
    // number of years plus one, except for the three-year method, which
    // counts one row less than it shows.
    std::int16_t gridRowCount = 1;

    // What the year labels are made of.
    double eraCode = 0;
    double eraYear = 0;
    double westernYear = 0;
    double acquisitionMonth = 0;
    std::int16_t closingMonth = 12;

    // The guarantee amount (償却保証額) of the new declining balance: the
    // ordinary amount below which the revised rate takes over.
    std::optional<std::int64_t> guaranteeAmount;

    // The opening carried in from a filed return (columns 23 to 26).
    struct Carried {
        // The year whose opening it is, and its row (0 when the table has no
        // such row after its first year, so nothing is carried).
        int year = 0;
        int row = 0;
        // As filed: the book value at the end of the year before, and the
        // 改定取得価額 where the asset had switched.
        std::int64_t bookValue = 0;
        std::optional<std::int64_t> revisedBase;
        // The schedule's own book value at the end of the year before.
        std::optional<std::int64_t> computedBookValue;
        // The user chose to continue from the computed figure.
        bool fromComputed = false;
        // Whether the years from `row` on continue from the filed figures.
        [[nodiscard]] bool applied() const { return row >= 2 && !fromComputed; }
        // Filed less computed; nothing where there is no computed figure.
        [[nodiscard]] std::optional<std::int64_t> difference() const {
            if (!computedBookValue) return std::nullopt;
            return bookValue - *computedBookValue;
        }
    };
    std::optional<Carried> carried;

    // A private asset put to business use (column 27): year 1 is then the
    // fiscal year of business use, its months counted from that month, and
    // it starts from the book value at conversion. `acquired` is the real
    // acquisition.
    struct Conversion {
        law::YearMonth acquired{};
        law::YearMonth started{};
        law::PrivateUseLoss loss;
    };
    std::optional<Conversion> conversion;

    // Year `row` (1-based).
    [[nodiscard]] const Year& year(int row) const {
        return years[static_cast<std::size_t>(row - 1)];
    }
    // The row of the fiscal year that closes in calendar year `settleYear`
    // (below 1 before the first year, beyond the table after its last);
    // 0 when the schedule has no years.
    [[nodiscard]] int rowOfYear(int settleYear) const;
    // The book value at the start of year `row` (1..years): the filed
    // figure in the year a carried opening applies from, the cost (or the
    // book value at conversion) in year 1, else the end of the year before.
    [[nodiscard]] std::int64_t openingBook(int row) const;
    // The cost, or for a converted asset the book value at conversion.
    std::int64_t startBook = 0;
};

// The schedule of `row` (a register row) under `options`. An asset that
// left the business (columns 20 and 21) takes, in the fiscal year it left,
// the year's ordinary full-year amount times the months it was still in use
// over 12, rounded once by the rounding flag (the first year prorated from
// the month of acquisition, not again from its prorated amount), and never
// more than the undisturbed year would take (the limit, the memorandum
// value); it shows the book value that left with the remark 除却 or 売却
// and has no later years. The table always reaches the year after it left,
// also when the depreciation ended years before. The 一括償却 thirds and a
// 少額特例 asset are not affected.
//
// A carried opening (columns 23 to 26) leaves the years before its year as
// computed and continues from its year on from the filed book value (and
// 改定取得価額) by the method's rules. A business start after the
// acquisition (column 27) starts the schedule in the fiscal year of
// business use from the book value the private years left.
[[nodiscard]] Schedule computeSchedule(const reg::Row& row, const Options& options);

// The private-use conversion `row` asks for (a business start after the
// acquisition, not for 一括償却 or 少額特例), or nothing. Throws
// common::OverflowError for one that cannot be computed.
[[nodiscard]] std::optional<Schedule::Conversion> conversionOf(const reg::Row& row,
                                                               std::int16_t roundingFlag);

// ---- Display texts ----

// "12,345"; blank for Empty and for a Number that rounds to 0; "0" for Zero.
[[nodiscard]] std::string moneyText(const Money& money);
// "12/12", "4/12", "1/3" or "".
[[nodiscard]] std::string monthsText(const Year& year);
[[nodiscard]] const char* remarkText(Remark remark);
// The label of year `row`: "平成20年度期末", "昭和 63年度期末".
[[nodiscard]] std::string yearLabel(const Schedule& schedule, int row);

// Number text as the labels and the year column write it.
using common::numberText;

// ---- Header values of an asset ----

// The method's name as the schedule header shows it: "旧定率法", "新定率法",
// "旧定額法", "一括償却", "新定額法", "少額特例", "定額法" (for a plain
// straight-line schedule), or "".
[[nodiscard]] std::string methodName(const reg::Row& row, Procedure procedure);
// The base amount as the header shows it: the cost, or for the old straight
// line without new-rule rates the depreciable part of it.
[[nodiscard]] std::string baseText(const reg::Row& row);

}  // namespace fenmark::schedule
