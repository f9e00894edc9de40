#pragma once

#include "rehearsal/flights.h"

#include <QString>
#include <vector>

namespace rehearsal {

// One text the script showed or one sound it played, with the run it came in.
struct Record {
    Sample state; // the aircraft at that run, its time included
    QString text;
};

struct Settings {
    double v1 = 0;
    double vr = 0;
    double v2 = 0;
    bool callSpeed = true;
};

struct BrokenRule {
    double time = 0;
    QString rule;
};

// The runs after a speed is reached within which its call-out must come.
inline constexpr int kLateRuns = 3;

// The rules of the speed call-outs "Eighty knots", "V1", "Rotate" and "V2" in one flight: each
// once per take-off roll (an acceleration on the ground through 80 kt, up to the next landing
// or stop), in that order, none before its speed and none more than kLateRuns runs after it,
// none outside a take-off roll, and none at all when CallSpeed is 0.
std::vector<BrokenRule> speedCallRules(const Flight& flight, const std::vector<Record>& records,
                                       const Settings& settings);

} // namespace rehearsal
