#include "files/winpath.h"

#include <QDir>
#include <QFileInfo>

namespace files {
namespace {

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The entry of folder whose name equals name but for letter case, or an empty text.
QString findIgnoringCase(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return QString();
}

// The name with "/" between folders, resolved part by part from the folder start.
QString resolveFrom(QString path, const QString& name) {
    bool searching = true; // stays true while every part so far exists on disk
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString next = joined(path, part);
        if (searching && part != QLatin1String(".") && part != QLatin1String("..") &&
            !QFileInfo::exists(next)) {
            const QString match = findIgnoringCase(path, part);
            if (match.isEmpty()) {
                searching = false;
            } else {
                next = joined(path, match);
            }
        }
        path = next;
    }
    if (name.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path;
}

QString winePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty()) {
        return prefix;
    }
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QString() : joined(home, QStringLiteral(".wine"));
}

// The folder of a drive of the Wine prefix, or an empty text when the prefix has none.
QString driveFolder(QChar letter) {
    const QString prefix = winePrefix();
    if (prefix.isEmpty()) {
        return QString();
    }
    const QString devices = joined(prefix, QStringLiteral("dosdevices"));
    const QString device = QString(letter.toLower()) + QLatin1Char(':');
    const QString entry =
        QFileInfo::exists(joined(devices, device)) ? device : findIgnoringCase(devices, device);
    if (!entry.isEmpty()) {
        const QFileInfo link(joined(devices, entry));
        if (link.isSymLink()) {
            return link.symLinkTarget();
        }
        if (link.isDir()) {
            return link.filePath();
        }
    }
    const QString driveC = joined(prefix, QStringLiteral("drive_c"));
    if (letter.toLower() == QLatin1Char('c') && QFileInfo(driveC).isDir()) {
        return driveC;
    }
    return QString();
}

} // namespace

QString localPath(const QString& windowsName) {
    QString name = windowsName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty()) {
        return name;
    }
    if (const std::optional<DriveName> drive = splitDrive(name)) {
        const QString folder = driveFolder(drive->letter);
        if (!folder.isEmpty()) {
            return resolveFrom(folder, drive->rest);
        }
    }
    const bool absolute = name.startsWith(QLatin1Char('/'));
    return resolveFrom(absolute ? QStringLiteral("/") : QDir::currentPath(), name);
}

} // namespace files
