#pragma once

#include "rehearsal/rules.h"

#include <QImage>
#include <vector>

namespace rehearsal {

// One rehearsed flight as the plot shows it: the aircraft's states, what the script showed or
// played, and the rules it broke.
struct PlottedFlight {
    const Flight* flight = nullptr;
    std::vector<Record> records;
    std::vector<BrokenRule> broken;
};

// A picture a pilot reads at a glance: one panel per flight, speed (knots, left scale) and height
// (feet, right scale) over time, each text the script showed marked where it came, on the speed
// line, with its text above; a broken rule is a red mark at its time, named under the panel.
// Needs a QGuiApplication (the texts are drawn with the system's fonts).
QImage plotRehearsal(const std::vector<PlottedFlight>& flights);

} // namespace rehearsal
