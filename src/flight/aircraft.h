#pragma once

#include <optional>
#include <QString>

namespace flight {

// The aircraft a saved flight was saved with: the value of its last "Aircraft=" line, at most 30
// characters; empty when it has none. No value when savedFlightFolder + "Talvo.FLT" cannot be
// read.
std::optional<QString> ReadSavedFlightAircraft(const QString& savedFlightFolder);

// True when the aircraft text begins with "Boeing 747-400", letter case included.
bool isBoeing747400(const QString& aircraft);

} // namespace flight
