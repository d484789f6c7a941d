#include "register/main_window.h"

#include <array>

#include "common/convert.h"
#include "common/number.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/backups.h"
#include "register/display_order.h"
#include "register/ledger_list.h"
#include "register/ledger_print.h"
#include "register/register_file.h"
#include "schedule/frame.h"
#include "yearend/close_year.h"
#include "yearend/statement_window.h"

namespace fenmark::reg {

using platform::Control;

std::string closeYearPrompt(int proposedYear) {
    return std::string(kCloseYearPrompt) + "（" + schedule::returnYearText(proposedYear) + "なら" +
           std::to_string(proposedYear) + "）";
}

std::string closeYearQuestion(int year) {
    return schedule::returnYearText(year) + "の期末の未償却残高を、各資産の" +
           schedule::returnYearText(year + 1) +
           "の前年末未償却残高（引継ぎ）として記録し、ファイルに保存します。よろしいですか？";
}

MainWindowModel::MainWindowModel(ProgramState& state, platform::Dialogs& dialogs,
                                 platform::HelpViewer& help, MainWindowHost& host,
                                 platform::PrintDevice& printDevice, Environment environment)
    : state_(state),
      dialogs_(dialogs),
      help_(help),
      host_(host),
      printDevice_(printDevice),
      environment_(std::move(environment)) {
    showRoundingList(false);
    // The commands that need a register start disabled.
    for (Control* c : {&cmdCallRec,   &mnuRecData,   &cmdSave,     &mnuSave,  &cmdPrint, &mnuPrint,
                       &cmdSort1,     &cmdSort2,     &cmdView1,    &cmdView3, &mnuSort1, &mnuSort2,
                       &mnuView1,     &mnuView2,     &mnuOrd,      &cmdOrd,   &cmdRsort, &mnuRsort,
                       &mnuCloseYear, &mnuCsvExport, &mnuMunicipal}) {
        c->enabled = false;
    }
}

std::vector<Control*> MainWindowModel::buttons() {
    return {&cmdNew,   &cmdOpen, &cmdSave,  &cmdPrint, &cmdCallRec, &cmdSort1, &cmdSort2,
            &cmdRsort, &cmdOrd,  &cmdView1, &cmdView3, &Command2,   &Command1, &cmdExit};
}

std::vector<std::pair<Control*, std::vector<Control*>>> MainWindowModel::menus() {
    return {
        {&mnuFile,
         {&mnuNew, &mnuOpen, &mnuOpenBackup, &mnuSave, &mnuCsvImport, &mnuCsvExport, &mnuPrint,
          &mnuExit}},
        {&mnuEdit, {&mnuRecData, &mnuSort2, &mnuSort1, &mnuRsort, &mnuOrd, &mnuCloseYear}},
        {&mnuView, {&mnuView1, &mnuView2, &mnuMunicipal}},
        {&menuKn, {&mnuhenkou}},
        {&mnuHelp, {&mnuMhelp, &mnuVer}},
    };
}

Control* MainWindowModel::control(std::string_view name) {
    for (Control* c : buttons()) {
        if (c->name == name) return c;
    }
    for (auto& [menu, items] : menus()) {
        if (menu->name == name) return menu;
        for (Control* c : items) {
            if (c->name == name) return c;
        }
    }
    for (Control* c : {&Label1, &Label2, &Label3, &Label4}) {
        if (c->name == name) return c;
    }
    return nullptr;
}

bool MainWindowModel::click(std::string_view name) {
    using Handler = void (MainWindowModel::*)();
    static constexpr std::pair<std::string_view, Handler> handlers[] = {
        {"cmdNew", &MainWindowModel::cmdNew_Click},
        {"mnuNew", &MainWindowModel::mnuNew_Click},
        {"cmdOpen", &MainWindowModel::cmdOpen_Click},
        {"mnuOpen", &MainWindowModel::mnuOpen_Click},
        {"mnuOpenBackup", &MainWindowModel::mnuOpenBackup_Click},
        {"cmdSave", &MainWindowModel::cmdSave_Click},
        {"mnuSave", &MainWindowModel::mnuSave_Click},
        {"cmdExit", &MainWindowModel::cmdExit_Click},
        {"mnuExit", &MainWindowModel::mnuExit_Click},
        {"cmdCallRec", &MainWindowModel::cmdCallRec_Click},
        {"mnuRecData", &MainWindowModel::mnuRecData_Click},
        {"cmdView1", &MainWindowModel::cmdView1_Click},
        {"mnuView1", &MainWindowModel::mnuView1_Click},
        {"cmdView3", &MainWindowModel::cmdView3_Click},
        {"mnuView2", &MainWindowModel::mnuView2_Click},
        {"mnuMunicipal", &MainWindowModel::mnuMunicipal_Click},
        {"cmdOrd", &MainWindowModel::cmdOrd_Click},
        {"mnuOrd", &MainWindowModel::mnuOrd_Click},
        {"Command2", &MainWindowModel::Command2_Click},
        {"mnuhenkou", &MainWindowModel::mnuhenkou_Click},
        {"Command1", &MainWindowModel::Command1_Click},
        {"mnuMhelp", &MainWindowModel::mnuMhelp_Click},
        {"mnuVer", &MainWindowModel::mnuVer_Click},
        {"cmdSort1", &MainWindowModel::cmdSort1_Click},
        {"mnuSort2", &MainWindowModel::mnuSort2_Click},
        {"cmdSort2", &MainWindowModel::cmdSort2_Click},
        {"mnuSort1", &MainWindowModel::mnuSort1_Click},
        {"cmdRsort", &MainWindowModel::cmdRsort_Click},
        {"mnuRsort", &MainWindowModel::mnuRsort_Click},
        {"cmdPrint", &MainWindowModel::cmdPrint_Click},
        {"mnuPrint", &MainWindowModel::mnuPrint_Click},
        {"mnuCloseYear", &MainWindowModel::mnuCloseYear_Click},
        {"mnuCsvExport", &MainWindowModel::mnuCsvExport_Click},
        {"mnuCsvImport", &MainWindowModel::mnuCsvImport_Click},
    };
    for (const auto& [handlerName, handler] : handlers) {
        if (handlerName == name) {
            const Control* c = control(name);
            if (c != nullptr && !c->enabled) return true;  // a disabled command does nothing
            (this->*handler)();
            return true;
        }
    }
    return false;
}

void MainWindowModel::Form_Load() {
    state_.programFolder = environment_.programFolder;
    GetResistData(loadSettings(state_.programFolder, environment_.userConfigFolder));
    Combo1.items = {"切上げ", "切捨て"};
    Combo1.listIndex = 0;
    Text2.text = "0";
    helpFile = state_.programFolder + "/" + platform::kHelpFileName;
    Fxg1Visible = false;
    showRoundingList(false);
}

void MainWindowModel::showRoundingList(bool shown) {
    Combo1.visible = shown;
    Label4.visible = shown;
}

void MainWindowModel::GetResistData(const Settings& settings) {
    applySettings(state_, settings);
    Text1.text = state_.closingMonth;
    Label3.caption = state_.closingMonth + "月です。";
}

void MainWindowModel::Form_Resize(int innerWidth, int innerHeight, bool minimized) {
    if (minimized) return;
    Fxg1Geometry.left = 480;
    Fxg1Geometry.top = 1200;
    Fxg1Geometry.width = std::max(innerWidth - 900, 0);
    Fxg1Geometry.height = std::max(innerHeight - 1500, 0);
    if (Fxg1Geometry.width > 117600) Fxg1Geometry.width = 10770;
}

void MainWindowModel::Combo1_Click(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(Combo1.items.size())) return;
    Combo1.listIndex = listIndex;
    Text2.text = std::to_string(listIndex);
}

platform::FileDialogOptions MainWindowModel::fileDialogOptions(bool forSave) const {
    platform::FileDialogOptions options;
    options.initialDir = platform::dialogStartFolder(state_.programFolder);
    options.filter = kFileFilter;
    options.confirmOverwrite = forSave;
    return options;
}

void MainWindowModel::newRegister() {
    state_.currentFilePath.clear();
    // No file in use: nothing the display-order dialog could rewrite.
    cmdOrd.enabled = false;
    mnuOrd.enabled = false;
    state_.assetRegister.clear();
    // The entry card starts an empty register at record 0.
    state_.recordCount = 0;
    if (host_.openWindow(Window::EntryCardNew)) {
        host_.hideMain();
    } else {
        // Without the card there is nothing to show for the new register.
        ReLoad2();
    }
}

void MainWindowModel::cmdNew_Click() { newRegister(); }
void MainWindowModel::mnuNew_Click() { newRegister(); }

void MainWindowModel::openRegister() {
    const auto chosen = dialogs_.openFile(fileDialogOptions(false));
    if (!chosen) {
        // A cancelled open dialog is reported as the command's failure.
        dialogs_.message({kReadFailedMessage});
        return;
    }
    LoadedRegister loaded;
    try {
        loaded = readRegisterFile(*chosen);
    } catch (const platform::ReadError&) {
        // Nothing has changed yet: the previous register, paths and list stay.
        dialogs_.message({kReadFailedMessage});
        return;
    }
    state_.chosenFilePath = *chosen;
    state_.assetRegister = loaded.assetRegister;
    state_.currentFilePath = state_.chosenFilePath;
    state_.recordCount = loaded.recordCount;
    Fxg1Visible = true;
    Fxg1.setRows(state_.recordCount + 1);
    Fxg1.setCols(kListColumns);
    Fxg1.setFixedCols(2);
    Fxg1.setFixedRows(1);
    GetData();
    // Both Open commands enable the display-order commands: the menu's
    // leaving them disabled would offer a register that cannot be reordered.
    enableRegisterCommands(true, true);
}

void MainWindowModel::enableRegisterCommands(bool withOrder, bool showRounding) {
    for (Control* c : {&cmdCallRec, &mnuRecData, &cmdSave, &mnuSave, &cmdPrint, &mnuPrint,
                       &cmdSort1, &cmdSort2, &cmdView1, &cmdView3, &mnuSort1, &mnuSort2, &mnuView1,
                       &mnuView2, &mnuCloseYear, &mnuCsvExport, &mnuMunicipal}) {
        c->enabled = true;
    }
    if (withOrder) {
        cmdOrd.enabled = true;
        mnuOrd.enabled = true;
    }
    if (showRounding) showRoundingList(true);
}

void MainWindowModel::registerSaved() { enableRegisterCommands(false, true); }

void MainWindowModel::cmdOpen_Click() { openRegister(); }
void MainWindowModel::mnuOpen_Click() { openRegister(); }

void MainWindowModel::mnuOpenBackup_Click() {
    const auto chosen = host_.chooseEarlierVersion(defaultBackupFolder(), state_.currentFilePath);
    if (!chosen) return;
    LoadedRegister loaded;
    try {
        loaded = readRegisterFile(*chosen);
    } catch (const platform::ReadError&) {
        dialogs_.message({kReadFailedMessage});
        return;
    }
    // A copy is not a file to save over: the register has no file in use,
    // and the commands that rewrite the file in use stay off.
    state_.chosenFilePath.clear();
    state_.currentFilePath.clear();
    state_.assetRegister = loaded.assetRegister;
    state_.recordCount = loaded.recordCount;
    Fxg1Visible = true;
    Fxg1.setRows(state_.recordCount + 1);
    Fxg1.setCols(kListColumns);
    Fxg1.setFixedCols(2);
    Fxg1.setFixedRows(1);
    GetData();
    cmdOrd.enabled = false;
    mnuOrd.enabled = false;
    enableRegisterCommands(false, true);
}

bool MainWindowModel::writeRegister() {
    try {
        const SaveReport saved =
            writeRegisterFile(state_.chosenFilePath, state_.assetRegister, state_.recordCount);
        if (saved.backupFailure) {
            dialogs_.message({kBackupFailedMessage, platform::kProgramTitle, platform::Buttons::Ok,
                              platform::Icon::Warning});
        }
        return true;
    } catch (const platform::WriteError&) {
        dialogs_.message({kWriteFailedMessage});
        return false;
    }
}

bool MainWindowModel::saveToCurrentFile() {
    // No file in use yet: ask for one rather than write to no path.
    if (state_.currentFilePath.empty()) return saveAs();
    const std::string previous = state_.chosenFilePath;
    state_.chosenFilePath = state_.currentFilePath;
    if (writeRegister()) return true;
    state_.chosenFilePath = previous;
    return false;
}

bool MainWindowModel::saveAs() {
    const auto chosen = dialogs_.saveFile(fileDialogOptions(true));
    if (!chosen || chosen->empty()) return false;
    const std::string previousCurrent = state_.currentFilePath;
    const std::string previousChosen = state_.chosenFilePath;
    state_.currentFilePath = *chosen;
    state_.chosenFilePath = state_.currentFilePath;
    if (writeRegister()) return true;
    state_.currentFilePath = previousCurrent;
    state_.chosenFilePath = previousChosen;
    return false;
}

void MainWindowModel::cmdSave_Click() { saveToCurrentFile(); }
void MainWindowModel::mnuSave_Click() { saveAs(); }

void MainWindowModel::mnuCloseYear_Click() {
    using platform::Buttons;
    using platform::Icon;
    if (state_.recordCount < 1) {
        dialogs_.message(
            {kNothingToShowMessage, platform::kProgramTitle, Buttons::Ok, Icon::Error});
        return;
    }
    const int proposed = yearend::yearBeingFiled(currentYear, currentMonth);
    const std::optional<int> year =
        host_.askYear({yearend::kCloseYearTitle, closeYearPrompt(proposed), proposed});
    if (!year) return;
    if (const auto refusal = yearend::closeYearRefusal(*year, currentYear)) {
        dialogs_.message({*refusal, yearend::kCloseYearTitle, Buttons::Ok, Icon::Warning});
        return;
    }
    if (dialogs_.message({closeYearQuestion(*year), yearend::kCloseYearTitle, Buttons::YesNo,
                          Icon::Question}) != platform::Answer::Yes) {
        return;
    }
    // The same settings the schedule and statement windows compute with.
    schedule::Options options;
    options.currentYear = currentYear;
    try {
        options.closingMonth = common::toInt16(
            common::leadingNumber(state_.closingMonth.empty() ? "12" : state_.closingMonth));
        options.roundingFlag = common::toInt16(common::leadingNumber(roundingMode()));
    } catch (const common::OverflowError&) {
        dialogs_.message(
            {kCloseYearSettingsMessage, yearend::kCloseYearTitle, Buttons::Ok, Icon::Error});
        return;
    }

    const AssetRegister before = state_.assetRegister;
    const yearend::CloseYearResult result =
        yearend::closeYear(state_.assetRegister, state_.recordCount, *year, options);
    // A closing that changed nothing (every asset refused, or the year
    // closed before) has nothing to save.
    if (!(state_.assetRegister == before) && !saveToCurrentFile()) {
        // The file was not written: the register goes back with it, so
        // that memory and file never disagree about what was filed.
        state_.assetRegister = before;
        return;
    }
    Fxg1.setRows(state_.recordCount + 1);
    Fxg1.setCols(kListColumns);
    GetData();
    // The list is rebuilt in register order; the sort commands follow.
    if (cmdRsort.enabled) sorting_.cmdRsort_Click();
    dialogs_.message({yearend::closeYearSummary(result), yearend::kCloseYearTitle, Buttons::Ok,
                      Icon::Information});
}

void MainWindowModel::cmdExit_Click() { host_.quit(); }
void MainWindowModel::mnuExit_Click() { host_.quit(); }

void MainWindowModel::openWindow(Window window) {
    if (host_.openWindow(window)) host_.hideMain();
}

void MainWindowModel::cmdCallRec_Click() { openWindow(Window::EntryCard); }
void MainWindowModel::mnuRecData_Click() { openWindow(Window::EntryCard); }
void MainWindowModel::cmdView1_Click() { openWindow(Window::Schedule); }
void MainWindowModel::mnuView1_Click() { openWindow(Window::Schedule); }
void MainWindowModel::cmdView3_Click() { openWindow(Window::Statement); }
void MainWindowModel::mnuView2_Click() { openWindow(Window::Statement); }
void MainWindowModel::mnuMunicipal_Click() { openWindow(Window::Municipal); }
void MainWindowModel::cmdOrd_Click() {
    if (displayOrderAvailable(state_)) openWindow(Window::DisplayOrder);
}
void MainWindowModel::mnuOrd_Click() {
    if (displayOrderAvailable(state_)) openWindow(Window::DisplayOrder);
}

void MainWindowModel::cmdSort1_Click() { sorting_.cmdSort1_Click(); }
void MainWindowModel::mnuSort2_Click() { sorting_.mnuSort2_Click(); }
void MainWindowModel::cmdSort2_Click() { sorting_.cmdSort2_Click(); }
void MainWindowModel::mnuSort1_Click() { sorting_.mnuSort1_Click(); }
void MainWindowModel::cmdRsort_Click() { sorting_.cmdRsort_Click(); }
void MainWindowModel::mnuRsort_Click() { sorting_.mnuRsort_Click(); }
void MainWindowModel::cmdPrint_Click() { printLedgerCommand(state_, dialogs_, printDevice_); }
void MainWindowModel::mnuPrint_Click() { printLedgerCommand(state_, dialogs_, printDevice_); }
void MainWindowModel::DoSort() { reg::DoSort(Fxg1); }
void MainWindowModel::rebuildList() { rebuildLedgerList(Fxg1, state_); }

void MainWindowModel::closingMonthCommand() {
    state_.programFolder = environment_.programFolder;
    GetResistData(loadSettings(state_.programFolder, environment_.userConfigFolder));
    host_.openWindow(Window::ClosingMonth);
}

void MainWindowModel::Command2_Click() { closingMonthCommand(); }
void MainWindowModel::mnuhenkou_Click() { closingMonthCommand(); }

void MainWindowModel::Command1_Click() { help_.showHelp(helpFile, 0); }
void MainWindowModel::mnuMhelp_Click() { help_.showHelp(helpFile, 0); }
void MainWindowModel::mnuVer_Click() { host_.openWindow(Window::About); }

void MainWindowModel::GetData() { reg::GetData(Fxg1, state_.assetRegister, state_.recordCount); }

void MainWindowModel::ReLoad() {
    state_.currentFilePath = state_.chosenFilePath;
    if (!state_.currentFilePath.empty()) {
        LoadedRegister loaded;
        try {
            loaded = readRegisterFile(state_.chosenFilePath);
        } catch (const platform::ReadError&) {
            dialogs_.message({kReadFailedMessage});
            return;
        }
        // Rows beyond the file's keep what they held, as the card left them.
        for (int row = 1; row <= loaded.recordCount; ++row) {
            state_.assetRegister.row(row) = loaded.assetRegister.row(row);
        }
        state_.recordCount = loaded.recordCount;
        Fxg1.setRows(state_.recordCount + 1);
        Fxg1.setCols(kListColumns);
        Fxg1.setFixedCols(1);
        Fxg1.setFixedRows(1);
        GetData();
        Fxg1Visible = true;
    }
    state_.currentFilePath = state_.chosenFilePath;
}

void MainWindowModel::ReLoad2() {
    dialogs_.message({kNothingToShowMessage, platform::kProgramTitle, platform::Buttons::Ok,
                      platform::Icon::Error});
    Fxg1Visible = false;
    cmdCallRec.enabled = false;
}

}  // namespace fenmark::reg
