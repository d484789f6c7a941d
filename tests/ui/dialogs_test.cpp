// The Qt dialogs, the help viewer and the version box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

#include <sys/stat.h>

#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_dialogs.h"
#include "test_support.h"
#include "ui/about_box.h"

namespace fenmark {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

// Runs `inspect` on the modal dialog that the next call opens.
void whenModalOpens(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        inspect(modal);
    });
}

struct FilterCase {
    const char* name;
    const char* programFilter;
    const char* qtFilter;
};

class QtFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(QtFilterTest, ConvertsTheProgramsNotation) {
    EXPECT_EQ(platform::qt::qtFilter(GetParam().programFilter).toStdString(), GetParam().qtFilter);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, QtFilterTest,
    ::testing::Values(
        FilterCase{"LabelShowingItsPattern", "Fenmarkデータファイル(*.dat)|*.dat",
                   "Fenmarkデータファイル(*.dat)"},
        FilterCase{"PlainLabel", "テキスト|*.txt", "テキスト (*.txt)"},
        FilterCase{"TwoFilters", "すべて|*.*|データ(*.dat)|*.dat", "すべて (*.*);;データ(*.dat)"},
        FilterCase{"SeveralPatterns", "画像|*.png;*.jpg", "画像 (*.png *.jpg)"},
        FilterCase{"LabelShowingSeveralPatterns", "両方(*.a;*.b)|*.a;*.b", "両方(*.a *.b)"},
        FilterCase{"OtherParenthesesInLabel", "表(旧)|*.tbl", "表(旧) (*.tbl)"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(QtFilter, QtShowsTheLabelAndListsOnlyRegisterFiles) {
    test::TempDir dir;
    test::writeBytes(dir.file("台帳.dat"), "");
    test::writeBytes(dir.file("memo.txt"), "");
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(dir.path()),
                       platform::qt::qtFilter("Fenmarkデータファイル(*.dat)|*.dat"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ASSERT_EQ(dialog.nameFilters().size(), 1);
    EXPECT_EQ(dialog.nameFilters().front().toStdString(), "Fenmarkデータファイル(*.dat)");

    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    dialog.show();
    auto listed = [&] {
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
            names << list->model()->index(row, 0, list->rootIndex()).data().toString();
        }
        return names;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listed().isEmpty(); }, 5000));
    EXPECT_EQ(listed(), QStringList{QString::fromUtf8("台帳.dat")});
}

struct MessageCase {
    const char* name;
    Buttons buttons;
    Icon icon;
    QMessageBox::StandardButtons shown;
    QMessageBox::Icon qtIcon;
    QMessageBox::StandardButton pressed;
    Answer answer;
};

class QtDialogsMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(QtDialogsMessageTest, ShowsTheMessageAndReturnsTheButtonPressed) {
    const MessageCase& c = GetParam();
    QWidget parent;
    platform::qt::QtDialogs dialogs(&parent);
    bool inspected = false;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), "表示するデータがありません。");
        EXPECT_EQ(box->windowTitle().toStdString(), "Fenmark");
        EXPECT_EQ(box->standardButtons(), c.shown);
        EXPECT_EQ(box->icon(), c.qtIcon);
        EXPECT_EQ(box->parentWidget(), &parent);
        inspected = true;
        box->button(c.pressed)->click();
    });
    const Answer answer =
        dialogs.message({"表示するデータがありません。", "Fenmark", c.buttons, c.icon});
    EXPECT_TRUE(inspected);
    EXPECT_EQ(answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, QtDialogsMessageTest,
    ::testing::Values(MessageCase{"OkWithError", Buttons::Ok, Icon::Error, QMessageBox::Ok,
                                  QMessageBox::Critical, QMessageBox::Ok, Answer::Ok},
                      MessageCase{"YesNoAnsweredNo", Buttons::YesNo, Icon::Question,
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
                                  QMessageBox::No, Answer::No},
                      MessageCase{"YesNoCancelCancelled", Buttons::YesNoCancel, Icon::Information,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Information, QMessageBox::Cancel, Answer::Cancel}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(QtDialogs, FileDialogsStartInTheFolderWithTheFilterAndOverwriteCheck) {
    test::TempDir dir;
    test::writeBytes(dir.file("a.dat"), "");
    platform::qt::QtDialogs dialogs;
    platform::FileDialogOptions options;
    options.initialDir = dir.path();
    options.filter = "Fenmarkデータファイル(*.dat)|*.dat";
    options.confirmOverwrite = true;

    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.path());
        EXPECT_EQ(dialog->selectedNameFilter().toStdString(), "Fenmarkデータファイル(*.dat)");
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog->defaultSuffix().toStdString(), "dat");
        dialog->selectFile(QString::fromStdString(dir.file("new")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(dialogs.saveFile(options), dir.file("new.dat"));

    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    EXPECT_EQ(dialogs.openFile(options), std::nullopt);
}

TEST(QtHelpViewer, ReportsAMissingHelp) {
    test::TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::qt::QtHelpViewer viewer(dialogs);
    viewer.showHelp(dir.file("Fenmark3.CHM"), 0);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "ヘルプファイルが見つかりません。");
    EXPECT_EQ(dialogs.messages()[0].buttons, Buttons::Ok);
    EXPECT_EQ(viewer.window(), nullptr);
}

TEST(QtHelpViewer, ShowsTheHelpBesideTheHelpFileInOneWindow) {
    test::TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("help").c_str(), 0755), 0);
    test::writeBytes(dir.file("help/index.html"),
                     "<html><head><meta charset=\"utf-8\"></head><body><p>償却の説明</p>"
                     "</body></html>");
    platform::ScriptedDialogs dialogs;
    platform::qt::QtHelpViewer viewer(dialogs);
    viewer.showHelp(dir.file("Fenmark3.CHM"), 0);

    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.window()->isVisible());
    EXPECT_FALSE(viewer.window()->isModal());
    EXPECT_EQ(viewer.window()->windowTitle().toStdString(), "固定資産台帳 ヘルプ");
    EXPECT_EQ(viewer.browser()->source(),
              QUrl::fromLocalFile(QString::fromStdString(dir.file("help/index.html"))));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QString::fromUtf8("償却の説明")));

    QWidget* first = viewer.window();
    viewer.showHelp(dir.file("Fenmark3.CHM"), 0);
    EXPECT_EQ(viewer.window(), first);
    EXPECT_TRUE(dialogs.messages().empty());

    first->close();  // the window goes with its close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.window(), nullptr);
}

TEST(AboutBox, ShowsTitleVersionAndTheSystemInformation) {
    platform::ScriptedDialogs dialogs;
    ui::AboutBox box(dialogs);
    EXPECT_EQ(box.objectName().toStdString(), "frmAbout");
    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("固定資産台帳")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Ver.4.00")));

    auto* sysInfo = box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    ASSERT_NE(sysInfo, nullptr);
    EXPECT_EQ(sysInfo->text().toStdString(), "システム情報...");
    sysInfo->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const QString shown = QString::fromStdString(dialogs.messages()[0].text);
    EXPECT_TRUE(shown.contains(QSysInfo::prettyProductName()));
    EXPECT_TRUE(shown.contains(QSysInfo::kernelVersion()));
    EXPECT_TRUE(shown.contains(QString::fromLatin1(qVersion())));

    auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), "OK");
    whenModalOpens([ok](QWidget* modal) {
        EXPECT_EQ(modal->objectName().toStdString(), "frmAbout");
        ok->click();
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace fenmark
