#include "register/state.h"

#include <stdexcept>

namespace fenmark::reg {

namespace {

void check(int row, int col) {
    if (row < 1 || row > kMaxRecords || col < 1 || col > kColumns) {
        throw std::out_of_range("台帳の範囲外です。");
    }
}

}  // namespace

AssetRegister::AssetRegister() = default;

const std::string& AssetRegister::at(int row, int col) const {
    check(row, col);
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
}

std::string& AssetRegister::at(int row, int col) {
    check(row, col);
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
}

const Row& AssetRegister::row(int row) const {
    check(row, 1);
    return rows_[static_cast<std::size_t>(row - 1)];
}

Row& AssetRegister::row(int row) {
    check(row, 1);
    return rows_[static_cast<std::size_t>(row - 1)];
}

void AssetRegister::clear() {
    for (Row& r : rows_) {
        for (std::string& cell : r) cell.clear();
    }
}

}  // namespace fenmark::reg
