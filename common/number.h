#pragma once
// Reading numbers out of register cells. Every register value is text; where
// a number is needed the program takes the leading number of the text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenmark::common {

// The numeric value of the leading number of `text`: leading blanks are
// skipped, then the longest prefix of the form [sign] digits [. digits]
// (or [sign] . digits) is taken. Text without such a prefix, the empty text
// included, reads as 0. A number too large for a double reads as
// +/-infinity, which the integer conversions then refuse; one too small for
// it reads as 0.
//   leadingNumber(" 12ab") == 12, leadingNumber("0.334") == 0.334,
//   leadingNumber("abc") == 0
[[nodiscard]] double leadingNumber(std::string_view text);

// True when the whole text, blanks at either end aside, is one decimal
// number as `leadingNumber` reads it ("12", "-3.5", " 7 "); false for "",
// "12ab" or "1,000".
[[nodiscard]] bool isNumber(std::string_view text);

// A value read by `leadingNumber` as the whole number it is, for the codes,
// years and months of the register; nothing for a fraction, an infinity or
// a value beyond 32 bits.
//   wholeNumber(2026) == 2026, wholeNumber(20.5) == std::nullopt
[[nodiscard]] std::optional<std::int32_t> wholeNumber(double value);

// The text without blanks or tabs at either end.
[[nodiscard]] std::string_view trimBlanks(std::string_view text);

// A number as labels and year columns write it: no blanks, no separators,
// no trailing ".0" ("19", "2008", "19.5"); "" for no finite number.
[[nodiscard]] std::string numberText(double value);

}  // namespace fenmark::common
