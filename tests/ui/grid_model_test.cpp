// The grid's table model and its view with frozen columns.

#include "platform/qt/grid_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QHeaderView>
#include <QSignalSpy>

namespace fenmark::platform::qt {
namespace {

std::string text(const QVariant& value) { return value.toString().toStdString(); }

Qt::Alignment horizontal(const QVariant& value) {
    return value.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
}

// A small ledger-like grid: a heading row and three rows of cells.
Grid sampleGrid() {
    Grid grid(4, 3);
    grid.setFormatString("No| 名称    |^コード  ");
    for (int r = 1; r < 4; ++r) {
        grid.setText(r, 0, std::to_string(r));
        grid.setText(r, 1, "資産" + std::to_string(r));
        grid.setText(r, 2, "070" + std::to_string(r) + "-4");
    }
    grid.setFixedCols(2);
    return grid;
}

TEST(GridTableModel, PassesTheModelTesterThroughEveryKindOfRefresh) {
    Grid grid = sampleGrid();
    GridTableModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 3);

    grid.setRows(8);
    grid.setText(7, 1, "追加");
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.rowCount(), 7);
    EXPECT_EQ(text(model.index(6, 1).data()), "追加");

    grid.setRows(1);  // the heading row alone
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(text(model.headerData(1, Qt::Horizontal, Qt::DisplayRole)), " 名称    ");

    grid.setRows(0);
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).isValid());

    grid.setFormatString("A|B|C|D|E");
    grid.setRows(3);
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.rowCount(), 2);
}

TEST(GridTableModel, ShowsRowZeroAsTheHeaderAndTheRowsBelowAsTableRows) {
    const Grid grid = sampleGrid();
    GridTableModel model(grid);
    EXPECT_EQ(text(model.headerData(0, Qt::Horizontal, Qt::DisplayRole)), "No");
    // Heading texts keep their blanks; the alignment mark is not shown.
    EXPECT_EQ(text(model.headerData(2, Qt::Horizontal, Qt::DisplayRole)), "コード  ");
    EXPECT_FALSE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).isValid());
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(text(model.index(row, col).data()), grid.text(row + 1, col));
        }
    }
    EXPECT_EQ(model.frozenColumns(), 2);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST(GridTableModel, AlignsByCellThenColumnThenNumberOrText) {
    Grid grid(5, 3);
    grid.setFormatString("金額|^コード|名称");
    grid.setText(1, 0, "1,200,000");
    grid.setText(2, 0, "0.334");
    grid.setText(3, 0, "H. 19/4");
    grid.setText(4, 0, "100％");
    grid.setRow(4);
    grid.setCol(1);
    grid.setCurrentAlignment(Alignment::Left);
    grid.setRow(2);
    grid.setCol(2);
    grid.setCurrentAlignment(Alignment::Right);
    GridTableModel model(grid);
    auto align = [&](int row, int col) {
        return horizontal(model.index(row, col).data(Qt::TextAlignmentRole));
    };
    EXPECT_EQ(align(0, 0), Qt::AlignRight);  // an amount with separators
    EXPECT_EQ(align(1, 0), Qt::AlignRight);
    EXPECT_EQ(align(2, 0), Qt::AlignLeft);
    EXPECT_EQ(align(3, 0), Qt::AlignLeft);
    EXPECT_EQ(align(0, 1), Qt::AlignHCenter);  // "^" in the heading format
    EXPECT_EQ(align(3, 1), Qt::AlignLeft);     // the cell's own alignment wins
    EXPECT_EQ(align(1, 2), Qt::AlignRight);
    EXPECT_EQ(align(0, 2), Qt::AlignLeft);
    EXPECT_TRUE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignVCenter);
}

TEST(GridTableModel, ShowsTheBackgroundColoursOfTheGrid) {
    Grid grid(3, 2);
    grid.setRow(2);
    grid.setCol(1);
    grid.setCurrentBackColor(0xFFC0C0);
    GridTableModel model(grid);
    const QVariant coloured = model.index(1, 1).data(Qt::BackgroundRole);
    ASSERT_TRUE(coloured.isValid());
    EXPECT_EQ(coloured.value<QBrush>().color(), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_FALSE(model.index(0, 1).data(Qt::BackgroundRole).isValid());
}

TEST(GridTableModel, ShowsASnapshotAndResetsOnlyWhenSomethingShownChanged) {
    Grid grid = sampleGrid();
    GridTableModel model(grid);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    EXPECT_FALSE(model.refresh());
    EXPECT_EQ(resets.count(), 0);

    grid.setText(2, 1, "変更");
    // Until the window refreshes, the table shows what it showed.
    EXPECT_EQ(text(model.index(1, 1).data()), "資産2");
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(text(model.index(1, 1).data()), "変更");

    grid.setFixedCols(1);
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.frozenColumns(), 1);

    grid.setRow(1);
    grid.setCol(0);
    grid.setCurrentBackColor(0x00FF00);
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(resets.count(), 3);

    // Shrinking the grid behind the table's back cannot make it read outside.
    grid.setRows(2);
    EXPECT_EQ(text(model.index(2, 2).data()), "0703-4");
}

TEST(GridTableView, KeepsTheGridsFrozenColumnsInAnOverlaidView) {
    Grid grid = sampleGrid();
    GridTableModel model(grid);
    GridTableView view;
    view.resize(400, 200);
    view.setModel(&model);
    QTableView* frozen = view.frozenView();

    EXPECT_EQ(view.frozenColumns(), 2);
    EXPECT_FALSE(frozen->isHidden());
    EXPECT_FALSE(frozen->isColumnHidden(0));
    EXPECT_FALSE(frozen->isColumnHidden(1));
    EXPECT_TRUE(frozen->isColumnHidden(2));
    EXPECT_EQ(frozen->width(), view.columnWidth(0) + view.columnWidth(1));
    EXPECT_EQ(frozen->selectionModel(), view.selectionModel());

    grid.setFixedCols(1);
    model.refresh();
    EXPECT_EQ(view.frozenColumns(), 1);
    EXPECT_TRUE(frozen->isColumnHidden(1));
    EXPECT_EQ(frozen->width(), view.columnWidth(0));

    grid.setFixedCols(0);
    model.refresh();
    EXPECT_TRUE(frozen->isHidden());
}

TEST(GridTableView, SizesColumnsByTheirHeadingsAndKeepsTheUsersWidths) {
    Grid grid = sampleGrid();
    GridTableModel model(grid);
    GridTableView view;
    view.setModel(&model);
    // " 名称    " is longer than "No", blanks included.
    EXPECT_GT(view.columnWidth(1), view.columnWidth(0));
    const int initial = view.columnWidth(2);

    view.setColumnWidth(2, initial + 40);
    grid.setText(1, 2, "別のコード");
    model.refresh();
    EXPECT_EQ(view.columnWidth(2), initial + 40);

    view.setColumnWidth(1, 200);
    EXPECT_EQ(view.frozenView()->columnWidth(1), 200);

    // A new heading format starts the widths afresh.
    grid.setFormatString("No| 名称    |^コード  |追加");
    model.refresh();
    EXPECT_EQ(view.columnWidth(2), initial);
}

}  // namespace
}  // namespace fenmark::platform::qt
