#pragma once

#include "flight/flightfields.h"

#include <QString>

namespace textio {
class LineReader;
}

namespace flight {

// Reads the flight plan savedFlightFolder + planName + ".pln" into the route fields, then sets
// V1, Vr and V2 from the fuel on board. False when the plan cannot be read, a number in it
// overflows, or FuelOnBoard does not hold a number.
bool ReadFlightPlan(const QString& savedFlightFolder, const QString& planName,
                    FlightFields& fields);

// The route fields from the lines of a plan already open; false on an overflow or a read error.
bool readFlightPlanLines(textio::LineReader& plan, FlightFields& fields);

// V1, Vr and V2 from the fuel on board shown; false when it is not a number.
bool setTakeoffSpeeds(FlightFields& fields);

} // namespace flight
