// The statement window's widgets: typing a year, Enter, "表示", what the
// grid and the legends then show, the resizing rule and closing.

#include "ui/statement_window.h"

#include <gtest/gtest.h>

#include <QBrush>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "platform/qt/grid_model.h"
#include "screenshot.h"
#include "test_support.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

class ClosingHost : public yearend::StatementWindowHost {
  public:
    void showMain() override { ++shown; }
    void unloadStatement() override { window->close(); }
    QWidget* window = nullptr;
    int shown = 0;
};

class StatementWindowTest : public ::testing::Test {
  protected:
    StatementWindowTest() {
        state.assetRegister.row(1) =
            test::asset("加工機", "1", "19", "4", "2", "1000000", "10", "0.100", "3");
        state.assetRegister.row(2) =
            test::asset("検査装置", "1", "22", "4", "3", "300000", "10", "0.100", "3");
        state.recordCount = 2;
        window = std::make_unique<StatementWindow>(state, dialogs,
                                                   yearend::StatementSettings{"0", 2024, 6}, &host);
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
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(window.get()); }
    // Chooses the era in its list and types the year over the one offered.
    static void typeYear(QWidget& opened, const char* era, const char* year) {
        auto* eras = opened.findChild<QComboBox*>(QStringLiteral("cboEra"));
        ASSERT_NE(eras, nullptr);
        const int index = eras->findText(QString::fromUtf8(era));
        ASSERT_GE(index, 0);
        eras->setCurrentIndex(index);
        emit eras->activated(index);
        auto* box = opened.findChild<QLineEdit*>(QStringLiteral("txtGetYe"));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QString::fromLatin1(year));
    }
    void typeYear(const char* era, const char* year) { typeYear(*window, era, year); }
    // A picture of the window for whoever looks at it, when asked for.
    void grab(const char* file) {
        if (const QByteArray dir = qgetenv("FENMARK_UI_GRAB_DIR"); !dir.isEmpty()) {
            window->grab().save(QString::fromLocal8Bit(dir) + "/" + file);
        }
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    ClosingHost host;
    std::unique_ptr<StatementWindow> window;
};

TEST_F(StatementWindowTest, TypingEnterAndShowGiveTheStatement) {
    EXPECT_EQ(str(window->windowTitle()), "決算書資料");
    EXPECT_EQ(str(child<QLabel>("lblComent")->text()), "閲覧する年分を入力して下さい。");
    EXPECT_EQ(str(child<QLabel>("Label1")->text()), "令和 6年分");
    EXPECT_EQ(child<QLabel>("lblComent")->palette().color(QPalette::WindowText),
              QColor(0xC0, 0, 0));
    auto* year = child<QLineEdit>("txtGetYe");
    auto* ok = child<QPushButton>("cmdOk");
    // The year being filed is offered: 令和6 in June 2024.
    EXPECT_EQ(str(child<QComboBox>("cboEra")->currentText()), "令和");
    EXPECT_EQ(str(year->text()), "6");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(shown("Fxg3"));
    EXPECT_FALSE(shown("Picture2"));

    typeYear("平成", "19");
    grab("statement_window_open.png");
    EXPECT_EQ(window->model().txtGetYe.text, "19");
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_EQ(year->text(), "19");
    EXPECT_EQ(window->focusWidget(), ok);

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(shown("Fxg3"));
    EXPECT_FALSE(shown("txtGetYe"));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdPrint")->isEnabled());
    EXPECT_EQ(str(child<QLabel>("Label1")->text()), "平成19年分");
    EXPECT_EQ(str(child<QLabel>("Label3")->text()), "(期末 ：平成 19年12月)");
    EXPECT_TRUE(shown("Picture2"));
    EXPECT_TRUE(shown("Label5"));
    EXPECT_FALSE(shown("Picture1"));
    EXPECT_EQ(child<QFrame>("Picture2")->palette().color(QPalette::Window), QColor(128, 128, 255));

    auto* grid = child<platform::qt::GridTableView>("Fxg3");
    QAbstractItemModel* table = grid->model();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(str(table->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString()),
              "㋭本年分の\n普通\n償却費");
    EXPECT_EQ(str(table->headerData(15, Qt::Horizontal, Qt::DisplayRole).toString()), "摘要");
    EXPECT_EQ(str(table->index(0, 9).data().toString()), "75,000");
    EXPECT_EQ(str(table->index(2, 0).data().toString()), "合 　計");
    EXPECT_EQ(table->index(1, 4).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(128, 128, 255));
    EXPECT_EQ(table->index(2, 12).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(255, 255, 0));

    grab("statement_window.png");
}

TEST_F(StatementWindowTest, ResizingFollowsTheWidthRule) {
    const std::pair<int, int> widths[] = {{15800, 15500}, {18000, 17700}};
    auto* grid = child<QWidget>("Fxg3");
    for (const auto& [client, expected] : widths) {
        window->resize(client / 15, 600);
        EXPECT_EQ(grid->width(), expected / 15) << client;
        EXPECT_EQ(child<QWidget>("cmdCancel")->x(), (client / 15 * 15 - 1560) / 15);
    }
}

TEST_F(StatementWindowTest, ClosingShowsTheMainWindow) {
    typeYear("平成", "20");
    QTest::mouseClick(child<QPushButton>("cmdOk"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(host.shown, 2);
    window->close();
    EXPECT_EQ(host.shown, 2);
}

// Every column whole inside the grid's viewport: nothing to scroll across
// to, and no column narrower than its heading and cells need.
void expectEveryColumnInView(platform::qt::GridTableView& grid) {
    ASSERT_TRUE(grid.isVisible());
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);
    const int last = grid.model()->columnCount() - 1;
    EXPECT_LE(grid.columnViewportPosition(last) + grid.columnWidth(last), grid.viewport()->width());
    std::vector<int> widths;
    for (int c = 0; c <= last; ++c) widths.push_back(grid.columnWidth(c));
    grid.resizeColumnsToContents();
    for (int c = 0; c <= last; ++c) {
        EXPECT_GE(widths[static_cast<std::size_t>(c)], grid.columnWidth(c)) << c;
    }
}

TEST_F(StatementWindowTest, OpensWideEnoughForEveryColumnOnA1280By800Screen) {
    const QRect screen = window->screen()->availableGeometry();
    if (screen.width() < 1280) GTEST_SKIP() << "the screen is narrower than 1280 pixels";
    // A name longer than its heading widens the window once more.
    reg::ProgramState longNames = state;
    longNames.assetRegister.row(2) = test::asset("業務用大型冷凍冷蔵ショーケース一式", "1", "22",
                                                 "4", "3", "300000", "10", "0.100", "3");
    StatementWindow wide(longNames, dialogs, yearend::StatementSettings{"0", 2024, 6}, &host);
    wide.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wide));
    for (StatementWindow* opened : {window.get(), &wide}) {
        const int openingWidth = opened->width();
        typeYear(*opened, "平成", "30");
        QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
        auto* grid = opened->findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg3"));
        ASSERT_NE(grid, nullptr);
        expectEveryColumnInView(*grid);
        EXPECT_GE(opened->width(), openingWidth);
        EXPECT_TRUE(screen.contains(opened->frameGeometry())) << opened->frameGeometry().width();
    }
    EXPECT_GT(wide.width(), window->width());
    test::saveScreenshot(wide, "statement_window_wide");
}

// A thousand assets of the widest kinds (a guarantee amount with the cost,
// a scrapped asset's remark): the whole table still fits the screen, and
// choosing the 収支内訳書 renames ㋬ in the heading at once.
TEST_F(StatementWindowTest, AThousandAssetsInTheFormsColumnsOnA1280By800Screen) {
    const QRect screen = window->screen()->availableGeometry();
    if (screen.width() < 1280) GTEST_SKIP() << "the screen is narrower than 1280 pixels";
    reg::ProgramState many;
    for (int i = 1; i <= reg::kMaxRecords; ++i) {
        reg::Row row =
            i % 2 == 0
                ? test::makeRow({"配送用軽バン", "", "2", "8", "6", "", "7", "2026", "11600000",
                                 "4", "0.500", "4", "1", "70", "", "", "10", "95", "0.6670.12499"})
                : test::asset("厨房設備一式", "1", "30", "4", "3", "9800000", "8", "0.125", "3");
        if (i % 3 == 0) {
            row[reg::disposalMonth - 1] = "2026-09";
            row[reg::disposalKind - 1] = "除却";
        }
        many.assetRegister.row(i) = row;
    }
    many.recordCount = reg::kMaxRecords;
    StatementWindow wide(many, dialogs, yearend::StatementSettings{"0", 2026, 6}, &host);
    wide.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wide));
    typeYear(wide, "令和", "8");
    QTest::mouseClick(wide.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    auto* grid = wide.findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg3"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->model()->rowCount(), 1001);
    EXPECT_EQ(str(grid->model()->index(1, 3).data().toString()), "11,600,000(1,449,884)");
    expectEveryColumnInView(*grid);
    EXPECT_TRUE(screen.contains(wide.frameGeometry())) << wide.frameGeometry().width();

    auto* forms = wide.findChild<QComboBox*>(QStringLiteral("cboForm"));
    ASSERT_NE(forms, nullptr);
    forms->setCurrentIndex(1);
    emit forms->activated(1);
    EXPECT_EQ(str(grid->model()->headerData(10, Qt::Horizontal).toString()), "㋬特別\n償却費");
    test::saveScreenshot(wide, "statement_window_thousand");
}

// The lines on the year's small assets and scrapped assets stand under the
// grid, inside the window, and the grid gives them room.
TEST_F(StatementWindowTest, LinesUnderTheTableForSmallAndScrappedAssets) {
    reg::ProgramState withLines;
    withLines.assetRegister.row(1) =
        test::makeRow({"タブレット", "2026-06-4", "2", "8", "6", "", "4", "2026", "350000", "1",
                       "1.000", "6", "1", "100", "", "", "10", "95", ""});
    withLines.assetRegister.row(2) =
        test::asset("加工機", "1", "19", "4", "2", "1000000", "10", "0.100", "3");
    withLines.assetRegister.at(2, reg::disposalMonth) = "2026-03";
    withLines.assetRegister.at(2, reg::disposalKind) = "除却";
    withLines.recordCount = 2;
    StatementWindow opened(withLines, dialogs, yearend::StatementSettings{"0", 2026, 6}, &host);
    opened.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opened));
    const int gridHeightBefore =
        opened.findChild<QWidget*>(QStringLiteral("Fxg3"))->geometry().height();
    QTest::mouseClick(opened.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    auto* grid = opened.findChild<QWidget*>(QStringLiteral("Fxg3"));
    auto* small = opened.findChild<QLabel*>(QStringLiteral("lblSmall"));
    auto* scrapped = opened.findChild<QLabel*>(QStringLiteral("lblScrapped"));
    ASSERT_TRUE(grid != nullptr && small != nullptr && scrapped != nullptr);
    EXPECT_TRUE(small->isVisible());
    EXPECT_TRUE(scrapped->isVisible());
    EXPECT_FALSE(opened.findChild<QLabel*>(QStringLiteral("lblSmallOver"))->isVisible());
    EXPECT_EQ(str(small->text()), "少額減価償却資産（措置法28の2）の本年分合計：350,000円");
    EXPECT_LT(grid->geometry().height(), gridHeightBefore);
    EXPECT_GE(small->geometry().top(), grid->geometry().bottom());
    EXPECT_GT(scrapped->geometry().top(), small->geometry().top());
    EXPECT_LE(scrapped->geometry().bottom(), opened.height());
    test::saveScreenshot(opened, "statement_window_lines");
}

}  // namespace
}  // namespace fenmark::ui
