#include "app/navigator.h"
#include "ui/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ui::prepareApplication();
    app::Navigator navigator;
    QObject::connect(&navigator, &app::Navigator::finished, &application, &QApplication::exit);
    if (!navigator.start()) {
        return 1;
    }
    return QApplication::exec();
}
