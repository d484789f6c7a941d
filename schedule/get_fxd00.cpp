// New declining balance (新定率法, method "4"): the declining rate times the
// book value at the start of each year until the ordinary amount falls below
// the guarantee amount; from that year on a constant revised amount (the
// revised rate times the book value of the switch year), the last revised
// year taking the book value down to the memorandum value.

#include "common/convert.h"
#include "law/rate_tables.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;

void GetFxd00(ScheduleBuilder& b) {
    const std::int64_t cost = b.cost();
    const std::int64_t memorandum = b.memorandumValue();
    const Exact decliningRate = b.decimal(reg::depreciationRate);
    const std::string& rates = b.cell(reg::newRuleRates);
    const Exact revisedRate = common::readDecimal(law::revisedRateOf(rates));
    const Exact guaranteeRate = common::readDecimal(law::guaranteeRateOf(rates));
    const std::int16_t n = toInt16(b.value(reg::usefulLife) + 2);
    const std::int16_t elapsedYears = b.elapsedYears();

    const std::int16_t byLife = addInt16(n, 5);
    const std::int16_t rows =
        b.tableRows(byLife > addInt16(elapsedYears, 3) ? byLife : addInt16(elapsedYears, 8));

    const std::int64_t guaranteeAmount = b.roundByMode(guaranteeRate * cost);
    b.start(rows);
    b.setProcedure(Procedure::NewDeclining);
    b.setGuaranteeAmount(guaranteeAmount);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = b.firstYearMonths();
    const int lastRow = rows - 1;
    b.putYearColumns(lastRow);

    auto putAmount = [&](int row, std::int64_t amount) {
        Year& year = b.at(row);
        year.amount = Money::number(amount);
        year.expense = b.shareOf(amount);
    };
    auto putBook = [&](int row, std::int64_t book) { b.at(row).bookValue = Money::number(book); };

    // Ordinary years, each computed from the book value the previous one
    // left, until the ordinary amount falls below the guarantee amount; from
    // that year a constant revised amount on the revised base (the book
    // value at the start of the switch year), the last year taking the book
    // value down to the memorandum value. A year whose ordinary amount would
    // reach the memorandum value takes the book value down to it instead and
    // ends the schedule; the tables give a life of 2 no guarantee, so that
    // is how it ends. A filed opening replaces the book value (and, where it
    // has one, the revised base) from its year on.
    enum class Phase { Ordinary, Revised, Ended };
    Phase phase = Phase::Ordinary;
    std::int64_t bookValue = checked32(b.startBook());
    std::int64_t revisedBase = 0;
    std::int64_t revisedAmount = 0;
    const auto startRevised = [&](std::int64_t base) {
        phase = Phase::Revised;
        revisedBase = base;
        revisedAmount = b.roundByMode(revisedRate * revisedBase);
    };
    for (int row = 1; row <= lastRow; ++row) {
        if (const auto carried = b.carriedInto(row)) {
            bookValue = checked32(*carried);
            phase = Phase::Ordinary;
            if (const auto& base = b.carriedRevisedBase()) startRevised(*base);
            if (bookValue <= memorandum) phase = Phase::Ended;
        }
        if (phase == Phase::Ordinary) {
            const Exact fullYear = decliningRate * bookValue;
            const std::int64_t ordinaryAmount =
                b.roundByMode(row == 1 ? fullYear * months / 12 : fullYear);
            // An ordinary amount equal to the guarantee amount still reaches it.
            if (row >= 2 && row <= n && ordinaryAmount < guaranteeAmount) {
                startRevised(bookValue);
            } else {
                b.setOrdinary(row, row == 1 ? fullYear : Exact(ordinaryAmount));
                b.at(row).base = bookValue;
                if (bookValue - ordinaryAmount <= memorandum) {
                    putAmount(row, bookValue - memorandum);
                    putBook(row, memorandum);
                    phase = Phase::Ended;
                    continue;
                }
                bookValue = checked32(bookValue - ordinaryAmount);
                putAmount(row, ordinaryAmount);
                putBook(row, bookValue);
                continue;
            }
        }
        if (phase == Phase::Revised) {
            Year& year = b.at(row);
            year.remark = year.basis = Remark::Revised;
            year.base = revisedBase;
            b.setOrdinary(row, revisedAmount);
            if (bookValue - revisedAmount >= memorandum) {
                bookValue = checked32(bookValue - revisedAmount);
                putAmount(row, revisedAmount);
                putBook(row, bookValue);
                continue;
            }
            putAmount(row, checked32(bookValue - memorandum));
            putBook(row, memorandum);
            phase = Phase::Ended;
            continue;
        }
        putBook(row, std::min(bookValue, memorandum));
    }
    for (int r = 1; r <= lastRow; ++r) b.putMonths(r);
}

}  // namespace fenmark::schedule::detail
