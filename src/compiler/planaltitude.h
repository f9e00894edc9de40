#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace textio {
class LineReader;
class LineWriter;
} // namespace textio

namespace compiler {

// Copies a flight plan, replacing each line whose first 8 characters are "cruising" with
// "cruising_altitude=" + altitude. The line after a replaced one is copied without being tested.
void rewriteCruisingAltitude(textio::LineReader& in, textio::LineWriter& out,
                             QByteArrayView altitude);

// Copies every line; returns how many there were.
qsizetype copyLines(textio::LineReader& in, textio::LineWriter& out);

} // namespace compiler
