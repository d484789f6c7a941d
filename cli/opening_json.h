#pragma once
// Where an asset's schedule starts from when that is not simply its cost at
// acquisition: the opening carried in from a filed return, and the book
// value a private asset entered the business with. Shared by schedule and
// statement.

#include <optional>

#include "cli/json_writer.h"
#include "schedule/schedule.h"

namespace fenmark::cli {

// "carried": {"year": 2026, "bookValue": 131070, "revisedBase": 262140,
// "computedBookValue": 131072, "difference": -2, "fromComputed": false,
// "applied": true} for an asset with a carried opening (revisedBase,
// computedBookValue and difference null where there is none); nothing
// otherwise.
void writeCarried(JsonWriter& json, const std::optional<schedule::Schedule::Carried>& carried);

// "conversion": {"acquired": "2008-01", "started": "2010-01",
// "extendedLife": 9, "rate": "0.111", "years": 2, "loss": 199800,
// "capped": false, "bookValue": 800200, "text": "1,000,000 × 0.9 × ..."} for
// an asset put to business use after it was acquired; nothing otherwise.
void writeConversion(JsonWriter& json,
                     const std::optional<schedule::Schedule::Conversion>& conversion);

}  // namespace fenmark::cli
