// Three-year equal write-off (一括償却, method "2"): the cost in three equal
// parts over three schedule years, the first two rounded up and the third
// the rest, without proration, rounding mode or memorandum value.

#include <algorithm>

#include "schedule/builder.h"

namespace fenmark::schedule::detail {

void GetFxd1(ScheduleBuilder& b) {
    constexpr int kRows = 11;
    constexpr int kLastRow = kRows - 1;
    const std::int64_t cost = b.cost();

    b.start(kRows);
    // The statement reads the last year here, not the table's row count.
    b.setGridRowCount(kLastRow);

    if (cost <= 0) {
        b.putUndepreciated(kLastRow);
        b.setProcedure(Procedure::ThreeYear);
        return;
    }
    // A cost of a yen or two has thirds that round up past it: no year takes
    // more than is left.
    const std::int64_t third = (Exact(cost) / 3).ceil();
    const std::int64_t first = std::min(third, cost);
    const std::int64_t second = std::min(third, cost - first);
    const std::int64_t thirds[3] = {checked32(first), checked32(second),
                                    checked32(cost - first - second)};
    const std::int64_t bookValue[2] = {checked32(cost - first), checked32(cost - first - second)};

    b.putYearColumns(kLastRow);
    for (int row = 1; row <= 3; ++row) {
        const std::int64_t amount = thirds[row - 1];
        Year& year = b.at(row);
        year.months = 1;
        year.monthsOf = 3;
        year.amount = Money::number(amount);
        year.expense = b.shareOf(amount);
        year.bookValue = row < 3 ? Money::number(bookValue[row - 1]) : Money::zero();
        year.remark = Remark::ThreeYear;
    }
    b.setProcedure(Procedure::ThreeYear);
}

}  // namespace fenmark::schedule::detail
