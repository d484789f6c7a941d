#pragma once
// The dialog "以前の版を開く": the kept copies of the open register (or of
// every register), newest first, with the time each was kept and its size.
// The user picks one; the main window opens it as an unsaved register.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "register/backups.h"

namespace fenmark::reg {

inline constexpr const char* kEarlierVersionsTitle = "以前の版を開く";
inline constexpr const char* kEarlierVersionsOfRegister = "この台帳の以前の版";
inline constexpr const char* kEarlierVersionsOfAll = "すべての台帳の以前の版";
inline constexpr const char* kNoEarlierVersions = "残っている以前の版はありません。";
inline constexpr const char* kEarlierVersionHeadings[] = {"台帳", "保存した日時", "大きさ"};

// One line of the list.
struct EarlierVersionRow {
    std::string registerName;
    std::string dateText;
    std::string sizeText;
    std::string path;
};

// "12,345 バイト".
[[nodiscard]] std::string byteSizeText(std::uintmax_t bytes);

class EarlierVersionsModel {
  public:
    // `registerPath` is the file of the open register, empty when none.
    EarlierVersionsModel(std::string backupFolder, std::string registerPath);

    platform::Control Caption{"frmVersions", kEarlierVersionsTitle};
    platform::Control Label1{"Label1", ""};
    platform::Control chkAll{"chkAll", "すべての台帳を表示する"};
    platform::Control cmdOpen{"cmdOpen", "開く"};
    platform::Control cmdCancel{"cmdCancel", "キャンセル"};

    // Lists the open register's copies; every register's when there is no
    // open register or it has none.
    void Form_Load();
    // The check box: every register's copies, or the open register's only.
    void chkAll_Click(bool checked);
    // A line chosen in the list; -1 for none.
    void select(int row);
    // "開く": the chosen line becomes the answer and the dialog closes.
    void cmdOpen_Click();
    void cmdCancel_Click();

    [[nodiscard]] bool showingAll() const { return showAll_; }
    [[nodiscard]] const std::vector<EarlierVersionRow>& rows() const { return rows_; }
    [[nodiscard]] int selected() const { return selected_; }
    // The copy to open, once "開く" was clicked.
    [[nodiscard]] const std::optional<std::string>& chosen() const { return chosen_; }
    [[nodiscard]] bool closeRequested() const { return closeRequested_; }

  private:
    void refresh();

    std::string folder_;
    std::string registerPath_;
    bool showAll_ = false;
    std::vector<EarlierVersionRow> rows_;
    int selected_ = -1;
    std::optional<std::string> chosen_;
    bool closeRequested_ = false;
};

}  // namespace fenmark::reg
