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
    bool callList = true;
    bool rateFlight = true;
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
// none outside a take-off roll, and none at all when CallSpeed is 0. With a V1 of 80 kt or less
// "Eighty knots" may be left out. And "Take-off rejected" once in each take-off roll that stops
// on the runway without lifting off, nowhere else.
std::vector<BrokenRule> speedCallRules(const Flight& flight, const std::vector<Record>& records,
                                       const Settings& settings);

// The rules of the pilot's two other options in one flight: no check-list prompt when CallList
// is 0, and "Take-off rejected" only with CallSpeed 1; the rating (its grade line, "Flight
// rating...", and the remarks after it) never when RateFlight is 0, and otherwise once after
// each landing and stop, before the next take-off roll. A text that is neither a speed call,
// "Take-off rejected" nor part of the rating is a check-list prompt.
std::vector<BrokenRule> optionRules(const Flight& flight, const std::vector<Record>& records,
                                    const Settings& settings);

} // namespace rehearsal
