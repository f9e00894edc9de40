#pragma once

// The one rule that links the fuel load to the take-off speeds of the 747-400. All arithmetic is in
// doubles, and every reduction to a whole number takes the floor (towards minus infinity).
namespace params {

// Fuel on board with all six tanks full, in gallons.
inline constexpr double kFullTankCapacity = 57275;
// The fuel on board at 10 %; only fuel above it raises the speeds.
inline constexpr double kMinimumFuel = 5727;

// Fuel on board in gallons for a fuel percentage: floor(percent x 57275 / 100). Infinite when the
// product leaves the range of a double.
double ComputeFuelOnBoard(double percent);

struct TakeoffSpeeds {
    double v1 = 0;
    double vr = 0;
    double v2 = 0;
};

// V1, Vr and V2 in whole knots for the fuel on board in gallons: each base speed (133, 143, 163
// knots) plus floor(excess x factor / 57275) for the fuel in excess of the minimum (factors 21,
// 32, 21); the base speeds when there is no excess.
TakeoffSpeeds ComputeTakeoffSpeeds(double fuelOnBoard);

} // namespace params
