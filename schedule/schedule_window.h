#pragma once
// The schedule window's model (frmView1, "償却費シュミレーション"): one asset
// of the register at a time, its header and its year-by-year schedule, paged
// forward and back. The statement and the command-line tool compute their
// schedules as values (schedule.h) and do not use it; the printout of one
// asset's schedule from the command line builds it unseen.
//
//   reg::ProgramState state = ...;            // register, recordCount
//   platform::ScriptedDialogs dialogs;
//   ScheduleWindowModel window(state, dialogs, {"12", "0", 2024});
//   window.Form_Load();                       // asset 1
//   window.lblSHou.caption;                   // "新定率法"
//   window.Fxg2.text(1, colAmount);           // "250,000"
//   window.Pageup();                          // asset 2
//
// A value that does not fit its type (a cost beyond 32 bits, an absurd life)
// stops that asset's schedule: the window tells the user with
// kCannotComputeMessage, shows the heading alone and scheduleFailed() is
// true until the next asset is shown.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "schedule/frame.h"

namespace fenmark::schedule {

inline constexpr const char* kLastPageMessage = "最後のページです。";
inline constexpr const char* kFirstPageMessage = "1ページ目です。";
inline constexpr const char* kCannotComputeMessage =
    "この資産の償却費を計算できません。登録内容を確認してください。";

// What the window reads when it loads.
struct ScheduleSettings {
    // The program-wide closing month, "1".."12".
    std::string closingMonth = "12";
    // The main window's rounding choice: "0" rounds up, anything else down.
    std::string roundingMode = "0";
    // The calendar year the elapsed years count to: systemCalendarYear()
    // in the program, fixed by tests and the command line.
    std::int32_t currentYear = systemCalendarYear();
};

// What the window needs from whoever shows it.
class ScheduleWindowHost {
  public:
    virtual ~ScheduleWindowHost() = default;
    // Shows the main window again.
    virtual void showMain() = 0;
    // Closes (unloads) the schedule window; its Form_Unload follows.
    virtual void unloadSchedule() = 0;
};

class ScheduleWindowModel : public ScheduleFrame {
  public:
    // `host` may be null for a window nobody sees (a printout's).
    // `printDevice` may be null for a window that never prints.
    ScheduleWindowModel(reg::ProgramState& state, platform::Dialogs& dialogs,
                        ScheduleSettings settings, ScheduleWindowHost* host = nullptr,
                        platform::PrintDevice* printDevice = nullptr);

    platform::Control Caption{"frmView1", kScheduleTitle};
    platform::Control lblNum{"lblNum"};
    platform::Control lblkeki{"lblkeki"};
    platform::Control Label3{"Label3"};
    platform::Control Label2{"Label2", "資産名："};
    platform::Control lblPP{"lblPP", "取得価額："};
    platform::Control Label4{"Label4", "基礎価額："};
    platform::Control Label5{"Label5", "償却方法："};
    platform::Control Label6{"Label6", "円"};
    platform::Control cmdRew{"cmdRew", "＜"};
    platform::Control cmdFF{"cmdFF", "＞"};
    platform::Control cmdCancel{"cmdCancel", "戻る", "メインフォームに戻る"};
    platform::Control cmdPrint{"cmdPrint", "印刷"};

    void Form_Load();
    void cmdFF_Click();
    void cmdRew_Click();
    // The next asset, without the bound test of the buttons; past the
    // register's last row it does nothing.
    void Pageup();
    void cmdCancel_Click();
    // "印刷": prints the asset on show.
    void cmdPrint_Click();
    void Form_Unload();

    // Runs the click event of the named button; false when it has none.
    bool click(std::string_view name);

    // True when the asset on show could not be computed.
    [[nodiscard]] bool scheduleFailed() const { return failed_; }

    // The buttons in their order on the window, and the fixed labels.
    [[nodiscard]] std::vector<platform::Control*> buttons();
    [[nodiscard]] std::vector<platform::Control*> fixedLabels();

    // Every caption the window shows for the asset, by control name, in the
    // order txtName, lblNum, lblkeki, Label3, then headerLabels().
    [[nodiscard]] std::vector<std::pair<std::string, std::string>> captions();

  private:
    // GetData and the schedule of the current asset, with the failure
    // caught here so that a bad row never ends the program.
    void showAsset();
    // The heading alone and the message.
    void cannotCompute();
    void setNum();

    platform::Dialogs& dialogs_;
    ScheduleSettings settings_;
    ScheduleWindowHost* host_;
    platform::PrintDevice* printDevice_;
    bool settingsValid_ = true;
    bool failed_ = false;
};

}  // namespace fenmark::schedule
