#include "law/used_asset_life.h"

#include <stdexcept>

namespace fenmark::law {

namespace {

// Tenths as "86.4", or "86" when whole.
std::string tenthsText(int tenths) {
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += '.';
        text += std::to_string(tenths % 10);
    }
    return text;
}

}  // namespace

std::string yearsAndMonths(int months) {
    const int years = months / 12;
    const int rest = months % 12;
    if (years == 0) return std::to_string(rest) + "か月";
    if (rest == 0) return std::to_string(years) + "年";
    return std::to_string(years) + "年" + std::to_string(rest) + "か月";
}

UsedAssetLife usedAssetLife(int statutoryLife, int elapsedMonths) {
    if (statutoryLife < kUsedLifeMin || statutoryLife > kUsedLifeMax || elapsedMonths < 1 ||
        elapsedMonths > kElapsedMonthsMax) {
        throw std::invalid_argument("usedAssetLife: life or elapsed time out of range");
    }
    UsedAssetLife result;
    result.statutoryLife = statutoryLife;
    result.elapsedMonths = elapsedMonths;
    const int lifeMonths = statutoryLife * 12;
    result.allElapsed = elapsedMonths >= lifeMonths;
    // Everything in tenths of a month: 20 % of whole months is a whole
    // number of tenths, so no step rounds.
    int tenths = 0;
    result.explanation = std::string("法定耐用年数") + std::to_string(statutoryLife) + "年、経過" +
                         yearsAndMonths(elapsedMonths) + (result.allElapsed ? "（全部経過）" : "") +
                         "：";
    if (result.allElapsed) {
        tenths = lifeMonths * 2;
        result.explanation +=
            std::to_string(statutoryLife) + "年 × 20% ＝ " + tenthsText(statutoryLife * 2) + "年";
    } else {
        tenths = (lifeMonths - elapsedMonths) * 10 + elapsedMonths * 2;
        result.explanation += std::string("(") + std::to_string(lifeMonths) + "か月 − " +
                              std::to_string(elapsedMonths) + "か月) ＋ " +
                              std::to_string(elapsedMonths) + "か月 × 20% ＝ " +
                              tenthsText(tenths) + "か月";
    }
    const int years = tenths / 120;
    result.life = years < 2 ? 2 : years;
    result.explanation += std::string(" → ") + std::to_string(result.life) + "年";
    if (years < 2) result.explanation += "（2年未満は2年）";
    return result;
}

}  // namespace fenmark::law
