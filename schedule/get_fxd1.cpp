// Three-year equal write-off (一括償却, method "2"): the cost in three equal
// parts over three schedule years, the first two rounded up and the third
// the rest, without proration, rounding mode or memorandum value.

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "schedule/frame.h"

namespace fenmark::schedule {

using common::toInt32;

void ScheduleFrame::GetFxd1() {
    constexpr int kRows = 11;
    constexpr int kLastRow = kRows - 1;
    const double cost = value(reg::acquisitionCost);
    const double ratio = value(reg::businessRatio);

    startGrid(kRows);
    // The statement reads the last data row here, not the grid's row count.
    gridRowCount = kLastRow;

    if (cost <= 0) {
        putUndepreciated(kLastRow);
        return;
    }
    // A cost of a yen or two has thirds that round up past it: no year takes
    // more than is left.
    const double third = std::ceil(cost / 3);
    const double first = std::min(third, cost);
    const double second = std::min(third, cost - first);
    const std::int32_t thirds[3] = {toInt32(first), toInt32(second),
                                    toInt32(cost - first - second)};
    const std::int32_t bookValue[2] = {toInt32(cost - first), toInt32(cost - first - second)};

    putYearColumns(kLastRow);
    for (int row = 1; row <= 3; ++row) {
        const double amount = thirds[row - 1];
        put(row, colMonths, "1/3");
        put(row, colAmount, amountText(amount));
        put(row, colExpense, amountText(amount * ratio / 100));
        put(row, colBookValue, row < 3 ? bookText(bookValue[row - 1]) : "0");
        put(row, colRemark, kRemarkThreeYear);
    }
    finishGrid();
}

}  // namespace fenmark::schedule
