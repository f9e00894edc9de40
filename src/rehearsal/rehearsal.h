#pragma once

#include "rehearsal/rules.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace rehearsal {

// What the script did in one built-in flight, and the rules it broke there.
struct FlightRehearsal {
    Flight flight;
    std::vector<Record> records; // texts shown, and sounds as "sound: <file>"
    std::vector<BrokenRule> broken;
};

struct Rehearsal {
    // Why the script was not rehearsed or stopped (a host name without a role, a runaway); empty
    // when every flight ran to its end.
    QString problem;
    Settings settings; // the six lines' speeds and options, as the script's first run set them
    std::vector<FlightRehearsal> flights;

    bool keepsEveryRule() const;
};

// Runs a script the checker accepted (placeholders of the simulator's names are run like real
// names: their host lines give their roles) over every built-in flight for its own speeds.
Rehearsal rehearse(QByteArrayView script);

} // namespace rehearsal
