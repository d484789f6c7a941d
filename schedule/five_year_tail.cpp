#include "schedule/five_year_tail.h"

#include <algorithm>

#include "common/convert.h"

namespace fenmark::schedule {

using common::Exact;

FiveYearTail::FiveYearTail(std::int64_t cost, const Exact& limitPercent, double westernYear,
                           std::int64_t memorandum, std::int16_t roundingFlag)
    : memorandum_(memorandum) {
    // The limit is the depreciable part (95 %) rounded by the rounding
    // choice; the floor is what it leaves, never below the memorandum value
    // (a cost of a few yen could otherwise be depreciated past it and leave
    // the tail nothing to end on).
    const std::int64_t limit = common::roundByFlag(Exact(cost) * limitPercent / 100, roundingFlag);
    limitFloor_ = std::max(cost - limit, memorandum);
    // Row 1 is the acquisition's year, so this is the 2008 year.
    tailStartRow_ = common::toInt32(2009 - westernYear);
    // Each tail year takes a fifth of the exact part left above the limit
    // less the memorandum value; a floor of a few yen, rounded up, has fifths
    // that would overshoot it, so no tail year takes more than is left.
    const Exact left = Exact(cost) * (100 - limitPercent) / 100 - memorandum;
    const std::int64_t fifth =
        std::max<std::int64_t>(common::roundByFlag(left / 5, roundingFlag), 0);
    fifth_ = fifth;
    std::int64_t book = limitFloor_;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::int64_t amount = std::min(fifth, std::max<std::int64_t>(book - memorandum, 0));
        tailAmount_[k] = amount;
        book -= amount;
        tailBookValue_[k] = book;
    }
    const std::int64_t last = std::max<std::int64_t>(book - memorandum, 0);
    tailAmount_[4] = last;
    tailBookValue_[4] = book - last;
}

FiveYearTail::Year FiveYearTail::next(int row, std::int64_t bookValue, std::int64_t amount) {
    const std::int64_t aboveFloor = bookValue - limitFloor_;
    if (aboveFloor >= amount) return {Kind::Ordinary, amount, bookValue - amount};
    if (aboveFloor > 0) return {Kind::ToLimit, aboveFloor, limitFloor_};
    // A floor at the memorandum value leaves no tail to wait for.
    if (limitFloor_ <= memorandum_) return {Kind::Done, 0, memorandum_};
    if (row < tailStartRow_) return {Kind::Waiting, 0, bookValue};
    if (counter_ < tailAmount_.size()) {
        // The amounts of the table when the book value is the table's own;
        // from a filed book value the same fifths, the fifth year taking
        // what is left.
        const std::size_t k = counter_++;
        const std::int64_t left = std::max<std::int64_t>(bookValue - memorandum_, 0);
        const std::int64_t part = k + 1 < tailAmount_.size() ? std::min(fifth_, left) : left;
        return {Kind::Tail, part, bookValue - part};
    }
    return {Kind::Done, 0, std::min(bookValue, memorandum_)};
}

void FiveYearTail::resume(std::int64_t bookValue) {
    if (bookValue >= limitFloor_) {
        counter_ = 0;
    } else if (bookValue <= memorandum_ || fifth_ == 0) {
        counter_ = bookValue <= memorandum_ ? tailAmount_.size() : tailAmount_.size() - 1;
    } else {
        // (floor - book) / fifth to the nearest whole number, at most 4.
        const std::int64_t below = limitFloor_ - bookValue;
        const std::int64_t taken = (2 * below + fifth_) / (2 * fifth_);
        counter_ = static_cast<std::size_t>(std::min<std::int64_t>(taken, 4));
    }
}

}  // namespace fenmark::schedule
