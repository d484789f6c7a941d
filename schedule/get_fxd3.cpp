// Old declining balance (旧定率法, method "0"): the rate times the book value
// at the start of each year until the depreciation limit, then the five-year
// equal tail. With a life revised in 1998 the revised rate applies from the
// 1998 schedule year on.

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

void ScheduleFrame::GetFxd3() {
    const double cost = value(reg::acquisitionCost);
    const double quantity = memorandumValue();
    const double ratio = value(reg::businessRatio);
    const std::int16_t life = toInt16(value(reg::usefulLife));
    const float rate = toSingle(value(reg::depreciationRate));
    const double revisedRate = value(reg::revisedRate);

    const std::int16_t byLife = addInt16(life, 15);
    const std::int16_t byAge = addInt16(elapsedYears, 8);
    const std::int16_t rows = byAge < byLife ? byLife : byAge;

    FiveYearTail tail(cost, value(reg::depreciationLimit), value(reg::westernYear), quantity,
                      roundingFlag == 0);
    startGrid(rows);
    if (!depreciable()) {
        putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = firstYearMonths();
    // The 1998 year is row 1999 - westernYear; the revised rate never
    // replaces the prorated first year, also for acquisitions in 1997 and
    // 1998.
    const bool revised = hasRevisedLife();
    const std::int16_t firstRevisedRow =
        std::max<std::int16_t>(toInt16(1999 - value(reg::westernYear)), 2);

    putYearColumns(rows - 1);

    // `ordinary` follows the rate on the book value as if the floor held it
    // (the amounts the rules compute); `book` is what the schedule shows,
    // which the tail takes below the floor.
    double ordinaryBook = toInt32(cost);
    double book = ordinaryBook;
    for (int row = 1; row < rows; ++row) {
        float ordinaryAmount = 0;
        if (row == 1) {
            ordinaryAmount =
                toSingle(roundByMode(static_cast<double>(rate) * ordinaryBook * months / 12));
        } else {
            const double r = revised && row >= firstRevisedRow ? revisedRate : rate;
            ordinaryAmount = toSingle(roundByMode(r * ordinaryBook));
        }
        double nextOrdinary = toInt32(ordinaryBook - static_cast<double>(ordinaryAmount));
        if (row > 1 && nextOrdinary < tail.limitFloor()) nextOrdinary = toInt32(tail.limitFloor());

        // The limit is checked in every year, not only after the useful
        // life: a revised rate can reach the floor within the life, and an
        // amount beyond it would show depreciation the book value never took.
        const FiveYearTail::Year year = tail.next(row, book, ordinaryAmount);
        const bool withinLife = row <= life;
        if (year.kind == Kind::Waiting) {
            put(row, colAmount, "0");
        } else if (year.kind != Kind::Done) {
            put(row, colAmount, amountText(year.amount));
        }
        if (withinLife) {
            put(row, colExpense, amountText(year.amount * ratio / 100));
        } else {
            const double amount = toSingle(year.amount);
            put(row, colExpense, amountText(std::floor(amount * ratio / 100)));
        }
        put(row, colBookValue, row == 1 ? amountText(year.bookValue) : bookText(year.bookValue));
        if (year.kind == Kind::Tail) put(row, colRemark, kRemarkFiveYear);
        putMonths(row);

        book = year.bookValue;
        ordinaryBook = nextOrdinary;
    }
    finishGrid();
}

}  // namespace fenmark::schedule
