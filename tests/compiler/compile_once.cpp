// Compiles one adventure in the current folder, from the saved-flights folder given as the only
// argument, with fixed window values; for the test that kills a compile half way.
#include "compiler/compileadventure.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    compiler::AdventureValues values;
    values.planName = QStringLiteral("P");
    values.aircraft = QStringLiteral("Boeing 747-400");
    values.cruisingAltitude = QStringLiteral("31000");
    values.fuelPercent = QStringLiteral("80");
    const QString folder = QCoreApplication::arguments().value(1);
    return compiler::CompileAdventure(folder, values).outcome == compiler::CompileOutcome::Compiled
               ? 0
               : 1;
}
