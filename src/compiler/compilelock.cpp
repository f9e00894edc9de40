#include "compiler/compilelock.h"

#include "files/winpath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace compiler {
namespace {

const QString kLockName = QStringLiteral("talvo.lock");
// A compile of a typical flight takes milliseconds, of the largest plans about a second.
constexpr int kWaitMilliseconds = 5000;

// A lock file that stays empty was left by a program that ended between making it and writing
// its process number into it (a matter of microseconds for a program that lives on).
bool leftEmpty(const QString& path) {
    const QFileInfo before(path);
    if (!before.exists() || before.size() != 0) {
        return false;
    }
    QThread::msleep(100);
    const QFileInfo after(path);
    return after.exists() && after.size() == 0 && after.lastModified() == before.lastModified();
}

// The name of this machine as QLockFile writes it into the lock: on Windows the computer's name
// (GetComputerName, upper case, at most 15 letters), which may differ from the host name.
QString lockMachineName() {
#ifdef Q_OS_WIN
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? QString::fromWCharArray(name, int(size)) : QString();
#else
    return QSysInfo::machineHostName();
#endif
}

} // namespace

// A compile of this program (one at a time: it has one event thread) whose lock file could not be
// removed, say because the folder became read-only while it ran.
bool CompileLock::leftByThisProcess() {
    qint64 pid = 0;
    QString host;
    QString application;
    return lock_.getLockInfo(&pid, &host, &application) &&
           pid == QCoreApplication::applicationPid() && host == lockMachineName();
}

// Who holds the lock, as far as its file tells.
QString CompileLock::heldBy(const QString& folder) {
    const QString lockFile = QDir::toNativeSeparators(path_);
    if (QFileInfo(path_).isDir()) {
        return QStringLiteral("The working folder %1 holds a folder named talvo.lock, where Talvo "
                              "2003 keeps the lock of a compile. Please move or rename that folder "
                              "and compile again.")
            .arg(folder);
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_.getLockInfo(&pid, &host, &application) || pid <= 0) {
        return QStringLiteral("The lock file %1 of the working folder cannot be read: it is empty "
                              "or damaged. If no other Talvo 2003 is compiling, please delete it "
                              "and compile again.")
            .arg(lockFile);
    }
    if (!host.isEmpty() && host != lockMachineName()) {
        return QStringLiteral("The lock file %1 was made by Talvo 2003 (process %2) on the "
                              "machine %3, which may still be compiling in the working folder. If "
                              "it is not, please delete the lock file and compile again.")
            .arg(lockFile)
            .arg(pid)
            .arg(host);
    }
    // On this machine a lock whose process has ended is taken over: the process runs.
    return QStringLiteral("Another Talvo 2003 (process %1) is compiling an adventure in the "
                          "working folder %2. Please compile again when it has finished.")
        .arg(pid)
        .arg(folder);
}

CompileLock::CompileLock()
    : path_(files::localPath(kLockName))
    , lock_(path_) {}

bool CompileLock::tryAcquire() {
    if (lock_.tryLock(0)) {
        return true;
    }
    if (lock_.error() == QLockFile::LockFailedError && (leftEmpty(path_) || leftByThisProcess())) {
        lock_.removeStaleLockFile();
        return lock_.tryLock(0);
    }
    return false;
}

std::optional<QString> CompileLock::acquire() {
    if (lock_.tryLock(0)) {
        return std::nullopt;
    }
    if (lock_.error() == QLockFile::LockFailedError && (leftEmpty(path_) || leftByThisProcess())) {
        lock_.removeStaleLockFile();
    }
    if (lock_.tryLock(kWaitMilliseconds)) {
        return std::nullopt;
    }
    const QString folder = QDir::toNativeSeparators(QFileInfo(path_).absolutePath());
    switch (lock_.error()) {
    case QLockFile::LockFailedError:
        return heldBy(folder);
    case QLockFile::PermissionError:
        return QStringLiteral("The working folder %1 cannot be written: Permission denied.")
            .arg(folder);
    default: {
        // The lock file holds a few bytes, which do not fit on a full disk. The system's reason
        // for other failures does not come through the lock.
        const bool full = QStorageInfo(QFileInfo(path_).absolutePath()).bytesAvailable() == 0;
        return QStringLiteral("The file %1 cannot be written: %2.")
            .arg(QDir::toNativeSeparators(path_),
                 full ? QStringLiteral("No space left on device")
                      : QStringLiteral("the system refused to write the lock file"));
    }
    }
}

} // namespace compiler
