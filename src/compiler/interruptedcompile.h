#pragma once

#include "files/recovery.h"

#include <optional>
#include <QString>
#include <QStringList>

namespace compiler {

// The journal of a compile in the working folder (see files::FileReplacement).
extern const QString kCompileJournal;

// The folders a compile writes into: the working folder, its lib folder and the saved-flights
// folder.
QStringList compileFolders(const QString& savedFlightFolder);

// Finishes or undoes a compile that was interrupted in the working folder. The caller holds the
// compile lock.
files::Recovery recoverInterruptedCompile(const QString& savedFlightFolder);

// At the start of the program: the same, unless another instance is compiling now (its journal is
// its own). No value when there was nothing to tell; otherwise one message for the pilot.
std::optional<QString> recoverInterruptedCompileAtStart(const QString& savedFlightFolder);

} // namespace compiler
