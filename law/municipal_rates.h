#pragma once
// The reduction rates of the municipal return on depreciable assets
// (償却資産申告): the 減価率 r of each useful life, as the 固定資産評価基準
// prints it in its table 「耐用年数に応ずる減価率表」 (lives 2 to 50, 55 and
// 60), and the two 減価残存率 made of it: A = 1 − r/2 truncated to three
// places for the first year, B = 1 − r for every later year. All three are
// thousandths, exact.
//
//   reductionRate(5) == 369, firstYearRate(5) == 815, laterYearRate(5) == 631

#include <optional>

namespace fenmark::law {

// r in thousandths for a life the table prints; for the lives between and
// beyond its entries (51 to 100), the 旧定率法 rate of the life, which the
// printed rates equal. Nothing for a life below 2 or above 100.
[[nodiscard]] std::optional<int> reductionRate(int life);
// Whether the printed table itself has the life.
[[nodiscard]] bool printedReductionRate(int life);
// A and B in thousandths; nothing where reductionRate gives nothing.
[[nodiscard]] std::optional<int> firstYearRate(int life);
[[nodiscard]] std::optional<int> laterYearRate(int life);

}  // namespace fenmark::law
