// Old declining balance (旧定率法, method "0"): the rate times the book value
// at the start of each year until the depreciation limit, then the five-year
// equal tail. With a life revised in 1998 the revised rate applies from the
// 1998 schedule year on.

#include <algorithm>

#include "common/convert.h"
#include "schedule/builder.h"
#include "schedule/five_year_tail.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using Kind = FiveYearTail::Kind;

void GetFxd3(ScheduleBuilder& b) {
    const std::int64_t cost = b.cost();
    const std::int16_t life = toInt16(b.value(reg::usefulLife));
    const Exact rate = b.decimal(reg::depreciationRate);
    const Exact revisedRate = b.decimal(reg::revisedRate);

    const std::int16_t byLife = addInt16(life, 15);
    const std::int16_t byAge = addInt16(b.elapsedYears(), 8);
    const std::int16_t rows = b.tableRows(byAge < byLife ? byLife : byAge);

    FiveYearTail tail(cost, b.decimal(reg::depreciationLimit), b.value(reg::westernYear),
                      b.memorandumValue(), b.roundingFlag());
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
    std::int64_t ordinaryBook = checked32(b.startBook());
    std::int64_t book = ordinaryBook;
    for (int row = 1; row < rows; ++row) {
        // A filed opening replaces the computed one from its year on.
        if (const auto carried = b.carriedInto(row)) {
            ordinaryBook = book = *carried;
            tail.resume(book);
        }
        // The full-year amount a leaving in the year is prorated from.
        Exact fullYear;
        std::int64_t ordinaryAmount = 0;
        if (row == 1) {
            fullYear = rate * ordinaryBook;
            ordinaryAmount = b.roundByMode(fullYear * months / 12);
        } else {
            const Exact& r = revised && row >= firstRevisedRow ? revisedRate : rate;
            ordinaryAmount = b.roundByMode(r * ordinaryBook);
            fullYear = ordinaryAmount;
        }
        std::int64_t nextOrdinary = checked32(ordinaryBook - ordinaryAmount);
        if (row > 1 && nextOrdinary < tail.limitFloor()) nextOrdinary = tail.limitFloor();

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
            year.expense = b.shareOf(next.amount);
        } else {
            year.expense = Money::number(b.expenseOf(next.amount));
        }
        year.bookValue = Money::number(checked32(next.bookValue));
        if (next.kind == Kind::Tail) year.remark = year.basis = Remark::FiveYear;
        b.putMonths(row);

        book = next.bookValue;
        ordinaryBook = nextOrdinary;
        // After the tail nothing changes again, once the rate can no longer
        // change either: every later year is this one.
        if (next.kind == Kind::Done && (!revised || row >= firstRevisedRow) &&
            row >= b.carriedRow()) {
            b.repeatYear(row, rows - 1);
            break;
        }
    }
}

}  // namespace fenmark::schedule::detail
