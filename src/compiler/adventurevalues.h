#pragma once

#include <QByteArray>
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

namespace compiler {

// A field's text as the bytes of one line of a file, in the program's code page. A line break in
// the text (CR LF, CR or LF: pasted into a field, or a lone CR that came with a line of the
// flight plan) is written as one blank, so no field ever adds a line to a file. Other text is
// written as it stands.
QByteArray lineBytes(const QString& text);

} // namespace compiler
