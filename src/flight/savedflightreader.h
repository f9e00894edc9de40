#pragma once

#include "flight/flightfields.h"

#include <optional>
#include <QString>

namespace textio {
class LineReader;
}

namespace flight {

// Reads the pilot's saved flight, savedFlightFolder + "Talvo.FLT": the flight plan's name into
// Text1, the aircraft into Combo1, the fuel on board summed from the six tanks into FuelOnBoard
// after every line, and at the end the total fuel percentage into Text14. Fields are written while
// the file is read, in line order. Returns the flight plan's name (possibly empty); no value when
// the file cannot be read, a "[GPS" line is its last line, a number overflows, or FuelOnBoard
// does not hold a number at the end.
std::optional<QString> ReadSavedFlight(const QString& savedFlightFolder, FlightFields& fields);

// The same, from the lines of a saved flight already open.
std::optional<QString> readSavedFlightLines(textio::LineReader& savedFlight, FlightFields& fields);

// The flight plan's name from the line after "[GPS": the text after "FILENAME=FLIGHTS\MYFLTS\"
// (prefix in any letter case), otherwise the text after the first 9 characters; at most 100
// characters, in the line's own letter case.
QString planNameFromLine(const QByteArray& planLine);

} // namespace flight
