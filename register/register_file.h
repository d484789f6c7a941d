#pragma once
// The register file: one line per record, 19 double-quoted cells separated
// by commas (22 for an asset that left, 29 for one with a value after
// that), CR LF after every line, code page 932. An empty register is an
// empty file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "register/backups.h"
#include "register/state.h"

namespace fenmark::reg {

// The user-facing messages of the file commands.
inline constexpr const char* kReadFailedMessage =
    "ファイルの読み込みに失敗しました。ファイルを確認してください";
inline constexpr const char* kWriteFailedMessage = "ファイルの書き込みに失敗しました。";
inline constexpr const char* kNothingToShowMessage = "表示するデータがありません。";
inline constexpr const char* kFileFilter = "Fenmarkデータファイル(*.dat)|*.dat";

// Reads comma-separated fields the way the register file is read:
// a field starting with a double quote (after blanks) runs to the next
// double quote, and anything from there to the next comma or line end is
// skipped; any other field runs to the next comma or line end, without the
// blanks around it. Line breaks end fields but not records.
class FieldReader {
  public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    // True when nothing but blanks and line ends is left. Blank lines after
    // the last record are what an editor leaves, not another record.
    [[nodiscard]] bool atEnd() const;
    // The next field; throws platform::ReadError at the end of the text or
    // at a quote that is never closed.
    [[nodiscard]] std::string next();
    // True when the last field read ended its line (or the text).
    [[nodiscard]] bool lineEnded() const { return lineEnded_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    bool lineEnded_ = false;
};

// A register as read from a file: the rows in order.
struct LoadedRegister {
    AssetRegister assetRegister;
    std::int16_t recordCount = 0;
};

// Parses the UTF-8 text of a register file. Throws platform::ReadError for a
// record with fewer than 19 fields, a line of more than 29, a quote never
// closed, a record beyond the 1,000th, or values in fields 23 to 29 that
// make no sense (extended_columns.h). A line that goes on after the 19th
// field holds the leaving of the asset in fields 20 to 22 and the carried
// opening, the business start and the municipal return's values in 23 to
// 29; fields missing at its end are empty.
[[nodiscard]] LoadedRegister parseRegister(std::string_view text);

// The UTF-8 text of rows 1..count in the file layout. Throws
// platform::WriteError for a cell the layout cannot hold (a double quote).
[[nodiscard]] std::string formatRegister(const AssetRegister& reg, int count);

// Reads and parses a register file; throws platform::ReadError.
[[nodiscard]] LoadedRegister readRegisterFile(const std::string& path);

// What a save that succeeded did with the file it replaced.
struct SaveReport {
    // The copy kept of the replaced file; empty when there was none to keep
    // or it matched the newest copy.
    std::string backupPath;
    // Why the replaced file could not be kept, when it could not; the save
    // itself went ahead.
    std::optional<std::string> backupFailure;
};

// Writes rows 1..count to `path` atomically; throws platform::WriteError,
// leaving the old file untouched, when a cell cannot be stored or the file
// cannot be written. The file it replaces is first kept in the backup
// folder (backups.h); a copy that cannot be made does not stop the save and
// is reported in the result.
SaveReport writeRegisterFile(const std::string& path, const AssetRegister& reg, int count);
SaveReport writeRegisterFile(const std::string& path, const AssetRegister& reg, int count,
                             const BackupStore& backups);

}  // namespace fenmark::reg
