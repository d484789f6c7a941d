#pragma once
// Small text helpers of the entry card's source files.

#include <optional>
#include <string>
#include <string_view>

namespace fenmark::card::detail {

// A computed number as the register writes it: the shortest decimal text,
// without separators ("2007", "200704", "0.5").
[[nodiscard]] std::string numberText(double value);

// The value of a box that holds a whole number written with the digits 0-9
// alone (no sign, blank, point or separator), or nothing. Ten digits at
// most, so that every accepted value fits a 64-bit integer with room.
[[nodiscard]] std::optional<long long> wholeNumber(std::string_view text);

// A list position read from a register cell: its number, rounded half to
// even; -1 when that is not a position of a list of `count` items.
[[nodiscard]] int listPosition(std::string_view cell, int count);

}  // namespace fenmark::card::detail
