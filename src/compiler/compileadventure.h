#pragma once

#include "compiler/adventurevalues.h"

#include <QString>
#include <QStringList>

namespace compiler {

enum class CompileOutcome {
    NoFlightPlan,    // no plan name: nothing was done
    ForeignAircraft, // not a Boeing 747-400: nothing was done, the main interface takes over
    Refused,         // the plan name cannot name files: nothing was written
    Failed,          // a file could not be read or written, or another compile was running:
                     // nothing was changed
    Compiled,        // every file written; the message says whether the simulator will run the
                     // script, and if not, why
};

struct CompileResult {
    CompileOutcome outcome;
    QString message;   // for the pilot
    QStringList notes; // shown before the message: what became of an interrupted compile
};

// Compiles the adventure from the saved flight, its flight plan and the values shown on the
// compiler window: writes the adventure flight (plan name + ".flt"), rewrites the flight plan's
// cruising altitude through a working copy (plan name + ".pln"), both in the working folder, and
// writes the adventure script "lib\" + plan name + ".abl" from the two templates.
//
// The compile is one change: every output is written whole, checked and synced beside its target
// before the first target is replaced, so a failure (an unreadable input, a full disk, a file that
// cannot be replaced) leaves every file as it was, and the message names the file and the reason.
// One compile at a time runs in a working folder. A compile that was interrupted (a kill, a
// crash, a power cut) is finished or undone before the next one starts, and the notes say so.
CompileResult CompileAdventure(const QString& savedFlightFolder, const AdventureValues& values);

} // namespace compiler
