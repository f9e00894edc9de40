// Windows has neither FIFOs nor devices in its folders: the rows that need them are skipped.
// Open files are counted among the process's handles.
#include "support/files.h"

#include <cstdlib>
#include <windows.h>

int openFiles() {
    DWORD handles = 0;
    if (!GetProcessHandleCount(GetCurrentProcess(), &handles)) {
        qFatal("cannot count the process's handles");
    }
    return static_cast<int>(handles);
}

bool canPutInPlace(NotAFile what) {
    return what != NotAFile::Fifo && what != NotAFile::EndlessDevice;
}

void putSpecialFile(const QString& path, NotAFile) {
    qFatal("Windows has no FIFO nor device to put at %s", qPrintable(path));
}

bool posixPermissionsHold() {
    return false;
}

void killThisProcess() {
    // QProcess::kill ends a process with this code, and reads it as a crash.
    constexpr UINT kKilled = 0xf291;
    TerminateProcess(GetCurrentProcess(), kKilled);
    std::abort(); // not reached
}
