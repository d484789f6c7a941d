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

#include "register/state.h"
#include "schedule/schedule.h"

namespace fenmark::schedule::detail {

// The current-period amounts for the straight-line schedules: the yearly
// amount and its expense at the useful life's rate, and the same at the rate
// of the life revised in 1998.
struct CurrentPeriod {
    float amount = 0;
    float expense = 0;
    float revisedAmount = 0;
    float revisedExpense = 0;
};

// The current-period amounts of `row` by the rounding flag.
[[nodiscard]] CurrentPeriod toukiCal(const reg::Row& row, double depreciableFraction,
                                     std::int16_t roundingFlag);

class ScheduleBuilder {
  public:
    // Reads the row; throws common::OverflowError when the elapsed years do
    // not fit 16 bits.
    ScheduleBuilder(const reg::Row& row, const Options& options);

    [[nodiscard]] const std::string& cell(reg::Column column) const {
        return row_[static_cast<std::size_t>(column - 1)];
    }
    // The cell read as a number (read once, when the builder is made).
    [[nodiscard]] double value(reg::Column column) const {
        return values_[static_cast<std::size_t>(column - 1)];
    }
    [[nodiscard]] bool hasRevisedLife() const { return !cell(reg::revisedLife).empty(); }

    [[nodiscard]] std::int16_t roundingFlag() const { return options_.roundingFlag; }
    [[nodiscard]] std::int16_t elapsedYears() const { return elapsedYears_; }
    [[nodiscard]] double depreciableFraction() const { return depreciableFraction_; }

    // Round up or down by the rounding flag.
    [[nodiscard]] double roundByMode(double amount) const;
    // 13 - acquisition month + closing month, less 12 above 12.
    [[nodiscard]] std::int16_t firstYearMonths() const;
    // The calendar year in which year `row` closes.
    [[nodiscard]] double settleYear(int row) const;
    // One yen a unit, or the cost when that is lower (never below 0);
    // throws when the quantity does not fit 32 bits.
    [[nodiscard]] double memorandumValue() const;
    // Whether the cost lies above the memorandum value.
    [[nodiscard]] bool depreciable() const;
    [[nodiscard]] CurrentPeriod toukiCal() const;

    // The row count a procedure asks for, made long enough to hold the year
    // after the one the asset left in, so that the leaving is recorded in
    // its year however long ago the depreciation ended.
    [[nodiscard]] std::int16_t tableRows(std::int16_t rows) const;
    // Starts a table of `rows` rows, heading included: years 1..rows-1.
    // Throws when the row count is negative or when a table that long could
    // not be addressed with 16-bit cell numbers.
    void start(std::int16_t rows);
    // The ordinary full-year amount of year `row`, from which a leaving in
    // that year is prorated: for year 1 the product before the first-year
    // months are applied, unrounded; for a later year the year's amount
    // before the limit or the memorandum value cut it. 0 when not set.
    void setOrdinary(int row, double amount);
    // Gives years 1..lastRow their closing years.
    void putYearColumns(int lastRow);
    // Year `row`; throws when the table has no such year.
    [[nodiscard]] Year& at(int row);
    // Year 1: the first-year months; a later year a full year when its
    // amount shows an amount.
    void putMonths(int row);
    // Years 1..lastRow of an asset with nothing to depreciate: the cost as
    // the book value of every year, no amounts.
    void putUndepreciated(int lastRow);
    // The first year of the old and plain straight lines, written as year 1
    // of a table of `rows` rows with the closing years of all: the
    // depreciable part of the cost at the rate for the first year's months,
    // never taking the book value below `floor`. Returns that book value.
    std::int32_t putStraightFirstYear(int rows, double floor);
    // The 1998 schedule year, from which a life revised in 1998 applies:
    // row 1999 - westernYear, never the first.
    [[nodiscard]] std::int16_t firstRevisedRow() const;
    // The fiscal year the asset left the business, and no year after it.
    void applyLeaving();
    // The schedule row of the fiscal year the asset left in, if it left.
    [[nodiscard]] std::optional<int> leavingRow() const;

    void setProcedure(Procedure procedure) { schedule_.procedure = procedure; }
    void setGridRowCount(std::int16_t count) { schedule_.gridRowCount = count; }
    void setGuaranteeAmount(double amount) { schedule_.guaranteeAmount = amount; }
    [[nodiscard]] Schedule take() { return std::move(schedule_); }

  private:
    const reg::Row& row_;
    std::array<double, reg::kColumns> values_{};
    Options options_;
    std::vector<double> ordinary_;
    double depreciableFraction_ = 0.9;
    std::int16_t elapsedYears_ = 0;
    Schedule schedule_;
};

// The procedures, one source file each.
void GetFxd0(ScheduleBuilder& b);   // new straight line (method "3")
void GetFxd00(ScheduleBuilder& b);  // new declining balance (method "4")
void GetFxd3(ScheduleBuilder& b);   // old declining balance (method "0")
void GetFxd(ScheduleBuilder& b);    // old straight line (method "1")
void GetFxd2(ScheduleBuilder& b);   // plain straight line (types 9 and 10, limit "100")
void GetFxd1(ScheduleBuilder& b);   // three-year equal (method "2")
void GetFxd6(ScheduleBuilder& b);   // small asset, all in the first year (method "6")

}  // namespace fenmark::schedule::detail
