#pragma once
// The program-wide state shared by every window: the asset register (up to
// 1,000 rows of 29 text cells, both 1-based), the record count, the row on show,
// the two file paths, the closing month and the settings file's fields.
// One instance lives for the whole run and is handed to each window model;
// nothing here is static, so tests build as many as they like.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace fenmark::reg {

inline constexpr int kMaxRecords = 1000;
// A record has 19 columns, 22 when it records the asset's leaving, and 29
// when it holds a value in any column after the leaving.
inline constexpr int kBaseColumns = 19;
inline constexpr int kLeavingColumns = 22;
inline constexpr int kColumns = 29;

// Column numbers of the register, as every window names them.
enum Column : int {
    assetName = 1,
    assetCode = 2,
    eraCode = 3,
    eraYear = 4,
    acquisitionMonth = 5,
    acquisitionDay = 6,
    typeCode = 7,
    westernYear = 8,
    acquisitionCost = 9,
    usefulLife = 10,
    depreciationRate = 11,
    methodCode = 12,
    quantity = 13,
    businessRatio = 14,
    revisedLife = 15,
    revisedRate = 16,
    residualRatio = 17,
    depreciationLimit = 18,
    newRuleRates = 19,
    // The month the asset left the business ("YYYY-MM"), how ("除却",
    // "売却" or "自家転用") and, for a sale, the price received.
    disposalMonth = 20,
    disposalKind = 21,
    salePrice = 22,
    // The opening carried in from a filed return: the year ("YYYY") whose
    // opening it is, the book value at the end of the year before
    // (前年末未償却残高, whole yen), the 改定取得価額 of a declining-balance
    // asset that had switched (empty when none), and "計算" when the
    // schedule continues from its own figure instead.
    carriedYear = 23,
    carriedBookValue = 24,
    carriedRevisedBase = 25,
    carriedChoice = 26,
    // The month business use began ("YYYY-MM"), empty when it began at
    // acquisition.
    businessStart = 27,
    // Kept for the municipal return: the kind of depreciable asset chosen
    // on the card, and "1" for an asset bought used.
    municipalKind = 28,
    boughtUsed = 29,
};

// The texts of the columns above.
inline constexpr const char* kComputedChoice = "計算";
inline constexpr const char* kLeavingScrapped = "除却";
inline constexpr const char* kLeavingSold = "売却";
inline constexpr const char* kLeavingPrivate = "自家転用";

using Row = std::array<std::string, kColumns>;

// The cell of `row` in `column`.
[[nodiscard]] inline const std::string& cellOf(const Row& row, Column column) {
    return row[static_cast<std::size_t>(column - 1)];
}
// The cell read as a whole number: nothing for a cell that is no number or
// not a whole one.
[[nodiscard]] std::optional<int> wholeCellOf(const Row& row, Column column);

// The table of text cells, rows 1..kMaxRecords and columns 1..kColumns.
// Only the rows written so far are held: a row never written reads as
// empty cells, and writing a row makes room up to it without moving the
// rows already there (a reference to a row stays valid).
class AssetRegister {
  public:
    AssetRegister();
    // Throws std::out_of_range outside rows 1..kMaxRecords or columns
    // 1..kColumns.
    [[nodiscard]] const std::string& at(int row, int col) const;
    [[nodiscard]] std::string& at(int row, int col);
    [[nodiscard]] const Row& row(int row) const;
    [[nodiscard]] Row& row(int row);
    // Every cell becomes "".
    void clear();

    // Equal when every cell is equal; rows never written count as empty.
    friend bool operator==(const AssetRegister& a, const AssetRegister& b);

  private:
    std::deque<Row> rows_;
};

// The eleven type names in code order, and the seven method names.
inline constexpr std::array<const char*, 11> kTypeNames = {"建　物", "付帯設備", "機　械", "装　置",
                                                           "備　品", "什器類",   "工　具", "車両等",
                                                           "その他", "繰延資産", "生　物"};
inline constexpr std::array<const char*, 7> kMethodNames = {
    "旧定率法", "旧定額法", "均等法", "新定額法", "新定率法", "定額法", "少額特例"};

struct ProgramState {
    AssetRegister assetRegister;
    std::int16_t recordCount = 0;
    std::int16_t currentRecord = 1;
    std::string programFolder;
    std::string chosenFilePath;
    std::string currentFilePath;
    std::string closingMonth = "12";
    // Fields 1 to 3 of the settings file, written back exactly as read.
    std::array<std::string, 3> reservedSettings{};
};

}  // namespace fenmark::reg
