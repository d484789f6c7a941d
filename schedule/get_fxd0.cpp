// New straight line (新定額法, method "3"): cost times the straight-line rate
// every year, the first year prorated by months, down to the memorandum
// value of one yen per unit.

#include <cmath>

#include "common/convert.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;

void GetFxd0(ScheduleBuilder& b) {
    const double cost = b.value(reg::acquisitionCost);
    const double rate = b.value(reg::depreciationRate);
    const double quantity = b.memorandumValue();
    const double ratio = b.value(reg::businessRatio);
    const std::int16_t life = toInt16(b.value(reg::usefulLife));
    const std::int16_t elapsedYears = b.elapsedYears();

    std::int16_t rows = 0;
    if (life < 20) {
        rows = elapsedYears < 25 ? std::int16_t{25} : addInt16(elapsedYears, 3);
    } else {
        const std::int16_t byLife = addInt16(life, 7);
        const std::int16_t byAge = addInt16(elapsedYears, 3);
        rows = byLife > byAge ? byLife : byAge;
    }

    rows = b.tableRows(rows);
    const float annualAmount = toSingle(b.roundByMode(toSingle(cost * rate)));
    const float annualExpense = toSingle(b.roundByMode(toSingle(annualAmount * ratio / 100)));
    b.start(rows);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        b.setProcedure(Procedure::NewStraight);
        return;
    }
    const std::int16_t months = b.firstYearMonths();
    const float firstYearAmount =
        toSingle(b.roundByMode(static_cast<double>(toSingle(cost * rate)) * months / 12));

    double firstAmount = firstYearAmount;
    std::int32_t b1 = toInt32(cost - firstYearAmount);
    if (b1 < quantity) {
        // A first year that would take the book value below the memorandum
        // value stops at it, as every later year does.
        firstAmount = cost - quantity;
        b1 = toInt32(quantity);
    }

    // The book value at the end of year i, never below the memorandum value.
    // The straight line is compared before it is converted: far below the
    // memorandum value it may not fit 32 bits, and it is not needed there.
    const std::int32_t memorandum = toInt32(quantity);
    auto bookValue = [&](int i) -> std::int32_t {
        const double line = b1 - static_cast<double>(i - 1) * annualAmount;
        return quantity >= line ? memorandum : toInt32(line);
    };

    b.putYearColumns(rows - 1);
    b.setOrdinary(1, static_cast<double>(toSingle(cost * rate)));
    Year& first = b.at(1);
    first.months = months;
    first.monthsOf = 12;
    first.amount = Money::number(firstAmount);
    first.expense = Money::number(std::floor(firstAmount * ratio / 100));
    first.bookValue = Money::number(b1);

    std::int32_t previous = bookValue(1);
    for (int i = 2; i < rows; ++i) {
        const std::int32_t book = bookValue(i);
        Year& year = b.at(i);
        if (previous - static_cast<double>(annualAmount) >= quantity) {
            b.setOrdinary(i, annualAmount);
            year.amount = Money::number(annualAmount);
            year.expense = Money::number(annualExpense);
        } else if (previous != memorandum) {
            b.setOrdinary(i, annualAmount);
            const double rest = previous - quantity;
            year.amount = Money::number(rest);
            year.expense = Money::number(std::floor(rest * ratio / 100));
        }
        year.bookValue = Money::number(book);
        b.putMonths(i);
        previous = book;
    }
    b.setProcedure(Procedure::NewStraight);
}

}  // namespace fenmark::schedule::detail
