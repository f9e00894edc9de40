// Paints every picture of the program for its resources (run by the build, headless):
//   render-pictures <folder>
// writes <folder>/<name>.ppm and <folder>/<name>@2x.ppm for each picture (twice as many pixels
// each way), and <folder>/icon-<size>.png for each size of the window icon.
#include "pictures/painting.h"
#include "ui/fontsubstitutes.h"

#include <cstdio>
#include <QDir>
#include <QGuiApplication>

namespace {

bool save(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format)) {
        return true;
    }
    std::fprintf(stderr, "render-pictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-pictures <folder>\n");
        return 2;
    }
    ui::installFontSubstitutes();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "render-pictures: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    for (const pictures::Picture picture : pictures::kPictures) {
        const QString stem = folder + QLatin1Char('/') + pictures::pictureName(picture);
        if (!save(pictures::paintPicture(picture, 1.0), stem + QStringLiteral(".ppm"), "PPM") ||
            !save(pictures::paintPicture(picture, 2.0), stem + QStringLiteral("@2x.ppm"), "PPM")) {
            return 1;
        }
    }
    for (const int size : pictures::kIconSizes) {
        if (!save(pictures::paintIconFace(size), folder + QStringLiteral("/icon-%1.png").arg(size),
                  "PNG")) {
            return 1;
        }
    }
    return 0;
}
