// The table of useful lives over the real card window: the button beside
// the life opens it, the list narrows under the keyboard, and the entry
// chosen shows on the card.

#include "ui/life_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "screenshot.h"
#include "ui/entry_card_window.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

struct NullHost : card::EntryCardHost {
    void ReLoad() override {}
    void ReLoad2() override {}
    void registerSaved() override {}
    void showMain() override {}
};

// Japanese arrives through the input method: a composition, then its commit.
void commitText(QWidget* target, const QString& text) {
    QInputMethodEvent composing(text, {});
    QApplication::sendEvent(target, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(target, &commit);
}

class LifeDialogWindowTest : public ::testing::Test {
  protected:
    LifeDialogWindowTest()
        : card(std::make_unique<EntryCardWindow>(state, dialogs, std::make_unique<NullHost>())) {
        card->useLifeTable(FENMARK_LIFE_TABLE);
        card->Form_Load();
        card->show();
        card->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(card.get()));
    }

    template <typename W>
    W* child(QWidget& window, const char* name) {
        auto* w = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Clicks the card's button and plays the user in the dialog it opens;
    // a dialog the user left open is closed, so that the test goes on.
    bool openTable(const std::function<void(LifeDialog&)>& user) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<LifeDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened = true;
            user(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        QTest::mouseClick(child<QPushButton>(*card, "cmdLife"), Qt::LeftButton);
        return opened;
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<EntryCardWindow> card;
};

TEST_F(LifeDialogWindowTest, TheKeyboardChoosesALaptopAndTheCardShowsIt) {
    auto* button = child<QPushButton>(*card, "cmdLife");
    EXPECT_EQ(str(button->text()), "耐用年数表");
    EXPECT_TRUE(button->isVisible());
    const bool opened = openTable([&](LifeDialog& dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(str(dialog.windowTitle()), "耐用年数表");
        EXPECT_EQ(dialog.parentWidget(), card.get());
        auto* list = child<QListWidget>(dialog, "lstEntries");
        EXPECT_EQ(list->count(), 589);
        auto* find = child<QLineEdit>(dialog, "txtFind");
        EXPECT_EQ(QApplication::focusWidget(), find);
        commitText(find, QStringLiteral("ノートパソコン"));
        EXPECT_EQ(str(child<QLabel>(dialog, "lblCount")->text()), "2件");
        ASSERT_EQ(list->count(), 2);
        EXPECT_TRUE(str(list->item(0)->text()).starts_with(" 4年　器具及び備品＞"));
        QTest::keyClick(find, Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_TRUE(str(child<QLabel>(dialog, "lblEntry")->text()).ends_with("4年（1-345）"));
        EXPECT_EQ(str(child<QLineEdit>(dialog, "txtUsedLife")->text()), "4");
        test::saveScreenshot(dialog, "life_dialog");
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(str(child<QLineEdit>(*card, "txtTnen")->text()), "4");
    EXPECT_EQ(str(child<QComboBox>(*card, "cboBunrui")->currentText()), "備　品");
    auto* note = child<QLabel>(*card, "lblTnenNote");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(str(note->text()).starts_with("耐用年数表：器具及び備品＞"));
    EXPECT_TRUE(dialogs.messages().empty());
    test::saveScreenshot(*card, "entry_card_after_life_table");
}

TEST_F(LifeDialogWindowTest, AMissingTableIsSaidInJapaneseAndChangesNothing) {
    card->useLifeTable("/nonexistent/useful_life.tsv");
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    QTest::mouseClick(child<QPushButton>(*card, "cmdLife"), Qt::LeftButton);
    EXPECT_FALSE(opened);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, card::kMsgLifeTableMissing);
    EXPECT_EQ(str(child<QLineEdit>(*card, "txtTnen")->text()), "");
    EXPECT_TRUE(card->isVisible());
}

}  // namespace
}  // namespace fenmark::ui
