#pragma once

#include <QString>

namespace compiler {

// What the compiler window shows at the moment the pilot asks for the compile, each text exactly
// as shown. The compile writes these texts into its files unchanged.
struct AdventureValues {
    QString planName;         // Text1
    QString routeType;        // Text3
    QString departureName;    // Text6
    QString arrivalName;      // Text7
    QString cruisingAltitude; // Text4
    QString aircraft;         // Combo1
    QString fuelPercent;      // Text14
    QString v1;
    QString vr;
    QString v2;
    bool speedCalls = true; // Check3
    bool checkList = true;  // Check2
    bool rateFlight = true; // Check1
    bool engineOff = true;  // Check4
};

} // namespace compiler
