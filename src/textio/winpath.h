#pragma once

#include <QString>

namespace textio {

// The program names its files the Windows way: "lib\Talvo.abl", or the saved-flights folder
// (a prefix ending in "\") followed by "Talvo.FLT". Those names are kept as they are, in memory
// and in talvo.ini; this is the one place that turns such a name into a path of this machine.
//
// On a POSIX system a backslash separates folders, and a name relative to no folder resolves
// against the current (working) folder. A part of the name that does not exist as written is
// looked up without regard to letter case in its folder, folder by folder, so "lib\talvo.abl"
// finds lib/Talvo.abl and a saved flight under a Wine prefix is found whatever its case. A part
// that exists under no case is kept as written, so a file created anew keeps the given case.
QString localPath(const QString& windowsName);

} // namespace textio
