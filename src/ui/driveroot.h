#pragma once

#include <QChar>
#include <QString>

namespace ui {

// The folder the directory list opens for the root of a drive ("C:\"). On Windows it is that
// drive's root. On a POSIX system it is the drive's folder in the pilot's Wine prefix (the
// prefix's C: drive, drive_c, for "C:\"), found as every file name of the program is found
// (files::localPath), when that folder exists; otherwise it is "/".
QString driveRootFolder(QChar letter);

} // namespace ui
