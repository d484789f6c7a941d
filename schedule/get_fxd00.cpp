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
    // left. A year whose ordinary amount would reach the memorandum value
    // takes the book value down to it instead and ends the schedule; the
    // tables give a life of 2 no guarantee, so that is how it ends.
    std::int64_t bookValue = checked32(cost);
    int row = 1;
    int switchYear = 0;
    bool ended = false;
    for (; row <= lastRow; ++row) {
        const Exact fullYear = decliningRate * bookValue;
        const std::int64_t ordinaryAmount =
            b.roundByMode(row == 1 ? fullYear * months / 12 : fullYear);
        b.setOrdinary(row, row == 1 ? fullYear : Exact(ordinaryAmount));
        // An ordinary amount equal to the guarantee amount still reaches it.
        if (row >= 2 && row <= n && ordinaryAmount < guaranteeAmount) {
            switchYear = row;
            break;
        }
        if (bookValue - ordinaryAmount <= memorandum) {
            putAmount(row, bookValue - memorandum);
            putBook(row, memorandum);
            ended = true;
            ++row;
            break;
        }
        bookValue = checked32(bookValue - ordinaryAmount);
        putAmount(row, ordinaryAmount);
        putBook(row, bookValue);
    }

    if (switchYear > 0) {
        // The revised base (改定取得価額) is the book value of the switch year.
        const std::int64_t revisedBase = bookValue;
        const std::int64_t revisedAmount = b.roundByMode(revisedRate * revisedBase);
        for (int c = 1; row <= lastRow; ++row, ++c) {
            b.at(row).remark = b.at(row).basis = Remark::Revised;
            b.setOrdinary(row, revisedAmount);
            const std::int64_t left = revisedBase - static_cast<std::int64_t>(c) * revisedAmount;
            if (left >= memorandum) {
                putAmount(row, revisedAmount);
                putBook(row, checked32(left));
                continue;
            }
            const std::int64_t last =
                revisedBase - static_cast<std::int64_t>(c - 1) * revisedAmount - memorandum;
            putAmount(row, checked32(last));
            putBook(row, memorandum);
            ended = true;
            ++row;
            break;
        }
    }

    if (ended) {
        for (; row <= lastRow; ++row) putBook(row, memorandum);
    }
    for (int r = 1; r <= lastRow; ++r) b.putMonths(r);
}

}  // namespace fenmark::schedule::detail
