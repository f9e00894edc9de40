#pragma once

#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QString>

namespace files {

// A text file opened for reading under one of the program's Windows-style names
// (see localPath). Only a regular file of a bounded size is opened (see textio::LineReader); a
// folder, a FIFO or a device is refused at once. The file is closed when the object goes away.
class InputTextFile {
public:
    explicit InputTextFile(const QString& windowsName);
    InputTextFile(const InputTextFile&) = delete;
    InputTextFile& operator=(const InputTextFile&) = delete;

    bool open();
    bool isOpen() const { return file_.isOpen(); }
    bool readLine(QByteArray& line) { return reader_.readLine(line); }
    bool hasError() const { return reader_.hasError(); }
    textio::LineReader& reader() { return reader_; }

    // Why the open or the reading failed, in words for the pilot.
    QString errorString() const;
    const QString& name() const { return name_; }
    // The file's path on this machine, once open() has run.
    const QString& path() const { return path_; }

private:
    QString name_;
    QString path_;
    QString openError_;
    QFile file_;
    textio::LineReader reader_;
};

// A text file written under a Windows-style name. Lines are written with CR LF into a temporary
// file beside the target, which replaces the target only on commit(). Every write goes to the
// system at once, so a full disk or a failing write is seen by finish(), which also syncs the
// file to the disk; a file that was not written whole never replaces its target, and an object
// that goes away without a commit leaves the target as it was.
class OutputTextFile {
public:
    explicit OutputTextFile(const QString& windowsName);
    OutputTextFile(const OutputTextFile&) = delete;
    OutputTextFile& operator=(const OutputTextFile&) = delete;

    // Where the folder of the target allows no new file but the target itself may be written,
    // write into the target in place rather than fail (without the safety of a temporary file).
    void allowWritingInPlace() { file_.setDirectWriteFallback(true); }

    bool open();
    void writeLine(QByteArrayView line) { writer_.writeLine(line); }
    textio::LineWriter& writer() { return writer_; }

    // Hands every line to the system, checks that all were taken and syncs the file to the disk;
    // the target is not touched yet. False when the file could not be written whole.
    bool finish();
    // Finishes the file when that has not been done, then replaces the target with it.
    bool commit();

    // Why the last step failed, in words for the pilot ("No space left on device").
    QString errorString() const { return error_; }
    const QString& name() const { return name_; }
    // The target's path on this machine, once open() has run.
    const QString& path() const { return path_; }

private:
    bool fail(const QString& reason);

    QString name_;
    QString path_;
    QString error_;
    QSaveFile file_;
    textio::LineWriter writer_;
    bool finished_ = false;
};

} // namespace files
