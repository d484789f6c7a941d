// The window program: the main window over the program-wide state, with the
// Qt dialogs and help viewer.

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/program_folder.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_printer.h"
#include "register/state.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fenmark"));

    // The program speaks Japanese whatever the desktop's language, and so
    // should the file and print dialogs Qt draws for it.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), font.family()});
    QApplication::setFont(font);

    fenmark::reg::ProgramState state;
    fenmark::platform::qt::QtDialogs dialogs;
    fenmark::platform::qt::QtHelpViewer help(dialogs);
    fenmark::platform::qt::QtPrintDevice printDevice(dialogs.printer());
    fenmark::ui::MainWindow window(
        state, dialogs, help, printDevice,
        fenmark::reg::Environment{fenmark::platform::programFolder(),
                                  fenmark::platform::userConfigFolder()});
    dialogs.setParentWidget(&window);

    window.Form_Load();
    window.show();
    return QApplication::exec();
}
