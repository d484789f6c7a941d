// The window 「償却資産申告」 on screen: opened from the main window's menu,
// what its tables show, the year and rate boxes, closing, and its worksheets
// painted through Qt.

#include "ui/municipal_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "platform/qt/grid_model.h"
#include "platform/qt/qt_printer.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"
#include "ui/main_window.h"
#include "yearend/municipal_print.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

class RecordingHelp : public platform::HelpViewer {
  public:
    void showHelp(const std::string&, int) override {}
};

class ClosingHost : public yearend::MunicipalWindowHost {
  public:
    void showMain() override { ++shown; }
    void unloadMunicipal() override { window->close(); }
    QWidget* window = nullptr;
    int shown = 0;
};

// A shop's register of 25 assets: machines and fixtures over several years,
// two bought last year, one sold last year, a building, a small asset
// without its life.
reg::AssetRegister shopRegister(int& count) {
    reg::AssetRegister assets;
    const char* names[] = {"旋盤",
                           "フライス盤",
                           "ボール盤",
                           "コンプレッサー",
                           "溶接機",
                           "帯のこ盤",
                           "研削盤",
                           "作業台",
                           "工具棚",
                           "応接セット",
                           "複合機",
                           "パソコン",
                           "測定器一式",
                           "金型",
                           "冷蔵庫",
                           "エアコン",
                           "看板",
                           "駐車場舗装",
                           "フォークリフト用充電器",
                           "棚",
                           "台車"};
    count = 0;
    for (int i = 0; i < 21; ++i) {
        const std::string type = i < 7 ? "2" : (i >= 16 && i <= 17 ? "8" : "4");
        const std::string year = std::to_string(1 + i % 7);
        assets.row(++count) = test::asset(names[i], "2", year, std::to_string(1 + i % 12), type,
                                          std::to_string(180000 + 37000 * i), "8", "0.125", "5");
    }
    assets.row(++count) =
        test::asset("レーザー加工機", "2", "8", "3", "2", "4800000", "10", "0.100", "5");
    assets.row(++count) =
        test::asset("中古の梱包機", "2", "8", "9", "3", "650000", "5", "0.200", "5");
    assets.at(count, reg::boughtUsed) = "1";
    assets.row(++count) =
        test::asset("古い旋盤", "1", "28", "4", "2", "900000", "10", "0.100", "5");
    assets.at(count, reg::disposalMonth) = "2026-10";
    assets.at(count, reg::disposalKind) = "除却";
    assets.row(++count) = test::asset("倉庫", "2", "2", "4", "0", "8000000", "24", "0.042", "5");
    assets.row(++count) =
        test::asset("タブレット", "2", "8", "6", "4", "280000", "1", "1.000", "6");
    return assets;
}

class MunicipalWindowTest : public ::testing::Test {
  protected:
    MunicipalWindowTest() {
        int count = 0;
        state.assetRegister = shopRegister(count);
        state.recordCount = static_cast<std::int16_t>(count);
        state.chosenFilePath = "/home/user/工場台帳.dat";
        window = std::make_unique<MunicipalWindow>(
            state, dialogs, yearend::MunicipalClock{2026, 11}, &host, &device);
        host.window = window.get();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T>
    T* child(const char* name) {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAbstractItemModel* table(const char* name) {
        return child<platform::qt::GridTableView>(name)->model();
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPrintDevice device;
    ClosingHost host;
    std::unique_ptr<MunicipalWindow> window;
};

TEST_F(MunicipalWindowTest, OpensWithTheComingYearShown) {
    EXPECT_EQ(str(window->windowTitle()), "償却資産申告");
    EXPECT_EQ(str(child<QLineEdit>("txtYear")->text()), "2027");
    EXPECT_EQ(str(child<QLabel>("lblDate")->text()), "令和9年1月1日現在");
    EXPECT_EQ(str(child<QLineEdit>("txtRate")->text()), "1.4");
    QAbstractItemModel* assets = table("Fxg");
    // 24 declared (the building apart; the small asset with its warning)
    // and the one scrapped last year.
    ASSERT_EQ(assets->rowCount(), 25);
    EXPECT_EQ(str(assets->headerData(yearend::mcRate, Qt::Horizontal).toString()), "減価残存率");
    const int last = assets->rowCount() - 1;
    EXPECT_EQ(str(assets->index(last, yearend::mcName).data().toString()), "古い旋盤");
    EXPECT_EQ(str(assets->index(last, yearend::mcReason).data().toString()), "減少");
    EXPECT_EQ(assets->index(last, yearend::mcName).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(QRgb(yearend::kMunicipalRemovedColor)));
    EXPECT_TRUE(child<QLabel>("lblWarnings")->isVisible());
    EXPECT_NE(str(child<QLabel>("lblWarnings")->text()).find("タブレット"), std::string::npos);
    EXPECT_EQ(child<QLabel>("lblExemption")->isVisible(), window->model().shown->belowExemption);
    auto* tabs = child<QTabWidget>("tabs");
    EXPECT_EQ(str(tabs->tabText(0)), "種類別明細書（全資産用） 25件");
    EXPECT_EQ(str(tabs->tabText(1)), "申告しない資産 1件");
    EXPECT_EQ(table("FxgExcluded")->rowCount(), 1);
    // The 申告書's table shows whole.
    auto* kinds = child<platform::qt::GridTableView>("FxgKinds");
    ASSERT_EQ(kinds->model()->rowCount(), 7);
    EXPECT_EQ(str(kinds->model()->index(6, yearend::kcKind).data().toString()), "合計");
    EXPECT_GE(kinds->viewport()->height(), kinds->rowViewportPosition(6) + kinds->rowHeight(6));
    EXPECT_TRUE(window->frameGeometry().width() <= window->screen()->availableGeometry().width());
    test::saveScreenshot(*window, "municipal_window");
}

TEST_F(MunicipalWindowTest, AnotherYearTypedAndShown) {
    auto* year = child<QLineEdit>("txtYear");
    year->setFocus();
    QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(year, QStringLiteral("2026"));
    EXPECT_EQ(str(child<QLabel>("lblDate")->text()), "令和8年1月1日現在");
    // Nothing changes before "表示".
    EXPECT_EQ(window->model().shown->year, 2027);
    QTest::mouseClick(child<QPushButton>("cmdShow"), Qt::LeftButton);
    EXPECT_EQ(window->model().shown->year, 2026);
    // Last year's purchases are not yet held on 1 January 2026; the old
    // lathe still is.
    EXPECT_EQ(table("Fxg")->rowCount(), 22);
    EXPECT_EQ(table("FxgExcluded")->rowCount(), 4);
    EXPECT_FALSE(child<QLabel>("lblWarnings")->isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(MunicipalWindowTest, ARateTypedWithEnterAndABadOne) {
    auto* rate = child<QLineEdit>("txtRate");
    rate->setFocus();
    QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(rate, QStringLiteral("1.6"));
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(window->model().shown->rate, "1.6");
    EXPECT_NE(str(child<QLabel>("lblTax")->text()).find("税率1.6%"), std::string::npos);

    QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(rate, QStringLiteral("abc"));
    QTest::keyClick(rate, Qt::Key_Return);
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_EQ(dialogs.messages()[0].text, yearend::kMunicipalBadRateMessage);
    EXPECT_NE(str(child<QLabel>("lblTax")->text()).find("税率1.6%"), std::string::npos);
    EXPECT_EQ(table("Fxg")->rowCount(), 25);
}

TEST_F(MunicipalWindowTest, CloseShowsTheOpener) {
    QTest::mouseClick(child<QPushButton>("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(host.shown, 1);
}

// The worksheets through Qt's own printer: the same number of sheets as
// the recording printer counts, and a PDF to look at when asked for.
TEST_F(MunicipalWindowTest, WorksheetsPaintedThroughQt) {
    const yearend::MunicipalReturn& r = *window->model().shown;
    test::TempDir dir;
    const QString dump = qEnvironmentVariable("FENMARK_SCREENSHOT_DIR");
    const QString pdf = dump.isEmpty() ? QString::fromStdString(dir.file("municipal.pdf"))
                                       : dump + QStringLiteral("/municipal_worksheets.pdf");
    QPdfWriter writer(pdf);
    platform::qt::preparePdfWriter(writer);
    platform::qt::QtPrinter printer(writer);
    printer.setOrientation(platform::Orientation::Landscape);
    printer.setPaperA4();
    yearend::composeMunicipal(printer, r, state.assetRegister, state.chosenFilePath);
    platform::RecordingPrinter recorded;
    yearend::printMunicipal(recorded, r, state.assetRegister, state.chosenFilePath);
    // The layout's heights do not depend on the fonts: the same sheets.
    EXPECT_EQ(printer.page(), recorded.pageCount());
    EXPECT_EQ(recorded.pageCount(), 2);
    EXPECT_NEAR(printer.pageWidth(), recorded.pageWidth(), 2);
    printer.endDoc();
}

TEST(MunicipalWindowEmpty, NoRegisterIsSaidAndNothingBreaks) {
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    ClosingHost host;
    MunicipalWindow window(state, dialogs, yearend::MunicipalClock{2026, 11}, &host);
    host.window = &window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(str(window.findChild<QLabel*>(QStringLiteral("lblHeading"))->text()),
              yearend::kMunicipalNoAssetsMessage);
    EXPECT_EQ(
        window.findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg"))->model()->rowCount(),
        0);
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->isEnabled());
    EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("lblTax"))->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("lblWarnings"))->isVisible());
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("FxgKinds"))->isVisible());
    // The headings show whole even without a row.
    auto* grid = window.findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg"));
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    EXPECT_GE(
        grid->columnWidth(yearend::mcKind),
        metrics.horizontalAdvance(QString::fromUtf8(yearend::municipalHeading(yearend::mcKind))));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdShow")), Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages().empty());
    test::saveScreenshot(window, "municipal_window_empty");
}

// The main window's 表示 menu opens the window in its place.
TEST(MunicipalWindowFromMenu, TheViewMenuOpensItInThePlaceOfTheMainWindow) {
    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingHelp help;
    platform::RecordingPrintDevice device;
    MainWindow main(state, dialogs, help, device, {dir.path(), dir.file("config")});
    main.Form_Load();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* menuItem = main.findChild<QAction*>(QStringLiteral("mnuMunicipal"));
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(str(menuItem->text()), "償却資産申告　(&M)");
    EXPECT_FALSE(menuItem->isEnabled());

    int count = 0;
    const reg::AssetRegister assets = shopRegister(count);
    const std::string path = dir.file("台帳.dat");
    reg::writeRegisterFile(path, assets, count);
    dialogs.queueOpen(path);
    main.findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    ASSERT_TRUE(menuItem->isEnabled());
    menuItem->trigger();
    QWidget* opened = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "frmMunicipal" && w->isVisible()) opened = w;
    }
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(main.isVisible());
    auto* grid = opened->findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg"));
    ASSERT_NE(grid, nullptr);
    EXPECT_GT(grid->model()->rowCount(), 20);
    opened->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(main.isVisible());
}

}  // namespace
}  // namespace fenmark::ui
