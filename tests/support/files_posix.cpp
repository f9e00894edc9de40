// The test files that only POSIX systems have: FIFOs and devices; open files counted in /proc.
#include "support/files.h"

#include <csignal>
#include <cstdlib>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

int openFiles() {
    return static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

bool canPutInPlace(NotAFile) {
    return true;
}

void putSpecialFile(const QString& path, NotAFile what) {
    if (what == NotAFile::Fifo) {
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0) {
            qFatal("cannot make the FIFO %s", qPrintable(path));
        }
    } else if (what == NotAFile::EndlessDevice) {
        QFile::link(QStringLiteral("/dev/urandom"), path);
    }
}

bool posixPermissionsHold() {
    return ::geteuid() != 0;
}

void killThisProcess() {
    ::raise(SIGKILL);
    std::abort(); // not reached
}
