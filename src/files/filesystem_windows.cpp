#include "files/faultseam.h"
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

// The name Windows' own calls take: backslashes, and for a whole path as long as MAX_PATH or
// longer the "\\?\" form, which has no such limit (Qt's own file calls do the same), so a
// saved-flights folder deep in a long path works without the system's long-path setting.
std::wstring wide(const QString& path) {
    QString name = QDir::toNativeSeparators(path);
    if (name.size() >= MAX_PATH - 12 && !name.startsWith(QLatin1String("\\\\?\\"))) {
        // That form takes no "." nor ".." and no doubled separator.
        name = QDir::toNativeSeparators(QDir::cleanPath(path));
        if (name.startsWith(QLatin1String("\\\\"))) {
            name = QLatin1String("\\\\?\\UNC\\") + name.mid(2);
        } else if (name.size() > 2 && name.at(1) == QLatin1Char(':') &&
                   name.at(2) == QLatin1Char('\\')) {
            name = QLatin1String("\\\\?\\") + name;
        }
    }
    return name.toStdWString();
}

// Windows' own texts end with a full stop; the messages that quote them add their own.
QString withoutFinalStop(QString text) {
    while (text.endsWith(QLatin1Char('.'))) {
        text.chop(1);
    }
    return text;
}

QString lastError() {
    return withoutFinalStop(
        QString::fromStdString(std::system_category().message(static_cast<int>(GetLastError()))));
}

// Another program (the simulator, an editor, a virus scanner, a cloud client) may hold the file
// open without sharing it: such a hold is often brief, so the open is tried again for up to two
// seconds before the pilot is asked to close that program.
constexpr DWORD kSharingRetryMilliseconds = 2000;
constexpr DWORD kSharingRetryStep = 100;

QString heldByAnotherProgram() {
    return QStringLiteral("another program holds it open (close it in the simulator, an editor "
                          "or whatever else has it open, then try again)");
}

// Whether another program holds the file open without letting it be replaced (the access a
// replacement needs is DELETE).
bool heldElsewhere(const std::wstring& name) {
    const HANDLE handle =
        CreateFileW(name.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// Makes the attempt (a call of Windows that returns whether it succeeded and sets the last error)
// until it succeeds, fails otherwise than by a sharing violation, or two seconds have passed.
// Replacing a file that another program holds open is refused as "access denied": the target,
// when given, tells that apart from a read-only file.
template <typename Attempt>
std::optional<QString> retryWhileShared(Attempt attempt, const std::wstring& target = {}) {
    for (DWORD waited = 0;; waited += kSharingRetryStep) {
        if (attempt()) {
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        const bool shared =
            error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
            (error == ERROR_ACCESS_DENIED && !target.empty() && heldElsewhere(target));
        if (!shared) {
            SetLastError(error);
            return lastError();
        }
        if (waited >= kSharingRetryMilliseconds) {
            return heldByAnotherProgram();
        }
        Sleep(kSharingRetryStep);
    }
}

// Waits while another program holds the file open without sharing it; other failures are left
// to the open that follows, which reports them.
std::optional<QString> waitUntilShared(const QString& path) {
    const std::wstring name = wide(path);
    const std::optional<QString> failure = retryWhileShared([&name] {
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(handle);
        return true;
    });
    if (failure == heldByAnotherProgram()) {
        return failure;
    }
    return std::nullopt;
}

} // namespace

QString systemError(int code) {
    return QString::fromStdString(std::generic_category().message(code));
}

std::optional<QString> openRegularFile(const QString& path, QFile& file, qint64 maxSize) {
    if (std::optional<QString> fault = injectedFault(Operation::Open, path)) {
        return fault;
    }
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
    if (const std::optional<QString> held = waitUntilShared(path)) {
        return held;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return withoutFinalStop(file.errorString());
    }
    return std::nullopt;
}

std::optional<QString> syncToDisk(QFileDevice& file) {
    if (std::optional<QString> fault = injectedFault(Operation::Sync, file.fileName())) {
        return fault;
    }
    if (_commit(file.handle()) != 0) {
        return systemError(errno);
    }
    return std::nullopt;
}

std::optional<QString> hardLink(const QString& existing, const QString& newName) {
    if (std::optional<QString> fault = injectedFault(Operation::Link, newName)) {
        return fault;
    }
    if (!CreateHardLinkW(wide(newName).c_str(), wide(existing).c_str(), nullptr)) {
        return lastError();
    }
    return std::nullopt;
}

std::optional<QString> replaceFile(const QString& from, const QString& to) {
    if (std::optional<QString> fault = injectedFault(Operation::Replace, to)) {
        return fault;
    }
    return retryWhileShared(
        [&from, &to] {
            return MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        },
        wide(to));
}

namespace {

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
    if (std::optional<QString> fault = injectedFault(Operation::Create, path)) {
        return fault;
    }
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

std::optional<QString> syncFolder(const QString& folder) {
    if (std::optional<QString> fault = injectedFault(Operation::SyncFolder, folder)) {
        return fault;
    }
    // Windows keeps a folder's entries on the disk itself; renames are written through.
    return std::nullopt;
}

std::optional<QString> removeFile(const QString& path) {
    if (std::optional<QString> fault = injectedFault(Operation::Remove, path)) {
        return fault;
    }
    const std::wstring name = wide(path);
    return retryWhileShared([&name] { return DeleteFileW(name.c_str()) != 0; });
}

} // namespace files::filesystem
