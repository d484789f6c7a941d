// New declining balance (新定率法, method "4"): the declining rate times the
// book value at the start of each year until the ordinary amount falls below
// the guarantee amount; from that year on a constant revised amount (the
// revised rate times the book value of the switch year), the last revised
// year taking the book value down to the memorandum value.

#include <cmath>

#include "common/convert.h"
#include "common/number.h"
#include "law/rate_tables.h"
#include "schedule/builder.h"

namespace fenmark::schedule::detail {

using common::addInt16;
using common::toInt16;
using common::toInt32;
using common::toSingle;

void GetFxd00(ScheduleBuilder& b) {
    const double cost = b.value(reg::acquisitionCost);
    const double quantity = b.memorandumValue();
    const double ratio = b.value(reg::businessRatio);
    const float decliningRate = toSingle(b.value(reg::depreciationRate));
    const std::string& rates = b.cell(reg::newRuleRates);
    const double revisedDepRate = common::leadingNumber(law::revisedRateOf(rates));
    const double guaranteeRate = common::leadingNumber(law::guaranteeRateOf(rates));
    const std::int16_t n = toInt16(b.value(reg::usefulLife) + 2);
    const std::int16_t elapsedYears = b.elapsedYears();

    const std::int16_t byLife = addInt16(n, 5);
    const std::int16_t rows =
        b.tableRows(byLife > addInt16(elapsedYears, 3) ? byLife : addInt16(elapsedYears, 8));

    const float guaranteeAmount = toSingle(b.roundByMode(guaranteeRate * cost));
    b.start(rows);
    b.setProcedure(Procedure::NewDeclining);
    b.setGuaranteeAmount(guaranteeAmount);
    if (!b.depreciable()) {
        b.putUndepreciated(rows - 1);
        return;
    }
    const std::int16_t months = b.firstYearMonths();
    const std::int32_t memorandum = toInt32(quantity);
    const int lastRow = rows - 1;
    b.putYearColumns(lastRow);

    auto putAmount = [&](int row, double amount) {
        Year& year = b.at(row);
        year.amount = Money::number(amount);
        year.expense = Money::number(amount * ratio / 100);
    };
    auto putBook = [&](int row, double book) { b.at(row).bookValue = Money::number(book); };

    // Ordinary years, each computed from the book value the previous one
    // left. A year whose ordinary amount would reach the memorandum value
    // takes the book value down to it instead and ends the schedule; the
    // tables give a life of 2 no guarantee, so that is how it ends.
    std::int32_t bookValue = toInt32(cost);
    int row = 1;
    int switchYear = 0;
    bool ended = false;
    for (; row <= lastRow; ++row) {
        const double product = row == 1
                                   ? static_cast<double>(decliningRate) * bookValue * months / 12
                                   : static_cast<double>(decliningRate) * bookValue;
        const float ordinaryAmount = toSingle(b.roundByMode(toSingle(product)));
        b.setOrdinary(row, row == 1 ? static_cast<double>(decliningRate) * bookValue
                                    : static_cast<double>(ordinaryAmount));
        // An ordinary amount equal to the guarantee amount still reaches it.
        if (row >= 2 && row <= n && ordinaryAmount < guaranteeAmount) {
            switchYear = row;
            break;
        }
        if (bookValue - static_cast<double>(ordinaryAmount) <= quantity) {
            putAmount(row, bookValue - quantity);
            putBook(row, memorandum);
            ended = true;
            ++row;
            break;
        }
        bookValue = toInt32(bookValue - static_cast<double>(ordinaryAmount));
        putAmount(row, ordinaryAmount);
        putBook(row, bookValue);
    }

    if (switchYear > 0) {
        // The revised base is the book value of the switch year to the yen:
        // in single precision a base above 2^24 yen would drift from the
        // book value the later years are taken from.
        const double revisedBase = bookValue;
        const float revisedAmount = toSingle(b.roundByMode(revisedDepRate * revisedBase));
        for (int c = 1; row <= lastRow; ++row, ++c) {
            b.at(row).remark = b.at(row).basis = Remark::Revised;
            b.setOrdinary(row, revisedAmount);
            const double left = revisedBase - static_cast<double>(c) * revisedAmount;
            if (left >= quantity) {
                putAmount(row, revisedAmount);
                putBook(row, left);
                continue;
            }
            const double last = revisedBase - static_cast<double>(c - 1) * revisedAmount - quantity;
            putAmount(row, toInt32(last));
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
