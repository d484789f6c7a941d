#pragma once
// Fixed-width conversions. The program's working values are 16- and 32-bit
// integers and single-precision amounts; every conversion into them goes
// through here, because converting an out-of-range floating value to an
// integer type directly is undefined behaviour.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace fenmark::common {

// A value did not fit the type it was converted to.
class OverflowError : public std::runtime_error {
  public:
    explicit OverflowError(const std::string& what) : std::runtime_error(what) {}
};

// Round half to even, then to a 16-bit signed integer; throws OverflowError
// outside -32768..32767 (and for NaN).
[[nodiscard]] std::int16_t toInt16(double value);

// Round half to even, then to a 32-bit signed integer; throws OverflowError
// outside the range (and for NaN).
[[nodiscard]] std::int32_t toInt32(double value);

// The nearest single-precision value; throws OverflowError when the value is
// beyond the largest finite float (and for NaN).
[[nodiscard]] float toSingle(double value);

// Round half to even to a whole number, kept as a double.
[[nodiscard]] double roundHalfEven(double value);

// Round up (ceiling) and round down (floor, the integer part of the rules).
[[nodiscard]] double roundUp(double value);
[[nodiscard]] double roundDown(double value);

// 16-bit arithmetic with the overflow error of the program's integers.
[[nodiscard]] std::int16_t addInt16(std::int32_t a, std::int32_t b);
[[nodiscard]] std::int16_t mulInt16(std::int32_t a, std::int32_t b);

}  // namespace fenmark::common
