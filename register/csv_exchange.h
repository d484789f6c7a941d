#pragma once
// The register as CSV, both ways. Export writes our own layout: one header
// line of Japanese column names, then one asset a line with every value the
// record holds in a readable form. Import reads our layout and the layouts
// two other ledgers write (freee 会計's fixed-asset CSV and e-shiwake's
// export), recognised by their header lines, in UTF-8 (with or without BOM)
// or code page 932. Every imported record passes the card's own checks; an
// import with any problem brings in nothing and lists every problem.
//
//   CsvImportOptions options{.importYear = 2026, .today = {2026, 12}};
//   const CsvImport result = readCsv(platform::readFileBytes(path), options);
//   if (!result.ok()) for (const auto& p : result.problems) show(formatCsvProblem(p));

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/entry_card_checks.h"
#include "register/state.h"

namespace fenmark::reg {

// How an exported file's text is encoded. Utf8Bom starts with the byte
// order mark, which spreadsheet programs need to tell UTF-8 from
// Shift_JIS.
enum class CsvEncoding { Utf8, Utf8Bom, Cp932 };

// The layouts import recognises by their header lines.
enum class CsvLayout {
    Ours,      // what export writes
    Freee,     // freee 会計's fixed-asset CSV
    EShiwake,  // e-shiwake's 12-column export
};

// The user-facing texts of CSV import and export.
inline constexpr const char* kCsvFileFilter = "CSVファイル(*.csv)|*.csv";
inline constexpr const char* kCsvTooManyMessage =
    "資産が1,000件を超えるため読み込めません。台帳に登録できる資産は1,000件までです。";
inline constexpr const char* kCsvUnknownLayoutMessage =
    "見出し行が、読み込める形式（Fenmark、freee 会計の固定資産、e-shiwake）のどれとも合いません。";
inline constexpr const char* kCsvBadEncodingMessage =
    "文字コードがUTF-8でもシフトJISでもありません。";
inline constexpr const char* kCsvEmptyMessage = "資産の行がありません。";
inline constexpr const char* kCsvWriteFailedMessage = "CSVファイルの書き込みに失敗しました。";

// The name of a layout for messages ("freee 会計" ...).
[[nodiscard]] std::string csvLayoutName(CsvLayout layout);

// --- Export -------------------------------------------------------------

// The UTF-8 text of rows 1..count in our layout, CR LF after every line.
[[nodiscard]] std::string formatCsv(const AssetRegister& reg, int count);

// `utf8` in the chosen encoding; throws platform::WriteError when code
// page 932 cannot hold a character.
[[nodiscard]] std::string encodeCsv(std::string_view utf8, CsvEncoding encoding);

// Writes rows 1..count to `path` atomically in the chosen encoding; throws
// platform::WriteError, leaving any old file untouched.
void writeCsvFile(const std::string& path, const AssetRegister& reg, int count,
                  CsvEncoding encoding);

// --- Import -------------------------------------------------------------

// One reason an import is refused. `line` is the physical line the record
// starts on (1 is the header line; 0 for a problem of the whole file),
// `column` the header's name of the column (empty when the problem is the
// row's), `value` the cell as written.
struct CsvProblem {
    int line = 0;
    std::string column;
    std::string value;
    std::string message;
};

// 「12行目 取得価額「12万」: 取得価額が不正です。」 (the card's message);
// without a column
// 「12行目: message」; without a line just the message.
[[nodiscard]] std::string formatCsvProblem(const CsvProblem& problem);

struct CsvImportOptions {
    // The year whose opening a peer's carried figures are: freee 会計's
    // 期首残高 and 改定取得価額, and e-shiwake's 期末帳簿価額 (the file is
    // taken as the previous year's, its closing the opening of this one).
    // 0 means the year being filed in `today`.
    int importYear = 0;
    // The checks refuse months and years not yet come.
    card::Today today{};
    // Assets already in the register the rows are appended to: the total
    // may not pass 1,000.
    int existingCount = 0;
};

// What an import read: the records in register form when there is no
// problem, else no records and every problem found.
struct CsvImport {
    std::optional<CsvLayout> layout;
    std::vector<Row> rows;
    std::vector<CsvProblem> problems;
    [[nodiscard]] bool ok() const { return problems.empty(); }
};

// The layout of a file's bytes, from its header line, or nothing when the
// bytes are neither UTF-8 nor code page 932 or the header is none of ours.
[[nodiscard]] std::optional<CsvLayout> detectCsvLayout(std::string_view bytes);

// Whether importing the layout needs the import year (a peer's layout with
// carried figures).
[[nodiscard]] bool csvLayoutNeedsYear(CsvLayout layout);

// Reads a whole CSV file's bytes.
[[nodiscard]] CsvImport readCsv(std::string_view bytes, const CsvImportOptions& options);

// Reads the file at `path`; a file that cannot be read is one problem
// with the register file's read message.
[[nodiscard]] CsvImport readCsvFile(const std::string& path, const CsvImportOptions& options);

// Appends the imported rows after row `recordCount` and moves the count;
// false, changing nothing, when the total would pass 1,000.
[[nodiscard]] bool appendImportedRows(AssetRegister& reg, std::int16_t& recordCount,
                                      const std::vector<Row>& rows);

}  // namespace fenmark::reg
