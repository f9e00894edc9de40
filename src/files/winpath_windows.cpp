#include "files/winpath.h"

#include <QDir>
#include <windows.h>

namespace files {

QString localPath(const QString& windowsName) {
    if (windowsName.isEmpty()) {
        return windowsName;
    }
    // Windows resolves the name as it opens the file: against the working folder, or the current
    // folder of its drive ("C:name"), with "." and ".." taken out. The path is the one of that
    // moment, so it names the same file when the working folder changes later, and a message
    // shows where the file is.
    const std::wstring name = QDir::toNativeSeparators(windowsName).toStdWString();
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return windowsName;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return windowsName;
    }
    full.resize(length);
    return QDir::fromNativeSeparators(QString::fromStdWString(full));
}

} // namespace files
