#include "files/filesystem.h"
#include "textio/linereader.h"

#include <io.h>
#include <QFile>
#include <QFileInfo>
#include <system_error>
#include <windows.h>

namespace files::filesystem {
namespace {

QString lastError() {
    return QString::fromStdString(std::system_category().message(static_cast<int>(GetLastError())));
}

} // namespace

QString systemError(int code) {
    return QString::fromStdString(std::generic_category().message(code));
}

std::optional<QString> openRegularFile(const QString& path, QFile& file, qint64 maxSize) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("file not found");
    }
    if (info.isDir()) {
        return QStringLiteral("it is a folder, not a file");
    }
    if (!info.isFile()) {
        return QStringLiteral("it is not a regular file");
    }
    if (info.size() > maxSize) {
        return textio::LineReader::describe(textio::LineReader::Error::FileTooLarge);
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<QString> syncToDisk(QFileDevice& file) {
    if (_commit(file.handle()) != 0) {
        return systemError(errno);
    }
    return std::nullopt;
}

std::optional<QString> hardLink(const QString& existing, const QString& newName) {
    if (!CreateHardLinkW(reinterpret_cast<LPCWSTR>(newName.utf16()),
                         reinterpret_cast<LPCWSTR>(existing.utf16()), nullptr)) {
        return lastError();
    }
    return std::nullopt;
}

std::optional<QString> replaceFile(const QString& from, const QString& to) {
    if (!MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return lastError();
    }
    return std::nullopt;
}

} // namespace files::filesystem
