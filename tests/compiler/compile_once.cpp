// Compiles one adventure in the current folder, from the saved-flights folder given as the first
// argument, with fixed window values but for the fuel percentage and the cruising altitude, which
// may follow; prints the message the pilot would see. With "--recover FOLDER", only finishes or
// undoes an interrupted compile, as the program does at its start. For the tests that kill a
// compile half way, inject faults into it or run two at once.
//
// Faults through the file layer's seam, on every system (the environment says which):
//   TALVO_SEAM_FAULT=KIND:N  the Nth operation of that kind fails ("open", "create", "write",
//                            "sync", "link", "replace", "remove", "syncfolder")
//   TALVO_SEAM_KILL=1        the process is killed there instead, before the operation
//   TALVO_SEAM_COUNTS=FILE   each kind's count of operations is written to FILE at the end
#include "compiler/compileadventure.h"
#include "compiler/interruptedcompile.h"
#include "files/faultseam.h"
#include "support/compileprocess.h"
#include "support/files.h"

#include <cstdio>
#include <map>
#include <QCoreApplication>
#include <QFile>

namespace {

using files::filesystem::Operation;

const std::map<Operation, const char*> kKinds = {
    {Operation::Open, "open"},     {Operation::Create, "create"},
    {Operation::Write, "write"},   {Operation::Sync, "sync"},
    {Operation::Link, "link"},     {Operation::Replace, "replace"},
    {Operation::Remove, "remove"}, {Operation::SyncFolder, "syncfolder"},
};

std::map<Operation, int> seen;

void placeFault() {
    const QString fault = qEnvironmentVariable("TALVO_SEAM_FAULT");
    const bool kill = qEnvironmentVariable("TALVO_SEAM_KILL") == QLatin1String("1");
    const QString kind = fault.section(QLatin1Char(':'), 0, 0);
    const int n = fault.section(QLatin1Char(':'), 1, 1).toInt();
    files::filesystem::setFaultHook(
        [kind, n, kill](Operation operation, const QString&) -> std::optional<QString> {
            const int count = ++seen[operation];
            if (count != n || kind != QLatin1String(kKinds.at(operation))) {
                return std::nullopt;
            }
            if (kill) {
                killThisProcess();
            }
            return QStringLiteral("Injected failure");
        });
}

void writeCounts() {
    const QString path = qEnvironmentVariable("TALVO_SEAM_COUNTS");
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        return;
    }
    for (const auto& [operation, count] : seen) {
        file.write(QByteArray(kKinds.at(operation)) + ' ' + QByteArray::number(count) + '\n');
    }
}

} // namespace

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
    if (qEnvironmentVariableIsSet("TALVO_SEAM_FAULT") ||
        qEnvironmentVariableIsSet("TALVO_SEAM_COUNTS")) {
        placeFault();
    }
    const compiler::CompileResult result = compiler::CompileAdventure(
        arguments.value(1), compileOnceValues(arguments.value(2, QStringLiteral("80")),
                                              arguments.value(3, QStringLiteral("31000"))));
    writeCounts();
    for (const QString& note : result.notes) {
        std::printf("%s\n", qPrintable(note));
    }
    std::printf("%s\n", qPrintable(result.message));
    return result.outcome == compiler::CompileOutcome::Compiled ? 0 : 1;
}
