// New straight line (新定額法, method "3"): cost times the straight-line rate
// every year, the first year prorated by months, down to the memorandum
// value of one yen per unit.

#include <cmath>

#include "common/convert.h"
#include "schedule/frame.h"

namespace fenmark::schedule {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;

void ScheduleFrame::GetFxd0() {
    const double cost = value(reg::acquisitionCost);
    const double rate = value(reg::depreciationRate);
    const double quantity = memorandumValue();
    const double ratio = value(reg::businessRatio);
    const std::int16_t life = toInt16(value(reg::usefulLife));

    std::int16_t rows = 0;
    if (life < 20) {
        rows = elapsedYears < 25 ? std::int16_t{25} : addInt16(elapsedYears, 3);
    } else {
        const std::int16_t byLife = addInt16(life, 7);
        const std::int16_t byAge = addInt16(elapsedYears, 3);
        rows = byLife > byAge ? byLife : byAge;
    }

    const float annualAmount = toSingle(roundByMode(toSingle(cost * rate)));
    const float annualExpense = toSingle(roundByMode(toSingle(annualAmount * ratio / 100)));
    startGrid(rows);
    if (!depreciable()) {
        lblSHou.caption = "新定額法";
        putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = firstYearMonths();
    const float firstYearAmount =
        toSingle(roundByMode(static_cast<double>(toSingle(cost * rate)) * months / 12));

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

    putYearColumns(rows - 1);
    put(1, colMonths, numberText(months) + "/12");
    put(1, colAmount, amountText(firstAmount));
    put(1, colExpense, amountText(std::floor(firstAmount * ratio / 100)));
    put(1, colBookValue, amountText(b1));

    std::int32_t previous = bookValue(1);
    for (int i = 2; i < rows; ++i) {
        const std::int32_t book = bookValue(i);
        if (previous - static_cast<double>(annualAmount) >= quantity) {
            put(i, colAmount, amountText(annualAmount));
            put(i, colExpense, amountText(annualExpense));
        } else if (previous != memorandum) {
            const double rest = previous - quantity;
            put(i, colAmount, amountText(rest));
            put(i, colExpense, amountText(std::floor(rest * ratio / 100)));
        }
        put(i, colBookValue, bookText(book));
        putMonths(i);
        previous = book;
    }
    lblSHou.caption = "新定額法";
    finishGrid();
}

}  // namespace fenmark::schedule
