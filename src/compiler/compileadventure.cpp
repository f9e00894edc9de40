#include "compiler/compileadventure.h"

#include "compiler/adventureflightwriter.h"
#include "compiler/adventurescript.h"
#include "compiler/planaltitude.h"
#include "compiler/planname.h"
#include "flight/aircraft.h"
#include "textio/codepage.h"
#include "textio/textfiles.h"
#include "textio/winpath.h"

#include <functional>
#include <optional>

namespace compiler {
namespace {

const QString kOpeningTemplate = QStringLiteral("lib\\Talvo.abl");
const QString kClosingTemplate = QStringLiteral("lib\\Talvo2.abl");

// Empty when the step went well; otherwise the message for the pilot.
using StepError = std::optional<QString>;

QString cannot(const QString& action, const QString& windowsName, const QString& why) {
    return QStringLiteral("Cannot compile the Adventure.\nThe file %1 cannot be %2: %3.")
        .arg(textio::localPath(windowsName), action, why);
}

StepError readError(const textio::InputTextFile& file) {
    return cannot(QStringLiteral("read"), file.name(), file.errorString());
}

StepError writeError(const textio::OutputTextFile& file) {
    return cannot(QStringLiteral("written"), file.name(), file.errorString());
}

// Streams one input file into one output file; the output replaces its target only when the
// whole input has been read and written.
StepError transform(const QString& inputName, const QString& outputName,
                    const std::function<void(textio::LineReader&, textio::LineWriter&)>& copy) {
    textio::InputTextFile in(inputName);
    if (!in.open()) {
        return readError(in);
    }
    textio::OutputTextFile out(outputName);
    if (!out.open()) {
        return writeError(out);
    }
    copy(in.reader(), out.writer());
    if (in.hasError()) {
        return readError(in);
    }
    if (!out.commit()) {
        return writeError(out);
    }
    return std::nullopt;
}

StepError WriteAdventureFlight(const QString& savedFlightFolder, const AdventureValues& values) {
    return transform(savedFlightFolder + QStringLiteral("Talvo.FLT"),
                     values.planName + QStringLiteral(".flt"),
                     [&](textio::LineReader& in, textio::LineWriter& out) {
                         writeAdventureFlightLines(in, out, values);
                     });
}

StepError UpdatePlanAltitude(const QString& savedFlightFolder, const QString& planName,
                             const QString& cruisingAltitude) {
    const QString plan = savedFlightFolder + planName + QStringLiteral(".pln");
    const QString workingCopy = planName + QStringLiteral(".pln");
    const QByteArray altitude = textio::encode8bit(cruisingAltitude);
    if (StepError error =
            transform(plan, workingCopy, [&](textio::LineReader& in, textio::LineWriter& out) {
                rewriteCruisingAltitude(in, out, altitude);
            })) {
        return error;
    }
    return transform(workingCopy, plan, copyLines);
}

StepError appendTemplate(const QString& templateName, textio::LineWriter& out) {
    textio::InputTextFile in(templateName);
    if (!in.open()) {
        return readError(in);
    }
    copyLines(in.reader(), out);
    if (in.hasError()) {
        return readError(in);
    }
    return std::nullopt;
}

StepError WriteAdventureScript(const AdventureValues& values) {
    textio::OutputTextFile script(QStringLiteral("lib\\") + values.planName +
                                  QStringLiteral(".abl"));
    if (!script.open()) {
        return writeError(script);
    }
    if (StepError error = appendTemplate(kOpeningTemplate, script.writer())) {
        return error;
    }
    for (const QByteArray& line : scriptVariableLines(values)) {
        script.writeLine(line);
    }
    if (StepError error = appendTemplate(kClosingTemplate, script.writer())) {
        return error;
    }
    if (!script.commit()) {
        return writeError(script);
    }
    return std::nullopt;
}

// Before anything is written: every file the compile reads is proved readable, and every file it
// writes is proved replaceable (its temporary file can be made beside it), so a missing template
// or a read-only folder leaves the pilot's files as they were rather than half an adventure.
StepError checkFiles(const QString& savedFlightFolder, const QString& planName) {
    const QString plan = savedFlightFolder + planName + QStringLiteral(".pln");
    for (const QString& name : {savedFlightFolder + QStringLiteral("Talvo.FLT"), plan,
                                kOpeningTemplate, kClosingTemplate}) {
        textio::InputTextFile file(name);
        if (!file.open()) {
            return readError(file);
        }
    }
    for (const QString& name :
         {planName + QStringLiteral(".flt"), planName + QStringLiteral(".pln"), plan,
          QStringLiteral("lib\\") + planName + QStringLiteral(".abl")}) {
        textio::OutputTextFile file(name);
        if (!file.open()) {
            return writeError(file);
        }
    }
    return std::nullopt;
}

} // namespace

CompileResult CompileAdventure(const QString& savedFlightFolder, const AdventureValues& values) {
    if (values.planName.isEmpty()) {
        return {CompileOutcome::NoFlightPlan,
                QStringLiteral("Please, load the Flight Plan first!")};
    }
    if (!flight::isBoeing747400(values.aircraft)) {
        return {CompileOutcome::ForeignAircraft,
                QStringLiteral(
                    "Cannot compile the Adventure. Please save the flight with Talvo Fleet")};
    }
    if (const std::optional<QString> problem = planNameProblem(values.planName)) {
        return {CompileOutcome::Refused,
                QStringLiteral("Cannot compile the Adventure.\nThe flight plan name \"%1\" "
                               "cannot name the adventure's files: %2.\nPlease save the flight "
                               "plan under another name and load it again.")
                    .arg(values.planName, *problem)};
    }
    StepError error = checkFiles(savedFlightFolder, values.planName);
    if (!error) {
        error = WriteAdventureFlight(savedFlightFolder, values);
    }
    if (!error) {
        error = UpdatePlanAltitude(savedFlightFolder, values.planName, values.cruisingAltitude);
    }
    if (!error) {
        error = WriteAdventureScript(values);
    }
    if (error) {
        return {CompileOutcome::Failed, *error};
    }
    return {CompileOutcome::Compiled, QStringLiteral("Adventure compiled successfully!")};
}

} // namespace compiler
