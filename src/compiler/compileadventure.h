#pragma once

#include "compiler/adventurevalues.h"

#include <QString>

namespace compiler {

enum class CompileOutcome {
    NoFlightPlan,    // no plan name: nothing was done
    ForeignAircraft, // not a Boeing 747-400: nothing was done, the main interface takes over
    Refused,         // the plan name cannot name files: nothing was written
    Failed,          // a file could not be read or written
    Compiled,
};

struct CompileResult {
    CompileOutcome outcome;
    QString message; // for the pilot
};

// Compiles the adventure from the saved flight, its flight plan and the values shown on the
// compiler window: writes the adventure flight (plan name + ".flt"), rewrites the flight plan's
// cruising altitude through a working copy (plan name + ".pln"), both in the working folder, and
// writes the adventure script "lib\" + plan name + ".abl" from the two templates.
//
// Every file is replaced only when it has been written whole, so a failure never leaves a file
// half written; before anything is written, the inputs are proved readable and the outputs
// replaceable.
CompileResult CompileAdventure(const QString& savedFlightFolder, const AdventureValues& values);

} // namespace compiler
