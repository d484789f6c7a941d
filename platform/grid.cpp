#include "platform/grid.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "common/number.h"

namespace fenmark::platform {

Grid::Grid(int rows, int cols) : rows_(0), cols_(0) { reshape(rows, cols); }

void Grid::reshape(int rows, int cols) {
    if (rows < 0 || cols < 0) throw GridError("グリッドの大きさが正しくありません。");
    const std::size_t size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    if (cols == cols_) {
        // Rows come and go at the end: the cells stay where they are.
        cells_.resize(size);
    } else {
        std::vector<Cell> cells(size);
        for (int r = 0; r < std::min(rows, rows_); ++r) {
            for (int c = 0; c < std::min(cols, cols_); ++c) {
                cells[static_cast<std::size_t>(r) * cols + c] = std::move(cells_[offset(r, c)]);
            }
        }
        cells_ = std::move(cells);
    }
    colAlignment_.resize(static_cast<std::size_t>(cols), Alignment::General);
    colWidthText_.resize(static_cast<std::size_t>(cols));
    rows_ = rows;
    cols_ = cols;
    fixedRows_ = std::min(fixedRows_, rows_);
    fixedCols_ = std::min(fixedCols_, cols_);
    row_ = std::clamp(row_, 0, std::max(rows_ - 1, 0));
    col_ = std::clamp(col_, 0, std::max(cols_ - 1, 0));
}

void Grid::setRows(int rows) { reshape(rows, cols_); }
void Grid::setCols(int cols) { reshape(rows_, cols); }

void Grid::setFixedRows(int n) {
    if (n < 0 || n > rows_) throw GridError("固定行の数が正しくありません。");
    fixedRows_ = n;
}

void Grid::setFixedCols(int n) {
    if (n < 0 || n > cols_) throw GridError("固定列の数が正しくありません。");
    fixedCols_ = n;
}

void Grid::clear() {
    for (Cell& cell : cells_) cell.text.clear();
}

void Grid::setFormatString(std::string_view format) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = format.find('|', start);
        pieces.push_back(format.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    reshape(std::max(rows_, 1), static_cast<int>(pieces.size()));
    for (int c = 0; c < cols_; ++c) {
        std::string_view piece = pieces[static_cast<std::size_t>(c)];
        Alignment alignment = Alignment::General;
        if (!piece.empty() && (piece[0] == '^' || piece[0] == '<' || piece[0] == '>')) {
            alignment = piece[0] == '^'   ? Alignment::Center
                        : piece[0] == '<' ? Alignment::Left
                                          : Alignment::Right;
            piece.remove_prefix(1);
        }
        colAlignment_[static_cast<std::size_t>(c)] = alignment;
        colWidthText_[static_cast<std::size_t>(c)] = std::string(piece);
        cells_[offset(0, c)].text = std::string(piece);
    }
}

void Grid::checkCell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        throw GridError("グリッドの範囲外のセルです。");
    }
}

std::size_t Grid::offset(int row, int col) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col);
}

const std::string& Grid::text(int row, int col) const {
    checkCell(row, col);
    return cells_[offset(row, col)].text;
}

void Grid::setText(int row, int col, std::string text) {
    checkCell(row, col);
    cells_[offset(row, col)].text = std::move(text);
}

const std::string& Grid::textAt(int index) const {
    if (cols_ == 0 || index < 0) throw GridError("グリッドの範囲外のセルです。");
    return text(index / cols_, index % cols_);
}

void Grid::setTextAt(int index, std::string text) {
    if (cols_ == 0 || index < 0) throw GridError("グリッドの範囲外のセルです。");
    setText(index / cols_, index % cols_, std::move(text));
}

void Grid::setRow(int row) {
    if (row < 0 || row >= rows_) throw GridError("グリッドの範囲外の行です。");
    row_ = row;
}

void Grid::setCol(int col) {
    if (col < 0 || col >= cols_) throw GridError("グリッドの範囲外の列です。");
    col_ = col;
}

void Grid::setCurrentBackColor(Rgb color) {
    checkCell(row_, col_);
    cells_[offset(row_, col_)].backColor = color;
}

void Grid::setCurrentAlignment(Alignment alignment) {
    checkCell(row_, col_);
    cells_[offset(row_, col_)].alignment = alignment;
}

std::optional<Rgb> Grid::backColor(int row, int col) const {
    checkCell(row, col);
    return cells_[offset(row, col)].backColor;
}

Alignment Grid::cellAlignment(int row, int col) const {
    checkCell(row, col);
    return cells_[offset(row, col)].alignment;
}

Alignment Grid::colAlignment(int col) const {
    checkCell(0, col);
    return colAlignment_[static_cast<std::size_t>(col)];
}

const std::string& Grid::colWidthText(int col) const {
    checkCell(0, col);
    return colWidthText_[static_cast<std::size_t>(col)];
}

namespace {

template <typename Less>
void mergeSort(std::vector<int>& items, const Less& less) {
    if (items.size() < 2) return;
    std::vector<int> buffer(items.size());
    for (std::size_t width = 1; width < items.size(); width *= 2) {
        for (std::size_t lo = 0; lo < items.size(); lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, items.size());
            const std::size_t hi = std::min(lo + 2 * width, items.size());
            std::size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
            while (i < mid) buffer[k++] = items[i++];
            while (j < hi) buffer[k++] = items[j++];
        }
        items.swap(buffer);
    }
}

}  // namespace

int compareCells(std::string_view a, std::string_view b) {
    if (common::isNumber(a) && common::isNumber(b)) {
        const double x = common::leadingNumber(a);
        const double y = common::leadingNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void Grid::sortAscending(int firstKeyCol, int lastKeyCol) {
    if (firstKeyCol > lastKeyCol) std::swap(firstKeyCol, lastKeyCol);
    checkCell(0, firstKeyCol);
    checkCell(0, lastKeyCol);
    if (rows_ <= fixedRows_) return;
    std::vector<int> order(static_cast<std::size_t>(rows_ - fixedRows_));
    std::iota(order.begin(), order.end(), fixedRows_);
    const auto less = [&](int x, int y) {
        for (int c = firstKeyCol; c <= lastKeyCol; ++c) {
            const int cmp = compareCells(cells_[offset(x, c)].text, cells_[offset(y, c)].text);
            if (cmp != 0) return cmp < 0;
        }
        return false;
    };
    // Mixed number-and-text keys need not be a strict weak order ("9" < "10"
    // as numbers, "10" < "10x" and "10x" < "9" as texts), which the standard
    // sorts do not allow; this merge sort stays in bounds and stable whatever
    // the comparison says.
    mergeSort(order, less);
    std::vector<Cell> sorted(cells_.begin(),
                             cells_.begin() + static_cast<long>(offset(fixedRows_, 0)));
    sorted.reserve(cells_.size());
    for (int r : order) {
        for (int c = 0; c < cols_; ++c) sorted.push_back(cells_[offset(r, c)]);
    }
    cells_ = std::move(sorted);
}

}  // namespace fenmark::platform
