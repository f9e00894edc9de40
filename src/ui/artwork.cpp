#include "ui/artwork.h"

#include "ui/netpbm.h"

#include <array>
#include <QGuiApplication>
#include <QLatin1String>
#include <QResource>

namespace ui::artwork {
namespace {

// A picture from the resources (see src/ui/CMakeLists.txt). They are stored uncompressed as
// PPM or PAM, so loading one only converts its pixels, in place in the program's own memory, to
// the screen's format: no decompression, no decoding.
QPixmap shipped(const QString& path) {
    const QResource resource(path);
    if (resource.compressionAlgorithm() != QResource::NoCompression) {
        return {};
    }
    return QPixmap::fromImage(netpbmImage(resource.data(), resource.size()));
}

// On a screen scaled up, the picture with twice as many pixels each way, so it stays sharp.
QPixmap shipped(const char* name) {
    const bool twice = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    QPixmap picture = shipped(QStringLiteral(":/artwork/") + QLatin1String(name) +
                              (twice ? QStringLiteral("@2x.ppm") : QStringLiteral(".ppm")));
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
            result.addPixmap(shipped(QStringLiteral(":/artwork/icon-%1.pam").arg(size)));
        return result;
    }();
    return icon;
}

} // namespace ui::artwork
