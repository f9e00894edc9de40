// Paints every picture of the program for its resources (run by the build, headless):
//   render-pictures <folder>
// at the normal scale writes <folder>/<name>.ppm for each picture and <folder>/icon-<size>.pam for
// each size of the window icon (PAM: PPM's kin with an alpha channel); run with
// QT_SCALE_FACTOR=2, it writes <folder>/<name>@2x.ppm, with twice as many pixels each way, painted
// as the program painted them on a screen scaled up. Both formats are raw pixels behind a short
// header, which the program loads without decoding.
#include "pictures/painting.h"
#include "ui/fontsubstitutes.h"

#include <cstdio>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

namespace {

bool save(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format)) {
        return true;
    }
    std::fprintf(stderr, "render-pictures: cannot write %s\n", qPrintable(path));
    return false;
}

// PAM, as Qt writes none: red, green, blue and (not premultiplied) alpha, 8 bits each.
bool savePam(const QImage& image, const QString& path) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) &&
                   file.write(QStringLiteral("P7\nWIDTH %1\nHEIGHT %2\nDEPTH 4\nMAXVAL 255\n"
                                             "TUPLTYPE RGB_ALPHA\nENDHDR\n")
                                  .arg(rgba.width())
                                  .arg(rgba.height())
                                  .toLatin1()) > 0;
    for (int y = 0; written && y < rgba.height(); ++y) {
        const qint64 row = qint64(rgba.width()) * 4;
        written = file.write(reinterpret_cast<const char*>(rgba.constScanLine(y)), row) == row;
    }
    if (written && file.commit()) {
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
    const qreal ratio = application.devicePixelRatio();
    if (ratio != 1.0 && ratio != 2.0) {
        std::fprintf(stderr, "render-pictures: the scale must be 1 or 2, not %g\n", ratio);
        return 2;
    }
    const QString suffix = ratio == 1.0 ? QStringLiteral(".ppm") : QStringLiteral("@2x.ppm");
    for (const pictures::Picture picture : pictures::kPictures) {
        if (!save(pictures::paintPicture(picture, ratio),
                  folder + QLatin1Char('/') + pictures::pictureName(picture) + suffix, "PPM")) {
            return 1;
        }
    }
    for (const int size : pictures::kIconSizes) {
        if (ratio == 1.0 && !savePam(pictures::paintIconFace(size),
                                     folder + QStringLiteral("/icon-%1.pam").arg(size))) {
            return 1;
        }
    }
    return 0;
}
