#pragma once

#include <optional>
#include <QString>

namespace app {

// The first line of a talvo.ini that names no saved-flights folder yet.
inline constexpr const char* kNoFolderMarker = "none";

// What the start-up read, or why it could not.
struct StartupConfiguration {
    std::optional<QString> savedFlightFolder; // the first line of talvo.ini, exactly as stored
    QString failure;                          // a report for the pilot when there is no line
};

// Proves that the script template lib\talvo.abl is there, then reads the first line of
// talvo.ini. A missing or unreadable file, or a talvo.ini without any line, is a failure.
StartupConfiguration readStartupConfiguration();

// True for a folder whose last 22 characters, in upper case, are "FLIGHT SIMULATOR FILES", with
// at least one character before them.
bool isSavedFlightsFolder(const QString& path);

// Replaces talvo.ini with the single line savedFlightFolder, which the caller has made sure
// the 8-bit code page can hold. Returns a report for the pilot when the file cannot be written
// (talvo.ini then stays as it was).
std::optional<QString> storeSavedFlightFolder(const QString& savedFlightFolder);

} // namespace app
