// Writes the program's window icon as PNG files, one a size, for the desktop's icon theme:
// render-icon <folder> writes <folder>/<size>/talvo.png.
#include "ui/artwork.h"

#include <cstdio>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-icon <folder>\n");
        return 2;
    }
    const QIcon icon = ui::artwork::windowIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1").arg(size);
        if (!QDir().mkpath(folder) ||
            !icon.pixmap(size, size).save(folder + QStringLiteral("/talvo.png"))) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
