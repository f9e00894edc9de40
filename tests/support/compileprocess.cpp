#include "support/compileprocess.h"

#include <QCoreApplication>

compiler::AdventureValues compileOnceValues(const QString& fuelPercent,
                                            const QString& cruisingAltitude) {
    compiler::AdventureValues values;
    values.planName = QStringLiteral("P");
    values.aircraft = QStringLiteral("Boeing 747-400");
    values.fuelPercent = fuelPercent;
    values.cruisingAltitude = cruisingAltitude;
    values.v1 = QStringLiteral("147");
    values.vr = QStringLiteral("165");
    values.v2 = QStringLiteral("177");
    return values;
}

std::unique_ptr<QProcess> startCompile(const Installation& installation, const QStringList& values,
                                       const QProcessEnvironment& extra) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& key : extra.keys()) {
        environment.insert(key, extra.value(key));
    }
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(installation.work.path());
    process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/compile_once"),
                   QStringList{installation.prefix} + values);
    return process;
}

CompileRun finishCompile(QProcess& process) {
    if (!process.waitForFinished(60000)) {
        qFatal("the compile did not end");
    }
    return {process.exitStatus() == QProcess::CrashExit, process.exitCode() == 0,
            QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
}

CompileRun runCompile(const Installation& installation, const QStringList& values,
                      const QProcessEnvironment& extra) {
    return finishCompile(*startCompile(installation, values, extra));
}
