#pragma once
// The columns of a record after the leaving (23 to 29): the opening carried
// in from a filed return, the month business use began, and the two values
// kept for the municipal return. A record that uses none of them is stored
// as before; the file reader refuses one whose values make no sense, so
// that nothing computed later has to guess.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "law/era.h"
#include "register/state.h"

namespace fenmark::reg {

// The opening carried in: the book value at the end of `year` - 1 as it was
// filed, and the 改定取得価額 of a declining-balance asset that had switched
// to the revised rate by then.
struct CarriedOpening {
    int year = 0;
    std::int64_t bookValue = 0;
    std::optional<std::int64_t> revisedBase;
    // The user chose to continue from the program's own figure.
    bool fromComputed = false;
};

// Plain digits (no sign, no separators, at most 15 of them) as a whole
// number, or nothing.
[[nodiscard]] std::optional<std::int64_t> plainDigits(std::string_view text);

// The carried opening of `row`, or nothing when the record holds none or
// holds one that cannot be read.
[[nodiscard]] std::optional<CarriedOpening> carriedOpeningOf(const Row& row);

// The month business use began, when the record holds one.
[[nodiscard]] std::optional<law::YearMonth> businessStartOf(const Row& row);

// Whether any of columns 23 to 29 holds a value: such a record is stored
// with 29 fields.
[[nodiscard]] bool usesExtendedColumns(const Row& row);

// Why columns 23 to 29 of `row` cannot be taken as read (a Japanese
// sentence), or nothing when they can: a year or an amount that is not
// plain digits, a book value or 改定取得価額 above the cost, a carried year
// not after the year of acquisition, a business start before the
// acquisition, a value out of its list.
[[nodiscard]] std::optional<std::string> extendedColumnsProblem(const Row& row);

}  // namespace fenmark::reg
