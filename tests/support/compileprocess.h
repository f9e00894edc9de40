#pragma once

#include "support/installation.h"

#include <memory>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// A compile in a process of its own, in an installation's working folder: the program
// compile_once, which compiles the plan "P" with fixed window values but for the fuel percentage
// and the cruising altitude (values: those two, in that order). For the tests that kill a compile,
// inject faults into it or run two at once.
// The window values compile_once compiles with: fixed, but for the fuel percentage and the
// cruising altitude. A test compiling in its own process with them writes what compile_once writes.
compiler::AdventureValues compileOnceValues(const QString& fuelPercent,
                                            const QString& cruisingAltitude);

struct CompileRun {
    bool killed = false;
    bool compiled = false;
    QString message; // what the pilot would have read
};

// extra: variables added to the process's environment.
std::unique_ptr<QProcess> startCompile(const Installation& installation, const QStringList& values,
                                       const QProcessEnvironment& extra = {});
CompileRun finishCompile(QProcess& process);
CompileRun runCompile(const Installation& installation, const QStringList& values,
                      const QProcessEnvironment& extra = {});
