#pragma once

#include "compiler/adventurevalues.h"

#include <optional>
#include <QByteArrayView>
#include <QString>

namespace compiler {

// Where the lines of a written adventure script came from: the opening template's lines, then
// the six lines of the pilot's settings, then the closing template's.
struct ScriptLayout {
    QString path;           // the script on this machine
    qsizetype openingLines; // lines of lib\Talvo.abl at the start of the script
};

// Checks the script the compile has written, as the simulator would load it. No value when it
// would load; otherwise one message for the pilot saying that the adventure's files are written
// but the simulator will not run the script, with the line, where that line came from (a
// template and its own line number, or the pilot's setting) and the problem in plain words. A
// script that would load is rehearsed over simulated flights: the first rule of its call-outs
// it breaks there (or a runaway) is said the same way.
std::optional<QString> scriptProblem(QByteArrayView script, const ScriptLayout& layout,
                                     const AdventureValues& values);

} // namespace compiler
