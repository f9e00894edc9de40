// Compiles one adventure in the current folder, from the saved-flights folder given as the first
// argument, with fixed window values but for the fuel percentage and the cruising altitude, which
// may follow; prints the message the pilot would see. With "--recover FOLDER", only finishes or
// undoes an interrupted compile, as the program does at its start. For the tests that kill a
// compile half way, inject faults into it or run two at once.
#include "compiler/compileadventure.h"
#include "compiler/interruptedcompile.h"

#include <cstdio>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--recover")) {
        // What the program does at its start, before anything else.
        const std::optional<QString> told =
            compiler::recoverInterruptedCompileAtStart(arguments.value(2));
        std::printf("%s\n", qPrintable(told.value_or(QString())));
        return 0;
    }
    compiler::AdventureValues values;
    values.planName = QStringLiteral("P");
    values.aircraft = QStringLiteral("Boeing 747-400");
    values.fuelPercent = arguments.value(2, QStringLiteral("80"));
    values.cruisingAltitude = arguments.value(3, QStringLiteral("31000"));
    values.v1 = QStringLiteral("147");
    values.vr = QStringLiteral("165");
    values.v2 = QStringLiteral("177");
    const compiler::CompileResult result = compiler::CompileAdventure(arguments.value(1), values);
    for (const QString& note : result.notes) {
        std::printf("%s\n", qPrintable(note));
    }
    std::printf("%s\n", qPrintable(result.message));
    return result.outcome == compiler::CompileOutcome::Compiled ? 0 : 1;
}
