#pragma once

#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QString>

namespace textio {

// A text file opened for reading under one of the program's Windows-style names
// (see localPath). The file is closed when the object goes away, on every path.
class InputTextFile {
public:
    explicit InputTextFile(const QString& windowsName);
    InputTextFile(const InputTextFile&) = delete;
    InputTextFile& operator=(const InputTextFile&) = delete;

    bool open();
    bool readLine(QByteArray& line) { return reader_.readLine(line); }
    bool hasError() const { return reader_.hasError(); }
    LineReader& reader() { return reader_; }

    // Why the last open or read failed, in words for the pilot.
    QString errorString() const;
    const QString& name() const { return name_; }

private:
    QString name_;
    QFile file_;
    LineReader reader_;
};

// A text file written under a Windows-style name. Lines are written with CR LF into a temporary
// file beside the target, which replaces the target only on commit(): a failure, or an object
// that goes away without commit, leaves the target as it was.
class OutputTextFile {
public:
    explicit OutputTextFile(const QString& windowsName);
    OutputTextFile(const OutputTextFile&) = delete;
    OutputTextFile& operator=(const OutputTextFile&) = delete;

    bool open();
    void writeLine(QByteArrayView line) { writer_.writeLine(line); }
    LineWriter& writer() { return writer_; }
    bool commit();

    QString errorString() const;
    const QString& name() const { return name_; }

private:
    QString name_;
    QSaveFile file_;
    LineWriter writer_;
};

// Opening and closing the file at once proves that it is there and readable.
bool canOpenForReading(const QString& windowsName, QString* error = nullptr);

} // namespace textio
