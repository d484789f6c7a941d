#include "cli/print_command.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <memory>

#include "platform/qt/qt_printer.h"
#include "platform/text_file.h"
#include "register/ledger_print.h"
#include "register/register_file.h"
#include "register/state.h"

namespace fenmark::cli {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The path as the program's own file dialogs give it: absolute.
std::string absolutePath(const std::string& path) {
    return std::filesystem::absolute(std::filesystem::path(path)).lexically_normal().string();
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
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
    } catch (const platform::ReadError& e) {
        err << reg::kReadFailedMessage << " (" << options.file << ": " << e.what() << ")\n";
        return 1;
    }
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

}  // namespace fenmark::cli
