#pragma once
// What the export writes about an asset straight from its register row, as
// numbers where the register holds numbers: shared by list, schedule and
// statement.

#include <cstdint>
#include <optional>
#include <string>

#include "cli/json_writer.h"
#include "register/state.h"

namespace fenmark::cli {

// The month of acquisition as "YYYY-MM" from the western year and the month
// the register holds; nothing when either is no whole number in range.
[[nodiscard]] std::optional<std::string> acquiredMonth(const reg::Row& row);

// The fields every command writes of asset `record`: "name", "code",
// "type" (the type's name), "quantity", "acquired" ("YYYY-MM") and
// "acquiredEra" (as the list shows it: "H. 19/4"), "cost"
// (whole yen), "life" and "revisedLife" (years), "rate" and "revisedRate"
// (exact decimal strings), "ratio" (the business share in percent).
// Numbers the register does not hold are null.
void writeAssetFields(JsonWriter& json, const reg::AssetRegister& assets, int record);

// "leaving": {"month": "2026-06", "kind": "売却", "salePrice": 300000} for an
// asset whose leaving is recorded (kind "除却", "売却" or "自家転用"; the
// sale price null but for a sale); nothing for one still in use. With
// `bookValue`, the book value that left is added as "bookValue".
void writeLeaving(JsonWriter& json, const reg::Row& row,
                  const std::optional<std::int64_t>& bookValue = std::nullopt);

}  // namespace fenmark::cli
