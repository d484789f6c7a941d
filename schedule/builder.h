#pragma once
// What the six schedule procedures share while they compute a Schedule: the
// register row read as numbers, the options, the rules of the schedule frame
// (first-year months, closing years, rounding, the memorandum value, the
// current-period amounts) and the years being filled. Only the schedule
// procedures include this header.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/exact.h"
#include "common/number.h"
#include "register/extended_columns.h"
#include "register/state.h"
#include "schedule/schedule.h"

namespace fenmark::schedule::detail {

using common::Exact;

// The current-period amounts for the straight-line schedules: the yearly
// amount and its expense at the useful life's rate, and the same at the rate
// of the life revised in 1998. Whole yen.
struct CurrentPeriod {
    std::int64_t amount = 0;
    std::int64_t expense = 0;
    std::int64_t revisedAmount = 0;
    std::int64_t revisedExpense = 0;
};

// The current-period amounts of `row` by the rounding flag: the cost times
// the depreciable fraction times the rate, rounded once; the expense is
// the share of it, the fraction of a yen dropped.
[[nodiscard]] CurrentPeriod toukiCal(const reg::Row& row, std::int16_t roundingFlag);

class ScheduleBuilder {
  public:
    // Reads the row; throws common::OverflowError when the elapsed years do
    // not fit 16 bits or an amount cannot be held.
    ScheduleBuilder(const reg::Row& row, const Options& options);

    [[nodiscard]] const std::string& cell(reg::Column column) const {
        return row_[static_cast<std::size_t>(column - 1)];
    }
    // The cell read as a number (read once, when first asked for), for
    // years, months, lives and codes; never for money.
    [[nodiscard]] double value(reg::Column column) const {
        const auto i = static_cast<std::size_t>(column - 1);
        if ((read_ & (1u << i)) == 0) {
            values_[i] = readValue(i);
            read_ |= 1u << i;
        }
        return values_[i];
    }
    // The cell read as an exact decimal (rates, the business share), read
    // once, when first asked for.
    [[nodiscard]] const Exact& decimal(reg::Column column) const {
        const auto i = static_cast<std::size_t>(column - 1);
        if ((readDecimal_ & (1u << i)) == 0) {
            decimals_[i] = readDecimalOf(i);
            readDecimal_ |= 1u << i;
        }
        return decimals_[i];
    }
    [[nodiscard]] bool hasRevisedLife() const { return !cell(reg::revisedLife).empty(); }

    // The cost in whole yen: a cost with a fraction of a yen, which no card
    // writes, is taken to the nearest yen (halves to even).
    [[nodiscard]] std::int64_t cost() const { return cost_; }
    // The book value year 1 starts from: the cost, or for a private asset
    // put to business use the book value at conversion.
    [[nodiscard]] std::int64_t startBook() const { return startBook_; }
    void setStartBook(std::int64_t book) {
        startBook_ = book;
        schedule_.startBook = book;
    }
    // A carried opening: the year it applies from and the filed figures.
    // Applied only from the table's second year on, and not when the user
    // chose the computed figure.
    void setCarried(const reg::CarriedOpening& carried);
    // The row from which the filed figures apply, 0 when none do.
    [[nodiscard]] int carriedRow() const { return carriedApplied_ ? carriedRow_ : 0; }
    // The filed book value the year `row` starts from, when a carried
    // opening applies from that year.
    [[nodiscard]] std::optional<std::int64_t> carriedInto(int row) const {
        if (carriedApplied_ && row == carriedRow_) return carriedBook_;
        return std::nullopt;
    }
    // The filed 改定取得価額, when a carried opening applies and has one.
    [[nodiscard]] const std::optional<std::int64_t>& carriedRevisedBase() const {
        return carriedRevised_;
    }
    // After the procedure: the carried opening's computed figure (the
    // schedule's own book value at the end of the year before).
    void finishCarried();
    // The business share as an exact fraction of 1 (80 % is 4/5).
    [[nodiscard]] const Exact& share() const { return share_; }
    // The part of the cost that is depreciated: (100 - residual) %. Read
    // only by the methods that use it, so that a residual no method uses
    // cannot stop a schedule.
    [[nodiscard]] Exact depreciableFraction() const {
        return (100 - decimal(reg::residualRatio)) / 100;
    }

    [[nodiscard]] std::int16_t roundingFlag() const { return options_.roundingFlag; }
    [[nodiscard]] std::int16_t elapsedYears() const { return elapsedYears_; }

    // Round up or down by the rounding flag, once.
    [[nodiscard]] std::int64_t roundByMode(const Exact& amount) const {
        return common::roundByFlag(amount, options_.roundingFlag);
    }
    // The share of `amount` that is an expense, the fraction of a yen dropped.
    [[nodiscard]] std::int64_t expenseOf(std::int64_t amount) const {
        return (Exact(amount) * share_).floor();
    }
    // The share of `amount`, shown to the nearest yen.
    [[nodiscard]] Money shareOf(std::int64_t amount) const {
        return Money::nearest(Exact(amount) * share_);
    }
    // 13 - acquisition month + closing month, less 12 above 12.
    [[nodiscard]] std::int16_t firstYearMonths() const;
    // The calendar year in which year `row` closes.
    [[nodiscard]] double settleYear(int row) const;
    // One yen a unit, or the cost when that is lower (never below 0);
    // throws when the quantity does not fit 32 bits. Read only by the
    // methods that keep a memorandum value, so that a quantity the others
    // never use cannot stop their schedules.
    [[nodiscard]] std::int64_t memorandumValue() const;
    // Whether the cost lies above the memorandum value.
    [[nodiscard]] bool depreciable() const { return cost_ > memorandumValue(); }
    [[nodiscard]] CurrentPeriod toukiCal() const;

    // The row count a procedure asks for, made long enough to hold the year
    // after the one the asset left in, so that the leaving is recorded in
    // its year however long ago the depreciation ended, and the year a
    // carried opening applies from.
    [[nodiscard]] std::int16_t tableRows(std::int16_t rows) const;
    // Starts a table of `rows` rows, heading included: years 1..rows-1.
    // Throws when the row count is negative or when a table that long could
    // not be addressed with 16-bit cell numbers.
    void start(std::int16_t rows);
    // The ordinary full-year amount of year `row`, from which a leaving in
    // that year is prorated: for year 1 the exact product before the
    // first-year months are applied; for a later year the year's amount
    // before the limit or the memorandum value cut it. 0 when not set.
    void setOrdinary(int row, const Exact& amount);
    // Gives years 1..lastRow their closing years.
    void putYearColumns(int lastRow);
    // Year `row`; throws when the table has no such year.
    [[nodiscard]] Year& at(int row) {
        if (row < 1 || static_cast<std::size_t>(row) > schedule_.years.size()) outsideTable();
        return schedule_.years[static_cast<std::size_t>(row - 1)];
    }
    // Years row+1..lastRow become copies of year `row` (their closing years
    // kept): the years after a schedule has ended are all alike.
    void repeatYear(int row, int lastRow);
    // Year 1: the first-year months; a later year a full year when its
    // amount shows an amount.
    void putMonths(int row) {
        Year& year = at(row);
        if (row == 1) {
            year.months = firstYearMonths();
            year.monthsOf = 12;
            return;
        }
        const bool shows = year.amount.kind == Money::Kind::Number && year.amount.value != 0;
        year.months = shows ? 12 : 0;
        year.monthsOf = shows ? 12 : 0;
    }
    // Years 1..lastRow of an asset with nothing to depreciate: the cost as
    // the book value of every year, no amounts.
    void putUndepreciated(int lastRow);
    // The first year of the old and plain straight lines, written as year 1
    // of a table of `rows` rows with the closing years of all: the
    // depreciable part of the cost at the rate for the first year's months,
    // taken from the start book and never taking it below `floor`. Returns
    // that book value.
    std::int64_t putStraightFirstYear(int rows, std::int64_t floor);
    // The 1998 schedule year, from which a life revised in 1998 applies:
    // row 1999 - westernYear, never the first.
    [[nodiscard]] std::int16_t firstRevisedRow() const;
    // The fiscal year the asset left the business, and no year after it.
    void applyLeaving();
    // The schedule row of the fiscal year the asset left in, if it left.
    [[nodiscard]] std::optional<int> leavingRow() const;

    void setProcedure(Procedure procedure) { schedule_.procedure = procedure; }
    void setGridRowCount(std::int16_t count) { schedule_.gridRowCount = count; }
    void setGuaranteeAmount(std::int64_t amount) { schedule_.guaranteeAmount = amount; }
    [[nodiscard]] Schedule take() { return std::move(schedule_); }

  private:
    const reg::Row& row_;
    [[noreturn]] static void outsideTable();
    [[nodiscard]] double readValue(std::size_t i) const;
    [[nodiscard]] Exact readDecimalOf(std::size_t i) const;

    mutable std::array<double, reg::kColumns> values_{};
    mutable std::uint32_t read_ = 0;
    mutable std::array<Exact, reg::kColumns> decimals_{};
    mutable std::uint32_t readDecimal_ = 0;
    Options options_;
    // The row the asset left in (0 for none) and that year's ordinary amount.
    int leaving_ = 0;
    Exact ordinary_;
    std::int64_t cost_ = 0;
    std::int64_t startBook_ = 0;
    int carriedRow_ = 0;
    bool carriedApplied_ = false;
    std::int64_t carriedBook_ = 0;
    std::optional<std::int64_t> carriedRevised_;
    mutable std::optional<std::int64_t> memorandum_;
    Exact share_;
    std::int16_t elapsedYears_ = 0;
    Schedule schedule_;
};

// A whole number of yen that the rules hold in 32 bits (a book value, the
// memorandum value); throws common::OverflowError beyond that range.
[[nodiscard]] std::int64_t checked32(std::int64_t yen);

// The procedures, one source file each.
void GetFxd0(ScheduleBuilder& b);   // new straight line (method "3")
void GetFxd00(ScheduleBuilder& b);  // new declining balance (method "4")
void GetFxd3(ScheduleBuilder& b);   // old declining balance (method "0")
void GetFxd(ScheduleBuilder& b);    // old straight line (method "1")
void GetFxd2(ScheduleBuilder& b);   // plain straight line (types 9 and 10, limit "100")
void GetFxd1(ScheduleBuilder& b);   // three-year equal (method "2")
void GetFxd6(ScheduleBuilder& b);   // small asset, all in the first year (method "6")

}  // namespace fenmark::schedule::detail
