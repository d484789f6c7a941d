#pragma once
// fenmark-cli life: the statutory useful lives the words find, or the
// simplified life of a used asset.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/output.h"

namespace fenmark::cli {

inline constexpr const char* kMsgLifeNothingAsked =
    "探す語か、--used と --elapsed-months を指定してください。";
inline constexpr const char* kMsgLifeWordsAndUsed = "探す語と --used は一緒に指定できません。";
inline constexpr const char* kMsgLifeUsedPair =
    "--used と --elapsed-months は両方を指定してください。";
inline constexpr const char* kMsgLifeBadUsed =
    "法定耐用年数が正しくありません。2～100の整数で指定してください。";
inline constexpr const char* kMsgLifeBadElapsed =
    "経過月数が正しくありません。1～1200の整数で指定してください。";
inline constexpr const char* kMsgLifeNothingFound = "当てはまる項目はありません。";

struct LifeOptions {
    std::vector<std::string> words;
    // Kept as typed, so that a bad number gets this program's message.
    std::optional<std::string> used;
    std::optional<std::string> elapsedMonths;
    Format format = Format::Json;
    Encoding encoding = Encoding::Utf8;
};

// Prints the entries the words find, best first, or the used-asset life,
// and returns the exit status: 1 with the message on `err` (nothing on
// `out`) for bad arguments or a table that cannot be read. Words that find
// nothing print an empty table, with a note on `err`, and return 0.
//
// JSON: {"query", "entries": [{"id", "table", "kind", "structureOrUse",
// "detail", "years", "toBeConfirmed"}]}, or {"life", "statutoryLife",
// "elapsedMonths", "allElapsed", "explanation"}. TSV and CSV have a heading
// line and a row per entry (要確認 in its column where it applies), or the
// one row of the calculation.
[[nodiscard]] int runLife(const LifeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fenmark::cli
