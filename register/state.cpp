#include "register/state.h"

#include <algorithm>
#include <stdexcept>

#include "common/number.h"

namespace fenmark::reg {

std::optional<int> wholeCellOf(const Row& row, Column column) {
    const std::string& text = cellOf(row, column);
    if (!common::isNumber(text)) return std::nullopt;
    return common::wholeNumber(common::leadingNumber(text));
}

namespace {

void check(int row, int col) {
    if (row < 1 || row > kMaxRecords || col < 1 || col > kColumns) {
        throw std::out_of_range("台帳の範囲外です。");
    }
}

const Row& emptyRow() {
    static const Row empty{};
    return empty;
}

bool isEmpty(const Row& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); });
}

}  // namespace

AssetRegister::AssetRegister() = default;

const std::string& AssetRegister::at(int row, int col) const {
    check(row, col);
    return this->row(row)[static_cast<std::size_t>(col - 1)];
}

std::string& AssetRegister::at(int row, int col) {
    check(row, col);
    return this->row(row)[static_cast<std::size_t>(col - 1)];
}

const Row& AssetRegister::row(int row) const {
    check(row, 1);
    const auto index = static_cast<std::size_t>(row - 1);
    return index < rows_.size() ? rows_[index] : emptyRow();
}

Row& AssetRegister::row(int row) {
    check(row, 1);
    const auto index = static_cast<std::size_t>(row - 1);
    // Growing a deque at its end keeps every reference into it valid.
    if (index >= rows_.size()) rows_.resize(index + 1);
    return rows_[index];
}

void AssetRegister::clear() { rows_.clear(); }

bool operator==(const AssetRegister& a, const AssetRegister& b) {
    const std::size_t common = std::min(a.rows_.size(), b.rows_.size());
    if (!std::equal(a.rows_.begin(), a.rows_.begin() + static_cast<std::ptrdiff_t>(common),
                    b.rows_.begin())) {
        return false;
    }
    const auto& longer = a.rows_.size() > common ? a.rows_ : b.rows_;
    return std::all_of(longer.begin() + static_cast<std::ptrdiff_t>(common), longer.end(), isEmpty);
}

}  // namespace fenmark::reg
