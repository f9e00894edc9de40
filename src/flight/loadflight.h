#pragma once

#include "flight/flightfields.h"

#include <functional>
#include <QString>

namespace flight {

using ShowMessage = std::function<void(const QString&)>;

// The flight load: reads the saved flight, then the flight plan it names, into the compiler
// window's fields, and ends with "Flight Plan <name> Loaded". A failure ends the load with one
// message for the stage it reached; nothing already written is undone.
void LoadFlight(const QString& savedFlightFolder, FlightFields& fields, const ShowMessage& show);

} // namespace flight
