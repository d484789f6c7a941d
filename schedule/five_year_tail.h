#pragma once
// The depreciation limit and the five-year equal tail of the old methods.
// Ordinary depreciation stops at the limit floor (by default 5 % of cost);
// from the 2008 schedule year on, what is left above the memorandum value is
// written off in five equal parts. `next` walks the years after the useful
// life (and any earlier year that reaches the floor) one at a time.

#include <array>
#include <cstdint>

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
        double amount;
        std::int32_t bookValue;
    };

    // `limitPercent` is the register's depreciation limit (95 leaves 5 %);
    // `quantity` is the memorandum value the tail ends on.
    // Throws common::OverflowError for values beyond their types.
    FiveYearTail(double cost, double limitPercent, double westernYear, double quantity,
                 bool roundUp);

    // The year of data row `row` that starts at `bookValue` and would take
    // `amount` in an ordinary year.
    [[nodiscard]] Year next(int row, double bookValue, double amount);

    [[nodiscard]] float limitFloor() const { return limitFloor_; }
    [[nodiscard]] std::int32_t tailStartRow() const { return tailStartRow_; }
    [[nodiscard]] const std::array<float, 5>& tailAmount() const { return tailAmount_; }
    [[nodiscard]] const std::array<std::int32_t, 5>& tailBookValue() const {
        return tailBookValue_;
    }

  private:
    float limitFloor_;
    std::int32_t tailStartRow_;
    std::array<float, 5> tailAmount_{};
    std::array<std::int32_t, 5> tailBookValue_{};
    std::int32_t memorandum_;
    std::size_t counter_ = 0;
};

}  // namespace fenmark::schedule
