#pragma once

#include "files/filesystem.h"
#include "textio/linewriter.h"

#include <optional>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace files {

// The new version of a file, written line by line (each line followed by CR LF) under a name of
// its own beside the file it is to replace (see newVersionName). Every write goes to the system
// at once, so a full disk or a failing write is seen by finish(), which also syncs the file to
// the disk. The replacement itself is FileReplacement's.
class StagedFile {
public:
    // target: the path of the file to replace, symbolic links followed.
    StagedFile(const QString& windowsName, const QString& target);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Makes the new version under the name given (see newVersionName), empty, with the
    // permissions of the target when it exists.
    std::optional<QString> create(const QString& newVersion);
    void writeLine(QByteArrayView line) { writer_.writeLine(line); }
    textio::LineWriter& writer() { return writer_; }
    // Hands every line to the system, checks that all were taken, syncs the file to the disk
    // and closes it; its identity then holds its size.
    std::optional<QString> finish();
    // Closes the file without finishing it.
    void close();

    const QString& name() const { return name_; }
    // The target's path on this machine.
    const QString& path() const { return target_; }
    const QString& newVersion() const { return newVersion_; }
    const filesystem::FileIdentity& identity() const { return identity_; }

private:
    QString name_;
    QString target_;
    QString newVersion_;
    QFile file_;
    textio::LineWriter writer_;
    filesystem::FileIdentity identity_;
};

} // namespace files
