// The main window's CSV commands. They live apart from the rest of the
// window's model, but are its methods: an import ends in the same list,
// commands and saving as an open.

#include "register/main_window_csv.h"

#include "law/era.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/ledger_list.h"
#include "register/main_window.h"
#include "register/register_file.h"
#include "yearend/statement_window.h"

namespace fenmark::reg {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

const std::vector<CsvEncoding>& csvExportEncodings() {
    static const std::vector<CsvEncoding> encodings{CsvEncoding::Utf8Bom, CsvEncoding::Cp932};
    return encodings;
}

std::vector<std::string> csvEncodingChoices() { return {kCsvEncodingUtf8, kCsvEncodingCp932}; }

std::string csvImportYearPrompt(CsvLayout layout, int proposedYear) {
    std::string figures;
    switch (layout) {
        case CsvLayout::Freee:
            figures = "freee 会計の「期首残高」「改定取得価額」";
            break;
        case CsvLayout::EShiwake:
            figures = "e-shiwakeの「期末帳簿価額」";
            break;
        case CsvLayout::Ours:
            figures = csvLayoutName(layout) + "の引継ぎの金額";
            break;
    }
    return figures + "を、何年分の前年末未償却残高（引継ぎ）として記録しますか。" +
           "西暦で入力してください。（" + law::returnYearText(proposedYear) + "なら" +
           std::to_string(proposedYear) + "）";
}

std::string csvAppendQuestion(int imported, int existing, bool savesFile) {
    return "読み込んだ" + std::to_string(imported) + "件の資産を、表示中の台帳の" +
           std::to_string(existing) + "件目の後に追加" +
           (savesFile ? "し、ファイルに保存します。" : "します。") + "よろしいですか？";
}

std::string csvProblemsHeading(int problemCount) {
    return "CSVファイルを読み込めませんでした。資産は1件も読み込んでいません。\n次の" +
           std::to_string(problemCount) + "件を直してから、もう一度読み込んでください。";
}

std::string csvImportedMessage(int imported) {
    return std::to_string(imported) + "件の資産を新しい台帳として読み込みました。" +
           kCsvImportedUnsavedMessage;
}

void MainWindowModel::mnuCsvExport_Click() {
    const std::vector<CsvEncoding>& encodings = csvExportEncodings();
    int proposed = 0;
    for (std::size_t i = 0; i < encodings.size(); ++i) {
        if (encodings[i] == csvEncoding_) proposed = static_cast<int>(i);
    }
    const std::optional<int> choice =
        host_.askChoice({kCsvExportTitle, kCsvEncodingPrompt, csvEncodingChoices(), proposed});
    if (!choice || *choice < 0 || *choice >= static_cast<int>(encodings.size())) return;
    csvEncoding_ = encodings[static_cast<std::size_t>(*choice)];

    platform::FileDialogOptions options;
    options.title = kCsvExportTitle;
    options.initialDir = platform::dialogStartFolder(state_.programFolder);
    options.filter = kCsvFileFilter;
    options.confirmOverwrite = true;
    const auto chosen = dialogs_.saveFile(options);
    if (!chosen || chosen->empty()) return;
    try {
        writeCsvFile(*chosen, state_.assetRegister, state_.recordCount, csvEncoding_);
    } catch (const platform::WriteError&) {
        dialogs_.message({kCsvWriteFailedMessage, kCsvExportTitle, Buttons::Ok, Icon::Error});
    }
}

bool MainWindowModel::registerOpen() const {
    // An empty register counts only with a file it came from: appending to
    // nothing is a new register.
    return cmdSave.enabled && (state_.recordCount > 0 || !state_.currentFilePath.empty());
}

void MainWindowModel::showImportProblems(const std::vector<CsvProblem>& problems) {
    std::vector<std::string> lines;
    bool ofRows = false;
    for (const CsvProblem& problem : problems) {
        lines.push_back(formatCsvProblem(problem));
        if (problem.line > 0) ofRows = true;
    }
    std::string joined;
    for (const std::string& line : lines) joined += (joined.empty() ? "" : "\n") + line;
    // A problem of the whole file (its encoding, its header, too many
    // assets) needs no list.
    if (!ofRows) {
        dialogs_.message({joined, kCsvImportTitle, Buttons::Ok, Icon::Error});
        return;
    }
    const std::string heading = csvProblemsHeading(static_cast<int>(problems.size()));
    if (!host_.showProblems({kCsvImportTitle, heading, lines})) {
        dialogs_.message({heading + "\n\n" + joined, kCsvImportTitle, Buttons::Ok, Icon::Error});
    }
}

void MainWindowModel::showImportedRegister() {
    Fxg1Visible = true;
    Fxg1.setRows(state_.recordCount + 1);
    Fxg1.setCols(kListColumns);
    Fxg1.setFixedCols(2);
    Fxg1.setFixedRows(1);
    GetData();
    // The list is rebuilt in register order; the sort commands follow.
    if (cmdRsort.enabled) sorting_.cmdRsort_Click();
}

void MainWindowModel::mnuCsvImport_Click() {
    platform::FileDialogOptions options;
    options.title = kCsvImportTitle;
    options.initialDir = platform::dialogStartFolder(state_.programFolder);
    options.filter = kCsvFileFilter;
    const auto chosen = dialogs_.openFile(options);
    if (!chosen || chosen->empty()) return;
    std::string bytes;
    try {
        bytes = platform::readFileBytes(*chosen);
    } catch (const platform::ReadError&) {
        dialogs_.message({kReadFailedMessage, kCsvImportTitle, Buttons::Ok, Icon::Error});
        return;
    }

    const bool appending = registerOpen();
    CsvImportOptions importOptions;
    importOptions.today = {currentYear, currentMonth};
    importOptions.existingCount = appending ? state_.recordCount : 0;
    importOptions.importYear = yearend::yearBeingFiled(currentYear, currentMonth);
    if (const auto layout = detectCsvLayout(bytes); layout && csvLayoutNeedsYear(*layout)) {
        const int proposed = importOptions.importYear;
        const std::optional<int> year =
            host_.askYear({kCsvImportTitle, csvImportYearPrompt(*layout, proposed), proposed});
        if (!year) return;
        importOptions.importYear = *year;
    }

    const CsvImport imported = readCsv(bytes, importOptions);
    if (!imported.ok()) {
        showImportProblems(imported.problems);
        return;
    }
    if (imported.rows.empty()) {
        dialogs_.message({kCsvEmptyMessage, kCsvImportTitle, Buttons::Ok, Icon::Error});
        return;
    }
    const int count = static_cast<int>(imported.rows.size());
    const auto tooMany = [&] {
        dialogs_.message({kCsvTooManyMessage, kCsvImportTitle, Buttons::Ok, Icon::Error});
    };

    if (!appending) {
        AssetRegister fresh;
        std::int16_t freshCount = 0;
        if (!appendImportedRows(fresh, freshCount, imported.rows)) {
            tooMany();
            return;
        }
        state_.assetRegister = std::move(fresh);
        state_.recordCount = freshCount;
        // No file in use: saving asks for one, and nothing the display-order
        // dialog could rewrite.
        state_.currentFilePath.clear();
        state_.chosenFilePath.clear();
        cmdOrd.enabled = false;
        mnuOrd.enabled = false;
        showImportedRegister();
        enableRegisterCommands(false, true);
        dialogs_.message(
            {csvImportedMessage(count), kCsvImportTitle, Buttons::Ok, Icon::Information});
        return;
    }

    // Appending follows the card: a register with a file in use is written
    // to it at once, one without stays in memory until saved.
    const bool savesFile = !state_.currentFilePath.empty();
    if (dialogs_.message({csvAppendQuestion(count, state_.recordCount, savesFile), kCsvImportTitle,
                          Buttons::YesNo, Icon::Question}) != Answer::Yes) {
        return;
    }
    const AssetRegister before = state_.assetRegister;
    const std::int16_t countBefore = state_.recordCount;
    if (!appendImportedRows(state_.assetRegister, state_.recordCount, imported.rows)) {
        tooMany();
        return;
    }
    if (savesFile && !saveToCurrentFile()) {
        // Memory and file never disagree: the register goes back as well.
        state_.assetRegister = before;
        state_.recordCount = countBefore;
        return;
    }
    showImportedRegister();
}

}  // namespace fenmark::reg
