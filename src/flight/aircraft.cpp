#include "flight/aircraft.h"

#include "files/textfiles.h"
#include "textio/codepage.h"
#include "textio/keys.h"

#include <QFileInfo>

namespace flight {

std::optional<QString> readSavedFlightAircraft(const QString& savedFlightFolder) {
    files::InputTextFile file(savedFlightFolder + QStringLiteral("Talvo.FLT"));
    if (!file.open()) {
        return std::nullopt;
    }
    QByteArray aircraft;
    QByteArray line;
    while (file.readLine(line)) {
        if (textio::matchesKey(line, "Aircraft=")) {
            aircraft = textio::keyValue(line, 9, 30);
        }
    }
    if (file.hasError()) {
        return std::nullopt;
    }
    return textio::decode8bit(aircraft);
}

QString unreadableSavedFlightMessage(const QString& savedFlightFolder) {
    files::InputTextFile file(savedFlightFolder + QStringLiteral("Talvo.FLT"));
    if (file.open()) {
        QByteArray line;
        while (file.readLine(line)) {
        }
    }
    if (!QFileInfo::exists(file.path()) || (file.isOpen() && !file.hasError())) {
        return QStringLiteral("The required file Talvo.flt does not exist");
    }
    return QStringLiteral("The required file Talvo.flt cannot be read: %1.")
        .arg(file.errorString());
}

} // namespace flight
