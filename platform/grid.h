#pragma once
// The headless grid behind every table on screen: a rectangle of text cells
// with frozen leading rows and columns, addressed by (row, col) or by the
// linear index row * columns + col, a current cell, per-cell background
// colour and alignment, and the generic ascending sort. The Qt table model
// shows one of these; the program's logic writes and reads only this.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fenmark::platform {

// A row or column outside the grid was addressed.
class GridError : public std::runtime_error {
  public:
    explicit GridError(const std::string& what) : std::runtime_error(what) {}
};

enum class Alignment { General, Left, Center, Right };

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

class Grid {
  public:
    Grid(int rows = 2, int cols = 2);

    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] int cols() const { return cols_; }
    // Changing the size keeps the texts of the cells that remain.
    void setRows(int rows);
    void setCols(int cols);

    [[nodiscard]] int fixedRows() const { return fixedRows_; }
    [[nodiscard]] int fixedCols() const { return fixedCols_; }
    void setFixedRows(int n);
    void setFixedCols(int n);

    // Every cell text becomes empty; the sizes stay.
    void clear();

    // The heading format string: the pieces between "|" become the headings
    // of row 0 and their number the column count; a piece starting with "^"
    // is centred (">" right, "<" left), and the piece as written (blanks
    // included, the alignment mark dropped) sets the column's initial width.
    void setFormatString(std::string_view format);

    [[nodiscard]] const std::string& text(int row, int col) const;
    void setText(int row, int col, std::string text);

    // Cell text by linear index; an index outside the grid is an error.
    [[nodiscard]] const std::string& textAt(int index) const;
    void setTextAt(int index, std::string text);

    // The current cell. Setting a row or column outside the grid is an error.
    [[nodiscard]] int row() const { return row_; }
    [[nodiscard]] int col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    [[nodiscard]] const std::string& currentText() const { return text(row_, col_); }
    void setCurrentText(std::string text) { setText(row_, col_, std::move(text)); }
    void setCurrentBackColor(Rgb color);
    void setCurrentAlignment(Alignment alignment);

    [[nodiscard]] std::optional<Rgb> backColor(int row, int col) const;
    [[nodiscard]] Alignment cellAlignment(int row, int col) const;
    [[nodiscard]] Alignment colAlignment(int col) const;
    // The initial width of a column as the heading text that set it.
    [[nodiscard]] const std::string& colWidthText(int col) const;

    // Sorts the rows below the frozen rows ascending on key columns
    // first..last: two texts that are both numbers compare as numbers, any
    // other pair as text, and a later key column decides ties. Rows with
    // equal keys keep their order.
    void sortAscending(int firstKeyCol, int lastKeyCol);

  private:
    struct Cell {
        std::string text;
        std::optional<Rgb> backColor;
        Alignment alignment = Alignment::General;
    };

    void checkCell(int row, int col) const;
    [[nodiscard]] std::size_t offset(int row, int col) const;
    void reshape(int rows, int cols);

    int rows_;
    int cols_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 0;
    int col_ = 0;
    std::vector<Cell> cells_;
    std::vector<Alignment> colAlignment_;
    std::vector<std::string> colWidthText_;
};

// Compares two cell texts as the generic sort does: <0, 0 or >0.
[[nodiscard]] int compareCells(std::string_view a, std::string_view b);

}  // namespace fenmark::platform
