#include "support/files.h"

#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>

QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root,
                    QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray bytes("<folder>");
        if (info.isSymLink()) {
            bytes = "<link to " + info.symLinkTarget().toUtf8() + ">";
        } else if (!info.isDir() && !info.isFile()) {
            bytes = "<not a file>";
        } else if (!info.isDir()) {
            QFile file(path);
            bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        }
        files.insert(QDir(root).relativeFilePath(path), bytes);
    }
    return files;
}

QByteArray throughLines(const QByteArray& input,
                        const std::function<void(textio::LineReader&, textio::LineWriter&)>& pass) {
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    textio::LineReader reader(&in);
    textio::LineWriter writer(&out);
    pass(reader, writer);
    writer.flush();
    return out.data();
}

void putInPlace(const QString& path, NotAFile what) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    switch (what) {
    case NotAFile::Fifo:
    case NotAFile::EndlessDevice:
        if (!canPutInPlace(what)) {
            qFatal("this system has no %s: skip the row (canPutInPlace)", qPrintable(path));
        }
        putSpecialFile(path, what);
        break;
    case NotAFile::HugeLine: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray(textio::LineReader::kMaxLineLength + 1, 'x')) < 0) {
            qFatal("cannot write %s", qPrintable(path));
        }
        break;
    }
    case NotAFile::Folder:
        QDir().mkpath(path);
        break;
    case NotAFile::TwoGiB: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(2) << 30)) {
            qFatal("cannot make %s", qPrintable(path));
        }
        break;
    }
    }
}
