#pragma once
// A platform::Grid on screen. GridTableModel shows a snapshot of the grid:
// grid row 0 is the horizontal header and rows 1.. are the table's rows, so
// the frozen heading row never scrolls. The snapshot is taken by refresh(),
// which the window calls after it has copied its model's state; between two
// refreshes the table does not change, whatever the window's logic does to
// the grid.
//
// GridTableView keeps the grid's frozen leading columns in place: a second
// table view over the same model, showing only those columns, lies over the
// left edge of the main view and scrolls vertically with it.

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <vector>

#include "platform/grid.h"

namespace fenmark::platform::qt {

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit GridTableModel(const Grid& grid, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Takes a new snapshot of the grid and resets the model when anything
    // shown has changed; true when it did. An unchanged grid leaves the
    // table, its scroll position and its selection alone.
    bool refresh();

    // The grid row shown in table row `row`.
    [[nodiscard]] static int gridRow(int row) { return row + 1; }
    [[nodiscard]] int frozenColumns() const { return shown_.fixedCols(); }
    // The heading texts that set the columns' initial widths.
    [[nodiscard]] std::vector<std::string> widthTexts() const;

  private:
    [[nodiscard]] Qt::Alignment alignment(int gridRow, int col) const;

    const Grid& grid_;
    Grid shown_;
};

class GridTableView : public QTableView {
    Q_OBJECT

  public:
    explicit GridTableView(QWidget* parent = nullptr);

    // Takes a GridTableModel (other models are shown without frozen columns).
    void setModel(QAbstractItemModel* model) override;

    // The view laid over the frozen columns; hidden when there are none.
    [[nodiscard]] QTableView* frozenView() const { return frozen_; }
    [[nodiscard]] int frozenColumns() const { return frozenCount_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void changeEvent(QEvent* event) override;

  private:
    // After a reset: the frozen columns and, when the heading format
    // changed, the initial column widths.
    void applyShape();
    void applyInitialWidths();
    void applyRowHeight();
    void updateFrozenGeometry();
    [[nodiscard]] int frozenWidth() const;

    QTableView* frozen_;
    int frozenCount_ = 0;
    std::vector<std::string> appliedWidthTexts_;
    // The widths just before a reset, given back when the format stays.
    std::vector<int> columnWidths_;
};

}  // namespace fenmark::platform::qt
