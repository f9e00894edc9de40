#include "app/application.h"
#include "app/navigator.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::prepareApplication();
    app::Navigator navigator;
    QObject::connect(&navigator, &app::Navigator::finished, &application, &QApplication::exit);
    if (!navigator.start()) {
        return 1;
    }
    return QApplication::exec();
}
