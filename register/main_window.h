#pragma once
// The main window's model: every control under its own name, every event
// procedure as a method. It asks and tells the user only through Dialogs
// and opens other windows through MainWindowHost, so it runs without Qt.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "law/era.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/help.h"
#include "platform/printer.h"
#include "register/csv_exchange.h"
#include "register/settings.h"
#include "register/sorting.h"
#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kMainTitle = "固定資産台帳   Ver.4.00";

// The texts of 年度締め that are not the closing's own (yearend/close_year.h).
inline constexpr const char* kCloseYearPrompt = "締める年分を西暦で入力してください。";
inline constexpr const char* kCloseYearSettingsMessage =
    "決算月または計算方法の設定が正しくないため、年度締めができません。";

// "締める年分を西暦で入力してください。（令和8年分なら2026）"
[[nodiscard]] std::string closeYearPrompt(int proposedYear);
// The question before closing `year`: what will be recorded, and that the
// file is saved.
[[nodiscard]] std::string closeYearQuestion(int year);

// A year the main window asks the user for.
struct YearQuestion {
    std::string title;
    std::string prompt;
    // The year offered.
    int proposed = 0;
};

// One of a few answers the main window asks the user to choose.
struct ChoiceQuestion {
    std::string title;
    std::string prompt;
    std::vector<std::string> choices;
    // The index of the choice offered.
    int proposed = 0;
};

// Problems shown together in a window of their own: a heading and one line
// each.
struct ProblemReport {
    std::string title;
    std::string heading;
    std::vector<std::string> lines;
};

// The windows the main window opens without blocking (and hides itself
// behind) or modally over itself.
enum class Window {
    EntryCardNew,
    EntryCard,
    Schedule,
    Statement,
    Municipal,
    DisplayOrder,
    ClosingMonth,
    About
};

// What the main window needs from whoever shows it.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    // Creates and shows the window; false when this build has no such window.
    virtual bool openWindow(Window window) = 0;
    virtual void hideMain() = 0;
    // Ends the program at once, saving nothing.
    virtual void quit() = 0;
    // Asks for a year; nothing when the user cancelled or this build has
    // no such question.
    virtual std::optional<int> askYear(const YearQuestion&) { return std::nullopt; }
    // Shows the kept copies in `backupFolder` (those of the register at
    // `registerPath` first) and returns the one the user chose to open;
    // nothing when the user cancelled or this build has no such dialog.
    virtual std::optional<std::string> chooseEarlierVersion(const std::string& /*backupFolder*/,
                                                            const std::string& /*registerPath*/) {
        return std::nullopt;
    }
    // The index of the choice taken; nothing when the user cancelled or
    // this build has no such question.
    virtual std::optional<int> askChoice(const ChoiceQuestion&) { return std::nullopt; }
    // Shows the problems and returns when the user has read them; false
    // when this build has no such window (the model then uses a message).
    virtual bool showProblems(const ProblemReport&) { return false; }
};

// Where the program runs: its own folder and the user's configuration folder.
struct Environment {
    std::string programFolder;
    std::string userConfigFolder;
};

class MainWindowModel {
  public:
    MainWindowModel(ProgramState& state, platform::Dialogs& dialogs, platform::HelpViewer& help,
                    MainWindowHost& host, platform::PrintDevice& printDevice,
                    Environment environment);

    platform::Control Caption{"frmStart", kMainTitle};
    platform::Control Label1{"Label1", "固定資産台帳　一覧"};
    platform::Control Label2{"Label2", "設定されている決算月は"};
    platform::Control Label3{"Label3", ""};
    platform::Control Label4{"Label4", "計算方法"};
    platform::TextBox Text1{"Text1", false};
    platform::TextBox Text2{"Text2", false};
    platform::ComboBox Combo1{"Combo1"};
    platform::Grid Fxg1;
    bool Fxg1Visible = false;
    platform::Geometry Fxg1Geometry;

    platform::Control cmdNew{"cmdNew", "新規作成"};
    platform::Control cmdOpen{"cmdOpen", "開く"};
    platform::Control cmdSave{"cmdSave", "上書保存"};
    platform::Control cmdPrint{"cmdPrint", "印刷"};
    platform::Control cmdExit{"cmdExit", "終了"};
    platform::Control cmdCallRec{"cmdCallRec", "データ登録"};
    platform::Control cmdSort1{"cmdSort1", "", "ソート：種別"};
    platform::Control cmdSort2{"cmdSort2", "", "ソート：日付"};
    platform::Control cmdRsort{"cmdRsort", "", "Undo-Sort"};
    platform::Control cmdOrd{"cmdOrd", "順序入れ替え"};
    platform::Control cmdView1{"cmdView1", "償却費詳細"};
    platform::Control cmdView3{"cmdView3", "決算書資料"};
    platform::Control Command2{"Command2", "決算月変更"};
    platform::Control Command1{"Command1", "ヘルプ"};

    platform::Control mnuFile{"mnuFile", "ﾌｧｲﾙ  (&F)"};
    platform::Control mnuNew{"mnuNew", "新規作成(&N)"};
    platform::Control mnuOpen{"mnuOpen", "開く(&O)"};
    platform::Control mnuOpenBackup{"mnuOpenBackup", "以前の版を開く(&B)"};
    platform::Control mnuSave{"mnuSave", "名前を付けて保存(&V)"};
    platform::Control mnuCsvImport{"mnuCsvImport", "CSV読み込み(&I)"};
    platform::Control mnuCsvExport{"mnuCsvExport", "CSV書き出し(&E)"};
    platform::Control mnuPrint{"mnuPrint", "印刷 (&P)"};
    platform::Control mnuExit{"mnuExit", "終了 (&X)"};
    platform::Control mnuEdit{"mnuEdit", "編集  (&E)　"};
    platform::Control mnuRecData{"mnuRecData", "データ登録 (&R)"};
    platform::Control mnuSort2{"mnuSort2", "ｿｰﾄ：種別   (&S)"};
    platform::Control mnuSort1{"mnuSort1", "ｿｰﾄ：日付   (&D)"};
    platform::Control mnuRsort{"mnuRsort", "ﾘ・ｿｰﾄ        (&Q)"};
    platform::Control mnuOrd{"mnuOrd", "順序入れ替え(&O)"};
    platform::Control mnuCloseYear{"mnuCloseYear", "年度締め (&Y)"};
    platform::Control mnuView{"mnuView", "表示 (&V)"};
    platform::Control mnuView1{"mnuView1", "個別償却費　(&T)"};
    platform::Control mnuView2{"mnuView2", "決算書資料　(&K)"};
    platform::Control mnuMunicipal{"mnuMunicipal", "償却資産申告　(&M)"};
    platform::Control menuKn{"menuKn", "環境設定(&K)"};
    platform::Control mnuhenkou{"mnuhenkou", "決算月変更(&O)"};
    platform::Control mnuHelp{"mnuHelp", "ﾍﾙﾌﾟ (&H)"};
    platform::Control mnuMhelp{"mnuMhelp", "Fenmarkについて (&H)"};
    platform::Control mnuVer{"mnuVer", "ﾊﾞｰｼﾞｮﾝ情報          (&A)"};

    // The help file the help commands pass to the viewer.
    std::string helpFile;

    // The clock: the year being filed, which 年度締め offers, follows it;
    // tests set it.
    std::int32_t currentYear = law::systemCalendarYear();
    int currentMonth = law::systemCalendarMonth();

    // The buttons in the order the window lays them out, and the menu bar:
    // each top-level menu with its items in order.
    [[nodiscard]] std::vector<platform::Control*> buttons();
    [[nodiscard]] std::vector<std::pair<platform::Control*, std::vector<platform::Control*>>>
    menus();
    // The control of that name, or nullptr.
    [[nodiscard]] platform::Control* control(std::string_view name);

    // Runs the click event of the named button or menu item. False when the
    // name has no click event in this build.
    bool click(std::string_view name);

    void Form_Load();
    // The inner size of the window in twips; places the list.
    void Form_Resize(int innerWidth, int innerHeight, bool minimized);
    void Combo1_Click(int listIndex);

    void cmdNew_Click();
    void mnuNew_Click();
    void cmdOpen_Click();
    void mnuOpen_Click();
    // 以前の版を開く: the user picks a kept copy; it opens as a register
    // not yet saved anywhere (no file in use), so that saving it asks for a
    // file. A copy that cannot be read changes nothing.
    void mnuOpenBackup_Click();
    void cmdSave_Click();
    void mnuSave_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void cmdCallRec_Click();
    void mnuRecData_Click();
    void cmdView1_Click();
    void mnuView1_Click();
    void cmdView3_Click();
    void mnuView2_Click();
    void mnuMunicipal_Click();
    void cmdOrd_Click();
    void mnuOrd_Click();
    void Command2_Click();
    void mnuhenkou_Click();
    void Command1_Click();
    void mnuMhelp_Click();
    void mnuVer_Click();
    void cmdPrint_Click();
    void mnuPrint_Click();
    void cmdSort1_Click();
    void mnuSort2_Click();
    void cmdSort2_Click();
    void mnuSort1_Click();
    void cmdRsort_Click();
    void mnuRsort_Click();
    // 年度締め: asks for the year (the year being filed offered), refuses
    // one that may not be closed, asks for confirmation, records every
    // asset's year-end book value as the next year's carried opening and
    // saves the register to the file in use (an unsaved one through the
    // save dialog). A save that fails or is cancelled puts the register
    // back as it was; the file stays as it was. Ends with the summary.
    void mnuCloseYear_Click();
    // CSV書き出し: asks the encoding (the last one chosen offered) and the
    // file, and writes the register to it; a failed write is reported and
    // changes nothing.
    void mnuCsvExport_Click();
    // CSV読み込み: asks the file and, for a layout with carried figures,
    // their year; reads it all or nothing (every problem listed at once).
    // With a register open it asks before appending the assets after its
    // last one, and writes the file in use as the card does; otherwise the
    // assets become a new register not yet saved to any file.
    void mnuCsvImport_Click();

    // Called by other windows.
    void GetData();
    void GetResistData(const Settings& settings);
    void ReLoad();
    void ReLoad2();
    // Undoes a sort: the list in register order again.
    void DoSort();
    // The list rebuilt in register order, after the display order changed.
    void rebuildList();

    // The rounding choice as the schedule and statement windows read it.
    [[nodiscard]] const std::string& roundingMode() const { return Text2.text; }

    // Enables the commands that need a register; with showRounding the
    // rounding list comes into view with its caption.
    void enableRegisterCommands(bool withOrder, bool showRounding);
    // The entry card wrote a new register to a file: the register commands
    // but the display-order pair (the card has not given the list its
    // order yet), and the rounding choice the schedules will ask for.
    void registerSaved();

    [[nodiscard]] ProgramState& state() { return state_; }
    [[nodiscard]] const Environment& environment() const { return environment_; }

  private:
    // The rounding list and its caption show and hide together.
    void showRoundingList(bool shown);
    void openRegister();
    void newRegister();
    // Writes the register to chosenFilePath; false (after telling the user)
    // when it could not be written.
    bool writeRegister();
    // Save and Save As; false when nothing was written (the user cancelled,
    // or was told of the failure), the paths then kept.
    bool saveToCurrentFile();
    bool saveAs();
    void openWindow(Window window);
    void closingMonthCommand();
    [[nodiscard]] platform::FileDialogOptions fileDialogOptions(bool forSave) const;
    // A register is on show that imported assets may be appended to.
    [[nodiscard]] bool registerOpen() const;
    // Shows what stopped an import; the whole-file ones alone in a message.
    void showImportProblems(const std::vector<CsvProblem>& problems);
    // The list rebuilt after an import, in register order.
    void showImportedRegister();

    ProgramState& state_;
    platform::Dialogs& dialogs_;
    platform::HelpViewer& help_;
    MainWindowHost& host_;
    platform::PrintDevice& printDevice_;
    Environment environment_;
    // The encoding the last CSV export used, offered first the next time.
    CsvEncoding csvEncoding_ = CsvEncoding::Utf8Bom;
    SortCommands sorting_{Fxg1, cmdSort1, cmdSort2, mnuSort1, mnuSort2, cmdRsort, mnuRsort};
};

}  // namespace fenmark::reg
