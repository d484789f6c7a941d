// The main window's widgets: what they show after start-up and after the
// commands, and that user actions reach the model.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "platform/qt/grid_model.h"
#include "register/ledger_list.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

class RecordingHelp : public platform::HelpViewer {
  public:
    void showHelp(const std::string& helpFile, int command) override {
        calls.emplace_back(helpFile, command);
    }
    std::vector<std::pair<std::string, int>> calls;
};

// The commands that need a register, disabled until one is shown.
const std::vector<std::string> kRegisterCommands = {
    "cmdCallRec",   "mnuRecData",   "cmdSave",     "mnuSave",  "cmdPrint", "mnuPrint",
    "cmdSort1",     "cmdSort2",     "cmdView1",    "cmdView3", "mnuSort1", "mnuSort2",
    "mnuView1",     "mnuView2",     "mnuOrd",      "cmdOrd",   "cmdRsort", "mnuRsort",
    "mnuCloseYear", "mnuCsvExport", "mnuMunicipal"};
const std::vector<std::string> kStartCommands = {
    "cmdNew",   "mnuNew",   "cmdOpen", "mnuOpen",  "cmdExit",   "mnuExit",
    "Command1", "mnuMhelp", "mnuVer",  "Command2", "mnuhenkou", "mnuCsvImport"};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : window(state, dialogs, help, printDevice, {dir.path(), dir.file("config")}) {
        window.Form_Load();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPushButton* button(const char* name) {
        auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QAction* action(const std::string& name) {
        auto* a = window.findChild<QAction*>(QString::fromStdString(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    // Enabled as the user sees it, button or menu item.
    bool enabled(const std::string& name) {
        if (auto* b = window.findChild<QPushButton*>(QString::fromStdString(name))) {
            return b->isEnabled();
        }
        return action(name)->isEnabled();
    }
    QTableView* grid() { return window.findChild<QTableView*>(QStringLiteral("Fxg1")); }
    QComboBox* combo() { return window.findChild<QComboBox*>(QStringLiteral("Combo1")); }
    bool shown(QWidget* w) { return w->isVisibleTo(&window); }

    std::string writeRegister() {
        reg::AssetRegister assets;
        assets.row(1) =
            test::asset("事務所建物", "0", "58", "4", "0", "12000000", "38", "0.027", "1");
        assets.row(2) = test::asset("パソコン", "1", "19", "4", "4", "240000", "4", "0.625", "4");
        const std::string path = dir.file("台帳.dat");
        reg::writeRegisterFile(path, assets, 2);
        return path;
    }

    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingHelp help;
    platform::RecordingPrintDevice printDevice;
    MainWindow window;
};

TEST_F(MainWindowTest, ShowsTheTitleAndEveryButtonWithItsCaptionAndTooltip) {
    EXPECT_EQ(str(window.windowTitle()), "固定資産台帳   Ver.4.00");
    struct Expected {
        const char* name;
        const char* caption;
        const char* toolTip;
    };
    const Expected expected[] = {
        {"cmdNew", "新規作成", ""},       {"cmdOpen", "開く", ""},
        {"cmdSave", "上書保存", ""},      {"cmdPrint", "印刷", ""},
        {"cmdCallRec", "データ登録", ""}, {"cmdSort1", "", "ソート：種別"},
        {"cmdSort2", "", "ソート：日付"}, {"cmdRsort", "", "Undo-Sort"},
        {"cmdOrd", "順序入れ替え", ""},   {"cmdView1", "償却費詳細", ""},
        {"cmdView3", "決算書資料", ""},   {"Command2", "決算月変更", ""},
        {"Command1", "ヘルプ", ""},       {"cmdExit", "終了", ""},
    };
    for (const Expected& e : expected) {
        QPushButton* b = button(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(str(b->text()), e.caption) << e.name;
        EXPECT_EQ(str(b->toolTip()), e.toolTip) << e.name;
        EXPECT_TRUE(shown(b)) << e.name;
        // The buttons without a caption show a picture instead.
        EXPECT_EQ(b->icon().isNull(), std::string(e.caption) != "") << e.name;
    }
    EXPECT_EQ(window.findChildren<QPushButton*>().size(), std::size(expected));
}

TEST_F(MainWindowTest, BuildsTheMenuBarInOrderWithTheExactCaptions) {
    using Menu = std::pair<const char*, std::vector<std::pair<const char*, const char*>>>;
    const std::vector<Menu> expected = {
        {"ﾌｧｲﾙ  (&F)",
         {{"mnuNew", "新規作成(&N)"},
          {"mnuOpen", "開く(&O)"},
          {"mnuOpenBackup", "以前の版を開く(&B)"},
          {"mnuSave", "名前を付けて保存(&V)"},
          {"mnuCsvImport", "CSV読み込み(&I)"},
          {"mnuCsvExport", "CSV書き出し(&E)"},
          {"mnuPrint", "印刷 (&P)"},
          {"mnuExit", "終了 (&X)"}}},
        {"編集  (&E)　",
         {{"mnuRecData", "データ登録 (&R)"},
          {"mnuSort2", "ｿｰﾄ：種別   (&S)"},
          {"mnuSort1", "ｿｰﾄ：日付   (&D)"},
          {"mnuRsort", "ﾘ・ｿｰﾄ        (&Q)"},
          {"mnuOrd", "順序入れ替え(&O)"},
          {"mnuCloseYear", "年度締め (&Y)"}}},
        {"表示 (&V)",
         {{"mnuView1", "個別償却費　(&T)"},
          {"mnuView2", "決算書資料　(&K)"},
          {"mnuMunicipal", "償却資産申告　(&M)"}}},
        {"環境設定(&K)", {{"mnuhenkou", "決算月変更(&O)"}}},
        {"ﾍﾙﾌﾟ (&H)",
         {{"mnuMhelp", "Fenmarkについて (&H)"}, {"mnuVer", "ﾊﾞｰｼﾞｮﾝ情報          (&A)"}}},
    };
    const QList<QAction*> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        QAction* menuAction = top[static_cast<qsizetype>(m)];
        EXPECT_EQ(str(menuAction->text()), expected[m].first);
        ASSERT_NE(menuAction->menu(), nullptr);
        const QList<QAction*> items = menuAction->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].second.size()));
        for (std::size_t i = 0; i < expected[m].second.size(); ++i) {
            EXPECT_EQ(str(items[static_cast<qsizetype>(i)]->objectName()),
                      expected[m].second[i].first);
            EXPECT_EQ(str(items[static_cast<qsizetype>(i)]->text()), expected[m].second[i].second);
        }
    }
}

TEST_F(MainWindowTest, StartsWithOnlyTheCommandsThatNeedNoRegister) {
    for (const std::string& name : kStartCommands) EXPECT_TRUE(enabled(name)) << name;
    for (const std::string& name : kRegisterCommands) EXPECT_FALSE(enabled(name)) << name;
    ASSERT_NE(grid(), nullptr);
    ASSERT_NE(combo(), nullptr);
    EXPECT_FALSE(shown(grid()));
    EXPECT_FALSE(shown(combo()));
    // No caption without its list.
    EXPECT_FALSE(shown(window.findChild<QLabel*>(QStringLiteral("Label4"))));

    auto label = [&](const char* name) {
        return str(window.findChild<QLabel*>(QString::fromLatin1(name))->text());
    };
    EXPECT_EQ(label("Label1"), "固定資産台帳　一覧");
    EXPECT_EQ(label("Label2"), "設定されている決算月は");
    EXPECT_EQ(label("Label3"), "12月です。");
    EXPECT_EQ(label("Label4"), "計算方法");
    EXPECT_EQ(combo()->count(), 2);
    EXPECT_EQ(str(combo()->itemText(0)), "切上げ");
    EXPECT_EQ(str(combo()->itemText(1)), "切捨て");
    EXPECT_EQ(combo()->currentIndex(), 0);
}

TEST_F(MainWindowTest, StartsCentredOnTheScreenAndNeverBeyondIt) {
    const QRect area = window.screen()->availableGeometry();
    // A window wider than a small screen starts at its left edge, not off it.
    EXPECT_EQ(window.x(), area.left() + std::max((area.width() - window.width()) / 2, 0));
    EXPECT_EQ(window.y(), area.top() + std::max((area.height() - window.height()) / 2, 0));
    EXPECT_LE(window.height(), std::max(area.height(), window.minimumHeight()));
}

TEST_F(MainWindowTest, OpenShowsTheListAndEnablesTheRegisterCommands) {
    dialogs.queueOpen(writeRegister());
    QTest::mouseClick(button("cmdOpen"), Qt::LeftButton);

    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs()[0].filter, "Fenmarkデータファイル(*.dat)|*.dat");
    EXPECT_EQ(dialogs.fileDialogs()[0].initialDir, dir.path());

    ASSERT_TRUE(shown(grid()));
    QAbstractItemModel* list = grid()->model();
    ASSERT_EQ(list->rowCount(), 2);
    ASSERT_EQ(list->columnCount(), reg::kListColumns);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < reg::kListColumns; ++col) {
            EXPECT_EQ(str(list->index(row, col).data().toString()),
                      reg::ledgerCellText(state.assetRegister, row + 1, col))
                << row << "," << col;
        }
    }
    EXPECT_EQ(str(list->index(0, 1).data().toString()), "事務所建物");
    EXPECT_EQ(str(list->index(1, 6).data().toString()), "240,000");
    EXPECT_EQ(str(list->headerData(0, Qt::Horizontal).toString()), "No");
    auto* frozenView = qobject_cast<platform::qt::GridTableView*>(grid());
    ASSERT_NE(frozenView, nullptr);
    EXPECT_EQ(frozenView->frozenColumns(), 2);

    // Undoing a sort waits for a sort.
    for (const std::string& name : kRegisterCommands) {
        const bool undoSort = name == "cmdRsort" || name == "mnuRsort";
        EXPECT_EQ(enabled(name), !undoSort) << name;
    }
    EXPECT_TRUE(shown(combo()));
    EXPECT_TRUE(shown(window.findChild<QLabel*>(QStringLiteral("Label4"))));
}

// Each name shows whole in the list, the note of a sale included; the
// columns after it stay in reach.
TEST_F(MainWindowTest, TheNameColumnFitsTheNamesWithTheirLeavingNotes) {
    reg::AssetRegister assets;
    assets.row(1) = test::asset("机", "1", "19", "4", "4", "240000", "4", "0.625", "4");
    assets.row(2) = test::asset("売却した軽バン", "2", "2", "6", "7", "1200000", "4", "0.500", "4");
    assets.row(2)[reg::disposalMonth - 1] = "2026-06";
    assets.row(2)[reg::disposalKind - 1] = "売却";
    assets.row(2)[reg::salePrice - 1] = "300000";
    const std::string path = dir.file("売却.dat");
    reg::writeRegisterFile(path, assets, 2);
    dialogs.queueOpen(path);
    button("cmdOpen")->click();
    QCoreApplication::processEvents();

    const QString sold = grid()->model()->index(1, 1).data().toString();
    ASSERT_EQ(str(sold), "売却した軽バン（売却 R. 8/6）");
    const QFontMetrics metrics(grid()->font());
    EXPECT_GT(grid()->columnWidth(1), metrics.horizontalAdvance(sold));
    auto* view = qobject_cast<platform::qt::GridTableView*>(grid());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->frozenView()->columnWidth(1), grid()->columnWidth(1));
    EXPECT_LT(grid()->columnWidth(0) + grid()->columnWidth(1), grid()->viewport()->width() / 2);
    test::saveScreenshot(window, "main_window_sold");

    // The user's own width stands while the list does not change.
    grid()->setColumnWidth(1, 500);
    window.sync();
    EXPECT_EQ(grid()->columnWidth(1), 500);
}

TEST_F(MainWindowTest, TheSampleRegisterShowsEveryNameWhole) {
    dialogs.queueOpen(FENMARK_EXAMPLES "/sample.dat");
    button("cmdOpen")->click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(dialogs.messages().empty());
    ASSERT_GT(grid()->model()->rowCount(), 10);
    const QFontMetrics metrics(grid()->font());
    for (int row = 0; row < grid()->model()->rowCount(); ++row) {
        const QString name = grid()->model()->index(row, 1).data().toString();
        EXPECT_GT(grid()->columnWidth(1), metrics.horizontalAdvance(name)) << str(name);
    }
    test::saveScreenshot(window, "main_window_sample");
}

TEST_F(MainWindowTest, PlacesTheListByTheWindowsInnerSize) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    window.resize(1000, 640);
    QCoreApplication::processEvents();
    const QWidget* inner = window.centralWidget();
    EXPECT_EQ(grid()->geometry(), QRect(32, 80, inner->width() - 60, inner->height() - 100));
}

TEST_F(MainWindowTest, FailedOpenTellsTheUserAndChangesNothing) {
    const std::string bad = dir.file("bad.dat");
    test::writeBytes(bad, "\"only\",\"three\",\"fields\"\r\n");
    dialogs.queueOpen(bad);
    action("mnuOpen")->trigger();
    // A cancelled dialog counts as a failure too.
    button("cmdOpen")->click();

    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const platform::Message& m : dialogs.messages()) {
        EXPECT_EQ(m.text, reg::kReadFailedMessage);
        EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    }
    EXPECT_FALSE(shown(grid()));
    EXPECT_FALSE(shown(combo()));
    for (const std::string& name : kStartCommands) EXPECT_TRUE(enabled(name)) << name;
    for (const std::string& name : kRegisterCommands) EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(MainWindowTest, FailedOpenKeepsTheListThatWasShown) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    dialogs.queueOpen(dir.file("missing.dat"));
    button("cmdOpen")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, reg::kReadFailedMessage);
    EXPECT_TRUE(shown(grid()));
    EXPECT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_TRUE(enabled("cmdSave"));
}

TEST_F(MainWindowTest, ChoosingRoundDownSetsText2) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    EXPECT_EQ(window.model().Text2.text, "0");
    combo()->setCurrentIndex(1);
    emit combo()->activated(1);
    EXPECT_EQ(window.model().Text2.text, "1");
    EXPECT_EQ(window.model().roundingMode(), "1");
    EXPECT_EQ(combo()->currentIndex(), 1);
    emit combo()->activated(0);
    EXPECT_EQ(window.model().Text2.text, "0");
}

TEST_F(MainWindowTest, ScheduleWindowTakesThePlaceOfTheMainWindowUntilItCloses) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    combo()->setCurrentIndex(1);
    emit combo()->activated(1);
    button("cmdView1")->click();
    auto* schedule = QApplication::topLevelWidgets().isEmpty() ? nullptr : [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmView1" && w->isVisible()) return w;
        }
        return static_cast<QWidget*>(nullptr);
    }();
    ASSERT_NE(schedule, nullptr);
    EXPECT_FALSE(window.isVisible());
    auto* name = schedule->findChild<QWidget*>(QStringLiteral("txtName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->property("text").toString(), QStringLiteral("事務所建物"));
    test::saveScreenshot(*schedule, "schedule_window");
    auto* back = schedule->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    ASSERT_NE(back, nullptr);
    back->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(MainWindowTest, StatementWindowTakesThePlaceOfTheMainWindowUntilItCloses) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    action("mnuView2")->trigger();
    QWidget* statement = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "frmView2" && w->isVisible()) statement = w;
    }
    ASSERT_NE(statement, nullptr);
    EXPECT_FALSE(window.isVisible());
    statement->close();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, HelpCommandsShowTheProgramsHelpFile) {
    button("Command1")->click();
    action("mnuMhelp")->trigger();
    ASSERT_EQ(help.calls.size(), 2u);
    for (const auto& [file, command] : help.calls) {
        EXPECT_EQ(file, dir.path() + "/Fenmark3.CHM");
        EXPECT_EQ(command, 0);
    }
}

TEST_F(MainWindowTest, VersionInformationOpensTheAboutBoxModally) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(str(modal->objectName()), "frmAbout");
        EXPECT_EQ(modal->parentWidget(), &window);
        opened = true;
        modal->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    action("mnuVer")->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, ExitClosesTheWindowWithoutAsking) {
    dialogs.queueOpen(writeRegister());
    button("cmdOpen")->click();
    button("cmdExit")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(dialogs.messages().empty());

    window.show();
    action("mnuExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

// --- 年度締め ---------------------------------------------------------------

// Answers the year question that the next command shows: checks what it
// offers, types `year` and presses OK (or cancels without a year).
void answerYearQuestion(MainWindow& window, int offered, std::optional<int> year, bool& asked) {
    QTimer::singleShot(0, [&window, offered, year, &asked] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(str(dialog->objectName()), "dlgYear");
        EXPECT_EQ(dialog->parentWidget(), &window);
        EXPECT_EQ(str(dialog->windowTitle()), "年度締め");
        EXPECT_EQ(dialog->intValue(), offered);
        EXPECT_NE(str(dialog->labelText()).find("西暦"), std::string::npos);
        test::saveScreenshot(*dialog, "close_year_question");
        asked = true;
        if (year) {
            dialog->setIntValue(*year);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

TEST_F(MainWindowTest, CloseYearAsksTheYearAndSavesTheCarriedOpenings) {
    const std::string path = writeRegister();
    dialogs.queueOpen(path);
    button("cmdOpen")->click();
    EXPECT_TRUE(enabled("mnuCloseYear"));
    window.model().currentYear = 2027;
    window.model().currentMonth = 2;

    bool asked = false;
    answerYearQuestion(window, 2026, std::nullopt, asked);
    action("mnuCloseYear")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(dialogs.messages().empty());

    asked = false;
    answerYearQuestion(window, 2026, 2025, asked);
    dialogs.queueAnswer(platform::Answer::Yes);
    action("mnuCloseYear")->trigger();
    EXPECT_TRUE(asked);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text.rfind("令和7年分の期末の未償却残高を、", 0), 0u);
    const reg::LoadedRegister saved = reg::readRegisterFile(path);
    EXPECT_EQ(saved.assetRegister.at(1, reg::carriedYear), "2026");
    EXPECT_FALSE(saved.assetRegister.at(1, reg::carriedBookValue).empty());
    EXPECT_EQ(saved.assetRegister, state.assetRegister);
    EXPECT_TRUE(shown(grid()));
    EXPECT_EQ(grid()->model()->rowCount(), 2);
}

// The schedule window of an asset with a carried opening and of one put to
// business use after private use shows their lines under the header; an
// ordinary asset shows none.
TEST_F(MainWindowTest, ScheduleWindowShowsCarriedAndConvertedAssets) {
    reg::AssetRegister assets;
    assets.row(1) = test::asset("パソコン", "1", "20", "1", "4", "1000000", "10", "0.250", "4");
    assets.row(1)[reg::newRuleRates - 1] = "0.3340.04448";
    assets.row(1)[reg::carriedYear - 1] = "2011";
    assets.row(1)[reg::carriedBookValue - 1] = "421877";
    assets.row(2) = test::asset("ミシン", "1", "20", "1", "4", "1000000", "6", "0.167", "3");
    assets.row(2)[reg::businessStart - 1] = "2010-01";
    assets.row(3) = test::asset("机", "1", "20", "1", "4", "300000", "8", "0.125", "3");
    const std::string path = dir.file("引継ぎ.dat");
    reg::writeRegisterFile(path, assets, 3);
    dialogs.queueOpen(path);
    button("cmdOpen")->click();
    button("cmdView1")->click();
    QWidget* schedule = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "frmView1" && w->isVisible()) schedule = w;
    }
    ASSERT_NE(schedule, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(schedule));
    auto line = [&](const char* name) {
        return schedule->findChild<QLabel*>(QString::fromLatin1(name));
    };
    ASSERT_NE(line("lblCarried"), nullptr);
    ASSERT_NE(line("lblCarriedNote"), nullptr);
    ASSERT_NE(line("lblBusinessStart"), nullptr);

    EXPECT_TRUE(line("lblCarried")->isVisible());
    EXPECT_EQ(str(line("lblCarriedNote")->text()),
              "計算上の未償却残高 421,875円、引継ぎとの差 2円");
    EXPECT_FALSE(line("lblBusinessStart")->isVisible());
    test::saveScreenshot(*schedule, "schedule_window_carried");

    auto* next = schedule->findChild<QPushButton*>(QStringLiteral("cmdFF"));
    ASSERT_NE(next, nullptr);
    next->click();
    QApplication::processEvents();
    EXPECT_FALSE(line("lblCarried")->isVisible());
    EXPECT_TRUE(line("lblBusinessStart")->isVisible());
    EXPECT_EQ(str(line("lblBusinessStart")->text()),
              "業務開始 平成22年1月：1,000,000 × 0.9 × 0.111 × 2年 ＝ 199,800円、"
              "開始時の未償却残高 800,200円");
    test::saveScreenshot(*schedule, "schedule_window_converted");

    next->click();
    QApplication::processEvents();
    for (const char* name : {"lblCarried", "lblCarriedNote", "lblBusinessStart"}) {
        EXPECT_FALSE(line(name)->isVisible()) << name;
    }
    test::saveScreenshot(*schedule, "schedule_window_plain");
    EXPECT_TRUE(dialogs.messages().empty());
    schedule->close();
    QApplication::processEvents();
}

}  // namespace
}  // namespace fenmark::ui
