#include "compiler/scriptverdict.h"

#include "rehearsal/rehearsal.h"
#include "rehearsal/roles.h"
#include "scriptcheck/scriptcheck.h"

#include <algorithm>
#include <array>
#include <QDir>

namespace compiler {
namespace {

constexpr qsizetype kSettingLines = 6;

struct Setting {
    const char* name;              // as the pilot knows it
    QString AdventureValues::*box; // the text it was written from; null for a check box
};

const std::array<Setting, kSettingLines> kSettings = {{
    {"V1", &AdventureValues::v1},
    {"Vr", &AdventureValues::vr},
    {"V2", &AdventureValues::v2},
    {"Speed Calls", nullptr},
    {"Check List", nullptr},
    {"Rate the Flight", nullptr},
}};

// The problem, told from where its line came from.
QString explain(const scriptcheck::Problem& problem, const ScriptLayout& layout,
                const AdventureValues& values) {
    const qsizetype line = problem.line;
    if (!problem.file.isEmpty()) {
        return QStringLiteral("line %1 of %2, which the script includes: %3.")
            .arg(line)
            .arg(problem.file, problem.message);
    }
    if (line > layout.openingLines && line <= layout.openingLines + kSettingLines) {
        const Setting& setting =
            kSettings[static_cast<std::size_t>(line - layout.openingLines - 1)];
        if (setting.box) {
            const QString text = values.*setting.box;
            if (text.trimmed().isEmpty()) {
                return QStringLiteral("%1 is empty: please fill in %1 in the compiler window and "
                                      "compile again.")
                    .arg(QLatin1String(setting.name));
            }
            return QStringLiteral("%1 \"%2\" is no number the script can take: please give %1 "
                                  "in knots, with a point before any decimals, and compile again.")
                .arg(QLatin1String(setting.name), text);
        }
        return QStringLiteral("the setting %1: %2.")
            .arg(QLatin1String(setting.name), problem.message);
    }
    const bool opening = line <= layout.openingLines;
    const QString templateName =
        opening ? QStringLiteral("lib\\Talvo.abl") : QStringLiteral("lib\\Talvo2.abl");
    const qsizetype templateLine = opening ? line : line - layout.openingLines - kSettingLines;
    if (!problem.placeholder.isEmpty()) {
        return QStringLiteral(
                   "%1 in %2 line %3 is a placeholder: replace it with your "
                   "simulator's name.\nAdapt the template as its block LINES TO ADAPT TO "
                   "YOUR SIMULATOR says, then compile again.")
            .arg(problem.placeholder, templateName)
            .arg(templateLine);
    }
    return QStringLiteral("line %1 of %2: %3.\nMend the template, then compile again.")
        .arg(templateLine)
        .arg(templateName, problem.message);
}

// What the rehearsal over simulated flights found wrong in a script that loads: the first broken
// rule (which flight, when, which speeds), or a runaway. No value when every rule held, or when
// the script's host names could not be placed (the pilot's own simulator names, which the
// rehearsal does not guess), or when it has no routine to show a text (it makes no call-outs).
std::optional<QString> rehearsalProblem(QByteArrayView script, const ScriptLayout& layout) {
    const rehearsal::Roles roles = rehearsal::placeRoles(script);
    const bool shows = std::any_of(roles.names.begin(), roles.names.end(), [](const auto& name) {
        return name.role == rehearsal::Role::ShowText;
    });
    if (!roles.problem.isEmpty() || !shows) {
        return std::nullopt;
    }
    const rehearsal::Rehearsal result = rehearsal::rehearse(script);
    const QString path = QDir::toNativeSeparators(layout.path);
    if (!result.problem.isEmpty()) {
        return QStringLiteral("The adventure's files are written and the simulator will load its "
                              "script %1, but in a rehearsal over simulated flights it was "
                              "stopped: %2.\nMend the template, then compile again.")
            .arg(path, result.problem);
    }
    for (const rehearsal::FlightRehearsal& flight : result.flights) {
        if (flight.broken.empty()) {
            continue;
        }
        const rehearsal::Settings& s = result.settings;
        const bool outOfOrder = s.v1 > s.vr || s.vr > s.v2;
        return QStringLiteral("The adventure's files are written and the simulator will load its "
                              "script %1, but in a rehearsal of the flight \"%2\" it breaks a "
                              "rule of its call-outs at %3 s: %4 (V1 %5, Vr %6, V2 %7).\n%8")
            .arg(path, flight.flight.name, QString::number(flight.broken.front().time, 'f', 2),
                 flight.broken.front().rule, QString::number(s.v1), QString::number(s.vr),
                 QString::number(s.v2),
                 outOfOrder ? QStringLiteral("V1, Vr and V2 are out of order: please check them "
                                             "in the compiler window and compile again.")
                            : QStringLiteral("Mend the template, then compile again."));
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> scriptProblem(QByteArrayView script, const ScriptLayout& layout,
                                     const AdventureValues& values) {
    const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(script);
    if (!problem) {
        return rehearsalProblem(script, layout);
    }
    return QStringLiteral("The adventure's files are written, but the simulator will not run its "
                          "script %1.\nLine %2: %3")
        .arg(QDir::toNativeSeparators(layout.path))
        .arg(problem->line)
        .arg(explain(*problem, layout, values));
}

} // namespace compiler
