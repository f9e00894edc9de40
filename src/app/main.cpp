#include "app/navigator.h"
#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/messages.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ui::kAppTitle));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::artwork::windowIcon());
    // Hidden windows keep the program alive; closing any window ends it (see the windows).
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutes();

    app::Navigator navigator;
    QObject::connect(&navigator, &app::Navigator::finished, &application, &QApplication::exit);
    if (!navigator.start()) {
        return 1;
    }
    return QApplication::exec();
}
