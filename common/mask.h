#pragma once
// Number masks of the windows and printouts.
//
// "##,###,###", "#,###,###" and "##,###,###,##0" group thousands with ","
// and show no decimals; a '#' is an optional digit and a '0' a forced one, so
// the first two show 0 as the empty text and the last as "0". "0000" and
// "0000-00" fill the digit places from the right with forced digits and keep
// the other characters where they stand. Digits beyond the mask's places
// stand in front of it. Halves round away from zero.

#include <string>
#include <string_view>

namespace fenmark::common {

inline constexpr std::string_view kMaskAmount = "##,###,###";
inline constexpr std::string_view kMaskBase = "#,###,###";
inline constexpr std::string_view kMaskPrice = "##,###,###,##0";
inline constexpr std::string_view kMaskYear = "0000";
inline constexpr std::string_view kMaskYearMonth = "0000-00";

// `value` formatted with `mask`.
//   formatNumber(1200000, "##,###,###") == "1,200,000"
//   formatNumber(0, "#,###,###") == ""
//   formatNumber(200704, "0000-00") == "2007-04"
[[nodiscard]] std::string formatNumber(double value, std::string_view mask);

// A cell text formatted with `mask`: the formatted number when the text is a
// number, else the text itself unchanged.
[[nodiscard]] std::string formatText(std::string_view text, std::string_view mask);

}  // namespace fenmark::common
