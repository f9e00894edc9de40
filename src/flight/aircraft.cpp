#include "flight/aircraft.h"

#include "textio/codepage.h"
#include "textio/keys.h"
#include "files/textfiles.h"

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

} // namespace flight
