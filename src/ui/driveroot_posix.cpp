#include "textio/winpath.h"
#include "ui/driveroot.h"

#include <QFileInfo>

namespace ui {

QString driveRootFolder(QChar letter) {
    const QString folder = textio::localPath(letter + QStringLiteral(":\\"));
    return QFileInfo(folder).isDir() ? folder : QStringLiteral("/");
}

} // namespace ui
