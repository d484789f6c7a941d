// The entry card's widgets: what they show, that the keyboard walks the page
// and that user actions reach the model; and one asset typed from a new
// register to the main window's list and the file.

#include "ui/entry_card_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "platform/printer.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"
#include "ui/line_breaks.h"
#include "ui/main_window.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

struct RecordingHost : card::EntryCardHost {
    void ReLoad() override { calls.emplace_back("ReLoad"); }
    void ReLoad2() override { calls.emplace_back("ReLoad2"); }
    void registerSaved() override { calls.emplace_back("registerSaved"); }
    void showMain() override { calls.emplace_back("showMain"); }
    std::vector<std::string> calls;
};

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

template <typename W>
W* find(QWidget& window, const char* name) {
    auto* w = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void typeText(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
// Japanese arrives through the input method: a composition, then its commit.
void commitText(const QString& text) {
    QInputMethodEvent composing(text, {});
    QApplication::sendEvent(QApplication::focusWidget(), &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
}
void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
std::string focused() {
    QWidget* w = QApplication::focusWidget();
    return w == nullptr ? std::string() : str(w->objectName());
}

class EntryCardWindowTest : public ::testing::Test {
  protected:
    EntryCardWindowTest() {
        auto owned = std::make_unique<RecordingHost>();
        host = owned.get();
        card = std::make_unique<EntryCardWindow>(state, dialogs, std::move(owned));
        card->Form_Load();
        card->show();
        card->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(card.get()));
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingHost* host = nullptr;
    std::unique_ptr<EntryCardWindow> card;
};

TEST_F(EntryCardWindowTest, ShowsEveryControlUnderItsNameWithItsCaption) {
    EXPECT_EQ(str(card->windowTitle()), "データ登録　　");
    struct Button {
        const char* name;
        const char* caption;
        const char* toolTip;
    };
    const Button buttons[] = {
        {"cmdRec", "登録", ""},          {"cmdCancel", "削除", ""},
        {"cmdRR", "≪", "最初のページ"},  {"cmdRew", "＜", "前のページ"},
        {"cmdFor", "＞", "次のページ"},  {"cmdFF", "≫", "最後のページ"},
        {"Command1", "┃", "新規ページ"}, {"Command2", "戻る", ""},
        {"cmdConv", "コンバート", ""},
    };
    for (const Button& b : buttons) {
        QPushButton* button = find<QPushButton>(*card, b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(str(button->text()), b.caption);
        EXPECT_EQ(str(button->toolTip()), b.toolTip);
    }
    EXPECT_FALSE(find<QPushButton>(*card, "cmdConv")->isVisible());
    EXPECT_EQ(str(find<QGroupBox>(*card, "fraMeth")->title()), "減価償却方法");
    EXPECT_EQ(str(find<QRadioButton>(*card, "optGaku")->text()), "定額法");
    EXPECT_EQ(str(find<QRadioButton>(*card, "optRitu")->text()), "定率法");
    EXPECT_EQ(str(find<QRadioButton>(*card, "optToku")->text()), "3年均等償却資産");
    EXPECT_EQ(str(find<QLabel>(*card, "lblNum")->text()), "1/新規");
    EXPECT_EQ(str(find<QLabel>(*card, "lblCapZanwari")->text()), "残存割合：　　　　　％");
    EXPECT_EQ(str(find<QLabel>(*card, "lblCapSuuUnit")->text()), "（台／機）");
    EXPECT_EQ(find<QComboBox>(*card, "cboBunrui")->count(), 11);
    EXPECT_EQ(str(find<QComboBox>(*card, "cboBunrui")->itemText(9)), "繰延資産");
    EXPECT_EQ(find<QComboBox>(*card, "cboBunrui")->currentIndex(), -1);
    EXPECT_EQ(str(find<QComboBox>(*card, "cboReki")->currentText()), "令和");
    EXPECT_EQ(find<QComboBox>(*card, "Combo1")->count(), 12);
    EXPECT_EQ(str(find<QLineEdit>(*card, "txtSuu")->text()), "1");
    EXPECT_EQ(str(find<QLineEdit>(*card, "txtWari")->text()), "100");
    for (const char* hidden : {"txtMonth", "txtDay", "Text1", "Text2", "Text3", "Text5", "Text6",
                               "txtTnen2", "txtZanwari", "txtGendo"}) {
        EXPECT_FALSE(find<QLineEdit>(*card, hidden)->isVisible()) << hidden;
    }
    EXPECT_EQ(focused(), "txtName");
}

TEST_F(EntryCardWindowTest, EnterWalksThePageAndTheFieldsReachTheModel) {
    commitText(QString::fromUtf8("複合機"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), "cboBunrui");
    for (int i = 0; i < 5; ++i) press(Qt::Key_Down);  // 備　品
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), "cboReki");
    press(Qt::Key_Up);  // 平成, from the new card's 令和
    press(Qt::Key_Return);
    typeText(QStringLiteral("19"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), "Combo1");
    EXPECT_EQ(card->model().lblYmd.caption, "2007");  // leaving the year
    for (int i = 0; i < 4; ++i) press(Qt::Key_Down);  // April
    press(Qt::Key_Return);
    EXPECT_EQ(str(find<QLabel>(*card, "Label14")->text()), "0704-4");  // leaving the month
    EXPECT_EQ(focused(), "txtSuu");
    press(Qt::Key_Return);
    typeText(QStringLiteral("1,200.000"));  // the price box drops the separators
    EXPECT_EQ(str(find<QLineEdit>(*card, "txtPrice")->text()), "1200000");
    EXPECT_EQ(str(find<QLabel>(*card, "Label24")->text()), "1,200,000");
    press(Qt::Key_Return);
    typeText(QStringLiteral("5"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), "txtWari");
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), "optGaku");
    press(Qt::Key_Space);
    EXPECT_TRUE(find<QRadioButton>(*card, "optGaku")->isChecked());
    EXPECT_EQ(str(find<QLabel>(*card, "lblRate")->text()), "0.200");
    EXPECT_EQ(str(find<QLabel>(*card, "Label14")->text()), "2007-04-4");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(card->model().cardChanged);

    // Enter on a button presses it.
    // Past the other methods, the business start, the carried opening (its
    // 改定取得価額 is off for straight line), the leaving section (its price
    // box is off) and the municipal return's kind.
    for (int i = 0; i < 16; ++i) press(Qt::Key_Tab);
    ASSERT_EQ(focused(), "cmdRec");
    press(Qt::Key_Return);
    EXPECT_EQ(state.recordCount, 1);
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "複合機");
    EXPECT_EQ(state.assetRegister.at(1, reg::acquisitionCost), "1200000");
    EXPECT_EQ(str(find<QLabel>(*card, "lblNum")->text()), "1/1");
}

// The money boxes take digits from the keyboard and from the clipboard
// alike; the sale price nothing else.
TEST_F(EntryCardWindowTest, TheMoneyBoxesRefuseSeparatorsTypedOrPasted) {
    card->model().select("cboJyo", 2);
    card->sync();
    auto* sale = find<QLineEdit>(*card, "txtJyoPrice");
    ASSERT_TRUE(sale->isEnabled());
    sale->setFocus(Qt::MouseFocusReason);
    typeText(QStringLiteral("300,000.-5"));
    // A full-width character typed with the input method off.
    QKeyEvent yen(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("円"));
    QApplication::sendEvent(sale, &yen);
    EXPECT_EQ(str(sale->text()), "3000005");
    EXPECT_EQ(card->model().txtJyoPrice.text, "3000005");

    const auto paste = [&](QLineEdit* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        ASSERT_EQ(QApplication::clipboard()->text(), text);
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        box->paste();
    };
    for (const char* refused : {"1,500", "1500.0", "¥1500", "１５００"}) {
        paste(sale, QString::fromUtf8(refused));
        EXPECT_EQ(str(sale->text()), "3000005") << refused;
        EXPECT_EQ(card->model().txtJyoPrice.text, "3000005") << refused;
    }
    paste(sale, QStringLiteral("1500"));
    EXPECT_EQ(str(sale->text()), "1500");
    EXPECT_EQ(card->model().txtJyoPrice.text, "1500");

    auto* price = find<QLineEdit>(*card, "txtPrice");
    paste(price, QStringLiteral("1,200,000"));
    EXPECT_EQ(str(price->text()), "");
    paste(price, QStringLiteral("1200000"));
    EXPECT_EQ(str(price->text()), "1200000");
    EXPECT_EQ(str(find<QLabel>(*card, "Label24")->text()), "1,200,000");
}

TEST_F(EntryCardWindowTest, AFailedCheckSaysSoAndPutsTheFocusOnTheField) {
    QTest::mouseClick(find<QPushButton>(*card, "cmdRec"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, card::kMsgNoName);
    EXPECT_EQ(focused(), "txtName");

    // Opening the type list undoes a chosen method on screen too.
    auto& m = card->model();
    m.setText("txtName", "机");
    m.select("cboBunrui", 4);
    m.select("cboReki", 1);
    m.setText("txtYear", "19");
    m.txtYear_LostFocus();
    m.select("Combo1", 3);
    m.setText("txtPrice", "80000");
    m.setText("txtTnen", "8");
    QTest::mouseClick(find<QRadioButton>(*card, "optRitu"), Qt::LeftButton);
    ASSERT_TRUE(find<QRadioButton>(*card, "optRitu")->isChecked());
    find<QComboBox>(*card, "cboBunrui")->showPopup();
    EXPECT_FALSE(find<QRadioButton>(*card, "optRitu")->isChecked());
    EXPECT_EQ(str(find<QLabel>(*card, "lblRate")->text()), "");
    find<QComboBox>(*card, "cboBunrui")->hidePopup();
}

// Every control the card shows lies inside it and on no other.
void expectNothingOverlaps(QWidget& window) {
    std::vector<QWidget*> shown;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const bool leaf = qobject_cast<QLineEdit*>(child) != nullptr ||
                          qobject_cast<QComboBox*>(child) != nullptr ||
                          qobject_cast<QLabel*>(child) != nullptr ||
                          qobject_cast<QAbstractButton*>(child) != nullptr;
        if (leaf && child->isVisibleTo(&window) && !child->isWindow()) shown.push_back(child);
    }
    std::vector<QRect> places;
    for (QWidget* w : shown) places.emplace_back(w->mapTo(&window, QPoint(0, 0)), w->size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(window.rect().contains(places[i])) << str(shown[i]->objectName());
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(places[i].intersects(places[j]))
                << str(shown[i]->objectName()) << " lies on " << str(shown[j]->objectName());
        }
    }
}

// The business start, the carried opening and 自家転用 typed on screen,
// with the figures the card computes shown under them.
TEST_F(EntryCardWindowTest, TheSectionsForTheAssetsPastAreTypedAndRegistered) {
    auto& m = card->model();
    m.currentYear = 2026;
    m.currentMonth = 6;
    m.setText("txtName", "複合機");
    m.select("cboBunrui", 4);
    m.setText("txtYear", "2");  // 令和
    m.txtYear_LostFocus();
    m.select("Combo1", 0);
    m.setText("txtPrice", "1000000");
    m.setText("txtTnen", "10");
    card->sync();
    QTest::mouseClick(find<QRadioButton>(*card, "optRitu"), Qt::LeftButton);
    const auto choose = [](QComboBox* list, int downs) {
        list->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < downs; ++i) press(Qt::Key_Down);
    };
    choose(find<QComboBox>(*card, "cboGyoReki"), 3);  // 令和
    press(Qt::Key_Tab);
    typeText(QStringLiteral("3"));
    press(Qt::Key_Tab);
    choose(find<QComboBox>(*card, "cboGyoMonth"), 1);  // January
    EXPECT_EQ(str(withoutJoiners(find<QLabel>(*card, "lblGyoNote")->text())),
              "業務に使うまでの減価の額：1,000,000 × 0.9 × 0.066 × 1年 ＝ 59,400円\n"
              "業務開始時の未償却残高 940,600円");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "cboKuriReki");
    choose(find<QComboBox>(*card, "cboKuriReki"), 3);
    press(Qt::Key_Tab);
    typeText(QStringLiteral("8"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("400,002"));  // the separator is dropped
    press(Qt::Key_Tab);
    typeText(QStringLiteral("500000"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "chkKuriCalc");
    press(Qt::Key_Space);
    EXPECT_TRUE(find<QCheckBox>(*card, "chkKuriCalc")->isChecked());
    EXPECT_TRUE(str(withoutJoiners(find<QLabel>(*card, "lblKuriNote")->text()))
                    .starts_with("計算上の未償却残高 "));
    choose(find<QComboBox>(*card, "cboJyo"), 3);  // 自家転用
    EXPECT_FALSE(find<QLineEdit>(*card, "txtJyoPrice")->isEnabled());
    choose(find<QComboBox>(*card, "cboJyoReki"), 3);
    press(Qt::Key_Tab);
    typeText(QStringLiteral("8"));
    choose(find<QComboBox>(*card, "cboJyoMonth"), 3);

    // The card still fits the smallest screen, with nothing on anything.
    EXPECT_TRUE(card->screen()->availableGeometry().contains(card->frameGeometry()));
    expectNothingOverlaps(*card);
    test::saveScreenshot(*card, "entry_card_carried");
    QTest::mouseClick(find<QPushButton>(*card, "cmdRec"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages().empty()) << dialogs.messages()[0].text;
    const reg::Row& row = state.assetRegister.row(1);
    const std::pair<reg::Column, const char*> stored[] = {
        {reg::businessStart, "2021-01"},   {reg::carriedYear, "2026"},
        {reg::carriedBookValue, "400002"}, {reg::carriedRevisedBase, "500000"},
        {reg::carriedChoice, "計算"},      {reg::disposalMonth, "2026-03"},
        {reg::disposalKind, "自家転用"},   {reg::salePrice, ""}};
    for (const auto& [column, text] : stored) EXPECT_EQ(row[column - 1], text) << column;
}

// The kind for the January return follows the type until the user picks
// another in the list; 中古 is ticked on screen; both reach the record.
TEST_F(EntryCardWindowTest, TheMunicipalKindAndUsedAreChosenOnScreen) {
    auto& m = card->model();
    m.currentYear = 2026;
    m.currentMonth = 12;
    auto* kinds = find<QComboBox>(*card, "cboShisan");
    auto* note = find<QLabel>(*card, "lblShisanNote");
    auto* used = find<QCheckBox>(*card, "chkChuko");
    EXPECT_EQ(str(find<QLabel>(*card, "lblCapShisan")->text()), "償却資産の種類：");
    EXPECT_EQ(str(used->text()), "中古");
    ASSERT_EQ(kinds->count(), 7);
    EXPECT_EQ(str(kinds->itemText(5)), "6 工具・器具及び備品");
    EXPECT_EQ(str(kinds->itemText(6)), "対象外");
    EXPECT_EQ(kinds->currentIndex(), -1);

    m.setText("txtName", "軽トラック");
    m.select("cboBunrui", 7);
    m.setText("txtYear", "8");
    m.txtYear_LostFocus();
    m.select("Combo1", 5);
    m.setText("txtPrice", "900000");
    m.setText("txtTnen", "4");
    card->sync();
    QTest::mouseClick(find<QRadioButton>(*card, "optGaku"), Qt::LeftButton);
    EXPECT_EQ(str(kinds->currentText()), "対象外");
    EXPECT_EQ(str(withoutJoiners(note->text())), std::string(card::kMunicipalProposedNote) +
                                                     "　対象外：自動車税・軽自動車税の車両\n" +
                                                     card::kMunicipalVehicleHint);
    // The longest note wraps inside the card, on nothing else.
    EXPECT_TRUE(card->screen()->availableGeometry().contains(card->frameGeometry()));
    expectNothingOverlaps(*card);
    test::saveScreenshot(*card, "entry_card_municipal_vehicle");

    kinds->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(str(kinds->currentText()), "5 車両及び運搬具");
    EXPECT_EQ(m.municipalKindText(), "5");
    EXPECT_EQ(str(note->text()), "");
    // 中古 stands by the table of useful lives: Tab reaches it from there.
    find<QPushButton>(*card, "cmdLife")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "chkChuko");
    press(Qt::Key_Space);
    EXPECT_TRUE(used->isChecked());
    EXPECT_TRUE(m.chkChuko.value);
    expectNothingOverlaps(*card);
    test::saveScreenshot(*card, "entry_card_municipal_chosen");

    QTest::mouseClick(find<QPushButton>(*card, "cmdRec"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages().empty()) << dialogs.messages()[0].text;
    EXPECT_EQ(state.assetRegister.at(1, reg::municipalKind), "5");
    EXPECT_EQ(state.assetRegister.at(1, reg::boughtUsed), "1");

    // A new page shows neither until its type is known.
    QTest::mouseClick(find<QPushButton>(*card, "Command1"), Qt::LeftButton);
    EXPECT_EQ(kinds->currentIndex(), -1);
    EXPECT_FALSE(used->isChecked());
    EXPECT_EQ(str(note->text()), "");
}

TEST_F(EntryCardWindowTest, TheCloseBoxRunsTheClosingQuestions) {
    card->model().setText("txtName", "書きかけ");
    card->close();  // Yes to the changes, but no method chosen
    EXPECT_TRUE(card->isVisible());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, card::kMsgNoMethod);
    EXPECT_TRUE(host->calls.empty());

    dialogs.queueAnswer(platform::Answer::No);
    card->close();
    EXPECT_FALSE(card->isVisible());
    EXPECT_EQ(host->calls, (std::vector<std::string>{"ReLoad", "showMain"}));
}

// New register, one asset typed, registered, the card closed and the
// register saved: the main window lists it and the file holds it.
TEST(EntryCardEndToEnd, NewAssetReachesTheListAndTheFile) {
    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NoHelp help;
    platform::RecordingPrintDevice printDevice;
    MainWindow main(state, dialogs, help, printDevice, {dir.path(), dir.file("config")});
    main.Form_Load();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    // New: the card takes the place of the main window.
    // Cards of earlier tests may linger until their deferred deletion; only
    // the one New opens counts.
    const QWidgetList before = QApplication::topLevelWidgets();
    main.findChild<QPushButton*>(QStringLiteral("cmdNew"))->click();
    QPointer<EntryCardWindow> card;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (before.contains(w)) continue;
        if (auto* c = dynamic_cast<EntryCardWindow*>(w); c != nullptr && c->isVisible()) card = c;
    }
    ASSERT_FALSE(card.isNull());
    EXPECT_FALSE(main.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(card.data()));

    commitText(QString::fromUtf8("応接セット"));
    press(Qt::Key_Return);
    for (int i = 0; i < 5; ++i) press(Qt::Key_Down);
    press(Qt::Key_Return);
    press(Qt::Key_Up);  // 平成
    press(Qt::Key_Return);
    typeText(QStringLiteral("20"));
    press(Qt::Key_Return);
    for (int i = 0; i < 7; ++i) press(Qt::Key_Down);  // July
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    typeText(QStringLiteral("450000"));
    press(Qt::Key_Return);
    typeText(QStringLiteral("8"));
    QTest::mouseClick(find<QRadioButton>(*card, "optRitu"), Qt::LeftButton);
    test::saveScreenshot(*card, "entry_card");
    QTest::mouseClick(find<QPushButton>(*card, "cmdRec"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages().empty()) << dialogs.messages()[0].text;
    ASSERT_EQ(state.recordCount, 1);

    const std::string path = dir.file("備品台帳.dat");
    dialogs.queueSave(path);
    QTest::mouseClick(find<QPushButton>(*card, "Command2"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, card::kMsgSaveAsFile);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(card.isNull());
    EXPECT_TRUE(main.isVisible());

    const auto file = reg::readRegisterFile(path);
    ASSERT_EQ(file.recordCount, 1);
    const reg::Row expected =
        test::makeRow({"応接セット", "2008-07-4", "1", "20", "7", "", "4", "2008", "450000", "8",
                       "0.313", "4", "1", "100", "", "", "10", "95", "0.3340.05111"});
    EXPECT_EQ(file.assetRegister.row(1), expected);
    EXPECT_EQ(state.currentFilePath, path);

    auto* list = main.findChild<QTableView*>(QStringLiteral("Fxg1"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisibleTo(&main));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(str(list->model()->index(0, 1).data().toString()), "応接セット");
    EXPECT_TRUE(main.findChild<QPushButton*>(QStringLiteral("cmdCallRec"))->isEnabled());
    EXPECT_FALSE(main.findChild<QPushButton*>(QStringLiteral("cmdOrd"))->isEnabled());
    // The schedules the saved register now offers ask for the rounding: its
    // list shows with its caption.
    auto* rounding = main.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* caption = main.findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_NE(rounding, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(rounding->isVisibleTo(&main));
    EXPECT_TRUE(caption->isVisibleTo(&main));
    EXPECT_EQ(caption->buddy(), rounding);
    test::saveScreenshot(main, "main_window_after_first_save");
}

}  // namespace
}  // namespace fenmark::ui
