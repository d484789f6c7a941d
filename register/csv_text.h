#pragma once
// The text side of CSV files: telling UTF-8 from code page 932, splitting
// the text into records (quoted fields may hold commas, doubled quotes and
// line breaks), writing a line, and reading the dates and amounts people
// type into spreadsheets.
//
//   parseCsvDate("R.08/04/01") == CsvDate{2026, 4, 1}
//   amountCell("1,200,000円") == "1200000"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenmark::reg {

// The UTF-8 text of a file's bytes: valid UTF-8 (a byte order mark is
// dropped), else code page 932; nothing when the bytes are neither.
[[nodiscard]] std::optional<std::string> decodeCsvBytes(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

// One record and the physical line (1-based) it starts on.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// The records of a text; empty lines are skipped. `problem` is set, with
// the line the record starts on, when a quote is never closed.
struct CsvParse {
    std::vector<CsvRecord> records;
    std::optional<int> unclosedQuoteLine;
};
[[nodiscard]] CsvParse parseCsvText(std::string_view text);

// One line: fields with a comma, a quote, a line break or blanks at either
// end are quoted, quotes doubled; CR LF at the end.
[[nodiscard]] std::string csvLine(const std::vector<std::string>& fields);

// The text without blanks (ASCII and ideographic) at either end.
[[nodiscard]] std::string trimmed(std::string_view text);
// The text without any blank.
[[nodiscard]] std::string withoutBlanks(std::string_view text);
// Full-width digits and the full-width comma, slash, hyphen, period and
// percent sign as their ASCII forms.
[[nodiscard]] std::string asciiDigits(std::string_view text);

// A date; `day` is 0 when only the month was given.
struct CsvDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CsvDate&, const CsvDate&) = default;
};
// Reads 2026-04-01, 2026/4/1, 2026.4.1, 20260401, 2026-04, 2026/4, and the
// era forms R8/4/1, R.08/04/01, H30/07/01, S64.1.7, 令和8年4月1日, 令和元年5月1日
// (full-width digits too). Nothing for anything else or a date no calendar
// has (month 13, 平成32, 令和1年4月).
[[nodiscard]] std::optional<CsvDate> parseCsvDate(std::string_view text);

// An amount as the register cell holds it: plain digits, from digits with
// or without thousands separators, full-width or not, with or without a
// leading ¥ or a trailing 円. Any other text is given back as written (the
// checks refuse it); empty stays empty.
[[nodiscard]] std::string amountCell(std::string_view text);

}  // namespace fenmark::reg
