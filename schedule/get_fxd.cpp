// Old straight line (旧定額法, method "1"): cost times the depreciable
// fraction times the rate every year, the first year prorated by months,
// until the depreciation limit, then the five-year equal tail. With a life
// revised in 1998 the revised amount applies from the 1998 schedule year on,
// to the end. A limit of "100" leaves nothing for a tail: such an asset is
// depreciated by the plain straight line.

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "schedule/five_year_tail.h"
#include "schedule/frame.h"

namespace fenmark::schedule {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;
using Kind = FiveYearTail::Kind;

void ScheduleFrame::GetFxd() {
    if (cell(reg::depreciationLimit) == "100") {
        GetFxd2();
        return;
    }
    const double cost = value(reg::acquisitionCost);
    const double quantity = memorandumValue();
    const double ratio = value(reg::businessRatio);
    const bool revised = hasRevisedLife();
    const std::int16_t life = toInt16(value(revised ? reg::revisedLife : reg::usefulLife));

    const std::int16_t byLife = addInt16(life, 12);
    const std::int16_t byAge = addInt16(elapsedYears, 8);
    const std::int16_t rows = byAge < byLife ? byLife : byAge;

    FiveYearTail tail(cost, value(reg::depreciationLimit), value(reg::westernYear), quantity,
                      roundingFlag == 0);
    ToukiCal();
    startGrid(rows);
    if (!depreciable()) {
        putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = firstYearMonths();
    // A first year never takes the book value below the limit's floor (only
    // a cost of a few yen, rounded up, could).
    const float firstYear = toSingle(
        std::clamp<double>(roundByMode(static_cast<double>(toSingle(cost * depreciableFraction)) *
                                       value(reg::depreciationRate) * months / 12),
                           0.0, cost - static_cast<double>(tail.limitFloor())));
    const std::int32_t b1 = toInt32(cost - firstYear);
    // The 1998 year is row 1999 - westernYear, and never the first.
    const std::int16_t firstRevisedRow =
        std::max<std::int16_t>(toInt16(1999 - value(reg::westernYear)), 2);

    putYearColumns(rows - 1);
    put(1, colAmount, amountText(firstYear));
    put(1, colExpense, amountText(std::floor(firstYear * ratio / 100)));
    put(1, colBookValue, amountText(b1));
    putMonths(1);

    double book = b1;
    for (int row = 2; row < rows; ++row) {
        const bool revisedYear = revised && row >= firstRevisedRow;
        const float amount = revisedYear ? revisedCurrentAmount : currentAmount;
        const float expense = revisedYear ? revisedCurrentExpense : currentExpense;

        // The limit is checked in every year and on every row after the
        // life, however many rows the asset's age asks for.
        const FiveYearTail::Year year = tail.next(row, book, amount);
        if (year.kind == Kind::Waiting) {
            put(row, colAmount, "0");
        } else if (year.kind != Kind::Done) {
            put(row, colAmount, amountText(year.amount));
        }
        if (row <= life && year.kind == Kind::Ordinary) {
            put(row, colExpense, amountText(expense));
            put(row, colBookValue, year.bookValue == 0 ? "0" : bookText(year.bookValue));
        } else {
            put(row, colExpense, amountText(std::floor(year.amount * ratio / 100)));
            put(row, colBookValue, bookText(year.bookValue));
        }
        if (year.kind == Kind::Tail) put(row, colRemark, kRemarkFiveYear);
        putMonths(row);
        book = year.bookValue;
    }
    finishGrid();
}

}  // namespace fenmark::schedule
