#pragma once

#include <optional>
#include <QString>

class QFile;
class QFileDevice;

// The few file operations whose form differs between POSIX systems and Windows. Each returns no
// value on success, otherwise the reason in words for the pilot ("Permission denied").
namespace files::filesystem {

// Opens path for reading when it is a regular file of at most maxSize bytes. A folder, a FIFO, a
// device or a socket is refused at once, without waiting for a writer or reading it.
std::optional<QString> openRegularFile(const QString& path, QFile& file, qint64 maxSize);

// Hands what the system still holds of an open file to the disk, so a failure of the disk shows
// now rather than after the file has replaced another.
std::optional<QString> syncToDisk(QFileDevice& file);

// Gives an existing file a second name in the same folder.
std::optional<QString> hardLink(const QString& existing, const QString& newName);

// Renames from to to, replacing a file to that exists.
std::optional<QString> replaceFile(const QString& from, const QString& to);

// The system's words for an error number of the C library ("No space left on device").
QString systemError(int code);

} // namespace files::filesystem
