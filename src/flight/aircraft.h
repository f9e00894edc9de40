#pragma once

#include <optional>
#include <QString>

namespace flight {

// The aircraft a saved flight was saved with: the value of its last "Aircraft=" line, at most 30
// characters; empty when it has none. No value when savedFlightFolder + "Talvo.FLT" cannot be
// read.
std::optional<QString> readSavedFlightAircraft(const QString& savedFlightFolder);

// What to tell the pilot when savedFlightFolder + "Talvo.FLT" cannot be read: that it does not
// exist when nothing has its name, otherwise what keeps it from being read ("it is a pipe (FIFO),
// not a regular file", a line or a size beyond the reader's bounds).
QString unreadableSavedFlightMessage(const QString& savedFlightFolder);

} // namespace flight
