#pragma once
// Table output of the command-line tool: JSON, TSV or CSV, in UTF-8 or code
// page 932.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace fenmark::cli {

enum class Format { Json, Tsv, Csv };
enum class Encoding { Utf8, Cp932 };

using Table = std::vector<std::vector<std::string>>;

// One line per row, headings first; CSV quotes as RFC 4180 asks and ends
// lines with CR LF.
[[nodiscard]] std::string formatTable(const std::vector<std::string>& headings, const Table& rows,
                                      Format format);

// Writes UTF-8 text in the chosen encoding; throws platform::WriteError when
// code page 932 cannot hold a character.
void emit(std::ostream& out, const std::string& utf8, Encoding encoding);

// Names an asset whose schedule could not be computed, on the error stream.
void reportUncomputed(std::ostream& err, int record);

// Tells what stopped a command, from inside its catch block: a register
// that could not be read (`file`), a character the output's encoding
// cannot hold, or anything else. Returns the exit status, 1.
int reportFailure(std::ostream& err, const std::string& file);

// A heading of a grid's format string as a column name: the blanks around
// it (full-width ones too) and a leading "^" removed.
[[nodiscard]] std::string cleanHeading(std::string heading);

// The column names of a grid's format string ("^No|資産の名称 |..."): the
// pieces between the bars, each without its alignment mark and cleaned.
[[nodiscard]] std::vector<std::string> formatHeadings(std::string_view format);

}  // namespace fenmark::cli
