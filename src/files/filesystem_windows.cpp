#include "files/filesystem.h"
#include "textio/linereader.h"

#include <fcntl.h>
#include <io.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>
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

namespace {

std::wstring wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

std::optional<FileIdentity> identityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information) ||
        (information.dwFileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return std::nullopt;
    }
    return FileIdentity{
        information.dwVolumeSerialNumber,
        (static_cast<quint64>(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
        static_cast<qint64>((static_cast<quint64>(information.nFileSizeHigh) << 32) |
                            information.nFileSizeLow)};
}

} // namespace

EntryKind entryKind(const QString& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::Missing
                                                                              : EntryKind::Other;
    }
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0
               ? EntryKind::RegularFile
               : EntryKind::Other;
}

std::optional<FileIdentity> fileIdentity(const QString& path) {
    // Reading the attributes only: a file another program holds open is still seen.
    const HANDLE handle =
        CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<FileIdentity> identity = identityOfHandle(handle);
    CloseHandle(handle);
    return identity;
}

std::optional<FileIdentity> fileIdentity(QFileDevice& file) {
    return identityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
}

std::optional<QString> createNewFile(const QString& path, QFile& file) {
    const HANDLE handle =
        CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        DeleteFileW(wide(path).c_str());
        return systemError(errno);
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        _close(fd);
        DeleteFileW(wide(path).c_str());
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<QString> syncFolder(const QString&) {
    // Windows keeps a folder's entries on the disk itself; renames are written through.
    return std::nullopt;
}

std::optional<QString> removeFile(const QString& path) {
    if (!DeleteFileW(wide(path).c_str())) {
        return lastError();
    }
    return std::nullopt;
}

} // namespace files::filesystem
