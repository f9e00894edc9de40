#include "ui/application.h"

#include "ui/artwork.h"
#include "ui/fontsubstitutes.h"
#include "ui/messages.h"

#include <QApplication>

namespace ui {

void prepareApplication() {
    QApplication::setApplicationName(QString::fromLatin1(ui::kAppTitle));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::artwork::windowIcon());
    // Hidden windows keep the program alive; closing any window ends it (see the windows).
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutes();
}

} // namespace ui
