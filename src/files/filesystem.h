#pragma once

#include <optional>
#include <QString>
#include <QtGlobal>

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

// What tells one file from every other on this machine, whatever its name: the volume and the
// file's number on it (device and inode; on Windows the volume's serial number and the file
// index), and its size. A file the program made and recorded keeps them until it is changed;
// a copy of it, or another file given its name, has others.
struct FileIdentity {
    quint64 volume = 0;
    quint64 index = 0;
    qint64 size = 0;
    bool sameFile(const FileIdentity& other) const {
        return volume == other.volume && index == other.index;
    }
    bool operator==(const FileIdentity&) const = default;
};

// What stands at a path, without following a symbolic link there.
enum class EntryKind { Missing, RegularFile, Other };
EntryKind entryKind(const QString& path);

// The identity of the regular file at path (a symbolic link is not followed); no value when
// nothing, or something other than a regular file, stands there.
std::optional<FileIdentity> fileIdentity(const QString& path);
// The identity of an open file.
std::optional<FileIdentity> fileIdentity(QFileDevice& file);

// Makes a new, empty file at path, for writing; fails when anything already stands there
// (a symbolic link is not followed).
std::optional<QString> createNewFile(const QString& path, QFile& file);

// Hands a folder's entries (new names, renames, removals) to the disk, so they outlive a power
// cut. Where the system keeps folders on the disk by itself, nothing to do.
std::optional<QString> syncFolder(const QString& folder);

// Removes the name path (a file or a symbolic link, never a folder).
std::optional<QString> removeFile(const QString& path);

// The system's words for an error number of the C library ("No space left on device").
QString systemError(int code);

} // namespace files::filesystem
