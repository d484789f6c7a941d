// The dialog listing earlier versions, driven as a user would from the
// main window's File menu.

#include "ui/earlier_versions_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "register/backups.h"
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

reg::AssetRegister registerOf(const std::string& name) {
    reg::AssetRegister assets;
    assets.row(1) = test::asset(name, "1", "19", "4", "4", "240000", "4", "0.625", "4");
    return assets;
}

class EarlierVersionsWindowTest : public ::testing::Test {
  protected:
    EarlierVersionsWindowTest()
        : window(state, dialogs, help, printDevice, {dir.path(), dir.file("config")}) {
        window.Form_Load();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    test::TempDir dir;
    test::TempDir data;
    test::ScopedDataHome home{data.path()};
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NoHelp help;
    platform::RecordingPrintDevice printDevice;
    MainWindow window;
};

TEST_F(EarlierVersionsWindowTest, OpeningAnEarlierVersionShowsItAsAnUnsavedRegister) {
    const std::string path = dir.file("台帳.dat");
    reg::writeRegisterFile(path, registerOf("最初のパソコン"), 1);
    dialogs.queueOpen(path);
    window.findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    // Two saves from the window: each keeps the file it replaced.
    state.assetRegister.at(1, reg::assetName) = "二番目のパソコン";
    window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    state.assetRegister.at(1, reg::assetName) = "三番目のパソコン";
    window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    // Another register's copy, listed only when every register is asked for.
    const std::string other = dir.file("別.dat");
    reg::writeRegisterFile(other, registerOf("別"), 1);
    reg::writeRegisterFile(other, registerOf("別の二"), 1);
    ASSERT_TRUE(dialogs.messages().empty());

    bool listed = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<EarlierVersionsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        listed = true;
        EXPECT_EQ(str(dialog->windowTitle()), "以前の版を開く");
        auto* list = dialog->findChild<QTableWidget*>(QStringLiteral("lstVersions"));
        auto* all = dialog->findChild<QCheckBox*>(QStringLiteral("chkAll"));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(all, nullptr);
        EXPECT_FALSE(all->isChecked());
        ASSERT_EQ(list->rowCount(), 2);
        EXPECT_EQ(str(list->item(0, 0)->text()), "台帳");
        EXPECT_NE(str(list->item(0, 2)->text()).find("バイト"), std::string::npos);
        all->click();
        EXPECT_EQ(list->rowCount(), 3);
        all->click();
        ASSERT_EQ(list->rowCount(), 2);
        test::saveScreenshot(*dialog, "earlier_versions");
        // The older of the two: the register as first opened.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1, 0)).center());
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("mnuOpenBackup"))->trigger();
    ASSERT_TRUE(listed);
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "最初のパソコン");
    EXPECT_TRUE(state.currentFilePath.empty());
    bool inList = false;
    for (int col = 0; col < window.model().Fxg1.cols(); ++col) {
        inList = inList || window.model().Fxg1.text(1, col).find("最初のパソコン") == 0;
    }
    EXPECT_TRUE(inList);
    EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->isEnabled());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdOrd"))->isEnabled());
    // The file in use before is as the last save left it.
    EXPECT_EQ(reg::readRegisterFile(path).assetRegister.at(1, reg::assetName), "三番目のパソコン");
}

TEST_F(EarlierVersionsWindowTest, CancellingChangesNothing) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<EarlierVersionsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(str(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text()),
                  reg::kNoEarlierVersions);
        EXPECT_FALSE(dialog->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->isEnabled());
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("mnuOpenBackup"))->trigger();
    EXPECT_EQ(state.recordCount, 0);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->isEnabled());
}

}  // namespace
}  // namespace fenmark::ui
