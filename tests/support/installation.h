#pragma once

#include "compiler/compileadventure.h"
#include "support/scratchfolder.h"

#include <QByteArray>
#include <QString>

// What the tests compile and load from: a working folder (the current folder while the object
// lives) with the two script templates, and a saved-flights folder holding a 747-400 saved flight
// that names the plan "P", and that plan; with the compiler window's values for a typical compile.
class Installation {
public:
    // The smallest pair of templates around the six settings that the simulator would load.
    inline static const QByteArray kOpening =
        crlf({"module Talvo;", "var", "  static real nV1, nVr, nV2;",
              "  static integer CallSpeed, CallList, RateFlight;", "code"});
    inline static const QByteArray kClosing = crlf({"endmodule."});
    inline static const QByteArray kSavedFlight = crlf({"[Main]",
                                                        "Title=Seattle departure",
                                                        "Description=Gate N3",
                                                        "[GPS_Engine]",
                                                        "Filename=FLIGHTS\\MYFLTS\\P",
                                                        "[Sim.0]",
                                                        "Aircraft=Boeing 747-400 Passengers",
                                                        "[fuel_quantity]",
                                                        "Center=45.000000",
                                                        "LeftMain=89.999992",
                                                        "RightMain=89.999992",
                                                        "LeftAux=100.000000",
                                                        "RightAux=100.000000",
                                                        "LeftTip=0.000000",
                                                        "RightTip=0.000000",
                                                        "Center 2=50.000000",
                                                        "[Engine Parameters.1.0]",
                                                        "Pct Engine RPM=0.842512",
                                                        "[Systems.0]",
                                                        "BatterySwitch=True",
                                                        "AvionicsSwitch=True"});
    inline static const QByteArray kPlan =
        crlf({"[flightplan]", "type=IFR", "cruising_altitude=35000", "departure_name=SEATTLE",
              "destination_name=ANCHORAGE"});

    // savedFlights: the saved-flights folder, below the working folder.
    explicit Installation(const QString& savedFlights = QStringLiteral("fs"));

    ScratchFolder work;
    // The saved-flights folder as the program names it, ending in a backslash.
    QString prefix;
    compiler::AdventureValues values;

    void savedFlight(const QByteArray& bytes) const;
    void plan(const QString& name, const QByteArray& bytes) const;
    compiler::CompileResult compile() const;

private:
    QString savedFlights_;
};
