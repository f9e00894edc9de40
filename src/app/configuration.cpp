#include "app/configuration.h"

#include "files/textfiles.h"
#include "files/winpath.h"
#include "textio/codepage.h"

#include <QDir>

namespace app {
namespace {

const QString kTemplate = QStringLiteral("lib\\talvo.abl");
const QString kConfiguration = QStringLiteral("talvo.ini");

QString runtimeError(const QString& kind, const QString& windowsName, const QString& detail) {
    return QStringLiteral("Run-time error: %1\n\nFile: %2\n(%3)\n\n%4")
        .arg(kind, windowsName, QDir::toNativeSeparators(files::localPath(windowsName)), detail);
}

QString openFailure(const files::InputTextFile& file) {
    return runtimeError(file.errorString(), file.name(),
                        QStringLiteral("Talvo 2003 needs this file in its working folder and "
                                       "ends now."));
}

} // namespace

StartupConfiguration readStartupConfiguration() {
    {
        files::InputTextFile templateFile(kTemplate);
        if (!templateFile.open()) {
            return {std::nullopt, openFailure(templateFile)};
        }
    }
    files::InputTextFile configuration(kConfiguration);
    if (!configuration.open()) {
        return {std::nullopt, openFailure(configuration)};
    }
    QByteArray line;
    if (!configuration.readLine(line)) {
        const QString kind = configuration.hasError() ? configuration.errorString()
                                                      : QStringLiteral("input past end of file");
        return {std::nullopt,
                runtimeError(kind, kConfiguration,
                             QStringLiteral("Its first line must be \"none\" or the saved-flights "
                                            "folder. Talvo 2003 ends now."))};
    }
    return {textio::decode8bit(line), QString()};
}

bool isSavedFlightsFolder(const QString& path) {
    static const QString kName = QStringLiteral("FLIGHT SIMULATOR FILES");
    return path.size() > kName.size() && path.right(kName.size()).toUpper() == kName;
}

std::optional<QString> storeSavedFlightFolder(const QString& savedFlightFolder) {
    files::OutputTextFile file(kConfiguration);
    // The pilot may have made talvo.ini writable in a folder that is not: it is then written in
    // place.
    file.allowWritingInPlace();
    if (!file.open()) {
        return runtimeError(QStringLiteral("cannot create the file (%1)").arg(file.errorString()),
                            kConfiguration, QStringLiteral("Talvo 2003 ends now."));
    }
    file.writeLine(textio::encode8bit(savedFlightFolder));
    if (!file.commit()) {
        return runtimeError(QStringLiteral("cannot write the file (%1)").arg(file.errorString()),
                            kConfiguration, QStringLiteral("Talvo 2003 ends now."));
    }
    return std::nullopt;
}

} // namespace app
