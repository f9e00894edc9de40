#include "ui/artwork.h"

#include <array>
#include <QGuiApplication>
#include <QLatin1String>

namespace ui::artwork {
namespace {

// A picture from the resources (see src/ui/CMakeLists.txt): on a screen scaled up, the one with
// twice as many pixels each way. The opaque pictures are stored as PPM, the fastest to load of
// the formats Qt reads (no decompression, no filters).
QPixmap shipped(const char* name) {
    const bool twice = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    QPixmap picture(QStringLiteral(":/artwork/") + QLatin1String(name) +
                        (twice ? QStringLiteral("@2x.ppm") : QStringLiteral(".ppm")),
                    "PPM");
    picture.setDevicePixelRatio(twice ? 2.0 : 1.0);
    return picture;
}

} // namespace

QPixmap banner() {
    static const QPixmap picture = shipped("banner");
    return picture;
}

QPixmap columnImage() {
    static const QPixmap picture = shipped("column");
    return picture;
}

QPixmap mainIllustration() {
    static const QPixmap picture = shipped("main");
    return picture;
}

QPixmap buttonImage(ButtonImage which) {
    static const std::array<QPixmap, 3> faces = {shipped("button-load"), shipped("button-compile"),
                                                 shipped("button-exit")};
    return faces[static_cast<std::size_t>(which)];
}

QIcon windowIcon() {
    static const QIcon icon = [] {
        QIcon result;
        for (const int size : {16, 32, 48, 64, 128, 256})
            result.addPixmap(QPixmap(QStringLiteral(":/artwork/icon-%1.png").arg(size), "PNG"));
        return result;
    }();
    return icon;
}

} // namespace ui::artwork
