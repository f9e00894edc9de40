#include "files/winpath.h"
#include "ui/driveroot.h"

#include <QFileInfo>

namespace ui {

QString driveRootFolder(QChar letter) {
    const QString folder = files::localPath(letter + QStringLiteral(":\\"));
    return QFileInfo(folder).isDir() ? folder : QStringLiteral("/");
}

} // namespace ui
