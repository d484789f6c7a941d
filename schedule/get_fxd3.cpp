// Old declining balance (旧定率法, method "0"): the rate times the book value
// at the start of each year until the depreciation limit, then the five-year
// equal tail. With a life revised in 1998 the revised rate applies from the
// 1998 schedule year on.

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "schedule/builder.h"
#include "schedule/five_year_tail.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;
using Kind = FiveYearTail::Kind;

void GetFxd3(ScheduleBuilder& b) {
    const double cost = b.value(reg::acquisitionCost);
    const double quantity = b.memorandumValue();
    const double ratio = b.value(reg::businessRatio);
    const std::int16_t life = toInt16(b.value(reg::usefulLife));
    const float rate = toSingle(b.value(reg::depreciationRate));
    const double revisedRate = b.value(reg::revisedRate);

    const std::int16_t byLife = addInt16(life, 15);
    const std::int16_t byAge = addInt16(b.elapsedYears(), 8);
    const std::int16_t rows = b.tableRows(byAge < byLife ? byLife : byAge);

    FiveYearTail tail(cost, b.value(reg::depreciationLimit), b.value(reg::westernYear), quantity,
                      b.roundingFlag() == 0);
    b.start(rows);
    b.setProcedure(Procedure::OldDeclining);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = b.firstYearMonths();
    // The 1998 year is row 1999 - westernYear; the revised rate never
    // replaces the prorated first year, also for acquisitions in 1997 and
    // 1998.
    const bool revised = b.hasRevisedLife();
    const std::int16_t firstRevisedRow =
        std::max<std::int16_t>(toInt16(1999 - b.value(reg::westernYear)), 2);

    b.putYearColumns(rows - 1);

    // `ordinary` follows the rate on the book value as if the floor held it
    // (the amounts the rules compute); `book` is what the schedule shows,
    // which the tail takes below the floor.
    double ordinaryBook = toInt32(cost);
    double book = ordinaryBook;
    for (int row = 1; row < rows; ++row) {
        float ordinaryAmount = 0;
        // The full-year amount a leaving in the year is prorated from.
        double fullYear = 0;
        if (row == 1) {
            fullYear = static_cast<double>(rate) * ordinaryBook;
            ordinaryAmount =
                toSingle(b.roundByMode(static_cast<double>(rate) * ordinaryBook * months / 12));
        } else {
            const double r = revised && row >= firstRevisedRow ? revisedRate : rate;
            ordinaryAmount = toSingle(b.roundByMode(r * ordinaryBook));
            fullYear = ordinaryAmount;
        }
        double nextOrdinary = toInt32(ordinaryBook - static_cast<double>(ordinaryAmount));
        if (row > 1 && nextOrdinary < tail.limitFloor()) nextOrdinary = toInt32(tail.limitFloor());

        // The limit is checked in every year, not only after the useful
        // life: a revised rate can reach the floor within the life, and an
        // amount beyond it would show depreciation the book value never took.
        const FiveYearTail::Year next = tail.next(row, book, ordinaryAmount);
        Year& year = b.at(row);
        if (next.kind == Kind::Waiting) {
            year.amount = Money::zero();
        } else if (next.kind != Kind::Done) {
            year.amount = Money::number(next.amount);
        }
        if (next.kind == Kind::Ordinary || next.kind == Kind::ToLimit) b.setOrdinary(row, fullYear);
        if (next.kind == Kind::Tail) b.setOrdinary(row, next.amount);
        if (row <= life) {
            year.expense = Money::number(next.amount * ratio / 100);
        } else {
            const double amount = toSingle(next.amount);
            year.expense = Money::number(std::floor(amount * ratio / 100));
        }
        year.bookValue = Money::number(next.bookValue);
        if (next.kind == Kind::Tail) year.remark = year.basis = Remark::FiveYear;
        b.putMonths(row);

        book = next.bookValue;
        ordinaryBook = nextOrdinary;
    }
}

}  // namespace fenmark::schedule::detail
