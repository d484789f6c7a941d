#include "schedule/five_year_tail.h"

#include <algorithm>

#include "common/convert.h"

namespace fenmark::schedule {

using common::toInt32;
using common::toSingle;

FiveYearTail::FiveYearTail(double cost, double limitPercent, double westernYear, double quantity,
                           bool roundUp) {
    auto round = [roundUp](double amount) {
        return roundUp ? common::roundUp(amount) : common::roundDown(amount);
    };
    const double limitFraction = (100 - limitPercent) / 100;
    // The floor never lies below the memorandum value: 5 % of a cost of a
    // few yen may round to less, and depreciating past it would leave the
    // tail nothing to end on.
    limitFloor_ = std::max(toSingle(round(cost * limitFraction)), toSingle(quantity));
    // Row 1 is the acquisition's year, so this is the 2008 year.
    tailStartRow_ = toInt32(2009 - westernYear);
    const float fifth = toSingle(round(limitFloor_ / 5.0));
    // Four fifths and the rest down to the memorandum value. A floor of a few
    // yen, rounded up, has fifths that would overshoot it: no tail year takes
    // more than is left above the memorandum value.
    double book = limitFloor_;
    for (std::size_t k = 0; k < 4; ++k) {
        const double amount = std::min<double>(fifth, std::max(book - quantity, 0.0));
        tailAmount_[k] = toSingle(amount);
        book -= amount;
        tailBookValue_[k] = toInt32(book);
    }
    const double last = std::max(book - quantity, 0.0);
    tailAmount_[4] = toSingle(last);
    memorandum_ = toInt32(quantity);
    tailBookValue_[4] = toInt32(book - last);
}

FiveYearTail::Year FiveYearTail::next(int row, double bookValue, double amount) {
    const double aboveFloor = bookValue - limitFloor_;
    if (aboveFloor >= amount) return {Kind::Ordinary, amount, toInt32(bookValue - amount)};
    if (aboveFloor > 0) return {Kind::ToLimit, aboveFloor, toInt32(limitFloor_)};
    // A floor at the memorandum value leaves no tail to wait for.
    if (static_cast<double>(limitFloor_) <= memorandum_) return {Kind::Done, 0, memorandum_};
    if (row < tailStartRow_) return {Kind::Waiting, 0, toInt32(limitFloor_)};
    if (counter_ < tailAmount_.size()) {
        const std::size_t k = counter_++;
        return {Kind::Tail, tailAmount_[k], tailBookValue_[k]};
    }
    return {Kind::Done, 0, memorandum_};
}

}  // namespace fenmark::schedule
