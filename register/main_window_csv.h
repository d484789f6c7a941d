#pragma once
// The main window's own texts of CSV読み込み and CSV書き出し; the texts of
// the files themselves and of their problems are the exchange's
// (register/csv_exchange.h).

#include <string>
#include <vector>

#include "register/csv_exchange.h"

namespace fenmark::reg {

inline constexpr const char* kCsvExportTitle = "CSV書き出し";
inline constexpr const char* kCsvImportTitle = "CSV読み込み";
inline constexpr const char* kCsvEncodingPrompt = "CSVファイルの文字コードを選んでください。";
// Excel opens both; UTF-8 with its byte order mark is offered first, as
// today's spreadsheets and other ledgers read it too.
inline constexpr const char* kCsvEncodingUtf8 = "UTF-8（BOM付き）：Excel 2016以降、多くのソフト";
inline constexpr const char* kCsvEncodingCp932 = "シフトJIS：古いExcel、シフトJISだけを読むソフト";
// The buttons of the window that lists an import's problems.
inline constexpr const char* kProblemsCopyCaption = "コピー(&C)";
inline constexpr const char* kProblemsCloseCaption = "閉じる";
inline constexpr const char* kCsvImportedUnsavedMessage =
    "まだファイルに保存していません。「名前を付けて保存」で保存してください。";

// The encodings offered for export, in the order of their choices.
[[nodiscard]] const std::vector<CsvEncoding>& csvExportEncodings();
[[nodiscard]] std::vector<std::string> csvEncodingChoices();

// The question for the year a peer's carried figures open, with the
// layout's own column names and the year offered as an example.
[[nodiscard]] std::string csvImportYearPrompt(CsvLayout layout, int proposedYear);

// The question before appending `imported` assets after the `existing`
// ones; `savesFile` when the register has a file in use it is written to.
[[nodiscard]] std::string csvAppendQuestion(int imported, int existing, bool savesFile);

// The heading of the window listing the problems of an import.
[[nodiscard]] std::string csvProblemsHeading(int problemCount);

// The message after assets became a new register.
[[nodiscard]] std::string csvImportedMessage(int imported);

}  // namespace fenmark::reg
