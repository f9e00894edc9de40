#include "flight/loadflight.h"

#include "flight/aircraft.h"
#include "flight/flightplanreader.h"
#include "flight/savedflightreader.h"

namespace flight {

void LoadFlight(const QString& savedFlightFolder, FlightFields& fields, const ShowMessage& show) {
    const std::optional<QString> planName = ReadSavedFlight(savedFlightFolder, fields);
    if (!planName) {
        show(unreadableSavedFlightMessage(savedFlightFolder));
        return;
    }
    if (!ReadFlightPlan(savedFlightFolder, *planName, fields)) {
        show(QStringLiteral("The required flight plan does not exist"));
        return;
    }
    show(QStringLiteral("Flight Plan ") + *planName + QStringLiteral(" Loaded"));
}

} // namespace flight
