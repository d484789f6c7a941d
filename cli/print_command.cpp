#include "cli/print_command.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <memory>

#include "output/schedule_print.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_printer.h"
#include "platform/text_file.h"
#include "register/ledger_print.h"
#include "register/register_file.h"
#include "register/settings.h"
#include "register/state.h"
#include "schedule/schedule_window.h"
#include "yearend/online_print.h"
#include "yearend/statement_print.h"
#include "yearend/statement_window.h"

namespace fenmark::cli {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The path as the program's own file dialogs give it: absolute.
std::string absolutePath(const std::string& path) {
    return std::filesystem::absolute(std::filesystem::path(path)).lexically_normal().string();
}

// Reads the register into `state`; false, after saying why on `err`, when
// it cannot be read.
bool loadRegister(const std::string& file, reg::ProgramState& state, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(file);
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
        return true;
    } catch (const platform::ReadError& e) {
        err << reg::kReadFailedMessage << " (" << file << ": " << e.what() << ")\n";
        return false;
    }
}

}  // namespace

void writePdf(const std::string& path, const std::string& title,
              const std::function<void(platform::Printer&)>& compose) {
    // QPdfWriter needs a GUI application for its fonts; a PDF file needs no
    // display, so the offscreen platform serves unless the user chose one.
    std::unique_ptr<QGuiApplication> app;
    int argc = 1;
    char name[] = "fenmark-cli";
    char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    QSaveFile file(fromUtf8(path));
    if (!file.open(QIODevice::WriteOnly)) {
        throw platform::PrintError("cannot create " + path + ": " +
                                   file.errorString().toStdString());
    }
    {
        QPdfWriter writer(&file);
        platform::qt::preparePdfWriter(writer);
        writer.setTitle(fromUtf8(title));
        platform::qt::QtPrintDevice device(writer);
        device.printDocument(compose);
    }
    // Until the commit the old file, if any, stays as it was; an exception
    // above leaves it untouched too.
    if (!file.commit()) {
        throw platform::PrintError("cannot write " + path + ": " +
                                   file.errorString().toStdString());
    }
}

int runPrintLedger(const PrintLedgerOptions& options, std::ostream&, std::ostream& err) {
    reg::ProgramState state;
    if (!loadRegister(options.file, state, err)) return 1;
    state.chosenFilePath = absolutePath(options.file);
    state.currentFilePath = state.chosenFilePath;
    try {
        writePdf(options.pdf, reg::kLedgerPrintTitle,
                 [&state](platform::Printer& printer) { reg::printLedger(printer, state); });
        return 0;
    } catch (const std::exception& e) {
        err << platform::kPrintFailedMessage << " (" << options.pdf << ": " << e.what() << ")\n";
    }
    return 1;
}

int runPrintSchedule(const PrintScheduleOptions& options, std::ostream&, std::ostream& err) {
    reg::ProgramState state;
    if (!loadRegister(options.file, state, err)) return 1;
    if (options.record < 1 || options.record > state.recordCount) {
        err << "記録番号が範囲外です: " << options.record << " (記録数 " << state.recordCount
            << ")\n";
        return 1;
    }
    try {
        schedule::ScheduleSettings settings;
        settings.closingMonth = closingMonthOf(options.closingMonth);
        settings.roundingMode = roundingModeOf(options.rounding);
        if (options.currentYear) settings.currentYear = *options.currentYear;

        // The window is driven as the user drives it: it opens on asset 1
        // and "＞" moves on to the asset to print.
        platform::ScriptedDialogs dialogs;
        schedule::ScheduleWindowModel window(state, dialogs, settings);
        window.Form_Load();
        for (int record = 2; record <= options.record; ++record) window.cmdFF_Click();

        writePdf(options.pdf, schedule::kScheduleTitle, [&window, &state](platform::Printer& p) {
            output::printSchedule(p, window, state);
        });
        if (window.scheduleFailed()) {
            reportUncomputed(err, options.record);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        err << platform::kPrintFailedMessage << " (" << options.pdf << ": " << e.what() << ")\n";
    }
    return 1;
}

int runPrintStatement(const PrintStatementOptions& options, std::ostream&, std::ostream& err) {
    reg::ProgramState state;
    if (!loadRegister(options.file, state, err)) return 1;
    // The path heads every sheet, as the window prints it.
    state.chosenFilePath = absolutePath(options.file);
    state.currentFilePath = state.chosenFilePath;
    try {
        state.closingMonth = closingMonthOf(options.closingMonth);
        yearend::StatementSettings settings;
        settings.roundingMode = roundingModeOf(options.rounding);
        if (options.currentYear) settings.currentYear = *options.currentYear;
        settings.form = options.form;

        // The year is read as the statement command reads it; a year it
        // takes is typed and "表示" pressed. What the window would tell the
        // user goes to `err`.
        const yearend::StatementYear year = yearend::readStatementYearArgument(options.year);
        if (year.refusal != yearend::StatementYear::Refusal::None) {
            err << year.message() << " (--year " << options.year << ")\n";
            return 1;
        }
        platform::ScriptedDialogs dialogs;
        yearend::StatementWindowModel window(state, dialogs, settings);
        window.Form_Load();
        typeStatementYear(window, year.year);
        window.cmdOk_Click();
        if (!window.Fxg3Visible) {
            for (const platform::Message& m : dialogs.messages()) {
                err << m.text << " (--year " << options.year << ")\n";
            }
            return 1;
        }

        if (options.view == yearend::StatementView::Online) {
            window.selectView(static_cast<int>(yearend::StatementView::Online));
            writePdf(options.pdf, yearend::kOnlineViewTitle,
                     [&window](platform::Printer& p) { yearend::printOnline(p, window); });
        } else {
            writePdf(options.pdf, yearend::kStatementTitle,
                     [&window, &state](platform::Printer& p) {
                         yearend::printStatement(p, window, state);
                     });
        }
        for (int record : window.uncomputed) {
            reportUncomputed(err, record);
        }
        return window.uncomputed.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        err << platform::kPrintFailedMessage << " (" << options.pdf << ": " << e.what() << ")\n";
    }
    return 1;
}

}  // namespace fenmark::cli
