#include "support/scratchfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScratchFolder::ScratchFolder()
    : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

ScratchFolder::~ScratchFolder() {
    QDir::setCurrent(previous_);
}

QString ScratchFolder::filePath(const QString& relative) const {
    return dir_.filePath(relative);
}

void ScratchFolder::write(const QString& relative, const QByteArray& bytes) const {
    writeFile(filePath(relative), bytes);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QByteArray ScratchFolder::read(const QString& relative) const {
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

bool ScratchFolder::exists(const QString& relative) const {
    return QFileInfo::exists(filePath(relative));
}

QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}
