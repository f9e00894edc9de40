#pragma once

#include <optional>
#include <QChar>
#include <QString>

namespace files {

// The program names its files the Windows way: "lib\Talvo.abl", or the saved-flights folder
// (a prefix ending in "\") followed by "Talvo.FLT". Those names are kept as they are, in memory
// and in talvo.ini; this is the one place that turns such a name into a path of this machine.
//
// On Windows the name is resolved as Windows opens it, against the working folder (or the
// current folder of its drive), into an absolute path with "/" between folders; the parts that
// exist take the letter case their folder gives them, as below, the rest stays as written.
//
// On a POSIX system a backslash separates folders, and a name relative to no folder resolves
// against the current (working) folder. A part of the name that does not exist as written is
// looked up without regard to letter case in its folder, folder by folder, so "lib\talvo.abl"
// finds lib/Talvo.abl and a saved flight under a Wine prefix is found whatever its case. A part
// that exists under no case is kept as written, so a file created anew keeps the given case.
//
// A name that begins with a drive ("C:\...", "d:/...", "C:", any letter case) names a file of
// the simulator's Windows drives, which under Wine are folders of the pilot's Wine prefix: the
// prefix is the folder the environment variable WINEPREFIX names, or $HOME/.wine when WINEPREFIX
// is unset or empty (resolving file names is the only reason the program reads these two
// variables). The drive is the prefix's link dosdevices/<letter>: (Wine's "c:" leads to
// ../drive_c, "z:" to "/"), found without regard to letter case and followed; the rest of the
// name resolves from the drive's folder as above, and "C:name" alike from the drive's root.
// When the prefix has no dosdevices folder or no link for the letter, drive C: is the prefix's
// drive_c folder if there is one; any other drive, or C: of a prefix without drive_c, leaves the
// name to resolve as written against the working folder, as before drives were known, so the
// file is then reported missing.
QString localPath(const QString& windowsName);

// A name that begins with a drive, taken apart: the drive's letter and the rest of the name
// after its colon ("\users\x" for "C:\users\x", empty for "C:").
struct DriveName {
    QChar letter;
    QString rest;
};
// The drive of a name such as "C:\users" or "d:/x": a letter of A to Z (any case), then a colon.
std::optional<DriveName> splitDrive(const QString& windowsName);

} // namespace files
