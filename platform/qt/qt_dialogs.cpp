#include "platform/qt/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QStringList>

#include "platform/qt/qt_printer.h"

namespace fenmark::platform::qt {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet qtButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::YesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
        case Buttons::OkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
        case Buttons::YesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel};
        case Buttons::Ok:
            break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Answer answerFor(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::Ok;
    }
}

// "*.dat" gives "dat": the save dialog appends it to a name typed without
// one, so that the file shows up under the open dialog's filter.
QString defaultSuffix(std::string_view filter) {
    const std::size_t bar = filter.find('|');
    if (bar == std::string_view::npos) return {};
    std::string_view pattern = filter.substr(bar + 1);
    pattern = pattern.substr(0, pattern.find_first_of("|;"));
    if (pattern.size() < 3 || pattern.substr(0, 2) != "*.") return {};
    const std::string_view suffix = pattern.substr(2);
    if (suffix.find_first_of("*?[") != std::string_view::npos) return {};
    return fromUtf8(suffix);
}

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogOptions& options,
                                         bool forSave) {
    const QString title = options.title.empty()
                              ? QString::fromUtf8(forSave ? "名前を付けて保存" : "ファイルを開く")
                              : fromUtf8(options.title);
    QFileDialog dialog(parent, title, fromUtf8(options.initialDir), qtFilter(options.filter));
    dialog.setAcceptMode(forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (forSave) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
        dialog.setDefaultSuffix(defaultSuffix(options.filter));
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.front().toStdString();
}

}  // namespace

QString qtFilter(std::string_view filter) {
    QStringList pieces = fromUtf8(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        const QString label = pieces[i].trimmed();
        const QString pattern = i + 1 < pieces.size() ? pieces[i + 1].trimmed() : QString();
        if (pattern.isEmpty()) {
            if (!label.isEmpty()) filters << label;
            continue;
        }
        // Qt separates the patterns of one filter by blanks, not semicolons.
        const QString patterns = QString(pattern).replace(u';', u' ').simplified();
        const QString shown = u'(' + pattern + u')';
        if (label.endsWith(shown)) {
            filters << label.left(label.size() - shown.size()) + u'(' + patterns + u')';
        } else if (label.isEmpty()) {
            filters << patterns + QStringLiteral(" (") + patterns + u')';
        } else {
            filters << label + QStringLiteral(" (") + patterns + u')';
        }
    }
    return filters.join(QStringLiteral(";;"));
}

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {
    // The page and resolution fenmark-cli writes its PDF files with, which
    // the print dialog keeps: printing to a PDF file from the dialog gives
    // the same pages. Left alone, QPrinter would paint at the screen's 96
    // dots per inch.
    printer_.setResolution(kPrintResolution);
    printer_.setPageLayout(printPageLayout());
}

Answer QtDialogs::message(const Message& message) {
    const ButtonSet set = qtButtons(message.buttons);
    QMessageBox box(qtIcon(message.icon), fromUtf8(message.title), fromUtf8(message.text),
                    set.buttons, parent_);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    return answerFor(box.exec());
}

std::optional<std::string> QtDialogs::openFile(const FileDialogOptions& options) {
    return runFileDialog(parent_, options, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogOptions& options) {
    return runFileDialog(parent_, options, true);
}

bool QtDialogs::printerSetup() {
    QPrintDialog dialog(&printer_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace fenmark::platform::qt
