#pragma once

#include "compiler/adventurevalues.h"

#include <QByteArray>
#include <QList>

namespace compiler {

// The six lines the compile writes between the two script templates: the take-off speeds as
// shown and the three options, each 1 when ticked, else 0.
QList<QByteArray> scriptVariableLines(const AdventureValues& values);

} // namespace compiler
