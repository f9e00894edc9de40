#include "support/geometry.h"

#include "ui/fonts.h"

#include <QApplication>

void prepareApplication() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::installFontSubstitutes();
}
