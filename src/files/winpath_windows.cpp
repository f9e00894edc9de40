#include "files/winpath.h"

#include <QDir>

namespace files {

// On Windows the name is the path; a name relative to no folder is one of the working folder, as
// on other systems, so that messages name the file whole ("C:\...\lib\KSEA-PANC.abl"). The
// system finds any letter case by itself.
QString localPath(const QString& windowsName) {
    if (windowsName.isEmpty() || !QDir::isRelativePath(windowsName) || splitDrive(windowsName)) {
        return windowsName;
    }
    return QDir::toNativeSeparators(
        QDir::current().absoluteFilePath(QDir::fromNativeSeparators(windowsName)));
}

} // namespace files
