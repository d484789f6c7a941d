// Plain straight line (定額法): deferred assets and living things, whatever
// their method code, and old straight-line assets with a limit of 100 %.
// The current-period amount every year down to the floor the limit leaves
// (none for 100 %), without a tail and without remarks.

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;

void GetFxd2(ScheduleBuilder& b) {
    const double cost = b.value(reg::acquisitionCost);
    const double ratio = b.value(reg::businessRatio);
    const bool revised = b.hasRevisedLife();
    const std::int16_t life = toInt16(b.value(revised ? reg::revisedLife : reg::usefulLife));

    const std::int16_t byLife = addInt16(life, 7);
    const std::int16_t rows =
        b.tableRows(b.elapsedYears() < byLife ? byLife : addInt16(b.elapsedYears(), 3));

    const std::int32_t floor =
        std::max(toInt32(cost * (100 - b.value(reg::depreciationLimit)) / 100), 0);
    const CurrentPeriod current = b.toukiCal();
    b.start(rows);
    if (cost <= floor) {
        b.putUndepreciated(rows - 1);
        b.setProcedure(Procedure::Plain);
        return;
    }
    const std::int32_t b1 = b.putStraightFirstYear(rows, floor);
    const std::int16_t firstRevisedRow = b.firstRevisedRow();

    // Each year takes its amount while the book value stays at or above the
    // floor, the rest down to the floor in the year it would not, and
    // nothing once there, however many years after the life that takes.
    double book = b1;
    for (int row = 2; row < rows; ++row) {
        const bool revisedYear = revised && row >= firstRevisedRow;
        const double amount =
            std::max<double>(revisedYear ? current.revisedAmount : current.amount, 0);
        const double expense =
            std::max<double>(revisedYear ? current.revisedExpense : current.expense, 0);
        Year& year = b.at(row);
        if (book - floor > 0) b.setOrdinary(row, amount);
        if (book - floor >= amount) {
            year.amount = Money::number(amount);
            year.expense = Money::number(expense);
            book = toInt32(book - amount);
        } else if (book - floor > 0) {
            const double rest = book - floor;
            year.amount = Money::number(rest);
            year.expense = Money::number(std::floor(rest * ratio / 100));
            book = floor;
        }
        year.bookValue = Money::number(book);
        b.putMonths(row);
    }
    b.setProcedure(Procedure::Plain);
}

}  // namespace fenmark::schedule::detail
