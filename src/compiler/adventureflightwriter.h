#pragma once

#include "compiler/adventurevalues.h"

#include <QByteArray>

namespace textio {
class LineReader;
class LineWriter;
} // namespace textio

namespace compiler {

// The sentence that closes the description line of every adventure flight.
extern const char* const kCreditSentence;

// The description line of the adventure flight, as written into the file.
QByteArray descriptionLine(const AdventureValues& values);

// Copies the saved flight's lines into the adventure flight, rewriting the title, description,
// aircraft and tank lines, with the engine-off option the engine and switch lines, and adding the
// reference to the adventure script after "[Main]". When the saved flight ends while a rewrite
// still needs lines, what the rewrite makes of the lines there are is written and the copy ends.
// False when the saved flight has no "[Main]" line, so the adventure flight names no script.
bool writeAdventureFlightLines(textio::LineReader& in, textio::LineWriter& out,
                               const AdventureValues& values);

} // namespace compiler
