#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh working folder that is the current folder while the object lives.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    QString path() const { return dir_.path(); }
    // The absolute path of a file of the folder, with "/" between folders.
    QString filePath(const QString& relative) const;

    // Writes bytes to a file of the folder, creating the folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Writes bytes to the file at path, creating the folders on the way; a failure ends the test.
void writeFile(const QString& path, const QByteArray& bytes);

// Lines joined with CR LF, a CR LF after the last one too.
QByteArray crlf(const QList<QByteArray>& lines);
