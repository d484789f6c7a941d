// Plain straight line (定額法): deferred assets and living things, whatever
// their method code, and old straight-line assets with a limit of 100 %.
// The current-period amount every year down to the floor the limit leaves
// (none for 100 %), without a tail and without remarks.

#include <algorithm>

#include "common/convert.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;

void GetFxd2(ScheduleBuilder& b) {
    const std::int64_t cost = b.cost();
    const bool revised = b.hasRevisedLife();
    const std::int16_t life = toInt16(b.value(revised ? reg::revisedLife : reg::usefulLife));

    const std::int16_t byLife = addInt16(life, 7);
    const std::int16_t rows =
        b.tableRows(b.elapsedYears() < byLife ? byLife : addInt16(b.elapsedYears(), 3));

    // The floor is what the limit leaves, the limit rounded by the rounding
    // choice as the old methods' 95 % is.
    const std::int64_t limit = b.roundByMode(Exact(cost) * b.decimal(reg::depreciationLimit) / 100);
    const std::int64_t floor = std::max<std::int64_t>(checked32(cost - limit), 0);
    const CurrentPeriod current = b.toukiCal();
    b.start(rows);
    if (cost <= floor) {
        b.putUndepreciated(rows - 1);
        b.setProcedure(Procedure::Plain);
        return;
    }
    const std::int64_t b1 = b.putStraightFirstYear(rows, floor);
    const std::int16_t firstRevisedRow = b.firstRevisedRow();

    // Each year takes its amount while the book value stays at or above the
    // floor, the rest down to the floor in the year it would not, and
    // nothing once there, however many years after the life that takes.
    std::int64_t book = b1;
    for (int row = 2; row < rows; ++row) {
        const bool revisedYear = revised && row >= firstRevisedRow;
        const std::int64_t amount =
            std::max<std::int64_t>(revisedYear ? current.revisedAmount : current.amount, 0);
        const std::int64_t expense =
            std::max<std::int64_t>(revisedYear ? current.revisedExpense : current.expense, 0);
        Year& year = b.at(row);
        // A filed opening replaces the computed one from its year on.
        if (const auto carried = b.carriedInto(row)) book = *carried;
        if (book - floor > 0) b.setOrdinary(row, amount);
        if (book - floor >= amount) {
            year.amount = Money::number(amount);
            year.expense = Money::number(expense);
            book = checked32(book - amount);
        } else if (book - floor > 0) {
            const std::int64_t rest = book - floor;
            year.amount = Money::number(rest);
            year.expense = Money::number(b.expenseOf(rest));
            book = floor;
        }
        year.bookValue = Money::number(book);
        b.putMonths(row);
    }
    b.setProcedure(Procedure::Plain);
}

}  // namespace fenmark::schedule::detail
