#pragma once

#include <QString>
#include <vector>

namespace rehearsal {

// The aircraft's state at one run of the script.
struct Sample {
    double time = 0;          // seconds from the start of the flight
    double speed = 0;         // knots indicated
    double height = 0;        // feet above the ground
    double verticalSpeed = 0; // feet per minute
    double pitch = 0;         // degrees
    double flaps = 0;         // degrees
    bool onGround = true;
    bool gearDown = true;
};

struct Flight {
    QString name;
    std::vector<Sample> samples;
};

// The runs of the script a second in a simulated flight.
inline constexpr double kRunsPerSecond = 4;

// The built-in flights for the take-off speeds v1, vr and v2 (knots): a normal take-off and
// climb, rejected take-offs below and after V1, a fast taxi that stops, a flight saved in the air
// that lands, touch-and-goes from the ground and from the air, a go-around, a bounce, and a
// second take-off after landing.
std::vector<Flight> builtInFlights(double v1, double vr, double v2);

} // namespace rehearsal
