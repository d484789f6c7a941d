#include "register/closing_month.h"

#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace fenmark::reg {

namespace {

constexpr int kMonths = 12;

}  // namespace

ClosingMonthModel::ClosingMonthModel(ProgramState& state, platform::Dialogs& dialogs,
                                     Environment environment, ClosingMonthTexts mainWindow)
    : state_(state),
      dialogs_(dialogs),
      environment_(std::move(environment)),
      mainWindow_(mainWindow) {}

platform::Control* ClosingMonthModel::control(std::string_view name) {
    for (platform::Control* c : {&Caption, &Label1, &Label2, &Label3, &Command1, &Command2}) {
        if (c->name == name) return c;
    }
    return nullptr;
}

bool ClosingMonthModel::click(std::string_view name) {
    if (name == Command1.name) {
        if (Command1.enabled) Command1_Click();
        return true;
    }
    if (name == Command2.name) {
        if (Command2.enabled) Command2_Click();
        return true;
    }
    return false;
}

void ClosingMonthModel::Form_Load() {
    state_.programFolder = environment_.programFolder;
    if (settingsReadPath(state_.programFolder, environment_.userConfigFolder)) {
        record_ = loadSettings(state_.programFolder, environment_.userConfigFolder);
    } else {
        // No file yet: the record is what is in force, so that storing a
        // month keeps the reserved fields the program holds.
        record_ = Settings{state_.reservedSettings, state_.closingMonth};
    }
    GetResistData();
    Label2.caption = state_.closingMonth + "月です";
    Combo1.items.clear();
    for (int month = 1; month <= kMonths; ++month) Combo1.items.push_back(std::to_string(month));
    Combo1.listIndex = -1;
    closeRequested_ = false;
}

void ClosingMonthModel::Combo1_Click(int listIndex) {
    if (listIndex < -1 || listIndex >= static_cast<int>(Combo1.items.size())) return;
    Combo1.listIndex = listIndex;
}

void ClosingMonthModel::GetResistData() { applySettings(state_, record_); }

void ClosingMonthModel::SetData() {
    record_.reserved = state_.reservedSettings;
    record_.closingMonth = std::to_string(Combo1.listIndex + 1);
}

void ClosingMonthModel::Command1_Click() {
    if (Combo1.listIndex < 0 || Combo1.listIndex >= kMonths) return;
    const Settings previous = record_;
    SetData();
    const std::string path = settingsWritePath(state_.programFolder, environment_.userConfigFolder);
    try {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos && slash > 0) {
            // The user's folder may not exist yet; if it cannot be made, the
            // write below fails and says so.
            static_cast<void>(platform::makeFolders(path.substr(0, slash)));
        }
        saveSettings(path, record_);
    } catch (const platform::WriteError&) {
        record_ = previous;
        dialogs_.message({kSettingsWriteFailedMessage});
        return;
    }
    state_.closingMonth = record_.closingMonth;
    Label2.caption = state_.closingMonth + "月です";
}

void ClosingMonthModel::tellMainWindow() {
    mainWindow_.Text1.text = state_.closingMonth;
    mainWindow_.Label3.caption = state_.closingMonth + "月です。";
}

void ClosingMonthModel::Command2_Click() {
    tellMainWindow();
    closeRequested_ = true;
}

void ClosingMonthModel::Form_Unload() { tellMainWindow(); }

}  // namespace fenmark::reg
