#pragma once
// The simplified life of a used asset (耐用年数省令 3条1項2号): from the
// statutory life and the time since the asset was new.
//
//   all of the life elapsed:  life × 20 %
//   part of it elapsed:       (life − elapsed) + elapsed × 20 %
//
// counted in months, the fraction of a year dropped, never below 2 years.

#include <string>

namespace fenmark::law {

// The lives and elapsed times the calculation accepts: the law's tables run
// from 2 to 60 years.
inline constexpr int kUsedLifeMin = 2;
inline constexpr int kUsedLifeMax = 100;
inline constexpr int kElapsedMonthsMax = 1200;

struct UsedAssetLife {
    int life = 0;
    int statutoryLife = 0;
    int elapsedMonths = 0;
    bool allElapsed = false;
    // How it was computed, for the user: "法定耐用年数10年、経過3年6か月：
    // (120か月 − 42か月) ＋ 42か月 × 20% ＝ 86.4か月 → 7年" (on one line).
    std::string explanation;
};

// Expects kUsedLifeMin <= statutoryLife <= kUsedLifeMax and
// 1 <= elapsedMonths <= kElapsedMonthsMax; throws std::invalid_argument
// otherwise.
[[nodiscard]] UsedAssetLife usedAssetLife(int statutoryLife, int elapsedMonths);

// "3年6か月", "4か月", "10年".
[[nodiscard]] std::string yearsAndMonths(int months);

}  // namespace fenmark::law
