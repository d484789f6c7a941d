// Plain straight line (定額法): deferred assets and living things, whatever
// their method code, and old straight-line assets with a limit of 100 %.
// The ToukiCal amount every year down to the floor the limit leaves (none
// for 100 %), without a tail and without remarks.

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "schedule/frame.h"

namespace fenmark::schedule {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;

void ScheduleFrame::GetFxd2() {
    const double cost = value(reg::acquisitionCost);
    const double ratio = value(reg::businessRatio);
    const bool revised = hasRevisedLife();
    const std::int16_t life = toInt16(value(revised ? reg::revisedLife : reg::usefulLife));

    const std::int16_t byLife = addInt16(life, 7);
    const std::int16_t rows = elapsedYears < byLife ? byLife : addInt16(elapsedYears, 3);

    const std::int32_t floor =
        std::max(toInt32(cost * (100 - value(reg::depreciationLimit)) / 100), 0);
    ToukiCal();
    startGrid(rows);
    if (cost <= floor) {
        lblSHou.caption = "定額法";
        putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = firstYearMonths();
    // No year, the first included, takes the book value below the floor.
    const float firstYear = toSingle(
        std::clamp<double>(roundByMode(static_cast<double>(toSingle(cost * depreciableFraction)) *
                                       value(reg::depreciationRate) * months / 12),
                           0.0, cost - floor));
    const std::int32_t b1 = toInt32(cost - firstYear);
    const std::int16_t firstRevisedRow =
        std::max<std::int16_t>(toInt16(1999 - value(reg::westernYear)), 2);

    putYearColumns(rows - 1);
    put(1, colAmount, amountText(firstYear));
    put(1, colExpense, amountText(std::floor(firstYear * ratio / 100)));
    put(1, colBookValue, amountText(b1));
    putMonths(1);

    // Each year takes its amount while the book value stays at or above the
    // floor, the rest down to the floor in the year it would not, and
    // nothing once there, however many years after the life that takes.
    double book = b1;
    for (int row = 2; row < rows; ++row) {
        const bool revisedYear = revised && row >= firstRevisedRow;
        const double amount =
            std::max<double>(revisedYear ? revisedCurrentAmount : currentAmount, 0);
        const double expense =
            std::max<double>(revisedYear ? revisedCurrentExpense : currentExpense, 0);
        if (book - floor >= amount) {
            put(row, colAmount, amountText(amount));
            put(row, colExpense, amountText(expense));
            book = toInt32(book - amount);
        } else if (book - floor > 0) {
            const double rest = book - floor;
            put(row, colAmount, amountText(rest));
            put(row, colExpense, amountText(std::floor(rest * ratio / 100)));
            book = floor;
        }
        put(row, colBookValue, bookText(book));
        putMonths(row);
    }
    lblSHou.caption = "定額法";
    finishGrid();
}

}  // namespace fenmark::schedule
