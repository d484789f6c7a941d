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
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "screenshot.h"
#include "ui/entry_card_window.h"
#include "ui/line_breaks.h"
#include "wrapped_lines.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }
// A text as the user reads it, without the joiners that steer its breaks.
std::string shown(const QString& text) { return str(withoutJoiners(text)); }

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
        EXPECT_TRUE(shown(list->item(0)->text()).starts_with(" 4年　器具及び備品＞"));
        QTest::keyClick(find, Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_TRUE(shown(child<QLabel>(dialog, "lblEntry")->text()).ends_with("4年（1-345）"));
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
    EXPECT_TRUE(shown(note->text()).starts_with("耐用年数表：器具及び備品＞"));
    EXPECT_TRUE(dialogs.messages().empty());
    test::saveScreenshot(*card, "entry_card_after_life_table");
}

// The dialog at its default size and at its smallest.
std::vector<QSize> dialogSizes(QWidget& dialog) {
    return {dialog.size(), dialog.minimumSizeHint().expandedTo(dialog.minimumSize())};
}

void showAt(QWidget& window, QSize size) {
    window.resize(size);
    QApplication::processEvents();
}

// A label shows all its lines, and keeps the phrases whole.
void expectWholeLines(const QLabel& label, const QStringList& phrases, int atLeastLines = 1) {
    const QStringList lines = test::wrappedLines(label);
    EXPECT_GE(lines.size(), atLeastLines) << str(label.objectName());
    EXPECT_GE(label.contentsRect().height(), lines.size() * label.fontMetrics().lineSpacing())
        << str(label.objectName()) << " cuts its last line";
    test::expectWhole(lines, phrases);
}

// Entries that differ only at their ends show whole, wrapped within the
// list; the notes break between phrases, at the default size and the
// smallest.
TEST_F(LifeDialogWindowTest, LongEntriesShowWholeAndNotesBreakBetweenPhrases) {
    const std::vector<QSize> cardSizes = dialogSizes(*card);
    const bool opened = openTable([&](LifeDialog& dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const std::vector<QSize> sizes = dialogSizes(dialog);
        auto* find = child<QLineEdit>(dialog, "txtFind");
        auto* list = child<QListWidget>(dialog, "lstEntries");
        commitText(find, QStringLiteral("事務所"));
        ASSERT_GT(list->count(), 3);
        int office = -1;
        for (int i = 0; i < list->count(); ++i) {
            if (shown(list->item(i)->text()).find("事務所用又は美術館用") != std::string::npos) {
                office = i;
                break;
            }
        }
        ASSERT_GE(office, 0);
        list->setCurrentRow(office);
        auto* entry = child<QLabel>(dialog, "lblEntry");
        EXPECT_TRUE(shown(entry->text()).find("事務所用又は美術館用のもの") != std::string::npos);
        EXPECT_EQ(list->item(office)->toolTip(), withoutJoiners(list->item(office)->text()));
        // The used-asset working line of a laptop bought 1 year 2 months old.
        child<QLineEdit>(dialog, "txtUsedLife")->setFocus();
        QTest::keyClick(child<QLineEdit>(dialog, "txtUsedLife"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(child<QLineEdit>(dialog, "txtUsedLife"), QStringLiteral("4"));
        QTest::keyClicks(child<QLineEdit>(dialog, "txtElapsedYears"), QStringLiteral("1"));
        QTest::keyClicks(child<QLineEdit>(dialog, "txtElapsedMonths"), QStringLiteral("2"));
        auto* used = child<QLabel>(dialog, "lblUsed");
        ASSERT_TRUE(shown(used->text()).ends_with("＝ 36.8か月 → 3年"));

        const char* names[] = {"life_dialog_office_default", "life_dialog_office_smallest"};
        int shot = 0;
        for (const QSize& size : sizes) {
            SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
            showAt(dialog, size);
            const int textWidth =
                list->viewport()->width() -
                2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
            for (int i = 0; i < list->count(); ++i) {
                const QRect rect = list->visualItemRect(list->item(i));
                const QString text = list->item(i)->text();
                EXPECT_LE(rect.right(), list->viewport()->width()) << shown(text);
                const QRect needed = list->fontMetrics().boundingRect(QRect(0, 0, textWidth, 0),
                                                                      Qt::TextWordWrap, text);
                EXPECT_LE(needed.height(), rect.height()) << shown(text) << " is cut";
            }
            const law::LifeEntry* chosen = dialog.model().selectedEntry();
            ASSERT_NE(chosen, nullptr);
            expectWholeLines(*entry,
                             {QString::number(chosen->years) + QStringLiteral("年"),
                              QStringLiteral("（%1）").arg(QString::fromStdString(chosen->id)),
                              QStringLiteral("事務所用又は")});
            expectWholeLines(*used, {QStringLiteral("36.8か月"), QStringLiteral("3年"),
                                     QStringLiteral("1年2か月"), QStringLiteral("48か月"),
                                     QStringLiteral("14か月")});
            expectWholeLines(
                *child<QLabel>(dialog, "lblRevision"),
                {QStringLiteral("令和8年財務省令第29号"), QStringLiteral("令和8年5月22日施行の")},
                2);
            test::saveScreenshot(dialog, names[shot++]);
        }
        find->selectAll();
        commitText(find, QStringLiteral("パソコン"));
        list->setCurrentRow(0);
        test::saveScreenshot(dialog, "life_dialog_pc");

        // The longest heading of the table, chosen in full.
        find->selectAll();
        commitText(find, QStringLiteral("じんかい車 小型車"));
        ASSERT_EQ(list->count(), 1);
        list->setCurrentRow(0);
        const char* longest[] = {"life_dialog_longest_default", "life_dialog_longest_smallest"};
        shot = 0;
        for (const QSize& size : sizes) {
            SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
            showAt(dialog, size);
            expectWholeLines(*entry, {QStringLiteral("（1-282）"), QStringLiteral("二リットル")},
                             3);
            test::saveScreenshot(dialog, longest[shot++]);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "cmdChoose"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    // The card shows the whole of it too.
    auto* note = child<QLabel>(*card, "lblTnenNote");
    ASSERT_TRUE(shown(note->text()).ends_with("（1-282）"));
    for (const QSize& size : cardSizes) {
        showAt(*card, size);
        expectWholeLines(*note, {QStringLiteral("（1-282）")}, 3);
    }
    // A vehicle: the kind's note takes its second line too, and the card
    // still fits the smallest screen.
    EXPECT_LE(card->frameGeometry().height(), card->screen()->availableGeometry().height());
    test::saveScreenshot(*card, "entry_card_longest_heading");
}

// The note a used-asset life leaves on the card breaks between phrases
// too, at the card's default size and its smallest.
TEST_F(LifeDialogWindowTest, TheCardsLifeNoteKeepsNumbersWithTheirUnits) {
    const bool opened = openTable([&](LifeDialog& dialog) {
        for (const auto& [name, text] :
             {std::pair{"txtUsedLife", "10"}, std::pair{"txtElapsedYears", "3"},
              std::pair{"txtElapsedMonths", "6"}}) {
            QTest::keyClicks(child<QLineEdit>(dialog, name), QString::fromLatin1(text));
        }
        QTest::mouseClick(child<QPushButton>(dialog, "cmdUsed"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(str(child<QLineEdit>(*card, "txtTnen")->text()), "7");
    auto* note = child<QLabel>(*card, "lblTnenNote");
    ASSERT_TRUE(shown(note->text()).ends_with("＝ 86.4か月 → 7年"));
    const char* names[] = {"entry_card_used_life_default", "entry_card_used_life_smallest"};
    int shot = 0;
    for (const QSize& size : dialogSizes(*card)) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        showAt(*card, size);
        expectWholeLines(*note, {QStringLiteral("86.4か月"), QStringLiteral("7年"),
                                 QStringLiteral("3年6か月"), QStringLiteral("120か月"),
                                 QStringLiteral("42か月"), QStringLiteral("（簡便法）：")});
        test::saveScreenshot(*card, names[shot++]);
    }
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
    EXPECT_EQ(dialogs.messages()[0].text, law::kMsgLifeTableMissing);
    EXPECT_EQ(str(child<QLineEdit>(*card, "txtTnen")->text()), "");
    EXPECT_TRUE(card->isVisible());
}

}  // namespace
}  // namespace fenmark::ui
