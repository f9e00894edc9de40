#include "files/faultseam.h"
#include "files/filesystem.h"
#include "textio/linereader.h"

#include <cerrno>
#include <fcntl.h>
#include <QFile>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace files::filesystem {
namespace {

QString typeProblem(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("it is a folder, not a file");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("it is a pipe (FIFO), not a regular file");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QStringLiteral("it is a device, not a regular file");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("it is a socket, not a regular file");
    }
    return S_ISREG(mode) ? QString() : QStringLiteral("it is not a regular file");
}

QString openProblem(int code) {
    return code == ENOENT ? QStringLiteral("file not found") : systemError(code);
}

} // namespace

QString systemError(int code) {
    return QString::fromStdString(std::generic_category().message(code));
}

std::optional<QString> openRegularFile(const QString& path, QFile& file, qint64 maxSize) {
    if (std::optional<QString> fault = injectedFault(Operation::Open, path)) {
        return fault;
    }
    // Without O_NONBLOCK, opening a FIFO waits until something writes into it.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return openProblem(errno);
    }
    struct stat status {};
    std::optional<QString> problem;
    if (::fstat(fd, &status) != 0) {
        problem = systemError(errno);
    } else if (const QString type = typeProblem(status.st_mode); !type.isEmpty()) {
        problem = type;
    } else if (status.st_size > maxSize) {
        problem = textio::LineReader::describe(textio::LineReader::Error::FileTooLarge);
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        problem = systemError(errno);
    }
    if (problem) {
        ::close(fd);
        return problem;
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<QString> syncToDisk(QFileDevice& file) {
    if (std::optional<QString> fault = injectedFault(Operation::Sync, file.fileName())) {
        return fault;
    }
    if (::fsync(file.handle()) != 0) {
        return systemError(errno);
    }
    return std::nullopt;
}

std::optional<QString> hardLink(const QString& existing, const QString& newName) {
    if (std::optional<QString> fault = injectedFault(Operation::Link, newName)) {
        return fault;
    }
    if (::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) !=
        0) {
        return systemError(errno);
    }
    return std::nullopt;
}

std::optional<QString> replaceFile(const QString& from, const QString& to) {
    if (std::optional<QString> fault = injectedFault(Operation::Replace, to)) {
        return fault;
    }
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        return systemError(errno);
    }
    return std::nullopt;
}

EntryKind entryKind(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? EntryKind::Missing : EntryKind::Other;
    }
    return S_ISREG(status.st_mode) ? EntryKind::RegularFile : EntryKind::Other;
}

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino),
            static_cast<qint64>(status.st_size)};
}

} // namespace

std::optional<FileIdentity> fileIdentity(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return identityOf(status);
}

std::optional<FileIdentity> fileIdentity(QFileDevice& file) {
    struct stat status {};
    if (::fstat(file.handle(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return identityOf(status);
}

std::optional<QString> createNewFile(const QString& path, QFile& file) {
    if (std::optional<QString> fault = injectedFault(Operation::Create, path)) {
        return fault;
    }
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return systemError(errno);
    }
    file.setFileName(path);
    // Unbuffered: every write goes to the system at once, and a write it refuses is seen then.
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<QString> syncFolder(const QString& folder) {
    if (std::optional<QString> fault = injectedFault(Operation::SyncFolder, folder)) {
        return fault;
    }
    const int fd = ::open(QFile::encodeName(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return systemError(errno);
    }
    std::optional<QString> problem;
    // Some file systems cannot sync a folder and say so; their entries are as safe as they get.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        problem = systemError(errno);
    }
    ::close(fd);
    return problem;
}

std::optional<QString> removeFile(const QString& path) {
    if (std::optional<QString> fault = injectedFault(Operation::Remove, path)) {
        return fault;
    }
    if (::unlink(QFile::encodeName(path).constData()) != 0) {
        return systemError(errno);
    }
    return std::nullopt;
}

} // namespace files::filesystem
