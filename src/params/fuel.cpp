#include "params/fuel.h"

#include <cmath>

namespace params {
namespace {

struct SpeedRule {
    double base;
    double factor;
};
constexpr SpeedRule kV1{133, 21};
constexpr SpeedRule kVr{143, 32};
constexpr SpeedRule kV2{163, 21};

double speed(const SpeedRule& rule, double excess) {
    if (!(excess > 0)) {
        return rule.base;
    }
    // The product first, then the division, as the rule is written.
    return rule.base + std::floor(excess * rule.factor / kFullTankCapacity);
}

} // namespace

double ComputeFuelOnBoard(double percent) {
    return std::floor(percent * kFullTankCapacity / 100);
}

TakeoffSpeeds ComputeTakeoffSpeeds(double fuelOnBoard) {
    const double excess = fuelOnBoard - kMinimumFuel;
    return {speed(kV1, excess), speed(kVr, excess), speed(kV2, excess)};
}

} // namespace params
