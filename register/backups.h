#pragma once
// Earlier versions of registers: every save copies the file it is about to
// replace into one folder, under a name made of the register's file name, a
// short hash of its full path and the time of the save. Only the newest
// kBackupsKept copies of each register stay; a save removes older ones.

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fenmark::reg {

inline constexpr int kBackupsKept = 10;

// Said after a save whose earlier version could not be kept.
inline constexpr const char* kBackupFailedMessage =
    "保存しました。ただし、保存前の版をバックアップとして残せませんでした。"
    "バックアップの保存先を確認してください。";

// Where copies go and what time it is. Tests set both.
struct BackupStore {
    std::string folder;
    std::function<std::time_t()> clock;
};

// $XDG_DATA_HOME/fenmark/backups, or ~/.local/share/fenmark/backups when
// XDG_DATA_HOME is unset or not an absolute path. Empty when neither it nor
// HOME is set.
[[nodiscard]] std::string defaultBackupFolder();
// The default folder and the system clock.
[[nodiscard]] BackupStore defaultBackupStore();

// What every copy of the register at `registerPath` is named by: its file
// name without the extension (cut to a length file systems take) and eight
// hexadecimal digits of a hash of its absolute path, joined by "_".
[[nodiscard]] std::string backupKey(const std::string& registerPath);
// "<key>_YYYYMMDD-HHMMSS.dat" in local time; `sequence` above 1 adds "-N"
// to keep two copies made within one second apart.
[[nodiscard]] std::string backupFileName(const std::string& registerPath, std::time_t when,
                                         int sequence = 1);

// One kept copy.
struct BackupVersion {
    std::string path;
    // The register's file name as the copy's name holds it, without extension.
    std::string registerName;
    std::string key;
    // "YYYYMMDD-HHMMSS" and the sequence within that second: with the key
    // they order the copies.
    std::string stamp;
    int sequence = 1;
    // "2026-12-08 15:30:12".
    std::string dateText;
    std::uintmax_t size = 0;
};

// The copies in `folder`, newest first (by time, then by name); files whose
// names are not copies' names are left out. Empty when the folder is not
// there.
[[nodiscard]] std::vector<BackupVersion> listBackups(const std::string& folder);
// Only the copies of the register at `registerPath`.
[[nodiscard]] std::vector<BackupVersion> listBackups(const std::string& folder,
                                                     const std::string& registerPath);

// Removes all but the newest `keep` copies of the register at
// `registerPath`, and temporary files that interrupted copies of it left.
// Copies of other registers are not touched.
void pruneBackups(const std::string& folder, const std::string& registerPath,
                  int keep = kBackupsKept);

// Copies the file at `registerPath`, when there is one, into the store's
// folder (made when missing) with the atomic writer, then prunes. A file
// identical to the newest copy is not copied again. Returns the copy's path
// (empty when nothing needed copying); throws platform::WriteError when the
// copy could not be made.
std::string keepBackup(const std::string& registerPath, const BackupStore& store);

}  // namespace fenmark::reg
