// The closing-month dialog's widgets: what they show, and that choosing,
// storing and leaving reach the model and the main window's texts.

#include "ui/closing_month_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "test_support.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

class ClosingMonthDialogTest : public ::testing::Test {
  protected:
    ClosingMonthDialogTest() {
        test::writeBytes(dir.file("Fenmark.ini"), "\"r1\",\"\",\"\",\"6\"\r\n");
        dialog.emplace(state, dialogs, reg::Environment{dir.path(), dir.file("config")},
                       reg::ClosingMonthTexts{text1, label3});
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&*dialog));
    }

    template <typename W>
    W* child(const char* name) {
        auto* w = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    platform::TextBox text1{"Text1", false};
    platform::Control label3{"Label3", "12月です。"};
    std::optional<ClosingMonthDialog> dialog;
};

TEST_F(ClosingMonthDialogTest, ShowsTheMonthInForceAndStoresTheChosenOne) {
    EXPECT_EQ(str(dialog->objectName()), "frmOption");
    EXPECT_EQ(str(dialog->windowTitle()), "決算月変更");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(str(child<QLabel>("Label1")->text()), "現在の設定は");
    EXPECT_EQ(str(child<QLabel>("Label2")->text()), "6月です");
    EXPECT_EQ(str(child<QLabel>("Label3")->text()), "月");
    EXPECT_EQ(str(child<QPushButton>("Command1")->text()), "変更");
    EXPECT_EQ(str(child<QPushButton>("Command2")->text()), "戻る");
    auto* combo = child<QComboBox>("Combo1");
    ASSERT_EQ(combo->count(), 12);
    EXPECT_EQ(str(combo->itemText(11)), "12");
    EXPECT_EQ(combo->currentIndex(), -1);

    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(dialog->model().Combo1.listIndex, 2);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(str(child<QLabel>("Label2")->text()), "3月です");
    EXPECT_EQ(test::readBytes(dir.file("Fenmark.ini")), "\"r1\",\"\",\"\",\"3\"\r\n");
    EXPECT_TRUE(dialog->isVisible());

    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(text1.text, "3");
    EXPECT_EQ(label3.caption, "3月です。");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ClosingMonthDialogTest, TheCloseBoxStillHandsOverTheMonthInForce) {
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(text1.text, "6");
    EXPECT_EQ(label3.caption, "6月です。");
}

}  // namespace
}  // namespace fenmark::ui
