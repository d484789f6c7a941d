#pragma once
// The depreciation limit and the five-year equal tail of the old methods.
// Ordinary depreciation stops when the limit (by default 95 % of the cost,
// rounded by the rounding choice) is depreciated; from the 2008 schedule
// year on, what is left above the memorandum value is written off in five
// equal parts of (the exact 5 % of the cost - the memorandum value) / 5,
// each rounded by the rounding choice, the fifth taking what is left down to
// the memorandum value (所得税法施行令134条2項). `next` walks the years after
// the useful life (and any earlier year that reaches the floor) one at a
// time.

#include <array>
#include <cstdint>

#include "common/exact.h"

namespace fenmark::schedule {

class FiveYearTail {
  public:
    enum class Kind {
        Ordinary,  // the year's own amount, the floor still above
        ToLimit,   // the year that reaches the floor
        Waiting,   // at the floor, before the tail may start (amount "0")
        Tail,      // one of the five equal years ("５年均等")
        Done,      // after the tail: the memorandum value, no amount
    };
    struct Year {
        Kind kind;
        std::int64_t amount;
        std::int64_t bookValue;
    };

    // `limitPercent` is the register's depreciation limit (95 leaves 5 %);
    // `memorandum` is the memorandum value the tail ends on.
    // Throws common::OverflowError for values beyond their types.
    FiveYearTail(std::int64_t cost, const common::Exact& limitPercent, double westernYear,
                 std::int64_t memorandum, std::int16_t roundingFlag);

    // The year of data row `row` that starts at `bookValue` and would take
    // `amount` in an ordinary year. A tail year takes its fifth of what the
    // book value still holds above the memorandum value, the fifth year all
    // of it.
    [[nodiscard]] Year next(int row, std::int64_t bookValue, std::int64_t amount);

    // Continues from a book value that was filed rather than computed: below
    // the floor it is taken as lying in the tail, as many fifths into it as
    // the nearest whole number of fifths it lies below the floor.
    void resume(std::int64_t bookValue);

    // The book value at which ordinary depreciation stops.
    [[nodiscard]] std::int64_t limitFloor() const { return limitFloor_; }
    [[nodiscard]] std::int32_t tailStartRow() const { return tailStartRow_; }
    [[nodiscard]] const std::array<std::int64_t, 5>& tailAmount() const { return tailAmount_; }
    [[nodiscard]] const std::array<std::int64_t, 5>& tailBookValue() const {
        return tailBookValue_;
    }

  private:
    std::int64_t limitFloor_ = 0;
    std::int32_t tailStartRow_ = 0;
    std::array<std::int64_t, 5> tailAmount_{};
    std::array<std::int64_t, 5> tailBookValue_{};
    std::int64_t memorandum_ = 0;
    std::int64_t fifth_ = 0;
    std::size_t counter_ = 0;
};

}  // namespace fenmark::schedule
