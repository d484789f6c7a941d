// The statement window's online list on screen: the tabs, the list's cells
// and marks, a chosen cell on the clipboard, the lines under the list; and
// fenmark-cli printing the list.

#include <gtest/gtest.h>

#include <QBrush>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <string>

#include "platform/qt/grid_model.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"
#include "ui/statement_window.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

constexpr const char* kLongName = "業務用大型冷凍冷蔵ショーケース一式（厨房用）";

reg::Row with(reg::Row row, std::initializer_list<std::pair<reg::Column, std::string>> cells) {
    for (const auto& [column, text] : cells) row[static_cast<std::size_t>(column - 1)] = text;
    return row;
}

// Ten assets filed for 令和10年 (2028): a name too long for the online
// system, an opening carried in, a car at the revised rate, a fruit tree
// and a structure whose kind and detail the user chooses, desks.
reg::ProgramState tenAssets() {
    reg::ProgramState state;
    const std::vector<reg::Row> rows{
        test::asset(kLongName, "2", "10", "4", "4", "1200000", "8", "0.125", "3"),
        with(test::asset("引継ぎの机", "2", "2", "1", "4", "500000", "8", "0.125", "3"),
             {{reg::carriedYear, "2028"}, {reg::carriedBookValue, "190000"}}),
        with(test::asset("営業車", "2", "6", "7", "7", "2400000", "6", "0.333", "4"),
             {{reg::newRuleRates, "0.3340.09911"}, {reg::businessRatio, "80"}}),
        test::asset("梅の木", "2", "10", "4", "10", "300000", "30", "0.034", "5"),
        test::asset("看板", "2", "10", "4", "8", "400000", "10", "0.100", "3"),
        test::asset("応接セット", "2", "9", "4", "4", "450000", "8", "0.125", "3"),
        test::asset("事務机1", "2", "9", "4", "4", "200000", "8", "0.125", "3"),
        test::asset("事務机2", "2", "9", "5", "4", "200000", "8", "0.125", "3"),
        test::asset("複合機", "2", "9", "6", "4", "520000", "5", "0.200", "3"),
        with(test::asset("加工機", "2", "1", "5", "2", "1000000", "10", "0.100", "3"),
             {{reg::disposalMonth, "2028-03"}, {reg::disposalKind, "除却"}}),
    };
    int r = 1;
    for (const reg::Row& row : rows) state.assetRegister.row(r++) = row;
    state.recordCount = static_cast<std::int16_t>(rows.size());
    state.closingMonth = "12";
    return state;
}

class StatementOnlineTest : public ::testing::Test {
  protected:
    StatementOnlineTest() {
        window = std::make_unique<StatementWindow>(
            state, dialogs, yearend::StatementSettings{"0", 2028, 6}, nullptr);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The year being filed, 令和10, is offered.
        QTest::mouseClick(child<QPushButton>("cmdOk"), Qt::LeftButton);
        EXPECT_TRUE(window->model().Fxg3Visible);
    }

    template <typename T>
    T* child(const char* name) {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(window.get()); }
    void showList() {
        auto* tabs = child<QTabBar>("tabView");
        tabs->setCurrentIndex(1);
    }
    // Clicks cell (row, col) of the online list, row 0 the first asset.
    void clickCell(int row, int col) {
        auto* grid = child<platform::qt::GridTableView>("grdOnline");
        const QModelIndex index = grid->model()->index(row, col);
        static_cast<QAbstractItemView*>(grid)->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }

    reg::ProgramState state = tenAssets();
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<StatementWindow> window;
};

TEST_F(StatementOnlineTest, TheTabsSwitchBetweenTheTableAndTheList) {
    auto* tabs = child<QTabBar>("tabView");
    ASSERT_TRUE(shown("tabView"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(str(tabs->tabText(0)), "決算書の表");
    EXPECT_EQ(str(tabs->tabText(1)), "作成コーナー入力用");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(shown("Fxg3"));
    EXPECT_FALSE(shown("grdOnline"));
    EXPECT_TRUE(shown("lblScrapped"));
    EXPECT_FALSE(shown("lblCopied"));
    // The destination stands under both views.
    auto* destination = child<QLabel>("lblDestination");
    EXPECT_TRUE(destination->isVisible());
    EXPECT_EQ(
        str(destination->text()),
        yearend::expenseDestinationLine(yearend::ReturnForm::Blue, window->model().expenseTotal));
    test::saveScreenshot(*window, "statement_online_table");

    showList();
    EXPECT_EQ(window->model().view(), yearend::StatementView::Online);
    EXPECT_FALSE(shown("Fxg3"));
    EXPECT_TRUE(shown("grdOnline"));
    EXPECT_FALSE(shown("lblScrapped"));
    EXPECT_TRUE(shown("lblCopied"));
    EXPECT_TRUE(shown("lblProblem"));
    EXPECT_TRUE(destination->isVisible());
    // Under the list, inside the window.
    const QRect grid = child<QWidget>("grdOnline")->geometry();
    EXPECT_GE(destination->geometry().top(), grid.bottom());
    EXPECT_LE(destination->geometry().bottom(), window->height());
    EXPECT_GE(child<QWidget>("lblProblem")->geometry().top(), grid.bottom());

    // The return chosen renames the destination in this view too.
    auto* forms = child<QComboBox>("cboForm");
    forms->setCurrentIndex(1);
    emit forms->activated(1);
    EXPECT_NE(str(destination->text()).find("収支内訳書"), std::string::npos);
    test::saveScreenshot(*window, "statement_online_list");
}

TEST_F(StatementOnlineTest, TheListShowsTheCellsAndMarksTheirProblems) {
    showList();
    auto* grid = child<platform::qt::GridTableView>("grdOnline");
    QAbstractItemModel* list = grid->model();
    ASSERT_EQ(list->rowCount(), 10);
    ASSERT_EQ(list->columnCount(), 18);
    EXPECT_EQ(str(list->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString()),
              "前年末\n未償却残高");
    EXPECT_EQ(str(list->index(1, 9).data().toString()), "190,000");
    EXPECT_EQ(str(list->index(0, 3).data().toString()), kLongName);
    // The long name: marked, its tool tip says where to cut it.
    EXPECT_EQ(list->index(0, 3).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(QRgb(yearend::kOnlineProblemColor)));
    EXPECT_NE(str(list->index(0, 3).data(Qt::ToolTipRole).toString()).find("16文字"),
              std::string::npos);
    EXPECT_FALSE(list->index(0, 8).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(list->index(0, 8).data(Qt::ToolTipRole).isValid());
    // Every column whole: none narrower than its cells need, up to the
    // widest a column is given.
    std::vector<int> widths;
    for (int c = 0; c < list->columnCount(); ++c) widths.push_back(grid->columnWidth(c));
    grid->resizeColumnsToContents();
    for (int c = 0; c < list->columnCount(); ++c) {
        EXPECT_GE(widths[static_cast<std::size_t>(c)], std::min(grid->columnWidth(c), 320)) << c;
    }
}

TEST_F(StatementOnlineTest, ChoosingACellPutsItsValueAsTypedOnTheClipboard) {
    showList();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // 取得価額 of the first asset: digits without separators.
    clickCell(0, 8);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "1200000");
    EXPECT_EQ(str(child<QLabel>("lblCopied")->text()), "「1200000」をコピーしました");
    // The car's 改定取得価額, by the keyboard from the blank cell above it,
    // which copies nothing.
    clickCell(1, 12);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "1200000");
    EXPECT_EQ(str(child<QLabel>("lblCopied")->text()), yearend::kOnlineNothingToCopy);
    QTest::keyClick(child<QWidget>("grdOnline"), Qt::Key_Down);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), "593599");
    // A problem cell explains itself under the list.
    clickCell(0, 3);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), kLongName);
    EXPECT_NE(str(child<QLabel>("lblProblem")->text()).find("No.1の「名称」："), std::string::npos);
    // Clicked again after something else went on the clipboard.
    QGuiApplication::clipboard()->setText(QStringLiteral("other"));
    clickCell(0, 3);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), kLongName);
    // A field chosen from the online system's own list copies nothing.
    clickCell(3, 1);
    EXPECT_EQ(str(QGuiApplication::clipboard()->text()), kLongName);
    EXPECT_EQ(str(child<QLabel>("lblCopied")->text()), yearend::kOnlineChooseField);
    test::saveScreenshot(*window, "statement_online_chosen");
}

// The list's warnings stand right under it, all of them in the tool tip.
TEST(StatementOnlineWarnings, StandUnderTheList) {
    reg::ProgramState state = tenAssets();
    for (int i = 11; i <= 15; ++i) {
        state.assetRegister.row(i) = test::asset("壊れた記録" + std::to_string(i), "1", "19", "4",
                                                 "4", "99999999999", "8", "0.125", "3");
    }
    state.recordCount = 15;
    platform::ScriptedDialogs dialogs;
    StatementWindow window(state, dialogs, yearend::StatementSettings{"0", 2028, 6}, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    window.findChild<QTabBar*>(QStringLiteral("tabView"))->setCurrentIndex(1);
    auto* warnings = window.findChild<QLabel*>(QStringLiteral("lblWarnings"));
    auto* grid = window.findChild<QWidget*>(QStringLiteral("grdOnline"));
    ASSERT_TRUE(warnings != nullptr && grid != nullptr);
    EXPECT_TRUE(warnings->isVisible());
    EXPECT_EQ(str(warnings->text()),
              "No.11は償却費を計算できないため載せていません。\n"
              "No.12は償却費を計算できないため載せていません。\n"
              "ほかに注意が3件あります。");
    EXPECT_EQ(warnings->toolTip().count(QLatin1Char('\n')), 4);
    EXPECT_GE(warnings->geometry().top(), grid->geometry().bottom());
    // All three lines shown whole.
    EXPECT_GE(warnings->height(), 3 * warnings->fontMetrics().lineSpacing());
    EXPECT_LE(warnings->geometry().bottom(),
              window.findChild<QWidget*>(QStringLiteral("lblCopied"))->geometry().top());
    test::saveScreenshot(window, "statement_online_warnings");
}

// fenmark-cli prints the list as the window does: portrait pages of blocks.
TEST(StatementOnlineCli, PrintStatementWithTheListView) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    test::TempDir dir;
    const std::string file = dir.file("ten.dat");
    const reg::ProgramState state = tenAssets();
    reg::writeRegisterFile(file, state.assetRegister, state.recordCount);
    const std::string pdf = dir.file("list.pdf");
    QProcess cli;
    cli.start(QStringLiteral(FENMARK_CLI),
              {QStringLiteral("print"), QStringLiteral("statement"), QString::fromStdString(file),
               QStringLiteral("--year=R10"), QStringLiteral("--closing-month=12"),
               QStringLiteral("--current-year=2028"), QStringLiteral("--view=sakusei"),
               QStringLiteral("--pdf"), QString::fromStdString(pdf)});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const std::string pages = text.readAllStandardOutput().toStdString();
    EXPECT_NE(pages.find("令和10年分"), std::string::npos);
    EXPECT_NE(pages.find("作成コーナー入力用"), std::string::npos);
    EXPECT_NE(pages.find("1 / 3 ページ"), std::string::npos);
    EXPECT_NE(pages.find("3 / 3 ページ"), std::string::npos);
    EXPECT_NE(pages.find("No.3 営業車"), std::string::npos);
    EXPECT_NE(pages.find("593599"), std::string::npos);
    EXPECT_EQ(pages.find("593,599"), std::string::npos);
}

}  // namespace
}  // namespace fenmark::ui
