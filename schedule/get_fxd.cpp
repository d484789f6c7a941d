// Old straight line (旧定額法, method "1"): cost times the depreciable
// fraction times the rate every year, the first year prorated by months,
// until the depreciation limit, then the five-year equal tail. With a life
// revised in 1998 the revised amount applies from the 1998 schedule year on,
// to the end. A limit of "100" leaves nothing for a tail: such an asset is
// depreciated by the plain straight line.

#include "common/convert.h"
#include "schedule/builder.h"
#include "schedule/five_year_tail.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using Kind = FiveYearTail::Kind;

void GetFxd(ScheduleBuilder& b) {
    if (b.cell(reg::depreciationLimit) == "100") {
        GetFxd2(b);
        return;
    }
    const bool revised = b.hasRevisedLife();
    const std::int16_t life = toInt16(b.value(revised ? reg::revisedLife : reg::usefulLife));

    const std::int16_t byLife = addInt16(life, 12);
    const std::int16_t byAge = addInt16(b.elapsedYears(), 8);
    const std::int16_t rows = b.tableRows(byAge < byLife ? byLife : byAge);

    FiveYearTail tail(b.cost(), b.decimal(reg::depreciationLimit), b.value(reg::westernYear),
                      b.memorandumValue(), b.roundingFlag());
    const CurrentPeriod current = b.toukiCal();
    b.start(rows);
    b.setProcedure(Procedure::OldStraight);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        return;
    }
    const std::int64_t b1 = b.putStraightFirstYear(rows, tail.limitFloor());
    const std::int16_t firstRevisedRow = b.firstRevisedRow();

    std::int64_t book = b1;
    for (int row = 2; row < rows; ++row) {
        const bool revisedYear = revised && row >= firstRevisedRow;
        const std::int64_t amount = revisedYear ? current.revisedAmount : current.amount;
        const std::int64_t expense = revisedYear ? current.revisedExpense : current.expense;
        // A filed opening replaces the computed one from its year on.
        if (const auto carried = b.carriedInto(row)) {
            book = *carried;
            tail.resume(book);
        }

        // The limit is checked in every year and on every row after the
        // life, however many rows the asset's age asks for.
        const FiveYearTail::Year next = tail.next(row, book, amount);
        Year& year = b.at(row);
        if (next.kind == Kind::Waiting) {
            year.amount = Money::zero();
        } else if (next.kind != Kind::Done) {
            year.amount = Money::number(next.amount);
        }
        // The year's ordinary amount, before the limit cuts it; a tail year's
        // is its equal part.
        if (next.kind == Kind::Ordinary || next.kind == Kind::ToLimit) b.setOrdinary(row, amount);
        if (next.kind == Kind::Tail) b.setOrdinary(row, next.amount);
        if (row <= life && next.kind == Kind::Ordinary) {
            year.expense = Money::number(expense);
            year.bookValue = next.bookValue == 0 ? Money::zero() : Money::number(next.bookValue);
        } else {
            year.expense = Money::number(b.expenseOf(next.amount));
            year.bookValue = Money::number(next.bookValue);
        }
        if (next.kind == Kind::Tail) year.remark = year.basis = Remark::FiveYear;
        b.putMonths(row);
        book = checked32(next.bookValue);
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
