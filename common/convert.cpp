#include "common/convert.h"

#include <cfloat>
#include <cmath>

namespace fenmark::common {

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; compute it explicitly instead.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double roundUp(double value) { return std::ceil(value); }

double roundDown(double value) { return std::floor(value); }

std::int16_t toInt16(double value) {
    if (std::isnan(value)) throw OverflowError("オーバーフローしました。");
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) throw OverflowError("オーバーフローしました。");
    return static_cast<std::int16_t>(rounded);
}

std::int32_t toInt32(double value) {
    if (std::isnan(value)) throw OverflowError("オーバーフローしました。");
    const double rounded = roundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        throw OverflowError("オーバーフローしました。");
    }
    return static_cast<std::int32_t>(rounded);
}

float toSingle(double value) {
    if (std::isnan(value) || std::isinf(value)) throw OverflowError("オーバーフローしました。");
    // A value just above FLT_MAX can still round down to it; anything that
    // would round to infinity is an overflow.
    if (std::fabs(value) > static_cast<double>(FLT_MAX)) {
        const double limit =
            static_cast<double>(FLT_MAX) +
            (static_cast<double>(FLT_MAX) - static_cast<double>(std::nextafterf(FLT_MAX, 0.0f))) /
                2.0;
        if (std::fabs(value) >= limit) throw OverflowError("オーバーフローしました。");
        return value < 0 ? -FLT_MAX : FLT_MAX;
    }
    return static_cast<float>(value);
}

std::int16_t addInt16(std::int32_t a, std::int32_t b) {
    return toInt16(static_cast<double>(a) + static_cast<double>(b));
}

std::int16_t mulInt16(std::int32_t a, std::int32_t b) {
    return toInt16(static_cast<double>(a) * static_cast<double>(b));
}

}  // namespace fenmark::common
