#include "compiler/compileadventure.h"

#include "compiler/adventureflightwriter.h"
#include "compiler/adventurescript.h"
#include "compiler/compilelock.h"
#include "compiler/earlieradventure.h"
#include "compiler/interruptedcompile.h"
#include "compiler/planaltitude.h"
#include "compiler/planname.h"
#include "compiler/scriptverdict.h"
#include "files/filereplacement.h"
#include "files/recovery.h"
#include "files/textfiles.h"
#include "files/winpath.h"
#include "params/aircraft.h"

#include <functional>
#include <optional>
#include <QDir>
#include <QFileInfo>

namespace compiler {
namespace {

const QString kOpeningTemplate = QStringLiteral("lib\\Talvo.abl");
const QString kClosingTemplate = QStringLiteral("lib\\Talvo2.abl");

// Empty when the step went well; otherwise what went wrong, for the pilot.
using StepError = std::optional<QString>;

StepError cannot(const QString& path, const QString& action, const QString& why) {
    return QStringLiteral("The file %1 cannot be %2: %3.")
        .arg(QDir::toNativeSeparators(path), action, why);
}

StepError readError(const files::InputTextFile& file) {
    return cannot(file.path(), QStringLiteral("read"), file.errorString());
}

StepError outputError(const files::FileReplacement& outputs) {
    const files::FileReplacement::Failure& failure = outputs.failure();
    return cannot(failure.path, failure.action, failure.reason);
}

// Streams one input file into the new version of one output.
StepError transform(const QString& inputName, const QString& outputName,
                    files::FileReplacement& outputs,
                    const std::function<void(textio::LineReader&, textio::LineWriter&)>& copy) {
    files::InputTextFile in(inputName);
    if (!in.open()) {
        return readError(in);
    }
    files::StagedFile* out = outputs.add(outputName);
    if (!out) {
        return outputError(outputs);
    }
    copy(in.reader(), out->writer());
    if (in.hasError()) {
        return readError(in);
    }
    return std::nullopt;
}

QString flightName(const AdventureValues& values) {
    return values.planName + QStringLiteral(".flt");
}

// scriptNamed: whether the adventure flight names its script.
StepError WriteAdventureFlight(const QString& savedFlightFolder, const AdventureValues& values,
                               files::FileReplacement& outputs, bool& scriptNamed) {
    // Where the working folder is the saved-flights folder, a saved flight of the pilot's may
    // bear the plan's name: it is kept. An earlier adventure of the plan is replaced.
    const QString flight = flightName(values);
    if (StepError problem = earlierAdventureProblem(flight, values.planName)) {
        return problem;
    }
    return transform(savedFlightFolder + QStringLiteral("Talvo.FLT"), flight, outputs,
                     [&](textio::LineReader& in, textio::LineWriter& out) {
                         scriptNamed = writeAdventureFlightLines(in, out, values);
                     });
}

// The plan's working copy and the plan itself get the same lines: the plan with its new
// cruising line, as copied back from the working copy.
StepError UpdatePlanAltitude(const QString& savedFlightFolder, const QString& planName,
                             const QString& cruisingAltitude, files::FileReplacement& outputs) {
    const QString plan = savedFlightFolder + planName + QStringLiteral(".pln");
    const QByteArray altitude = lineBytes(cruisingAltitude);
    auto rewrite = [&](textio::LineReader& in, textio::LineWriter& out) {
        rewriteCruisingAltitude(in, out, altitude);
    };
    const QString workingCopy = planName + QStringLiteral(".pln");
    // Where the working folder is the saved-flights folder, the working copy is the plan itself.
    if (files::FileReplacement::targetPath(workingCopy) !=
        files::FileReplacement::targetPath(plan)) {
        if (StepError error = transform(plan, workingCopy, outputs, rewrite)) {
            return error;
        }
    }
    return transform(plan, plan, outputs, rewrite);
}

StepError copyTemplate(files::InputTextFile& in, textio::LineWriter& out,
                       qsizetype* lines = nullptr) {
    if (!in.isOpen() && !in.open()) {
        return readError(in);
    }
    const qsizetype copied = copyLines(in.reader(), out);
    if (lines) {
        *lines = copied;
    }
    if (in.hasError()) {
        return readError(in);
    }
    return std::nullopt;
}

QString scriptName(const AdventureValues& values) {
    return QStringLiteral("lib\\") + values.planName + QStringLiteral(".abl");
}

// openingLines receives how many lines of the opening template the script begins with.
StepError WriteAdventureScript(const AdventureValues& values, files::FileReplacement& outputs,
                               qsizetype& openingLines) {
    // The opening template first: when it is missing, the pilot hears of it, not of the script.
    files::InputTextFile opening(kOpeningTemplate);
    if (!opening.open()) {
        return readError(opening);
    }
    files::StagedFile* script = outputs.add(scriptName(values));
    if (!script) {
        return outputError(outputs);
    }
    if (StepError error = copyTemplate(opening, script->writer(), &openingLines)) {
        return error;
    }
    for (const QByteArray& line : scriptVariableLines(values)) {
        script->writeLine(line);
    }
    files::InputTextFile closing(kClosingTemplate);
    return copyTemplate(closing, script->writer());
}

// The script as written, read back from the disk and checked as the simulator would load it.
CompileResult checkWrittenScript(const AdventureValues& values, qsizetype openingLines) {
    files::InputTextFile script(scriptName(values));
    QByteArray bytes;
    if (script.open()) {
        QByteArray line;
        while (script.readLine(line)) {
            bytes += line + "\r\n";
        }
    }
    if (!script.isOpen() || script.hasError()) {
        return {CompileOutcome::Compiled,
                QStringLiteral("The adventure's files are written, but its script %1 cannot be "
                               "read back to check it: %2.")
                    .arg(QDir::toNativeSeparators(script.path()), script.errorString()),
                {}};
    }
    if (const std::optional<QString> problem =
            scriptProblem(bytes, {script.path(), openingLines}, values)) {
        return {CompileOutcome::Compiled, *problem, {}};
    }
    return {CompileOutcome::Compiled, QStringLiteral("Adventure compiled successfully!"), {}};
}

CompileResult failed(const QString& why, const QString& restored = QString()) {
    return {CompileOutcome::Failed,
            QStringLiteral("Cannot compile the Adventure.\n%1\n%2")
                .arg(why, restored.isEmpty() ? QStringLiteral("No file was changed.")
                                             : restored.trimmed()),
            {}};
}

CompileResult withoutScriptReference(const AdventureValues& values) {
    return {CompileOutcome::Compiled,
            QStringLiteral("The adventure's files are written, but the saved flight Talvo.FLT "
                           "has no [Main] section, so the adventure flight %1 does not name its "
                           "script and the simulator will not run it. Please save the flight in "
                           "the simulator again and compile again.")
                .arg(QDir::toNativeSeparators(files::localPath(flightName(values)))),
            {}};
}

CompileResult compileRecovered(const QString& savedFlightFolder, const AdventureValues& values);

// Every output is written whole before the first of them replaces its target, and they replace
// their targets in this order: the adventure flight, the plan's working copy, the plan, the
// script. When anything fails, every file stays as it was.
CompileResult compileFiles(const QString& savedFlightFolder, const AdventureValues& values) {
    CompileLock lock;
    if (const std::optional<QString> busy = lock.acquire()) {
        return failed(*busy);
    }
    // An interrupted compile is finished or undone before this one touches anything.
    const files::Recovery recovery = recoverInterruptedCompile(savedFlightFolder);
    if (recovery.outcome == files::Recovery::Outcome::Failed) {
        return failed(recovery.message);
    }
    CompileResult result = compileRecovered(savedFlightFolder, values);
    if (!recovery.message.isEmpty()) {
        result.notes.prepend(recovery.message);
    }
    return result;
}

CompileResult compileRecovered(const QString& savedFlightFolder, const AdventureValues& values) {
    files::FileReplacement outputs(kCompileJournal, QDir::currentPath());
    bool scriptNamed = true;
    StepError error = WriteAdventureFlight(savedFlightFolder, values, outputs, scriptNamed);
    if (!error) {
        error = UpdatePlanAltitude(savedFlightFolder, values.planName, values.cruisingAltitude,
                                   outputs);
    }
    qsizetype openingLines = 0;
    if (!error) {
        error = WriteAdventureScript(values, outputs, openingLines);
    }
    if (error) {
        return failed(*error);
    }
    if (!outputs.commit()) {
        return failed(*outputError(outputs), outputs.failure().restored);
    }
    if (!scriptNamed) {
        return withoutScriptReference(values);
    }
    return checkWrittenScript(values, openingLines);
}

} // namespace

CompileResult CompileAdventure(const QString& savedFlightFolder, const AdventureValues& values) {
    if (values.planName.isEmpty()) {
        return {CompileOutcome::NoFlightPlan,
                QStringLiteral("Please, load the Flight Plan first!"),
                {}};
    }
    if (!params::isBoeing747400(values.aircraft)) {
        return {
            CompileOutcome::ForeignAircraft,
            QStringLiteral("Cannot compile the Adventure. Please save the flight with Talvo Fleet"),
            {}};
    }
    if (const std::optional<QString> problem = planNameProblem(values.planName)) {
        return {CompileOutcome::Refused,
                QStringLiteral("Cannot compile the Adventure.\nThe flight plan name \"%1\" "
                               "cannot name the adventure's files: %2.\nPlease save the flight "
                               "plan under another name and load it again.")
                    .arg(values.planName, *problem),
                {}};
    }
    return compileFiles(savedFlightFolder, values);
}

} // namespace compiler
