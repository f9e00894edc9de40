#include "ui/driveroot.h"

namespace ui {

QString driveRootFolder(QChar letter) {
    return letter + QStringLiteral(":/");
}

} // namespace ui
