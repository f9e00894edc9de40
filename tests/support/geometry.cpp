#include "support/geometry.h"

#include <QApplication>

#include "ui/fonts.h"

void prepareApplication() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::installFontSubstitutes();
}
