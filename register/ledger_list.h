#pragma once
// The ledger list: a heading row and one row per asset, twelve columns of
// display texts derived from the register. It is for display, sorting and
// printing, and never read back into the register.

#include <cstdint>
#include <string>

#include "platform/grid.h"
#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kListFormat =
    "No| 資産の名称          |  種別   　|数量|  取得年月   |  取得価額  |  基礎価額  |償却方法 "
    "|耐用年数|償却率|事業割合|^コード          ";
inline constexpr int kListColumns = 12;

// The linear index of the cell that shows register row `row + 1`, column
// `col`: (row + 1) * columns + col, in 16-bit arithmetic (overflow throws
// common::OverflowError).
[[nodiscard]] std::int16_t faIndex(const platform::Grid& grid, std::int16_t row, std::int16_t col);

// The display text of grid column `col` for register row `row`.
[[nodiscard]] std::string ledgerCellText(const AssetRegister& reg, int row, int col);

// Builds the list from scratch: clears the grid, sets the heading format and
// fills rows 1..recordCount. The caller sets the row count and the frozen
// rows and columns.
void GetData(platform::Grid& grid, const AssetRegister& reg, int recordCount);

// The displayed text of cell (row, col); makes it the current cell.
[[nodiscard]] std::string GetPriData(platform::Grid& grid, int row, int col);

}  // namespace fenmark::reg
