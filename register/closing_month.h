#pragma once
// The closing-month dialog frmOption "決算月変更": shows the closing month in
// force, lets the user pick another from 1 to 12 and stores it in the
// settings file, whose first three fields are written back exactly as they
// were read. The main window opens it modally.

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "register/main_window.h"
#include "register/settings.h"
#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kClosingMonthTitle = "決算月変更";
inline constexpr const char* kSettingsWriteFailedMessage = "設定ファイルの書き込みに失敗しました。";

// The main window's closing-month texts, which the dialog sets when it
// closes: Text1 the month, Label3 the month followed by "月です。". The main
// window copies them to the screen once the modal dialog has returned.
struct ClosingMonthTexts {
    platform::TextBox& Text1;
    platform::Control& Label3;
};

class ClosingMonthModel {
  public:
    ClosingMonthModel(ProgramState& state, platform::Dialogs& dialogs, Environment environment,
                      ClosingMonthTexts mainWindow);

    platform::Control Caption{"frmOption", kClosingMonthTitle};
    platform::Control Label1{"Label1", "現在の設定は"};
    platform::Control Label2{"Label2", ""};
    platform::ComboBox Combo1{"Combo1"};
    platform::Control Label3{"Label3", "月"};
    platform::Control Command1{"Command1", "変更"};
    platform::Control Command2{"Command2", "戻る"};

    // The captioned control of that name, or nullptr.
    [[nodiscard]] platform::Control* control(std::string_view name);
    // Runs the click event of the named button; false for any other name.
    bool click(std::string_view name);

    // Reads the settings file (when there is one) and shows the month in
    // force, with no month selected in the list.
    void Form_Load();
    // A month picked in the list (position 0 for "1"); -1 clears the choice.
    void Combo1_Click(int listIndex);
    // "変更": stores the selected month. Nothing happens while no month is
    // selected. A settings file that cannot be written is reported and the
    // month in force stays as it was. The dialog stays open.
    void Command1_Click();
    // "戻る": hands the month in force to the main window and asks to close.
    void Command2_Click();
    // The dialog closes, in whatever way: the main window is told the month
    // in force, so that it never shows one that was replaced.
    void Form_Unload();

    // The settings-file record becomes the active settings.
    void GetResistData();
    // The settings-file record becomes the active reserved fields with the
    // month selected in Combo1. Needs a selection.
    void SetData();

    // The settings-file record as last read or stored.
    [[nodiscard]] const Settings& settingsRecord() const { return record_; }
    // True once "戻る" asked the window to close.
    [[nodiscard]] bool closeRequested() const { return closeRequested_; }

  private:
    void tellMainWindow();

    ProgramState& state_;
    platform::Dialogs& dialogs_;
    Environment environment_;
    ClosingMonthTexts mainWindow_;
    Settings record_;
    bool closeRequested_ = false;
};

}  // namespace fenmark::reg
