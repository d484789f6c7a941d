// The main window's CSV commands through the real menu: the encoding
// question, the year question, the window listing an import's problems and
// the list after an import.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "register/csv_exchange.h"
#include "register/main_window_csv.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"
#include "ui/main_window.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

reg::AssetRegister twoAssets() {
    reg::AssetRegister assets;
    assets.row(1) = test::asset("事務所建物", "0", "58", "4", "0", "12000000", "38", "0.027", "1");
    assets.row(2) = test::asset("パソコン", "1", "19", "4", "4", "240000", "4", "0.625", "4");
    return assets;
}

class MainWindowCsvTest : public ::testing::Test {
  protected:
    MainWindowCsvTest() : window(state, dialogs, help, printDevice, {dir.path(), dir.file("c")}) {
        window.Form_Load();
        window.model().currentYear = 2027;
        window.model().currentMonth = 2;
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QAction* action(const char* name) {
        auto* a = window.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QTableView* grid() { return window.findChild<QTableView*>(QStringLiteral("Fxg1")); }

    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NoHelp help;
    platform::RecordingPrintDevice printDevice;
    MainWindow window;
};

// Runs `answer` on the modal dialog the next command shows.
template <typename Dialog, typename Answer>
void whenShown(bool& shown, Answer answer) {
    QTimer::singleShot(0, [&shown, answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        answer(*dialog);
    });
}

TEST_F(MainWindowCsvTest, TheFileMenuShowsBothCommands) {
    QMenu* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->actions().contains(action("mnuCsvImport")));
    EXPECT_FALSE(action("mnuCsvExport")->isEnabled());
    EXPECT_TRUE(action("mnuCsvImport")->isEnabled());

    const std::string path = dir.file("台帳.dat");
    reg::writeRegisterFile(path, twoAssets(), 2);
    dialogs.queueOpen(path);
    action("mnuOpen")->trigger();
    EXPECT_TRUE(action("mnuCsvExport")->isEnabled());

    file->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    test::saveScreenshot(*file, "main_window_file_menu");
    file->hide();
}

TEST_F(MainWindowCsvTest, ExportAsksTheEncodingAndWritesTheFile) {
    const std::string path = dir.file("台帳.dat");
    reg::writeRegisterFile(path, twoAssets(), 2);
    dialogs.queueOpen(path);
    action("mnuOpen")->trigger();

    const std::string csv = dir.file("台帳.csv");
    dialogs.queueSave(csv);
    bool asked = false;
    whenShown<QInputDialog>(asked, [this](QInputDialog& dialog) {
        EXPECT_EQ(str(dialog.objectName()), "dlgChoice");
        EXPECT_EQ(dialog.parentWidget(), &window);
        EXPECT_EQ(str(dialog.windowTitle()), "CSV書き出し");
        EXPECT_EQ(str(dialog.labelText()), reg::kCsvEncodingPrompt);
        EXPECT_EQ(dialog.comboBoxItems().size(), 2);
        EXPECT_EQ(str(dialog.textValue()), reg::kCsvEncodingUtf8);
        test::saveScreenshot(dialog, "csv_export_encoding");
        dialog.setTextValue(QString::fromUtf8(reg::kCsvEncodingCp932));
        dialog.accept();
    });
    action("mnuCsvExport")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(test::readBytes(csv),
              reg::encodeCsv(reg::formatCsv(twoAssets(), 2), reg::CsvEncoding::Cp932));
}

TEST_F(MainWindowCsvTest, ImportWithProblemsListsThemInAWindowOfTheirOwn) {
    const std::string csv = dir.file("e-shiwake.csv");
    test::writeBytes(csv,
                     "資産名,カテゴリ,取得日,取得価額,耐用年数,償却方法,償却率,事業専用割合,"
                     "本年分の償却費,本年分の必要経費算入額,期末帳簿価額,メモ\r\n"
                     "机,器具備品,2025/4/1,12万,8,定額法,0.125,100,,,,\r\n"
                     ",器具備品,2025/5/1,50000,4,定額法,0.250,100,,,,\r\n");
    dialogs.queueOpen(csv);
    bool askedYear = false;
    bool listed = false;
    whenShown<QInputDialog>(askedYear, [&listed](QInputDialog& dialog) {
        EXPECT_EQ(str(dialog.objectName()), "dlgYear");
        EXPECT_EQ(dialog.intValue(), 2026);
        // The problems follow once the year is given.
        whenShown<QDialog>(listed, [](QDialog& problems) {
            EXPECT_EQ(str(problems.objectName()), "dlgProblems");
            EXPECT_EQ(str(problems.windowTitle()), "CSV読み込み");
            auto* lines = problems.findChild<QListWidget*>(QStringLiteral("lstProblems"));
            ASSERT_NE(lines, nullptr);
            ASSERT_GE(lines->count(), 2);
            EXPECT_FALSE(
                lines->findItems(QStringLiteral("2行目 取得価額「12万」"), Qt::MatchStartsWith)
                    .isEmpty());
            auto* heading = problems.findChild<QLabel*>(QStringLiteral("lblHeading"));
            ASSERT_NE(heading, nullptr);
            EXPECT_EQ(str(heading->text()), reg::csvProblemsHeading(lines->count()));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&problems));
            test::saveScreenshot(problems, "csv_import_problems");
            problems.findChild<QPushButton*>(QStringLiteral("cmdCopy"))->click();
            EXPECT_TRUE(QApplication::clipboard()->text().startsWith(lines->item(0)->text()));
            problems.findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        });
        dialog.accept();
    });
    action("mnuCsvImport")->trigger();
    EXPECT_TRUE(askedYear);
    EXPECT_TRUE(listed);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state.recordCount, 0);
    EXPECT_FALSE(grid()->isVisibleTo(&window));
}

TEST_F(MainWindowCsvTest, ImportIntoNothingShowsTheAssetsInTheList) {
    const std::string csv = dir.file("資産.csv");
    reg::writeCsvFile(csv, twoAssets(), 2, reg::CsvEncoding::Cp932);
    dialogs.queueOpen(csv);
    action("mnuCsvImport")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, reg::csvImportedMessage(2));
    ASSERT_TRUE(grid()->isVisibleTo(&window));
    ASSERT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_EQ(str(grid()->model()->index(1, 1).data().toString()), "パソコン");
    EXPECT_TRUE(action("mnuCsvExport")->isEnabled());
    EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->isEnabled());
    test::saveScreenshot(window, "csv_imported");
}

}  // namespace
}  // namespace fenmark::ui
