#pragma once
// The display-order dialog frmOrder "表示順変更": moves one asset of the
// register to another position. A move is stored at once: the register file
// is rewritten in the new order (atomically) and the register read back
// from it. The dialog works only on the register file in use.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kDisplayOrderTitle = "表示順変更";
inline constexpr const char* kNoFileMessage = "指定ファイルがありません。";
inline constexpr const char* kSamePositionMessage = "移動元と移動先が同じです！";
inline constexpr const char* kBadTargetMessage = "指定に誤りがあります。";
inline constexpr const char* kNoTargetMessage = "移動先が指定されていません";

// What the dialog needs from the main window that opened it.
class DisplayOrderOwner {
  public:
    virtual ~DisplayOrderOwner() = default;
    // Rebuilds the ledger list from the register, in register order.
    virtual void rebuildList() = 0;
    // The dialog has closed: the main window shows itself again.
    virtual void showMain() = 0;
};

// True while the display-order dialog may be offered: only a register that
// is in a file can be reordered in that file.
[[nodiscard]] bool displayOrderAvailable(const ProgramState& state);

// The ledger list rebuilt for the register as it now is: one row per record
// below the heading, filled by GetData.
void rebuildLedgerList(platform::Grid& list, const ProgramState& state);

// The register rows 1..count in the order they take when row `source` moves
// to position `target` and the rows between shift by one:
//   movedOrder(6, 2, 4) == {1, 3, 4, 2, 5, 6}, movedOrder(6, 5, 1) == {5, 1, 2, 3, 4, 6}.
// Throws std::invalid_argument unless 1 <= source, target <= count.
[[nodiscard]] std::vector<int> movedOrder(int count, int source, int target);

// The text of a list item: the row number, two blanks and the asset name.
[[nodiscard]] std::string orderItemText(int row, const std::string& name);

class DisplayOrderModel {
  public:
    DisplayOrderModel(ProgramState& state, platform::Dialogs& dialogs, DisplayOrderOwner& owner);

    platform::Control Caption{"frmOrder", kDisplayOrderTitle};
    platform::Control Label1{"Label1", "移動をするリストをクリックしてください"};
    // A list box: its items and the clicked position (-1 for none).
    platform::ComboBox lstName{"lstName"};
    // The clicked item; the user reads it, never types it.
    platform::TextBox Text1{"Text1", false};
    platform::Control Label2{"Label2", "を"};
    // The target position typed by the user. Change it through setText2.
    platform::TextBox Text2{"Text2", false};
    platform::Control Label3{"Label3", "番に挿入します。"};
    // Hidden: the source position (the clicked row) and the number of items.
    platform::TextBox Text3{"Text3", false};
    platform::TextBox Text4{"Text4", false};
    platform::Control Command1{"Command1", "実行"};
    platform::Control Command2{"Command2", "戻る"};

    // The number of records last read from the register file.
    std::int16_t orderCount = 0;

    // The captioned control of that name, or nullptr.
    [[nodiscard]] platform::Control* control(std::string_view name);
    // The text box of that name, or nullptr.
    [[nodiscard]] platform::TextBox* textBox(std::string_view name);
    // Runs the click event of the named button; false for any other name.
    bool click(std::string_view name);

    // Reads the register file in use and lists its records. Without a file
    // in use, or when it is gone, says "指定ファイルがありません。" and lists
    // nothing; an unreadable file is reported and changes nothing.
    void Form_Load();
    // An item clicked (position 0 for row 1): it becomes the one to move.
    void lstName_Click(int listIndex);
    // Sets the typed target and runs its change event.
    void setText2(std::string text);
    // Refuses, while it is typed, a target that is not a whole number from 1
    // to the number of items ("指定に誤りがあります。") and one equal to the
    // source ("移動元と移動先が同じです！"), emptying the box. With 12 items and
    // row 1 chosen, "1" waits for a possible second digit; "実行" refuses it.
    void Text2_Change();
    // "実行": moves the chosen row to the typed position, rewrites the file
    // and reads it back. Does nothing before an item is chosen. A file that
    // cannot be written is reported ("ファイルの書き込みに失敗しました。") and
    // leaves the file and the register as they were.
    void Command1_Click();
    // "戻る": the main window's list is rebuilt; asks to close.
    void Command2_Click();
    // The dialog closes, in whatever way: a list that no longer matches the
    // register is rebuilt, and the main window shows again.
    void Form_Unload();

    // True once "戻る" asked the window to close.
    [[nodiscard]] bool closeRequested() const { return closeRequested_; }

  private:
    // True when the typed target can stand; otherwise the user is told and
    // the box emptied. While typing, a target equal to the source that more
    // digits could still turn into another position is let stand.
    [[nodiscard]] bool targetAccepted(bool whileTyping);
    // Takes the records read from the file as the register and lists them.
    void takeRecords(const AssetRegister& records, std::int16_t count);
    void fillList();
    void endChoice();

    ProgramState& state_;
    platform::Dialogs& dialogs_;
    DisplayOrderOwner& owner_;
    bool listStale_ = false;
    bool closeRequested_ = false;
};

}  // namespace fenmark::reg
