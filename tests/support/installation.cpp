#include "support/installation.h"

Installation::Installation(const QString& savedFlights)
    : prefix(work.filePath(savedFlights) + QLatin1Char('\\'))
    , savedFlights_(savedFlights) {
    work.write(QStringLiteral("lib/Talvo.abl"), kOpening);
    work.write(QStringLiteral("lib/Talvo2.abl"), kClosing);
    savedFlight(kSavedFlight);
    plan(QStringLiteral("P.pln"), kPlan);
    values.planName = QStringLiteral("P");
    values.routeType = QStringLiteral("IFR");
    values.departureName = QStringLiteral("SEATTLE");
    values.arrivalName = QStringLiteral("ANCHORAGE");
    values.cruisingAltitude = QStringLiteral("31000");
    values.aircraft = QStringLiteral("Boeing 747-400 Passengers");
    values.fuelPercent = QStringLiteral("80");
    values.v1 = QStringLiteral("147");
    values.vr = QStringLiteral("165");
    values.v2 = QStringLiteral("177");
}

void Installation::savedFlight(const QByteArray& bytes) const {
    work.write(savedFlights_ + QStringLiteral("/Talvo.FLT"), bytes);
}

void Installation::plan(const QString& name, const QByteArray& bytes) const {
    work.write(savedFlights_ + u'/' + name, bytes);
}

compiler::CompileResult Installation::compile() const {
    return compiler::CompileAdventure(prefix, values);
}
