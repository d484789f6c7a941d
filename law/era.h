#pragma once
// The Japanese eras the ledger writes dates in: 昭和, 平成 and 令和. Stored
// era codes are 0, 1 and 2. A date is shown in the era in force in its
// month; a year (a fiscal-year label, the year a statement is filed for) in
// the era that holds its end (1989 and later 平成, 2019 and later 令和).
//
//   westernYear(Era::Reiwa, 8) == 2026
//   eraOfMonth(2019, 4) == Era::Heisei, eraOfMonth(2019, 5) == Era::Reiwa
//   eraYearText(1) == "元", eraYearText(8) == "8"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenmark::law {

enum class Era : int { Showa = 0, Heisei = 1, Reiwa = 2 };

// The calendar year and month (1-12) of the system clock, in local time.
[[nodiscard]] std::int32_t systemCalendarYear();
[[nodiscard]] int systemCalendarMonth();

// The era of a stored era code (0, 1 or 2), or nothing.
[[nodiscard]] std::optional<Era> eraOfCode(int code);
// The same for a code as read from a cell: nothing unless it is a whole
// number naming an era.
[[nodiscard]] std::optional<Era> eraOfCodeValue(std::optional<std::int32_t> code);

// The western year of year `eraYear` of `era`.
[[nodiscard]] int westernYear(Era era, int eraYear);
// The era year of `western` in `era`.
[[nodiscard]] int eraYearOf(Era era, int western);

// The era in force in a month. January 1989 holds the last days of 昭和
// and the first of 平成: it is 平成 unless `preferred` says 昭和.
[[nodiscard]] Era eraOfMonth(int western, int month, std::optional<Era> preferred = {});
// The era that names a year: 令和 from 2019, 平成 from 1989, else 昭和.
[[nodiscard]] Era eraOfYear(int western);

// "昭和", "平成", "令和".
[[nodiscard]] std::string_view eraName(Era era);
// "S", "H", "R".
[[nodiscard]] std::string_view eraLetter(Era era);

// An era year as prose and headings write it: 元 for the first year.
[[nodiscard]] std::string eraYearText(int eraYear);
// The year of a return as the return names it: "令和8年分", "平成元年分".
[[nodiscard]] std::string returnYearText(int westernYear);

// The last month (1-12) of `era` in `eraYear`, and the first: 昭和64 ends in
// January, 平成31 in April; 平成元年 and 令和元年 begin in January and May.
[[nodiscard]] int lastMonthOf(Era era, int eraYear);
[[nodiscard]] int firstMonthOf(Era era, int eraYear);

// A stored date (era code, era year, month) in the era in force in its
// month: 平成38年4月 becomes 令和8年4月. Dates whose code is no era, or
// whose year or month is no whole number, stay as they are (nothing).
struct EraDate {
    Era era;
    int eraYear;
};
[[nodiscard]] std::optional<EraDate> eraDateOf(std::string_view eraCodeText,
                                               std::string_view eraYearText,
                                               std::string_view monthText);

// A "YYYY-MM" cell (the month an asset left): its year and month 1-12, or
// nothing. A one-digit month ("2026-6") is read too.
struct YearMonth {
    int year;
    int month;
};
[[nodiscard]] std::optional<YearMonth> parseYearMonth(std::string_view cell);
// The cell form of a month, which parseYearMonth reads: "2026-06".
[[nodiscard]] std::string yearMonthText(int year, int month);

// How a compact date cell names a stored date: the era's letter and the
// year, both in the era in force in its month ("R", "8" for 平成38年4月).
// A year or month that is no whole number keeps the stored era and year
// text; a code that is no era gives nothing.
struct ShownEraDate {
    std::string letter;
    std::string year;
};
[[nodiscard]] std::optional<ShownEraDate> shownEraDate(std::string_view eraCodeText,
                                                       const std::string& eraYearText,
                                                       std::string_view monthText);

}  // namespace fenmark::law
