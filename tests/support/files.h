#pragma once

#include <functional>
#include <QByteArray>
#include <QMap>
#include <QString>

namespace textio {
class LineReader;
class LineWriter;
} // namespace textio

// Every file below a folder with its bytes ("<folder>" for a folder, "<unreadable>" for a file
// that cannot be read, "<link to ...>" for a symbolic link, "<not a file>" for a FIFO or a
// device), to prove that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& root);

// How many files this process has open (on Windows: how many handles of any kind).
int openFiles();

// Runs a pass from bytes to bytes in memory, through the program's line reader and writer.
QByteArray throughLines(const QByteArray& input,
                        const std::function<void(textio::LineReader&, textio::LineWriter&)>& pass);

// What stands where a file of the pilot should be, for tests of the inputs that are no text
// files: a FIFO (reading it would wait for ever), a link to /dev/urandom (endless), a file of one
// line longer than the reader's bound, a folder, a (sparse) file of 2 GiB.
enum class NotAFile { Fifo, EndlessDevice, HugeLine, Folder, TwoGiB };
// FIFOs and devices are POSIX's (files_posix.cpp): on Windows, canPutInPlace is false for them
// and a test skips such a row.
void putInPlace(const QString& path, NotAFile what);
bool canPutInPlace(NotAFile what);
// The FIFO or the link to the device (files_posix.cpp, files_windows.cpp).
void putSpecialFile(const QString& path, NotAFile what);

// Whether POSIX file permissions hold for this process: not for root, who reads and writes every
// file (tests run through unprivileged.sh drop root's rights), nor on Windows, whose permissions
// are of another kind.
bool posixPermissionsHold();

// Ends this process at once, as a kill from outside would (SIGKILL; on Windows TerminateProcess
// with the code QProcess::kill gives): nothing is flushed, no destructor runs, and the parent
// sees a crash.
[[noreturn]] void killThisProcess();
