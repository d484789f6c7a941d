#pragma once
// Helpers shared by the tests: temporary folders and register rows.

#include <string>

#include "register/state.h"

namespace fenmark::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// A register row from its 19 cells in column order.
[[nodiscard]] reg::Row makeRow(std::initializer_list<std::string> cells);

// A typical asset: name, era code, era year, month, type, cost, life, rate,
// method; the other cells hold what the entry card stores.
[[nodiscard]] reg::Row asset(const std::string& name, const std::string& era,
                             const std::string& year, const std::string& month,
                             const std::string& type, const std::string& cost,
                             const std::string& life, const std::string& rate,
                             const std::string& method);

// While it lives, XDG_DATA_HOME names `folder` (and so the backups go to
// `folder`/fenmark/backups); the value before comes back after.
class ScopedDataHome {
  public:
    explicit ScopedDataHome(const std::string& folder);
    ~ScopedDataHome();
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

  private:
    bool had_ = false;
    std::string previous_;
};

// The backup folder every test process uses unless a test says otherwise:
// a temporary folder of its own, never the user's data folder.
[[nodiscard]] std::string testBackupFolder();

void writeBytes(const std::string& path, const std::string& bytes);
[[nodiscard]] std::string readBytes(const std::string& path);

}  // namespace fenmark::test
