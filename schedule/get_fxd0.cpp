// New straight line (新定額法, method "3"): cost times the straight-line rate
// every year, the first year prorated by months, down to the memorandum
// value of one yen per unit.

#include "common/convert.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;

void GetFxd0(ScheduleBuilder& b) {
    const std::int64_t cost = b.cost();
    const Exact fullYear = Exact(cost) * b.decimal(reg::depreciationRate);
    const std::int64_t memorandum = b.memorandumValue();
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

    const std::int64_t annualAmount = b.roundByMode(fullYear);
    const std::int64_t annualExpense = b.roundByMode(Exact(annualAmount) * b.share());
    b.start(rows);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        b.setProcedure(Procedure::NewStraight);
        return;
    }
    const std::int16_t months = b.firstYearMonths();
    // The first year starts from the cost, or from what private use left
    // of it; the amount is computed on the cost either way.
    const std::int64_t start = b.startBook();
    std::int64_t firstAmount = b.roundByMode(fullYear * months / 12);
    std::int64_t b1 = checked32(start - firstAmount);
    if (b1 < memorandum) {
        // A first year that would take the book value below the memorandum
        // value stops at it, as every later year does.
        firstAmount = std::max<std::int64_t>(start - memorandum, 0);
        b1 = start - firstAmount;
    }

    b.putYearColumns(rows - 1);
    b.setOrdinary(1, fullYear);
    Year& first = b.at(1);
    first.months = months;
    first.monthsOf = 12;
    first.amount = Money::number(firstAmount);
    first.expense = Money::number(b.expenseOf(firstAmount));
    first.bookValue = Money::number(b1);

    std::int64_t previous = b1;
    for (int i = 2; i < rows; ++i) {
        Year& year = b.at(i);
        // A filed opening replaces the computed one from its year on.
        if (const auto carried = b.carriedInto(i)) previous = *carried;
        std::int64_t book = previous;
        if (previous - annualAmount >= memorandum) {
            b.setOrdinary(i, annualAmount);
            year.amount = Money::number(annualAmount);
            year.expense = Money::number(annualExpense);
            book = checked32(previous - annualAmount);
        } else if (previous > memorandum) {
            b.setOrdinary(i, annualAmount);
            const std::int64_t rest = previous - memorandum;
            year.amount = Money::number(rest);
            year.expense = Money::number(b.expenseOf(rest));
            book = memorandum;
        }
        year.bookValue = Money::number(book);
        b.putMonths(i);
        previous = book;
    }
    b.setProcedure(Procedure::NewStraight);
}

}  // namespace fenmark::schedule::detail
