#include "textio/winpath.h"

#include <QDir>
#include <QFileInfo>

namespace textio {
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

} // namespace

QString localPath(const QString& windowsName) {
#ifdef Q_OS_WIN
    return windowsName;
#else
    QString name = windowsName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty()) {
        return name;
    }
    const bool absolute = name.startsWith(QLatin1Char('/'));
    QString path = absolute ? QStringLiteral("/") : QDir::currentPath();
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
#endif
}

} // namespace textio
