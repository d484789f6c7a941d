// 少額減価償却資産の特例 (method "6", 租税特別措置法28条の2): the whole
// cost is an expense of the fiscal year in which the asset is put to use,
// without proration by months, rounding mode or memorandum value; nothing
// is left on the books after it.

#include "schedule/builder.h"

namespace fenmark::schedule::detail {

void GetFxd6(ScheduleBuilder& b) {
    // As long a table as the three-year method's: the years after the
    // first show the asset written off.
    constexpr int kRows = 11;
    const std::int64_t cost = b.cost();

    b.start(kRows);
    b.setProcedure(Procedure::SmallAsset);
    if (cost <= 0) {
        b.putUndepreciated(kRows - 1);
        return;
    }
    b.putYearColumns(kRows - 1);
    Year& first = b.at(1);
    first.months = b.firstYearMonths();
    first.monthsOf = 12;
    first.amount = Money::number(cost);
    first.expense = Money::number(b.expenseOf(cost));
    first.bookValue = Money::zero();
    first.remark = Remark::SmallAsset;
}

}  // namespace fenmark::schedule::detail
