#include "files/winpath.h"

#include <QDir>
#include <QStringList>
#include <windows.h>

namespace files {
namespace {

// The absolute name Windows opens for the name: against the working folder, or the current
// folder of its drive ("C:name"), with "." and ".." taken out; empty when Windows has none.
QString fullName(const QString& windowsName) {
    const std::wstring name = QDir::toNativeSeparators(windowsName).toStdWString();
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return QString();
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return QString();
    }
    full.resize(length);
    return QString::fromStdWString(full);
}

// How long the root of an absolute name is: "C:\" or "\\server\share\".
qsizetype rootLength(const QString& full) {
    if (!full.startsWith(QStringLiteral("\\\\"))) {
        return qMin<qsizetype>(3, full.size());
    }
    const qsizetype server = full.indexOf(QLatin1Char('\\'), 2);
    const qsizetype share = server < 0 ? -1 : full.indexOf(QLatin1Char('\\'), server + 1);
    return share < 0 ? full.size() : share + 1;
}

// The name of an existing entry as its folder holds it, or an empty text.
QString entryOnDisk(const QString& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.toStdWString().c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return QString();
    }
    FindClose(search);
    return QString::fromWCharArray(found.cFileName);
}

} // namespace

QString localPath(const QString& windowsName) {
    if (windowsName.isEmpty()) {
        return windowsName;
    }
    const QString full = fullName(windowsName);
    if (full.isEmpty()) {
        return windowsName;
    }
    // Parts that exist take the letter case their folder gives them, as on a POSIX system, so a
    // message names a file as the folder shows it and a replaced file keeps its name; the rest
    // stays as written.
    QString path = full.left(rootLength(full));
    const QStringList parts = full.mid(path.size()).split(QLatin1Char('\\'));
    bool searching = true; // stays true while every part so far exists
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        QString name = part;
        if (searching && !part.isEmpty() && !part.contains(QLatin1Char('*')) &&
            !part.contains(QLatin1Char('?'))) {
            const QString onDisk = entryOnDisk(path + part);
            if (onDisk.compare(part, Qt::CaseInsensitive) == 0) {
                name = onDisk;
            } else {
                searching = false;
            }
        }
        path += name;
        if (i + 1 < parts.size()) {
            path += QLatin1Char('\\');
        }
    }
    return QDir::fromNativeSeparators(path);
}

} // namespace files
