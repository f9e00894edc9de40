#include "textio/textfiles.h"

#include "textio/winpath.h"

#include <QFileInfo>

namespace textio {
namespace {

QString describe(const QFileDevice& file) {
    switch (file.error()) {
    case QFileDevice::NoError:
        return QString();
    case QFileDevice::OpenError:
        if (!QFileInfo::exists(file.fileName())) {
            return QStringLiteral("file not found");
        }
        if (QFileInfo(file.fileName()).isDir()) {
            return QStringLiteral("it is a folder, not a file");
        }
        return QStringLiteral("access denied (%1)").arg(file.errorString());
    case QFileDevice::ReadError:
        return QStringLiteral("read error (%1)").arg(file.errorString());
    case QFileDevice::WriteError:
        return QStringLiteral("write error (%1)").arg(file.errorString());
    default:
        return file.errorString();
    }
}
} // namespace

InputTextFile::InputTextFile(const QString& windowsName)
    : name_(windowsName)
    , reader_(&file_) {}

bool InputTextFile::open() {
    file_.setFileName(localPath(name_));
    return file_.open(QIODevice::ReadOnly);
}

QString InputTextFile::errorString() const {
    if (reader_.hasError() && file_.error() == QFileDevice::NoError) {
        return QStringLiteral("read error");
    }
    return describe(file_);
}

OutputTextFile::OutputTextFile(const QString& windowsName)
    : name_(windowsName)
    , writer_(&file_) {}

bool OutputTextFile::open() {
    file_.setFileName(localPath(name_));
    return file_.open(QIODevice::WriteOnly);
}

bool OutputTextFile::commit() {
    // Without a commit the temporary file is removed and the target stays as it was.
    return writer_.flush() && file_.commit();
}

QString OutputTextFile::errorString() const {
    return file_.errorString();
}

bool canOpenForReading(const QString& windowsName, QString* error) {
    InputTextFile file(windowsName);
    const bool ok = file.open();
    if (!ok && error) {
        *error = file.errorString();
    }
    return ok;
}

} // namespace textio
