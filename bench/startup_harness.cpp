// Starts, shows the first window and ends at once, for the start-up benchmark:
//   startup_harness talvo    the program's start-up in the current folder, to the main interface
//   startup_harness minimal  a minimal Qt program that shows one empty window
#include "app/navigator.h"
#include "ui/application.h"

#include <cstring>
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "talvo") == 0) {
        ui::prepareApplication();
        app::Navigator navigator;
        if (!navigator.start()) {
            return 1;
        }
        QApplication::processEvents(); // the main interface is laid out and painted
        return 0;
    }
    QWidget window;
    window.resize(792, 573);
    window.show();
    QApplication::processEvents();
    return 0;
}
