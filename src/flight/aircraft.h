#pragma once

#include <optional>
#include <QString>

namespace flight {

// The aircraft a saved flight was saved with: the value of its last "Aircraft=" line, at most 30
// characters; empty when it has none. No value when savedFlightFolder + "Talvo.FLT" cannot be
// read.
std::optional<QString> readSavedFlightAircraft(const QString& savedFlightFolder);

} // namespace flight
