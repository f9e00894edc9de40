// Writes the program's window icon: as PNG files, one a size, for the desktop's icon theme
// (render-icon <folder> writes <folder>/<size>/talvo.png), or as one Windows icon file holding
// every size (render-icon --ico <file>), which talvo.exe carries as its resource.
#include "ui/artwork.h"

#include <cstdio>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QList>
#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr int sizes[] = {16, 32, 48, 64, 128, 256};

void appendLittleEndian16(QByteArray& bytes, int value) {
    char field[2];
    qToLittleEndian(static_cast<quint16>(value), field);
    bytes.append(field, 2);
}

void appendLittleEndian32(QByteArray& bytes, qsizetype value) {
    char field[4];
    qToLittleEndian(static_cast<quint32>(value), field);
    bytes.append(field, 4);
}

// A Windows icon file whose images are PNG files (Windows Vista and later read them).
QByteArray iconFile(const QIcon& icon) {
    QList<QByteArray> images;
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!icon.pixmap(size, size).toImage().save(&buffer, "PNG")) {
            return {};
        }
        images.append(png);
    }
    QByteArray file;
    appendLittleEndian16(file, 0); // reserved
    appendLittleEndian16(file, 1); // an icon
    appendLittleEndian16(file, static_cast<int>(images.size()));
    qsizetype offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = sizes[i];
        file.append(static_cast<char>(size == 256 ? 0 : size)); // 0 stands for 256
        file.append(static_cast<char>(size == 256 ? 0 : size));
        file.append('\0');              // no palette
        file.append('\0');              // reserved
        appendLittleEndian16(file, 1);  // colour planes
        appendLittleEndian16(file, 32); // bits a pixel
        appendLittleEndian32(file, images[i].size());
        appendLittleEndian32(file, offset);
        offset += images[i].size();
    }
    for (const QByteArray& image : images) {
        file.append(image);
    }
    return file;
}

int writeIconFile(const QString& name) {
    const QByteArray bytes = iconFile(ui::artwork::windowIcon());
    QSaveFile file(name);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(name));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--ico") {
        return writeIconFile(QString::fromLocal8Bit(argv[2]));
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-icon <folder> | render-icon --ico <file>\n");
        return 2;
    }
    const QIcon icon = ui::artwork::windowIcon();
    for (const int size : sizes) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1").arg(size);
        if (!QDir().mkpath(folder) ||
            !icon.pixmap(size, size).save(folder + QStringLiteral("/talvo.png"))) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
